#include "setup/SupportLink.h"

#include "platform/registry/IniRegistry.h"
#include "tests/setupsupport/SetupTestMachine.h"

#include <gtest/gtest.h>

namespace {

using kaldo::ParseColour;
using kaldo::Rgb;

TEST(SupportLinkTest, DocumentsAreNamedAfterTheLanguage) {
    EXPECT_EQ(kaldo::SupportDocumentName("PTB"), "portuguese");
    EXPECT_EQ(kaldo::SupportDocumentName("FRA"), "french");
    EXPECT_EQ(kaldo::SupportDocumentName("ITA"), "italian");
    EXPECT_EQ(kaldo::SupportDocumentName("DEU"), "german");
    EXPECT_EQ(kaldo::SupportDocumentName("ESN"), "spanish");
    EXPECT_EQ(kaldo::SupportDocumentName("CHS"), "simple-chinese");
    EXPECT_EQ(kaldo::SupportDocumentName("CHT"), "traditional-chinese");
    EXPECT_EQ(kaldo::SupportDocumentName("KOR"), "korean");
    EXPECT_EQ(kaldo::SupportDocumentName("JPN"), "katakana");
    EXPECT_EQ(kaldo::SupportDocumentName("SVE"), "swedish");
    EXPECT_EQ(kaldo::SupportDocumentName("NLD"), "dutch");
    EXPECT_EQ(kaldo::SupportDocumentName("RUS"), "russian");
}

TEST(SupportLinkTest, OtherLanguagesGetTheEnglishDocument) {
    EXPECT_EQ(kaldo::SupportDocumentName("ENU"), "english");
    EXPECT_EQ(kaldo::SupportDocumentName("DAN"), "english");
    EXPECT_EQ(kaldo::SupportDocumentName(""), "english");
}

TEST(SupportLinkTest, ColourIsThreeCommaSeparatedNumbers) {
    EXPECT_EQ(ParseColour("0,128,255", {}), (Rgb{0, 128, 255}));
    EXPECT_EQ(ParseColour(" 12, 34 ,56 ", {}), (Rgb{12, 34, 56}));
}

TEST(SupportLinkTest, ShortMissingOrBrokenColourGivesTheFallback) {
    const Rgb fallback{1, 2, 3};
    EXPECT_EQ(ParseColour(std::nullopt, fallback), fallback);
    EXPECT_EQ(ParseColour("1,2,", fallback), fallback); // shorter than 5 characters
    EXPECT_EQ(ParseColour("10,20", fallback), fallback);
    EXPECT_EQ(ParseColour("10,20,300", fallback), fallback);
    EXPECT_EQ(ParseColour("red,green,blue", fallback), fallback);
    EXPECT_EQ(ParseColour("10,20,30,40", fallback), fallback);
    EXPECT_EQ(ParseColour("-1,20,30", fallback), fallback);
}

TEST(SupportLinkTest, LinkColoursComeFromTheUsersBrowserSettings) {
    kaldo::testsupport::SetupTestMachine machine;
    kaldo::IniRegistry registry(machine.MachineRegistry(), machine.UserRegistry());
    EXPECT_EQ(kaldo::LinkColour(registry), kaldo::kDefaultLinkColour);
    EXPECT_EQ(kaldo::LinkHoverColour(registry), kaldo::kDefaultHoverColour);
    registry.SetValue(kaldo::Hive::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Settings",
                      "Anchor Color", "0,102,204");
    registry.SetValue(kaldo::Hive::CurrentUser, "Software\\Microsoft\\Internet Explorer\\Settings",
                      "Anchor Color Hover", "204,0,0");
    EXPECT_EQ(kaldo::LinkColour(registry), (Rgb{0, 102, 204}));
    EXPECT_EQ(kaldo::LinkHoverColour(registry), (Rgb{204, 0, 0}));
}

} // namespace
