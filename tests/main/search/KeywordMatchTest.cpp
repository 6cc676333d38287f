#include "main/search/KeywordMatch.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

using Words = std::vector<std::string>;

TEST(KeywordMatchTest, PlusSpaceAndQuotesAllSplitTheSameTwoWords) {
    const Words expected{"paper", "jam"};
    EXPECT_EQ(SplitKeywords("paper+jam"), expected);
    EXPECT_EQ(SplitKeywords("paper jam"), expected);
    EXPECT_EQ(SplitKeywords("\"paper jam\""), expected);
    EXPECT_EQ(SplitKeywords("\"paper+jam\""), expected);
    EXPECT_EQ(SplitKeywords("\"paper\"jam"), expected);
}

TEST(KeywordMatchTest, ConsecutiveSeparatorsGiveNoEmptyWords) {
    EXPECT_EQ(SplitKeywords("  ++\"\"paper + \"+ jam\"\" "), (Words{"paper", "jam"}));
    EXPECT_TRUE(SplitKeywords(" +\"").empty());
    EXPECT_TRUE(SplitKeywords("").empty());
}

TEST(KeywordMatchTest, SplittingKeepsOrderDuplicatesAndOtherCharacters) {
    EXPECT_EQ(SplitKeywords("jam Paper jam"), (Words{"jam", "Paper", "jam"}));
    EXPECT_EQ(SplitKeywords("tcp/ip\tsetup 2-sided"), (Words{"tcp/ip\tsetup", "2-sided"}));
    EXPECT_EQ(SplitKeywords("caf\xC3\xA9+\xE6\x97\xA5"), (Words{"caf\xC3\xA9", "\xE6\x97\xA5"}));
}

TEST(KeywordMatchTest, WholeWordNeedsNoLetterOnEitherSide) {
    EXPECT_EQ(MatchWord("print", "Print settings"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("jam", "paper jam"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("jam", "jam"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("sided", "2-sided printing"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("abc", "abc1"), WordMatch::WholeWord) << "a digit is no letter";
    EXPECT_EQ(MatchWord("ip", "address, IP"), WordMatch::WholeWord);
}

TEST(KeywordMatchTest, LetterBeforeOrBehindMakesPartOfAWord) {
    EXPECT_EQ(MatchWord("print", "printer"), WordMatch::PartOfWord);
    EXPECT_EQ(MatchWord("print", "reprint"), WordMatch::PartOfWord);
    EXPECT_EQ(MatchWord("ip", "zip code"), WordMatch::PartOfWord);
}

TEST(KeywordMatchTest, OnlyTheFirstOccurrenceIsJudged) {
    EXPECT_EQ(MatchWord("print", "Reprint and print"), WordMatch::PartOfWord);
    EXPECT_EQ(MatchWord("print", "print and reprint"), WordMatch::WholeWord);
}

TEST(KeywordMatchTest, AsciiLettersMatchWithoutRegardToCaseOtherBytesExactly) {
    EXPECT_EQ(MatchWord("PAPER", "paper jam"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("paper", "PAPER JAM"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("\xC3\xA9"
                        "cran",
                        "\xC3\x89"
                        "CRAN"),
              WordMatch::None)
        << "no folding beyond ASCII";
    EXPECT_EQ(MatchWord("\xC3\xA9"
                        "cran",
                        "mon \xC3\xA9"
                        "cran"),
              WordMatch::WholeWord);
}

TEST(KeywordMatchTest, BytesAboveAsciiAreNoLetters) {
    EXPECT_EQ(MatchWord("caf", "caf\xC3\xA9"), WordMatch::WholeWord);
    EXPECT_EQ(MatchWord("lan", "\xC3\xA9lan"), WordMatch::WholeWord);
}

TEST(KeywordMatchTest, NoOccurrenceIsNoMatch) {
    EXPECT_EQ(MatchWord("toner", "paper jam"), WordMatch::None);
    EXPECT_EQ(MatchWord("jam", ""), WordMatch::None);
    EXPECT_EQ(MatchWord("paper jams", "paper jam"), WordMatch::None);
}

TEST(KeywordMatchTest, WeightTableForEveryLevelMatchAndOrigin) {
    EXPECT_EQ(MatchWeight(1, WordMatch::WholeWord, true), 10);
    EXPECT_EQ(MatchWeight(1, WordMatch::WholeWord, false), 9);
    EXPECT_EQ(MatchWeight(1, WordMatch::PartOfWord, true), 5);
    EXPECT_EQ(MatchWeight(1, WordMatch::PartOfWord, false), 3);
    EXPECT_EQ(MatchWeight(2, WordMatch::WholeWord, true), 7);
    EXPECT_EQ(MatchWeight(2, WordMatch::WholeWord, false), 6);
    EXPECT_EQ(MatchWeight(2, WordMatch::PartOfWord, true), 4);
    EXPECT_EQ(MatchWeight(2, WordMatch::PartOfWord, false), 2);
    EXPECT_EQ(MatchWeight(1, WordMatch::None, true), 0);
    EXPECT_EQ(MatchWeight(2, WordMatch::None, false), 0);
}

TEST(KeywordMatchTest, FoldingChangesOnlyAsciiCapitals) {
    EXPECT_EQ(FoldAsciiCase("AbZ@[`{ \xC3\x89"), "abz@[`{ \xC3\x89");
}

} // namespace
} // namespace kaldo
