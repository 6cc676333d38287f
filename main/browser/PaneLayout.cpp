#include "main/browser/PaneLayout.h"

#include <algorithm>

namespace kaldo {

int BodyPaneHeight(int windowHeight) {
    return windowHeight == 600 ? 374 : 429;
}

PaneRects ComputePaneRects(const QSize& clientSize, int windowHeight) {
    const int width = clientSize.width();
    const int bodyHeight = BodyPaneHeight(windowHeight);
    const int footerTop = kHeaderPaneHeight + bodyHeight;

    PaneRects rects;
    rects.Header = QRect(0, 0, width, kHeaderPaneHeight);
    rects.Body = QRect(0, kHeaderPaneHeight, width, bodyHeight);
    rects.Footer = QRect(0, footerTop, width, std::max(0, clientSize.height() - footerTop));
    return rects;
}

} // namespace kaldo
