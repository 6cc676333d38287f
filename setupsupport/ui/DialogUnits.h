#pragma once

#include <QRect>
#include <QSize>

class QFont;

namespace kaldo {

// Dialog layouts are given in dialog units: a quarter of the font's average character width
// across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight)
        : m_baseWidth(baseWidth)
        , m_baseHeight(baseHeight) {}

    int X(int units) const { return (units * m_baseWidth + 2) / 4; }
    int Y(int units) const { return (units * m_baseHeight + 4) / 8; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }
    QRect Rect(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(width), Y(height)};
    }

    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

private:
    int m_baseWidth;
    int m_baseHeight;
};

} // namespace kaldo
