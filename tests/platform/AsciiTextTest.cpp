#include "platform/AsciiText.h"
#include "platform/NameCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kaldo {
namespace {

TEST(AsciiTextTest, OnlyAsciiLettersChangeCase) {
    EXPECT_EQ(AsciiLowered("Presslane C5000 \xC3\x9C"), "presslane c5000 \xC3\x9C");
    EXPECT_EQ(AsciiUppered("jan-\xC3\xA4"), "JAN-\xC3\xA4");
}

TEST(AsciiTextTest, ComparesWithoutRegardToAsciiCase) {
    EXPECT_TRUE(EqualsIgnoringCase("LocalHost", "localhost"));
    EXPECT_FALSE(EqualsIgnoringCase("localhost", "localhost."));
    EXPECT_FALSE(EqualsIgnoringCase("\xC3\x9C", "\xC3\xBC"));
    EXPECT_TRUE(StartsWithIgnoringCase("HTTPS://example.test", "https://"));
    EXPECT_FALSE(StartsWithIgnoringCase("http", "https://"));
}

TEST(AsciiTextTest, FindsFromTheGivenPosition) {
    const std::string_view head = "<TITLE>Guide</Title>";
    EXPECT_EQ(FindIgnoringCase(head, "<title>"), 0u);
    EXPECT_EQ(FindIgnoringCase(head, "</title>", 7), 12u);
    EXPECT_EQ(FindIgnoringCase(head, "<title>", 1), std::string_view::npos);
    EXPECT_EQ(FindIgnoringCase(head, "x", head.size() + 1), std::string_view::npos);
    EXPECT_TRUE(ContainsIgnoringCase("Hard Drive", "drive"));
    EXPECT_FALSE(ContainsIgnoringCase("Drive", "Hard Drive"));
}

TEST(NameCompareTest, OrderPutsLettersBeyondAsciiAfterAsciiAndKeepsCaseVariantsApart) {
    std::vector<std::string> names{"\xC3\x84rger", "zeta", "Beta", "beta", "Alpha"};
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameBeforeIgnoringCase(a, b);
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "beta", "zeta", "\xC3\x84rger"}));
}

TEST(NameCompareTest, NamesCompareWithoutCaseBeyondAscii) {
    EXPECT_TRUE(SameNameIgnoringCase("DONN\xC3\x89"
                                     "ES",
                                     "donn\xC3\xA9"
                                     "es"));
    EXPECT_FALSE(SameNameIgnoringCase("Data", "Data2"));
    EXPECT_TRUE(NameBeforeIgnoringCase("alpha", "Beta"));
    EXPECT_TRUE(NameBeforeIgnoringCase("Beta", "beta"));
    EXPECT_FALSE(NameBeforeIgnoringCase("beta", "Beta"));
}

} // namespace
} // namespace kaldo
