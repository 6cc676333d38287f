#include "main/app/CommandLine.h"
#include "main/app/InstanceChannel.h"
#include "main/app/MainWindow.h"
#include "main/app/MessageBox.h"
#include "main/app/QueryMode.h"
#include "main/app/WindowHooks.h"
#include "main/appcore/AppContext.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/LinkSchemes.h"
#include "main/dialogs/Unattended.h"
#include "main/net/DownloadManager.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/XmlLibrary.h"
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterServices.h"
#include "main/printers/Reachability.h"
#include "main/resources/StringResources.h"
#include "packaging/ProgramIcon.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "platform/WebEngineEnvironment.h"
#include "platform/instance/InstanceLock.h"
#include "platform/instance/ProgramLock.h"
#include "platform/instance/RuntimeFolder.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

// For automation, KALDO_EXIT_AFTER=<what>[:<argument>] closes the window while something is
// going on, KALDO_EXIT_AFTER_MS later (default at once): "load" right after start-up while
// the panes load; "refresh", "search:<words>" and "printer:<name>" once the panes have loaded,
// through the same links the pages use; "forward" once a second start's printer is handled.
struct ExitAfter {
    std::string what;
    std::string argument;
    int delayMs = 0;

    static ExitAfter FromEnvironment() {
        ExitAfter exit;
        const std::string value = qEnvironmentVariable("KALDO_EXIT_AFTER").toStdString();
        const size_t colon = value.find(':');
        exit.what = value.substr(0, colon);
        if (colon != std::string::npos)
            exit.argument = value.substr(colon + 1);
        exit.delayMs = qEnvironmentVariableIntValue("KALDO_EXIT_AFTER_MS");
        return exit;
    }

    bool Is(std::string_view name) const { return what == name; }
    // The link that starts the action; empty for the kinds that follow no link.
    std::string Link() const {
        if (Is("refresh"))
            return "util-rs:";
        if (Is("search"))
            return "util-search:" +
                   QUrl::toPercentEncoding(QString::fromStdString(argument)).toStdString();
        if (Is("printer"))
            return "sp:" + QUrl::toPercentEncoding(QString::fromStdString(argument)).toStdString();
        return {};
    }
    void CloseSoon(kaldo::MainWindow& window) const {
        QTimer::singleShot(delayMs, &window, [&window] { window.close(); });
    }
};

// For automation: a picture of the window once every pane has loaded (and the printer's
// status has come in), and an orderly end.
void WhenReady(kaldo::MainWindow& window, kaldo::AppContext& context,
               const kaldo::WindowHooks& hooks, const QElapsedTimer& sinceStart,
               const ExitAfter& exitAfter) {
    const QString screenshot = qEnvironmentVariable("KALDO_SCREENSHOT");
    const bool exitWhenReady = kaldo::RunsUnattended() || !exitAfter.Link().empty();
    auto finish = [&window, &context, screenshot, exitWhenReady, exitAfter] {
        if (!screenshot.isEmpty() && !window.grab().save(screenshot))
            std::cerr << "ktendwell: cannot write " << screenshot.toStdString() << "\n";
        if (const std::string link = exitAfter.Link(); !link.empty()) {
            kaldo::Pane* pane =
                exitAfter.Is("refresh") ? context.FooterPane() : context.HeaderPane();
            pane->Navigate(link);
            exitAfter.CloseSoon(window);
        } else if (exitWhenReady && exitAfter.what.empty()) {
            window.close();
        }
    };
    // Loaded is not yet painted; give the panes a moment to show their pages.
    auto finishSoon = [&window, finish] {
        QTimer::singleShot(750, &window, finish);
    };

    std::vector<QWebEngineView*> panes;
    for (kaldo::PanePlace place :
         {kaldo::PanePlace::Header, kaldo::PanePlace::Body, kaldo::PanePlace::Footer})
        panes.push_back(hooks.PaneAt(place)->View());
    window.WhenPanesLoaded(panes, [&window, &context, &hooks, &sinceStart, screenshot,
                                   exitWhenReady, finish, finishSoon] {
        kaldo::Trace("panes loaded after " + std::to_string(sinceStart.elapsed()) + " ms\n");
        if (screenshot.isEmpty()) {
            if (exitWhenReady)
                finish();
            return;
        }
        if (context.FooterStatus() != kaldo::StatusValue::STATUS_COLLECTING) {
            finishSoon();
            return;
        }
        // The picture shows the printer's status, or gives up waiting for it.
        auto once = std::make_shared<std::function<void()>>(finishSoon);
        auto shoot = [once] {
            if (auto run = std::exchange(*once, nullptr))
                run();
        };
        QTimer::singleShot(15000, &window, shoot);
        kaldo::BrowserHost* footer = hooks.PaneAt(kaldo::PanePlace::Footer);
        context.WhenStatusShown(
            [&window, footer, shoot] { window.WhenPanesLoaded({footer->View()}, shoot); });
    });
}

// What driverless printers said they are, kept beside this user's pages.
std::string DeviceMemoryFile() {
    return kaldo::StateFolder() + "printer-devices.txt";
}

