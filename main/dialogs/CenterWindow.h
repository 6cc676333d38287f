#pragma once

#include <QRect>

class QWidget;

namespace kaldo {

// Where a window of `window`'s size goes: centred over `reference`, then moved into `screen`
// (the left and top edges win when it is larger than the screen). Its size is kept.
QRect CenterWindowOver(const QRect& window, const QRect& reference, const QRect& screen);

// Moves `window` over `reference` (over its screen when there is no reference), inside the
// available area of that screen.
void CenterWindowOver(QWidget* window, const QWidget* reference);

} // namespace kaldo
