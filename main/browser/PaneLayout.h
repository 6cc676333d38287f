#pragma once

#include <QRect>
#include <QSize>

namespace kaldo {

// Where the three panes of the main window sit, in the window's client coordinates.
struct PaneRects {
    QRect Header;
    QRect Body;
    QRect Footer;
};

constexpr int kHeaderPaneHeight = 60;

// The body is shorter in the 600-pixel-high window so that the footer keeps its height.
int BodyPaneHeight(int windowHeight);

// Header across the top 60 pixels, the body below it, the footer from there to the bottom
// of the client area (never a negative height).
PaneRects ComputePaneRects(const QSize& clientSize, int windowHeight);

} // namespace kaldo