// Tells the user why the program cannot start, on stderr and in a message box; the exit code.
int CannotStart(const std::string& reason) {
    std::cerr << "ktendwell: cannot start: " << reason << "\n";
    kaldo::ShowMessageBox(nullptr, kaldo::LoadResourceString(kaldo::StringId::FatalCaption),
                          kaldo::LoadResourceString(kaldo::StringId::FatalStart) + "\n\n" + reason,
                          QMessageBox::Critical);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    kaldo::XmlLibraryScope xmlLibraries;
    const kaldo::CommandLine commandLine =
        kaldo::ParseCommandLine(kaldo::CommandLineFromArguments(argc, argv));
    if (commandLine.QueryMode) {
        kaldo::CupsSpooler spooler;
        // Reads what the window learnt of driverless printers, and writes nothing.
        kaldo::DeviceIdentifier devices(spooler, {DeviceMemoryFile(), false});
        // The exit code answers: 1 has content, 0 not.
        return kaldo::QueryPrinterHasContent(commandLine.QueryPrinter, kaldo::ProgramFolder(),
                                             kaldo::ProgramLanguageCode(), spooler, &devices)
                   ? 1
                   : 0;
    }

    const std::string className = kaldo::LoadResourceString(kaldo::StringId::ClassName);
    const std::string title = kaldo::LoadResourceString(kaldo::StringId::Title);
    // The lock and socket live where no other user can make them first; the installation's
    // lock shows every user's instance to the uninstaller.
    const kaldo::RuntimeFolder runtime = kaldo::UserRuntimeFolder();
    std::optional<kaldo::InstanceLock> lock;
    std::optional<kaldo::ProgramLock> programLock;
    std::string lockError = runtime.Error;
    if (lockError.empty()) {
        lock.emplace(kaldo::JoinPath(
            runtime.Path, kaldo::LoadResourceString(kaldo::StringId::MutexName) + ".lock"));
        lockError = lock->Error();
    }
    if (lock && lock->State() == kaldo::LockState::HeldByOther) {
        // The running instance switches printers before it answers.
        kaldo::ForwardToRunningInstance(kaldo::InstanceSocketPath(runtime.Path, className),
                                        commandLine.Forwarded, std::chrono::seconds(60));
        return 0;
    }
    if (lockError.empty()) {
        programLock.emplace(kaldo::ProgramFolder() + std::string(kaldo::ProgramLock::kFileName));
        lockError = programLock->Error();
    }

    kaldo::PrepareWebEngineEnvironment();
    kaldo::RegisterLinkSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(kaldo::ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(true);
    if (!lockError.empty())
        return CannotStart(lockError);
    // The pages shown come from here: nobody else may have a hand in it.
    const kaldo::PreparedFolder state = kaldo::PrepareStateFolder(kaldo::CacheFolder());
    if (!state.Error.empty())
        return CannotStart("the folder for this user's pages cannot be used: " + state.Error);

    kaldo::IniRegistry settings;
    kaldo::CupsSpooler spooler;
    kaldo::SpoolerRegistryView registry(settings, spooler);
    kaldo::DeviceIdentifier devices(spooler, {DeviceMemoryFile()});
    kaldo::PrinterServices services{spooler, registry, kaldo::ProgramFolder() + "ktendwell",
                                    kaldo::MakerHomePage(), [](const std::string& url, auto limit) {
                                        return kaldo::DownloadManager::checkReachable(url, limit);
                                    }};
    // Only for running the demo's printer without root; printers serve on port 80.
    if (const int port = qEnvironmentVariableIntValue("KALDO_PRINTER_WEB_PORT"); port > 0)
        services.PrinterWebPort = port;
    services.Devices = &devices;
    const ExitAfter exitAfter = ExitAfter::FromEnvironment();

    int exitCode = 0;
    {
        // Declared in the order of their lives: the panes go with the context, before the window
        // that holds them, and all of it before the engine's profile goes with the application.
        kaldo::MainWindow window;
        window.setWindowTitle(QString::fromStdString(title));
        kaldo::WindowHooks hooks(window);
        kaldo::AppContext context(services, kaldo::ProgramFolder(), state.Path, hooks.Hooks());
        kaldo::InstanceServer server([&](const std::string& printerName) {
            window.Raise();
            context.OnForwardedPrinter(printerName);
            if (exitAfter.Is("forward"))
                exitAfter.CloseSoon(window);
        });
        window.OnClose([&context, &server] {
            server.Close();
            context.Shutdown();
        });
        server.Listen(kaldo::InstanceSocketPath(runtime.Path, className));

        window.show();
        if (!context.Initialize(commandLine.PrinterName))
            return 0;
        // What the first paint does not need starts once the three panes have their pages.
        std::vector<QWebEngineView*> panes;
        for (kaldo::PanePlace place :
             {kaldo::PanePlace::Header, kaldo::PanePlace::Body, kaldo::PanePlace::Footer})
            panes.push_back(hooks.PaneAt(place)->View());
        window.WhenPanesLoaded(panes, [&context] { context.FinishStart(); });
        WhenReady(window, context, hooks, sinceStart, exitAfter);
        if (exitAfter.Is("load"))
            exitAfter.CloseSoon(window);
        exitCode = app.exec();
        // Panes let go from inside their own signals are deleted here, while the engine and
        // the window are still there.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return exitCode;
}
