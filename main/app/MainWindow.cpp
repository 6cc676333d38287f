#include "main/app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWebEngineView>

#include <memory>

namespace kaldo {

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    int height = kHeight;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        height = std::min(height, screen->availableGeometry().height());
    setFixedSize(kWidth, height);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
}

void MainWindow::WhenPanesLoaded(const std::vector<QWebEngineView*>& panes,
                                 std::function<void()> ready) {
    auto waiting = std::make_shared<size_t>(panes.size());
    auto done = std::make_shared<std::function<void()>>(std::move(ready));
    for (QWebEngineView* pane : panes) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection =
            connect(pane, &QWebEngineView::loadFinished, this, [waiting, done, connection] {
                QObject::disconnect(*connection);
                if (--*waiting == 0 && *done)
                    (*done)();
            });
    }
}

void MainWindow::SetPaneOrder(const std::vector<QWidget*>& panes) {
    m_panes.assign(panes.begin(), panes.end());
}

// A pane hands the focus on when Tab leaves its page; the engine's own widgets would otherwise
// decide the order.
bool MainWindow::focusNextPrevChild(bool next) {
    QWidget* focused = QApplication::focusWidget();
    const size_t count = m_panes.size();
    for (size_t i = 0; focused != nullptr && i < count; ++i) {
        QWidget* pane = m_panes[i];
        if (pane == nullptr || (pane != focused && !pane->isAncestorOf(focused)))
            continue;
        if (QWidget* target = m_panes[(i + (next ? 1 : count - 1)) % count]) {
            target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void MainWindow::Raise() {
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_onClose)
        m_onClose();
    m_onClose = nullptr;
    event->accept();
}

} // namespace kaldo
