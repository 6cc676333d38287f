#pragma once

#include <QPointer>

#include <string>
#include <vector>

class QEvent;
class QWidget;

namespace kaldo {

// The tooltips of one window: made when the window opens, and when destroyed it takes every
// tip it gave back from its controls.
class TooltipSet {
public:
    TooltipSet() = default;
    virtual ~TooltipSet();
    TooltipSet(const TooltipSet&) = delete;
    TooltipSet& operator=(const TooltipSet&) = delete;

    // Gives `control` of `owner` the tip `text`; long tips wrap.
    virtual void addTool(QWidget* owner, QWidget* control, const std::string& text);
    // The toolkit shows tips by itself; nothing has to be handed on.
    virtual void relay(QEvent* event);
    // The tip of a control, empty for a control that has none.
    virtual std::string onNotify(const QWidget* control) const;
    // Makes the set active for `window`.
    virtual void create(QWidget* window, int value);

    bool Active() const { return m_active; }
    size_t ToolCount() const { return m_tools.size(); }

private:
    struct Tool {
        QPointer<QWidget> Owner;
        QPointer<QWidget> Control;
        std::string Text;
    };
    std::vector<Tool> m_tools;
    QPointer<QWidget> m_window;
    int m_value = 0;
    bool m_active = false;
};

} // namespace kaldo
