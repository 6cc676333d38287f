#include "main/app/Automation.h"
#include "main/app/CommandLine.h"
#include "main/app/InstanceChannel.h"
#include "main/app/MainWindow.h"
#include "main/app/ProgramOptions.h"
#include "main/app/QueryMode.h"
#include "main/app/WindowHooks.h"
#include "main/appcore/AppContext.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/LinkSchemes.h"
#include "main/net/DownloadManager.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/XmlLibrary.h"
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterServices.h"
#include "main/printers/Reachability.h"
#include "main/resources/StringResources.h"
#include "packaging/ProgramIcon.h"
#include "platform/Paths.h"
#include "platform/WebEngineEnvironment.h"
#include "platform/instance/InstanceLock.h"
#include "platform/instance/ProgramLock.h"
#include "platform/instance/RuntimeFolder.h"
#include "platform/messagebox/MessageBox.h"
#include "platform/messagebox/Unattended.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWebEngineView>

#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

namespace {

// How long after loading the panes have surely painted their pages.
constexpr std::chrono::milliseconds kFirstPaintTime{100};
// However long a pane takes over its first page, the rest of the start, the printer's status
// among it, comes after this at the latest.
constexpr std::chrono::seconds kLongestStart{5};
// How long a second start waits for a running instance that does not listen, because it has
// not made its window yet or is ending, before it says that the instance does not answer.
constexpr std::chrono::seconds kLongestHandOver{10};
constexpr std::chrono::milliseconds kHandOverPoll{50};

// What driverless printers said they are, kept beside this user's pages.
std::string DeviceMemoryFile() {
    return kaldo::StateFolder() + "printer-devices.txt";
}

// Tells the user why the program cannot start, on stderr and in a message box; the exit code.
int CannotStart(const std::string& reason) {
    std::cerr << "ktendwell: cannot start: " << reason << "\n";
    kaldo::ShowMessageBox(
        nullptr, {.Caption = kaldo::LoadResourceString(kaldo::StringId::FatalCaption),
                  .Text = kaldo::LoadResourceString(kaldo::StringId::FatalStart) + "\n\n" + reason,
                  .Icon = kaldo::MessageIcon::Error});
    return 1;
}

// The exit code answers whether the printer has content: 1 has, 0 not. Reads what the window
// learnt of driverless printers, and writes nothing.
int AnswerQuery(const std::string& printer) {
    kaldo::CupsSpooler spooler;
    kaldo::DeviceIdentifier devices(spooler, {DeviceMemoryFile(), false});
    return kaldo::QueryPrinterHasContent(printer, kaldo::ProgramFolder(),
                                         kaldo::ProgramLanguageCode(), spooler, &devices)
               ? 1
               : 0;
}

// This user's instance lock and the installation's lock, which shows every user's instance to
// the uninstaller. The first that cannot be taken says why; the second is not tried then, nor
// when another instance of this user holds the first.
struct InstanceLocks {
    std::optional<kaldo::InstanceLock> Instance;
    std::optional<kaldo::ProgramLock> Program;
    std::string Error;
};

InstanceLocks TakeInstanceLocks(const kaldo::RuntimeFolder& runtime) {
    InstanceLocks locks;
    locks.Error = runtime.Error;
    if (!locks.Error.empty())
        return locks;
    locks.Instance.emplace(kaldo::JoinPath(
        runtime.Path, kaldo::LoadResourceString(kaldo::StringId::MutexName) + ".lock"));
    locks.Error = locks.Instance->Error();
    if (!locks.Error.empty() || locks.Instance->State() == kaldo::LockState::HeldByOther)
        return locks;
    locks.Program.emplace(kaldo::ProgramFolder() + std::string(kaldo::ProgramLock::kFileName));
    locks.Error = locks.Program->Error();
    return locks;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    const kaldo::ProgramOptions options =
        kaldo::ReadProgramOptions([](const char* name) { return qgetenv(name).toStdString(); });
    kaldo::SetUnattended(options.Automation.ExitWhenReady);
    kaldo::XmlLibraryScope xmlLibraries;
    const kaldo::CommandLine commandLine =
        kaldo::ParseCommandLine(kaldo::CommandLineFromArguments(argc, argv));
    if (commandLine.QueryMode)
        return AnswerQuery(commandLine.QueryPrinter);

    const std::string className = kaldo::LoadResourceString(kaldo::StringId::ClassName);
    const std::string title = kaldo::LoadResourceString(kaldo::StringId::Title);
    // The lock and socket live where no other user can make them first; the installation's
    // lock shows every user's instance to the uninstaller.
    const kaldo::RuntimeFolder runtime = kaldo::UserRuntimeFolder();
    InstanceLocks locks = TakeInstanceLocks(runtime);
    const auto giveUp = std::chrono::steady_clock::now() + kLongestHandOver;
    while (locks.Instance && locks.Instance->State() == kaldo::LockState::HeldByOther) {
        // The running instance switches printers before it answers.
        const kaldo::Forwarding forwarding =
            kaldo::ForwardToRunningInstance(kaldo::InstanceSocketPath(runtime.Path, className),
                                            commandLine.Forwarded, std::chrono::seconds(60));
        if (forwarding == kaldo::Forwarding::Handled)
            return 0;
        if (forwarding == kaldo::Forwarding::Unanswered ||
            std::chrono::steady_clock::now() >= giveUp) {
            QApplication app(argc, argv);
            return CannotStart("the program's window of this user does not answer");
        }
        // It is starting or ending: it takes the name once it listens, or leaves the lock
        // to this start.
        std::this_thread::sleep_for(kHandOverPoll);
        locks = TakeInstanceLocks(runtime);
    }

    kaldo::PrepareWebEngineEnvironment();
    kaldo::ShareRenderersWithinSites();
    kaldo::RegisterLinkSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(kaldo::ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(true);
    if (!locks.Error.empty())
        return CannotStart(locks.Error);
    // The pages shown come from here: nobody else may have a hand in it.
    const kaldo::PreparedFolder state = kaldo::PrepareStateFolder(kaldo::CacheFolder());
    if (!state.Error.empty())
        return CannotStart("the folder for this user's pages cannot be used: " + state.Error);

    kaldo::DownloadOptions downloads;
    downloads.CaFile = options.CaFile;
    kaldo::IniRegistry settings;
    kaldo::CupsSpooler spooler;
    kaldo::SpoolerRegistryView registry(settings, spooler);
    kaldo::DeviceIdentifier devices(spooler, {DeviceMemoryFile()});
    kaldo::PrinterServices services{
        spooler, registry, kaldo::ProgramFolder() + "ktendwell", options.HomePage,
        [downloads](const std::string& url, auto limit) {
            return kaldo::DownloadManager::CheckReachable(url, limit, downloads);
        }};
    // Only for running the demo's printer without root; printers serve on port 80.
    if (options.PrinterWebPort > 0)
        services.PrinterWebPort = options.PrinterWebPort;
    services.Devices = &devices;

    int exitCode = 0;
    {
        // Declared in the order of their lives: the panes go with the context, before the window
        // that holds them, and all of it before the engine's profile goes with the application.
        kaldo::MainWindow window;
        window.setWindowTitle(QString::fromStdString(title));
        kaldo::WindowHooks hooks(window, downloads);
        kaldo::AppContext context(services, kaldo::ProgramFolder(), state.Path, hooks.Hooks(),
                                  downloads);
        kaldo::InstanceServer server([&](const std::string& printerName) {
            window.Raise();
            context.OnForwardedPrinter(printerName);
            kaldo::AutomateForwarded(options.Automation, window);
        });
        window.OnClose([&context, &server] {
            server.Close();
            context.Shutdown();
        });
        server.Listen(kaldo::InstanceSocketPath(runtime.Path, className));

        window.show();
        if (!context.Initialize(commandLine.PrinterName))
            return 0;
        // What the first paint does not need starts once the three panes have shown their
        // pages, so that it does not hold up the paint.
        std::vector<QWebEngineView*> panes;
        for (kaldo::PanePlace place :
             {kaldo::PanePlace::Header, kaldo::PanePlace::Body, kaldo::PanePlace::Footer})
            panes.push_back(hooks.PaneAt(place)->View());
        window.WhenPanesLoaded(panes, [&window, &context] {
            QTimer::singleShot(kFirstPaintTime, &window, [&context] { context.FinishStart(); });
        });
        QTimer::singleShot(kLongestStart, &window, [&context] { context.FinishStart(); });
        kaldo::AutomateStart(options.Automation, window, context, hooks, sinceStart);
        exitCode = app.exec();
        // Panes let go from inside their own signals are deleted here, while the engine and
        // the window are still there.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return exitCode;
}
