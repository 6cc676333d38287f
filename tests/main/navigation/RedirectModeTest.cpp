#include "main/navigation/RedirectMode.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const SystemVersion kXpSp1{5, 1, "Service Pack 1"};
const SystemVersion kXpSp2{5, 1, "Service Pack 2"};

TEST(RedirectModeTest, MissingBrowserVersionLeavesTheModeUnknown) {
    EXPECT_EQ(ChooseRedirectMode(std::nullopt, kXpSp1), RedirectMode::Unknown);
    EXPECT_EQ(ChooseRedirectMode(std::nullopt, SystemVersion{}), RedirectMode::Unknown);
}

TEST(RedirectModeTest, UnknownModeIsTracedAsStop) {
    EXPECT_EQ(RedirectTraceText(RedirectMode::Unknown), "Redirect using Stop()\n");
    EXPECT_EQ(RedirectTraceText(RedirectMode::Stop), "Redirect using Stop()\n");
    EXPECT_EQ(RedirectTraceText(RedirectMode::Refresh), "Redirect using Refresh()\n");
}

TEST(RedirectModeTest, OldBrowserBeforeServicePack2Refreshes) {
    EXPECT_EQ(ChooseRedirectMode("6.0.2800.1106", kXpSp1), RedirectMode::Refresh);
}

TEST(RedirectModeTest, ServicePack2Stops) {
    EXPECT_EQ(ChooseRedirectMode("6.0.2800.1106", kXpSp2), RedirectMode::Stop);
}

TEST(RedirectModeTest, SystemVersionSixStopsWhateverTheBrowser) {
    for (const char* browser : {"5.5.3103.1000", "6.0.2800.1106", "7.0.5730.13", "", "x"}) {
        SCOPED_TRACE(browser);
        EXPECT_EQ(ChooseRedirectMode(std::string(browser), SystemVersion{6, 0, ""}),
                  RedirectMode::Stop);
        EXPECT_EQ(ChooseRedirectMode(std::string(browser), SystemVersion{10, 0, ""}),
                  RedirectMode::Stop);
    }
}

TEST(RedirectModeTest, BrowserNewerThanSixStopsOnOlderSystems) {
    EXPECT_EQ(ChooseRedirectMode("7.0.5730.13", SystemVersion{5, 1, ""}), RedirectMode::Stop);
    EXPECT_EQ(ChooseRedirectMode("8.0.6001.18702", SystemVersion{5, 3, ""}), RedirectMode::Stop);
}

TEST(RedirectModeTest, MajorVersionIsComparedAsOneCharacter) {
    // "11" begins with '1', which sorts before '6'.
    EXPECT_EQ(ChooseRedirectMode("11.0.9600.16384", SystemVersion{5, 1, ""}),
              RedirectMode::Refresh);
}

TEST(RedirectModeTest, System50StopsFromServicePack5OrWithNewerBuildOfBrowserSix) {
    EXPECT_EQ(ChooseRedirectMode("5.5.3103.1000", SystemVersion{5, 0, "Service Pack 4"}),
              RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("5.5.3103.1000", SystemVersion{5, 0, "Service Pack 5"}),
              RedirectMode::Stop);
    EXPECT_EQ(ChooseRedirectMode("6.0.2800.1106", SystemVersion{5, 0, "Service Pack 4"}),
              RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("6.0.2801.0000", SystemVersion{5, 0, "Service Pack 4"}),
              RedirectMode::Stop);
}

TEST(RedirectModeTest, System51StopsWithNewerBuildOfBrowserSix) {
    EXPECT_EQ(ChooseRedirectMode("6.0.2900.2180", kXpSp1), RedirectMode::Stop);
    EXPECT_EQ(ChooseRedirectMode("5.5.2900.2180", kXpSp1), RedirectMode::Refresh);
}

TEST(RedirectModeTest, System52StopsFromServicePack1OrAfterBuild3790) {
    EXPECT_EQ(ChooseRedirectMode("6.0.3790.0", SystemVersion{5, 2, ""}), RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("6.0.3791.0", SystemVersion{5, 2, ""}), RedirectMode::Stop);
    EXPECT_EQ(ChooseRedirectMode("6.0.3790.0", SystemVersion{5, 2, "Service Pack 1"}),
              RedirectMode::Stop);
}

TEST(RedirectModeTest, OtherMinorVersionsRefresh) {
    EXPECT_EQ(ChooseRedirectMode("6.0.9999.0", SystemVersion{5, 3, "Service Pack 9"}),
              RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("6.0.9999.0", SystemVersion{4, 9, ""}), RedirectMode::Refresh);
}

TEST(RedirectModeTest, EmptyServicePackCountsAsZero) {
    EXPECT_EQ(ChooseRedirectMode("6.0.2800.1106", SystemVersion{5, 0, ""}), RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("6.0.2800.1106", SystemVersion{5, 2, ""}), RedirectMode::Refresh);
}

TEST(RedirectModeTest, ShortVersionHasNoBuild) {
    EXPECT_EQ(ChooseRedirectMode("6.0", kXpSp1), RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("6.0.290", kXpSp1), RedirectMode::Refresh);
    EXPECT_EQ(ChooseRedirectMode("", kXpSp1), RedirectMode::Refresh);
}

} // namespace
} // namespace kaldo
