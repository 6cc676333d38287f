#include "platform/PercentDecoding.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(PercentEscapesTest, TwoDigitEscapeBecomesItsCharacter) {
    EXPECT_EQ(DecodePercentEscapes("Kaldo%20Presslane%203020"), "Kaldo Presslane 3020");
    EXPECT_EQ(DecodePercentEscapes("%2f%2F"), "//");
}

TEST(PercentEscapesTest, EscapedUtf8ComesBackAsUtf8) {
    EXPECT_EQ(DecodePercentEscapes("B%C3%BCro"), "B\xC3\xBCro");
}

TEST(PercentEscapesTest, PercentWithoutHexDigitStays) {
    EXPECT_EQ(DecodePercentEscapes("100%"), "100%");
    EXPECT_EQ(DecodePercentEscapes("50%off"), "50%off");
    EXPECT_EQ(DecodePercentEscapes("% 20"), "% 20");
    EXPECT_EQ(DecodePercentEscapes("%+5"), "%+5");
}

TEST(PercentEscapesTest, SingleDigitEscapeConsumesOnlyThatDigit) {
    EXPECT_EQ(DecodePercentEscapes("%41"), "A");
    EXPECT_EQ(DecodePercentEscapes("%9z"), "\x09z");
    EXPECT_EQ(DecodePercentEscapes("end%7"), "end\x07");
}

TEST(PercentEscapesTest, ZeroByteIsNotDecoded) {
    EXPECT_EQ(DecodePercentEscapes("a%00b"), "a%00b");
}

TEST(PercentEscapesTest, TextWithoutEscapesIsUnchanged) {
    EXPECT_EQ(DecodePercentEscapes(""), "");
    EXPECT_EQ(DecodePercentEscapes("Office Printer"), "Office Printer");
}

TEST(PercentEscapesTest, EscapesAreDecodedOnce) {
    EXPECT_EQ(DecodePercentEscapes("%2520"), "%20");
}

TEST(UriEscapesTest, TwoDigitEscapeBecomesItsByte) {
    EXPECT_EQ(DecodeUriEscapes("paper%20jam"), "paper jam");
    EXPECT_EQ(DecodeUriEscapes("B%c3%BCro"), "B\xC3\xBCro");
    EXPECT_EQ(DecodeUriEscapes("%2520"), "%20");
}

TEST(UriEscapesTest, EscapeAtTheVeryEndIsDecoded) {
    EXPECT_EQ(DecodeUriEscapes("serial%41"), "serialA");
    EXPECT_EQ(DecodeUriEscapes("%41"), "A");
}

TEST(UriEscapesTest, IncompleteEscapeStays) {
    EXPECT_EQ(DecodeUriEscapes("end%7"), "end%7");
    EXPECT_EQ(DecodeUriEscapes("%9z"), "%9z");
    EXPECT_EQ(DecodeUriEscapes("100%"), "100%");
    EXPECT_EQ(DecodeUriEscapes("a%00b"), "a%00b");
}

} // namespace
} // namespace kaldo
