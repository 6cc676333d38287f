#include "main/app/Automation.h"

#include "main/app/MainWindow.h"
#include "main/app/WindowHooks.h"
#include "main/appcore/AppContext.h"
#include "main/browser/BrowserHost.h"
#include "main/navigation/LinkMarkers.h"
#include "platform/Trace.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace kaldo {

namespace {

std::string PercentEncoded(const std::string& text) {
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

// The link that starts the action to end in; empty for the kinds that follow no link.
std::string ExitAfterLink(const AutomationOptions& options) {
    if (options.ExitAfter == "refresh")
        return std::string(links::kRefreshStatus);
    if (options.ExitAfter == "search")
        return std::string(links::kSearch) + PercentEncoded(options.ExitAfterArgument);
    if (options.ExitAfter == "printer")
        return std::string(links::kSelectPrinter) + PercentEncoded(options.ExitAfterArgument);
    return {};
}

void CloseSoon(const AutomationOptions& options, MainWindow& window) {
    QTimer::singleShot(options.ExitAfterMs, &window, [&window] { window.close(); });
}

} // namespace

void AutomateStart(const AutomationOptions& options, MainWindow& window, AppContext& context,
                   const WindowHooks& hooks, const QElapsedTimer& sinceStart) {
    const QString screenshot = QString::fromStdString(options.Screenshot);
    const std::string link = ExitAfterLink(options);
    const bool exitWhenReady = options.ExitWhenReady || !link.empty();
    auto finish = [&window, &context, options, screenshot, exitWhenReady, link] {
        if (!screenshot.isEmpty() && !window.grab().save(screenshot))
            std::cerr << "ktendwell: cannot write " << screenshot.toStdString() << "\n";
        if (!link.empty()) {
            // The link may lead to a page that the rest of the start builds.
            context.FinishStart();
            Pane* pane =
                options.ExitAfter == "refresh" ? context.FooterPane() : context.HeaderPane();
            pane->Navigate(link);
            CloseSoon(options, window);
        } else if (exitWhenReady && options.ExitAfter.empty()) {
            window.close();
        }
    };
    // Loaded is not yet painted; give the panes a moment to show their pages.
    auto finishSoon = [&window, finish] {
        QTimer::singleShot(750, &window, finish);
    };

    std::vector<QWebEngineView*> panes;
    for (PanePlace place : {PanePlace::Header, PanePlace::Body, PanePlace::Footer})
        panes.push_back(hooks.PaneAt(place)->View());
    window.WhenPanesLoaded(panes, [&window, &context, &hooks, &sinceStart, screenshot,
                                   exitWhenReady, finish, finishSoon] {
        Trace("panes loaded after " + std::to_string(sinceStart.elapsed()) + " ms\n");
        if (screenshot.isEmpty()) {
            if (exitWhenReady)
                finish();
            return;
        }
        if (context.FooterStatus() != StatusValue::STATUS_COLLECTING) {
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
        BrowserHost* footer = hooks.PaneAt(PanePlace::Footer);
        context.WhenStatusShown(
            [&window, footer, shoot] { window.WhenPanesLoaded({footer->View()}, shoot); });
    });
    if (options.ExitAfter == "load")
        CloseSoon(options, window);
}

void AutomateForwarded(const AutomationOptions& options, MainWindow& window) {
    if (options.ExitAfter == "forward")
        CloseSoon(options, window);
}

} // namespace kaldo
