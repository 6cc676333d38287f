#include "main/app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace kaldo {
namespace {

std::string Rebuilt(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "ktendwell");
    return CommandLineFromArguments(int(arguments.size()), arguments.data());
}

std::string Forwarded(const CommandLine& line) {
    return std::string(line.Forwarded.data());
}

TEST(CommandLineTest, NoArgumentIsAnEmptyLine) {
    EXPECT_EQ(Rebuilt({}), "");
    const CommandLine parsed = ParseCommandLine("");
    EXPECT_FALSE(parsed.QueryMode);
    EXPECT_EQ(parsed.PrinterName, "");
    EXPECT_EQ(Forwarded(parsed), "");
}

TEST(CommandLineTest, ArgumentsInWindowsFormAreKept) {
    EXPECT_EQ(Rebuilt({"/t\"Office Printer\""}), "/t\"Office Printer\"");
    EXPECT_EQ(Rebuilt({"\"Office Printer\""}), "\"Office Printer\"");
}

TEST(CommandLineTest, QueryInTwoArgumentsIsJoined) {
    EXPECT_EQ(Rebuilt({"/t", "Office Printer"}), "/t\"Office Printer\"");
    EXPECT_EQ(Rebuilt({"/t", "Office", "Printer"}), "/t\"Office Printer\"");
}

TEST(CommandLineTest, AnyOtherArgumentIsAQuotedName) {
    EXPECT_EQ(Rebuilt({"Office Printer"}), "\"Office Printer\"");
    EXPECT_EQ(Rebuilt({"Office \"A\""}), "\"Office \"A\"\"");
    EXPECT_EQ(Rebuilt({"\"Half"}), "\"\"Half\"");
    EXPECT_EQ(Rebuilt({"Office", "Printer"}), "\"Office Printer\"");
}

TEST(CommandLineTest, QueryGivesTheNameAndNothingElse) {
    const CommandLine parsed = ParseCommandLine("/t\"Office Printer\"");
    EXPECT_TRUE(parsed.QueryMode);
    EXPECT_EQ(parsed.QueryPrinter, "Office Printer");
    EXPECT_EQ(parsed.PrinterName, "");
    EXPECT_EQ(Forwarded(parsed), "");
}

TEST(CommandLineTest, QueryNameMayHoldQuotesAndSpaces) {
    const CommandLine parsed = ParseCommandLine(Rebuilt({"/t", "Floor 2 \"East\""}));
    EXPECT_TRUE(parsed.QueryMode);
    EXPECT_EQ(parsed.QueryPrinter, "Floor 2 \"East\"");
}

TEST(CommandLineTest, QueryWithoutNameAsksForTheEmptyName) {
    EXPECT_EQ(Rebuilt({"/t"}), "/t\"\"");
    const CommandLine parsed = ParseCommandLine("/t\"\"");
    EXPECT_TRUE(parsed.QueryMode);
    EXPECT_EQ(parsed.QueryPrinter, "");
    EXPECT_TRUE(ParseCommandLine("/t\"").QueryMode);
    EXPECT_EQ(ParseCommandLine("/t\"").QueryPrinter, "");
}

TEST(CommandLineTest, QueryNeedsTheClosingQuote) {
    const CommandLine parsed = ParseCommandLine("/t\"Office");
    EXPECT_FALSE(parsed.QueryMode);
    EXPECT_EQ(parsed.PrinterName, "t\"Office");
    EXPECT_EQ(Forwarded(parsed), "");
}

TEST(CommandLineTest, QuotedNameIsForwardedAndShownWithoutQuotes) {
    const CommandLine parsed = ParseCommandLine(Rebuilt({"Office \"A\" Printer"}));
    EXPECT_FALSE(parsed.QueryMode);
    EXPECT_EQ(parsed.PrinterName, "Office \"A\" Printer");
    EXPECT_EQ(Forwarded(parsed), "Office \"A\" Printer");
}

TEST(CommandLineTest, QuotedEmptyNameNamesNoPrinter) {
    const CommandLine parsed = ParseCommandLine("\"\"");
    EXPECT_EQ(parsed.PrinterName, "");
    EXPECT_EQ(Forwarded(parsed), "");
}

TEST(CommandLineTest, LoneQuoteCharacterIsAName) {
    const CommandLine parsed = ParseCommandLine(Rebuilt({"\""}));
    EXPECT_EQ(parsed.PrinterName, "\"");
    EXPECT_EQ(Forwarded(parsed), "\"");
}

TEST(CommandLineTest, ForwardedNameIsCutAt99Bytes) {
    const std::string name(150, 'x');
    const CommandLine parsed = ParseCommandLine("\"" + name + "\"");
    EXPECT_EQ(parsed.PrinterName, name);
    EXPECT_EQ(Forwarded(parsed), std::string(99, 'x'));
    EXPECT_EQ(parsed.Forwarded.back(), '\0');
}

TEST(CommandLineTest, ForwardedNameNeverEndsInsideACharacter) {
    // 98 ASCII bytes, then a two-byte character that would straddle the 99-byte limit.
    const std::string name = std::string(98, 'x') + "\xC3\xBC" + "tail";
    const CommandLine parsed = ParseCommandLine("\"" + name + "\"");
    EXPECT_EQ(Forwarded(parsed), std::string(98, 'x'));
    EXPECT_EQ(parsed.PrinterName, name);

    const std::string fits = std::string(97, 'x') + "\xC3\xBC";
    EXPECT_EQ(Forwarded(ParseCommandLine("\"" + fits + "\"")), fits);
}

TEST(CommandLineTest, UnquotedLineKeepsTheSpecsNameRule) {
    EXPECT_EQ(ParseCommandLine("xOffice").PrinterName, "Office");
    EXPECT_EQ(ParseCommandLine("x").PrinterName, "x");
}

} // namespace
} // namespace kaldo
