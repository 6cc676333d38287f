#include "main/dialogs/CenterWindow.h"

#include <QScreen>
#include <QWidget>

namespace kaldo {

QRect CenterWindowOver(const QRect& window, const QRect& reference, const QRect& screen) {
    QRect placed(window);
    placed.moveTopLeft({reference.left() + (reference.width() - window.width()) / 2,
                        reference.top() + (reference.height() - window.height()) / 2});
    if (placed.right() > screen.right())
        placed.moveRight(screen.right());
    if (placed.bottom() > screen.bottom())
        placed.moveBottom(screen.bottom());
    if (placed.left() < screen.left())
        placed.moveLeft(screen.left());
    if (placed.top() < screen.top())
        placed.moveTop(screen.top());
    return placed;
}

void CenterWindowOver(QWidget* window, const QWidget* reference) {
    if (!window)
        return;
    const QScreen* screen = reference ? reference->screen() : window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect over = reference ? reference->frameGeometry() : area;
    window->move(CenterWindowOver(window->frameGeometry(), over, area).topLeft());
}

} // namespace kaldo
