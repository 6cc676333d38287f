#pragma once

#include "setup/ui/TooltipSet.h"

#include <QColor>
#include <QPixmap>
#include <QRect>

#include <memory>
#include <optional>
#include <string>

class QPoint;
class QWidget;

namespace kaldo {

// Placement, pictures, icons, colours and fonts of the installer's windows.
class WindowKit {
public:
    WindowKit() = default;
    virtual ~WindowKit();
    WindowKit(const WindowKit&) = delete;
    WindowKit& operator=(const WindowKit&) = delete;

    // Moves `window` to `point` (global), on one axis or both; size kept.
    virtual void alignTo(QWidget* window, const QPoint& point, bool horizontally, bool vertically);
    // Gives `window` the width and/or height of `size`; position kept.
    virtual void sizeTo(QWidget* window, const QSize& size, bool width, bool height);
    // Centres `window` over `parent`, or over the desktop when there is none. A window larger
    // than what it is centred over goes to its left or top edge.
    virtual void centre(QWidget* window, QWidget* parent, bool horizontally, bool vertically,
                        bool repaint);
    // Paints `picture` into `control`'s rectangle on `target` (or into `screenRect`, in global
    // coordinates). Without stretching on an axis the picture keeps its own size there.
    // Call from `target`'s paint event.
    virtual void drawBitmap(QWidget* control, QWidget* target,
                            const std::optional<QRect>& screenRect, const QPixmap& picture,
                            bool stretchWidth, bool stretchHeight);
    // A bitmap file: its first byte must be 'B' and its size field its real size.
    virtual QPixmap loadBitmapFile(const std::string& path);
    virtual void beginWait();
    virtual void endWait();
    virtual void applyIcons(QWidget* window);
    virtual void applyIconsIfAny(QWidget* window);
    virtual void setIcons(const QPixmap& small, const QPixmap& large);
    // Background of a control: the system's window colour when `systemColour` is set, else
    // `colour`.
    virtual void controlColour(QWidget* control, bool systemColour, const QColor& colour = {});
    virtual TooltipSet& newTooltipSet();
    // A font from the control's own: `addPoints` larger; underline, italic and strike-out each
    // 0 on, 1 off, 2 as it was; `weight` 100-900, 0 for normal.
    virtual void deriveFont(QWidget* control, int addPoints, int underline, int italic,
                            int strikeOut, int weight);

    const QPixmap& SmallIcon() const { return m_smallIcon; }
    const QPixmap& LargeIcon() const { return m_largeIcon; }

private:
    bool m_waiting = false;
    QPixmap m_smallIcon;
    QPixmap m_largeIcon;
    std::unique_ptr<TooltipSet> m_tooltips;
};

} // namespace kaldo
