#include "main/app/WindowHooks.h"

#include "main/app/AppLaunchers.h"
#include "main/app/MainWindow.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/PaneLayout.h"
#include "main/dialogs/ErrorBox.h"
#include "main/resources/StringResources.h"
#include "platform/messagebox/MessageBox.h"

#include <QApplication>
#include <QWebEngineView>
#include <QWidget>

namespace kaldo {

namespace {

// What a screen reader says for each pane, in the program's language.
QString PaneName(PanePlace place) {
    switch (place) {
    case PanePlace::Header:
        return QString::fromStdString(LoadResourceString(StringId::HeaderPaneName));
    case PanePlace::Body:
        return QString::fromStdString(LoadResourceString(StringId::BodyPaneName));
    case PanePlace::Footer:
        return QString::fromStdString(LoadResourceString(StringId::FooterPaneName));
    }
    return {};
}

} // namespace

AppHooks WindowHooks::Hooks() {
    AppHooks hooks;
    hooks.ShowWaitCursor = [](bool waiting) {
        if (waiting)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.ShowFatalMessage = [this](const std::string& caption, const std::string& text) {
        ShowMessageBox(&m_window, {.Caption = caption, .Text = text, .Icon = MessageIcon::Error});
    };
    hooks.ShowErrorBox = [this](const ToolboxConfig& config, ErrorNumber kind) {
        ShowErrorBox(&m_window, config, kind);
    };
    hooks.CreatePane = [this](PanePlace place, NavigationDispatcher& dispatcher,
                              RedirectMode mode) -> std::unique_ptr<Pane> {
        const PaneRects rects = ComputePaneRects(m_window.size(), m_window.height());
        const QRect& rectangle = place == PanePlace::Header ? rects.Header
                                 : place == PanePlace::Body ? rects.Body
                                                            : rects.Footer;
        auto pane = std::make_unique<BrowserHost>(dispatcher, mode);
        pane->Create(&m_window, rectangle);
        m_panes[static_cast<size_t>(place)] = pane.get();
        if (QWebEngineView* view = pane->View())
            view->setAccessibleName(PaneName(place));
        std::vector<QWidget*> order;
        for (BrowserHost* each : m_panes)
            order.push_back(each ? each->View() : nullptr);
        m_window.SetPaneOrder(order);
        return pane;
    };
    hooks.CreateLaunchers = [this](const PrinterSelection& printer, const ModelFolders& folders,
                                   std::function<bool()> checkWeb,
                                   std::function<void(bool up)> webAnswered) {
        return std::make_unique<AppLaunchers>(&m_window, printer, folders, std::move(checkWeb),
                                              std::move(webAnswered), m_downloads);
    };
    return hooks;
}

BrowserHost* WindowHooks::PaneAt(PanePlace place) const {
    return m_panes[static_cast<size_t>(place)];
}

} // namespace kaldo
