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
    ShowColour();
}

QColor LinkLabel::TextColour() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::ShowColour() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(m_visited ? kVisitedColour : kLinkColour));
    setPalette(colours);
}

void LinkLabel::SetUnderlined(bool underlined) {
    QFont shown = font();
    shown.setUnderline(underlined);
    setFont(shown);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    SetUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    SetUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    m_visited = true;
    ShowColour();
    repaint();
    auto answered = [label = QPointer<LinkLabel>(this)](bool up) {
        if (label)
            label->FollowLink(up);
    };
    if (m_actions.CheckWeb)
        m_actions.CheckWeb(answered);
    else
        answered(false);
}

void LinkLabel::FollowLink(bool webUp) {
    if (webUp) {
        if (m_actions.Open)
            m_actions.Open(m_link);
    } else if (m_actions.ShowOffline) {
        m_actions.ShowOffline();
    }
}

} // namespace kaldo
