#include "setup/ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

namespace kaldo {

ProgressWindow::ProgressWindow(WindowKit& kit, const std::string& caption,
                               const std::string& message, QWidget* parent)
    : SetupWindow(kit, parent, 186, 52)
    , m_message(new QLabel(QString::fromStdString(message), this))
    , m_bar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("progressWindow"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QString::fromStdString(caption));
    setCursor(Qt::WaitCursor);

    m_message->setObjectName(QStringLiteral("progressMessage"));
    m_message->setGeometry(m_units.Rect(13, 8, 160, 17));
    SetUpText(m_message);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setGeometry(m_units.Rect(13, 33, 160, 14));
    m_bar->setRange(0, kProgressMaximum);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    m_timer.setInterval(kProgressTickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
    m_timer.start();
}

void ProgressWindow::Tick() {
    m_state = NextProgress(m_state);
    m_bar->setValue(m_state.Position);
}

void ProgressWindow::Finish() {
    m_timer.stop();
    m_finishing = true;
    close();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (m_finishing)
        event->accept();
    else
        event->ignore();
}

} // namespace kaldo
