#include "main/launchers/TextLines.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(TextLinesTest, BlanksAtTheEndsAreRemoved) {
    EXPECT_EQ(TrimBlanks(" \t*NickName: \"x\" \r"), "*NickName: \"x\"");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
    EXPECT_EQ(TrimBlanks(" \t\r "), "");
}

TEST(TextLinesTest, LinesEndAtLineFeedsWhateverTheEndOfLine) {
    EXPECT_EQ(TrimmedLines("one\r\n  two\n\nthree"),
              (std::vector<std::string_view>{"one", "two", "", "three"}));
    EXPECT_EQ(TrimmedLines("last line ends\n"), (std::vector<std::string_view>{"last line ends"}));
    EXPECT_TRUE(TrimmedLines("").empty());
}

} // namespace
} // namespace kaldo
