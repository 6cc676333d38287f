#include "main/app/CommandLine.h"
#include "main/app/ProgramOptions.h"

#include <gtest/gtest.h>

#include <map>
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

ProgramOptions ReadFrom(const std::map<std::string, std::string>& environment) {
    return ReadProgramOptions([&environment](const char* name) {
        const auto found = environment.find(name);
        return found == environment.end() ? std::string() : found->second;
    });
}

TEST(ProgramOptionsTest, WithoutTheVariablesTheProgramRunsOnItsOwnDefaults) {
    const ProgramOptions options =
        ReadFrom({{"KALDO_HOME_PAGE", ""}, {"KALDO_EXIT_WHEN_READY", ""}});
    EXPECT_EQ(options.HomePage, kMakerHomePage);
    EXPECT_TRUE(options.HomePage.starts_with("https://"));
    EXPECT_EQ(options.PrinterWebPort, 0);
    EXPECT_EQ(options.CaFile, "");
    EXPECT_EQ(options.Automation.Screenshot, "");
    EXPECT_FALSE(options.Automation.ExitWhenReady);
    EXPECT_EQ(options.Automation.ExitAfter, "");
    EXPECT_EQ(options.Automation.ExitAfterMs, 0);
}

TEST(ProgramOptionsTest, EachVariableReachesItsOption) {
    const ProgramOptions options = ReadFrom({{"KALDO_HOME_PAGE", "http://127.0.0.1:8080/"},
                                             {"KALDO_PRINTER_WEB_PORT", "8631"},
                                             {"KALDO_CA_FILE", "/tmp/anchors.pem"},
                                             {"KALDO_SCREENSHOT", "/tmp/shot.png"},
                                             {"KALDO_EXIT_WHEN_READY", "1"},
                                             {"KALDO_EXIT_AFTER", "search:paper jam: tray 2"},
                                             {"KALDO_EXIT_AFTER_MS", "250"}});
    EXPECT_EQ(options.HomePage, "http://127.0.0.1:8080/");
    EXPECT_EQ(options.PrinterWebPort, 8631);
    EXPECT_EQ(options.CaFile, "/tmp/anchors.pem");
    EXPECT_EQ(options.Automation.Screenshot, "/tmp/shot.png");
    EXPECT_TRUE(options.Automation.ExitWhenReady);
    EXPECT_EQ(options.Automation.ExitAfter, "search");
    EXPECT_EQ(options.Automation.ExitAfterArgument, "paper jam: tray 2");
    EXPECT_EQ(options.Automation.ExitAfterMs, 250);
}

TEST(ProgramOptionsTest, ExitAfterWithoutArgumentAndNumbersThatAreNone) {
    const ProgramOptions options = ReadFrom({{"KALDO_EXIT_AFTER", "load"},
                                             {"KALDO_PRINTER_WEB_PORT", "eighty"},
                                             {"KALDO_EXIT_AFTER_MS", "0x10"}});
    EXPECT_EQ(options.Automation.ExitAfter, "load");
    EXPECT_EQ(options.Automation.ExitAfterArgument, "");
    EXPECT_EQ(options.PrinterWebPort, 0);
    EXPECT_EQ(options.Automation.ExitAfterMs, 16);
}

} // namespace
} // namespace kaldo
