#include "setupsupport/DesktopEntry.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopEntryTest, PlainArgumentStaysUnquoted) {
    EXPECT_EQ(kaldo::QuoteExecArgument("/opt/Kaldo/Tendwell/ktendwell"),
              "/opt/Kaldo/Tendwell/ktendwell");
}

TEST(DesktopEntryTest, ArgumentWithSpacesOrReservedCharactersIsQuoted) {
    EXPECT_EQ(kaldo::QuoteExecArgument("/tmp/my root/ktendwell"), "\"/tmp/my root/ktendwell\"");
    EXPECT_EQ(kaldo::QuoteExecArgument("/a$b/`c`\"d\\"), "\"/a\\$b/\\`c\\`\\\"d\\\\\"");
    EXPECT_EQ(kaldo::QuoteExecArgument(""), "\"\"");
}

TEST(DesktopEntryTest, PercentIsNeverAFieldCode) {
    EXPECT_EQ(kaldo::QuoteExecArgument("/opt/100%/x"), "/opt/100%%/x");
}

TEST(DesktopEntryTest, StringValuesEscapeBackslashAndControlCharacters) {
    EXPECT_EQ(kaldo::EscapeDesktopValue("a\\b\nc\td\re"), "a\\\\b\\nc\\td\\re");
}

TEST(DesktopEntryTest, EntryStartsTheTargetUnderItsName) {
    const std::string text =
        kaldo::DesktopEntryText("Kaldo Tendwell", "/opt/a b/ktendwell", "", "");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Kaldo Tendwell\n"), std::string::npos);
    // The quoting backslashes are escaped once more as a string value.
    EXPECT_NE(text.find("\nExec=\"/opt/a b/ktendwell\"\n"), std::string::npos);
    EXPECT_EQ(text.find("Comment="), std::string::npos);
    EXPECT_EQ(text.find("Path="), std::string::npos);
}

TEST(DesktopEntryTest, DescriptionAndWorkingFolderAreWrittenWhenGiven) {
    const std::string text =
        kaldo::DesktopEntryText("X", "/opt/x", "Help centre", "/opt/Kaldo/Tendwell");
    EXPECT_NE(text.find("\nComment=Help centre\n"), std::string::npos);
    EXPECT_NE(text.find("\nPath=/opt/Kaldo/Tendwell\n"), std::string::npos);
}

TEST(DesktopEntryTest, BackslashInQuotedTargetIsEscapedTwice) {
    const std::string text = kaldo::DesktopEntryText("X", "/opt/a\\b c", "", "");
    EXPECT_NE(text.find("\nExec=\"/opt/a\\\\\\\\b c\"\n"), std::string::npos);
}

} // namespace
