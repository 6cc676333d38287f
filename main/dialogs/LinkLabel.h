#pragma once

#include <QColor>
#include <QLabel>

#include <functional>
#include <string>

namespace kaldo {

// A text that behaves like a web link: dark blue until clicked, purple afterwards,
// underlined with the hand cursor while the pointer is over it. A click asks whether the
// maker's web site answers; the answer opens the link or shows the offline notice, unless the
// label is gone by then.
class LinkLabel final : public QLabel {
public:
    static constexpr QRgb kLinkColour = qRgb(0x00, 0x00, 0xC0);
    static constexpr QRgb kVisitedColour = qRgb(0xC0, 0x00, 0xC0);

    struct Actions {
        // Asks in the background and calls `answer` on the main thread.
        std::function<void(std::function<void(bool up)> answer)> CheckWeb;
        std::function<void(const std::string& link)> Open;
        std::function<void()> ShowOffline;
    };

    LinkLabel(const std::string& link, Actions actions, QWidget* parent = nullptr);

    const std::string& Link() const { return m_link; }
    bool Visited() const { return m_visited; }
    QColor TextColour() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FollowLink(bool webUp);
    void SetUnderlined(bool underlined);
    void ShowColour();

    std::string m_link;
    Actions m_actions;
    bool m_visited = false;
};

} // namespace kaldo
