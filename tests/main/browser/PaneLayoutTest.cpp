#include "main/browser/PaneLayout.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(PaneLayoutTest, DefaultWindowGivesTheBodyItsFullHeight) {
    const PaneRects rects = ComputePaneRects(QSize(764, 627), 665);

    EXPECT_EQ(rects.Header, QRect(0, 0, 764, 60));
    EXPECT_EQ(rects.Body, QRect(0, 60, 764, 429));
    EXPECT_EQ(rects.Footer, QRect(0, 489, 764, 138));
}

TEST(PaneLayoutTest, SixHundredPixelWindowShortensTheBody) {
    const PaneRects rects = ComputePaneRects(QSize(764, 562), 600);

    EXPECT_EQ(rects.Header, QRect(0, 0, 764, 60));
    EXPECT_EQ(rects.Body, QRect(0, 60, 764, 374));
    EXPECT_EQ(rects.Footer, QRect(0, 434, 764, 128));
}

TEST(PaneLayoutTest, PanesMeetWithoutGapOrOverlap) {
    for (int windowHeight : {600, 665}) {
        SCOPED_TRACE(windowHeight);
        const PaneRects rects = ComputePaneRects(QSize(780, 640), windowHeight);
        EXPECT_EQ(rects.Header.bottom() + 1, rects.Body.top());
        EXPECT_EQ(rects.Body.bottom() + 1, rects.Footer.top());
        EXPECT_EQ(rects.Footer.bottom(), 639);
    }
}

TEST(PaneLayoutTest, FooterNeverGetsANegativeHeight) {
    const PaneRects rects = ComputePaneRects(QSize(300, 200), 665);

    EXPECT_EQ(rects.Footer.top(), 489);
    EXPECT_EQ(rects.Footer.height(), 0);
}

TEST(PaneLayoutTest, OnlyTheSixHundredHeightShortensTheBody) {
    EXPECT_EQ(BodyPaneHeight(600), 374);
    EXPECT_EQ(BodyPaneHeight(665), 429);
    EXPECT_EQ(BodyPaneHeight(601), 429);
    EXPECT_EQ(BodyPaneHeight(0), 429);
}

} // namespace
} // namespace kaldo
