#include "main/app/AppContext.h"
#include "main/app/CommandLine.h"
#include "main/app/InstanceChannel.h"
#include "main/app/MainWindow.h"
#include "main/app/QueryMode.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/LinkSchemes.h"
#include "main/dialogs/Unattended.h"
#include "main/net/DownloadManager.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/XmlLibrary.h"
#include "main/printers/PrinterServices.h"
#include "main/printers/Reachability.h"
#include "main/resources/StringResources.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "platform/instance/InstanceLock.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWebEngineView>

#include <iostream>
#include <unistd.h>

namespace {

constexpr int kStringClassName = 100;
constexpr int kStringTitle = 101;
constexpr int kStringMutexName = 105;

// The engine refuses to start its sandbox for root, and offscreen it has no GPU to use.
void PrepareWebEngineEnvironment() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" &&
        qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
}

// For automation: a picture of the window once every pane has loaded (and the printer's
// status has come in), and an orderly end.
void WhenReady(kaldo::MainWindow& window, kaldo::AppContext& context,
               const QElapsedTimer& sinceStart) {
    const QString screenshot = qEnvironmentVariable("KALDO_SCREENSHOT");
    const bool exitWhenReady = kaldo::RunsUnattended();
    auto finish = [&window, screenshot, exitWhenReady] {
        if (!screenshot.isEmpty() && !window.grab().save(screenshot))
            std::cerr << "ktendwell: cannot write " << screenshot.toStdString() << "\n";
        if (exitWhenReady)
            window.close();
    };
    // Loaded is not yet painted; give the panes a moment to show their pages.
    auto finishSoon = [&window, finish] {
        QTimer::singleShot(750, &window, finish);
    };

    std::vector<QWebEngineView*> panes;
    for (kaldo::BrowserHost* pane :
         {context.HeaderPane(), context.BodyPane(), context.FooterPane()})
        panes.push_back(pane->View());
    window.WhenPanesLoaded(
        panes, [&window, &context, &sinceStart, screenshot, exitWhenReady, finish, finishSoon] {
            kaldo::Trace("panes loaded after " + std::to_string(sinceStart.elapsed()) + " ms\n");
            if (screenshot.isEmpty()) {
                if (exitWhenReady)
                    finish();
                return;
            }
            if (context.FooterStatus() != kaldo::kStatusCollecting) {
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
            kaldo::BrowserHost* footer = context.FooterPane();
            context.WhenStatusShown(
                [&window, footer, shoot] { window.WhenPanesLoaded({footer->View()}, shoot); });
        });
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
        return kaldo::QueryPrinterHasContent(commandLine.QueryPrinter, kaldo::ProgramFolder(),
                                             kaldo::ProgramLanguageCode(), spooler);
    }

    const std::string className = kaldo::LoadResourceString(kStringClassName);
    const std::string title = kaldo::LoadResourceString(kStringTitle);
    kaldo::InstanceLock lock(kaldo::LoadResourceString(kStringMutexName));
    if (!lock.Held()) {
        // The running instance switches printers before it answers.
        kaldo::ForwardToRunningInstance(kaldo::InstanceSocketPath(className), commandLine.Forwarded,
                                        std::chrono::seconds(60));
        return 0;
    }

    PrepareWebEngineEnvironment();
    kaldo::RegisterLinkSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);

    kaldo::IniRegistry settings;
    kaldo::CupsSpooler spooler;
    kaldo::SpoolerRegistryView registry(settings, spooler);
    kaldo::PrinterServices services{spooler, registry, kaldo::ProgramFolder() + "ktendwell",
                                    kaldo::MakerHomePage(), [](const std::string& url, auto limit) {
                                        return kaldo::DownloadManager::checkReachable(url, limit);
                                    }};
    // Only for running the demo's printer without root; printers serve on port 80.
    if (const int port = qEnvironmentVariableIntValue("KALDO_PRINTER_WEB_PORT"); port > 0)
        services.PrinterWebPort = port;

    kaldo::MainWindow window;
    window.setWindowTitle(QString::fromStdString(title));
    kaldo::AppContext context(services, kaldo::ProgramFolder(), kaldo::StateFolder());
    window.OnClose([&context] { context.Shutdown(); });

    kaldo::InstanceServer server([&](const std::string& printerName) {
        window.Raise();
        context.OnForwardedPrinter(printerName);
    });
    server.Listen(kaldo::InstanceSocketPath(className));

    window.show();
    if (!context.Initialize(&window, commandLine.PrinterName))
        return 0;
    WhenReady(window, context, sinceStart);
    return app.exec();
}
