#include "main/app/WindowHooks.h"

#include "main/app/AppLaunchers.h"
#include "main/app/MessageBox.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/PaneLayout.h"
#include "main/dialogs/ErrorBox.h"

#include <QApplication>
#include <QWidget>

namespace kaldo {

AppHooks WindowHooks::Hooks() {
    AppHooks hooks;
    hooks.ShowWaitCursor = [](bool waiting) {
        if (waiting)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.ShowFatalMessage = [this](const std::string& caption, const std::string& text) {
        ShowMessageBox(&m_window, caption, text, QMessageBox::Critical);
    };
    hooks.ShowErrorBox = [this](const ToolboxConfig& config, ErrorNumber kind) {
        ShowErrorBox(&m_window, config, kind);
    };
    hooks.CreatePane = [this](PanePlace place, NavigationDispatcher& dispatcher,
                              RedirectMode mode) -> std::unique_ptr<Pane> {
        const PaneRects rects = ComputePaneRects(m_window.size(), m_window.height());
        const QRect& rectangle = place == PanePlace::Header ? rects.header
                                 : place == PanePlace::Body ? rects.body
                                                            : rects.footer;
        auto pane = std::make_unique<BrowserHost>(dispatcher, mode);
        pane->Create(&m_window, rectangle);
        m_panes[static_cast<size_t>(place)] = pane.get();
        return pane;
    };
    hooks.CreateLaunchers = [this](const PrinterSelection& printer, const ModelFolders& folders,
                                   std::function<bool()> checkWeb,
                                   std::function<void(bool up)> webAnswered) {
        return std::make_unique<AppLaunchers>(&m_window, printer, folders, std::move(checkWeb),
                                              std::move(webAnswered));
    };
    return hooks;
}

BrowserHost* WindowHooks::PaneAt(PanePlace place) const {
    return m_panes[static_cast<size_t>(place)];
}

} // namespace kaldo
