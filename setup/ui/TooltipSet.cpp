#include "setup/ui/TooltipSet.h"

#include <QWidget>

namespace kaldo {

TooltipSet::~TooltipSet() {
    for (const Tool& tool : m_tools) {
        if (tool.Control)
            tool.Control->setToolTip(QString());
    }
}

void TooltipSet::addTool(QWidget* owner, QWidget* control, const std::string& text) {
    if (control == nullptr)
        return;
    m_tools.push_back({owner, control, text});
    // Rich text wraps; plain text would run across the screen.
    control->setToolTip(QStringLiteral("<qt>") + QString::fromStdString(text).toHtmlEscaped() +
                        QStringLiteral("</qt>"));
}

void TooltipSet::relay(QEvent*) {}

std::string TooltipSet::onNotify(const QWidget* control) const {
    for (const Tool& tool : m_tools) {
        if (tool.Control == control)
            return tool.Text;
    }
    return {};
}

void TooltipSet::create(QWidget* window, int value) {
    m_window = window;
    m_value = value;
    m_active = true;
}

} // namespace kaldo
