#include "main/dialogs/LinkLabel.h"

#include <QMouseEvent>
#include <QPointer>

namespace kaldo {

LinkLabel::LinkLabel(const std::string& link, Actions actions, QWidget* parent)
    : QLabel(QString::fromStdString(link), parent)
    , m_link(link)
    , m_actions(std::move(actions)) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setForegroundRole(QPalette::WindowText);
    showColour();
}

QColor LinkLabel::textColour() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::showColour() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(m_visited ? kVisitedColour : kLinkColour));
    setPalette(colours);
}

void LinkLabel::setUnderlined(bool underlined) {
    QFont shown = font();
    shown.setUnderline(underlined);
    setFont(shown);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    m_visited = true;
    showColour();
    repaint();
    auto answered = [label = QPointer<LinkLabel>(this)](bool up) {
        if (label)
            label->followLink(up);
    };
    if (m_actions.checkWeb)
        m_actions.checkWeb(answered);
    else
        answered(false);
}

void LinkLabel::followLink(bool webUp) {
    if (webUp) {
        if (m_actions.open)
            m_actions.open(m_link);
    } else if (m_actions.showOffline) {
        m_actions.showOffline();
    }
}

} // namespace kaldo
