#include "main/resources/StringResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using kaldo::MainStringTable;

struct Language {
    const char* Locale;
    int LanguageId;
    const char* Code; // string 133
};

const std::vector<Language> kLanguages = {
    {"zh_TW.UTF-8", 1028, "TW"}, {"da_DK.UTF-8", 1030, "DA"}, {"de_DE.UTF-8", 1031, "DE"},
    {"en_US.UTF-8", 1033, "EN"}, {"fr_FR.UTF-8", 1036, "FR"}, {"it_IT.UTF-8", 1040, "IT"},
    {"ja_JP.UTF-8", 1041, "JA"}, {"ko_KR.UTF-8", 1042, "KO"}, {"nl_NL.UTF-8", 1043, "NL"},
    {"pt_BR.UTF-8", 1046, "PT"}, {"ru_RU.UTF-8", 1049, "RU"}, {"sv_SE.UTF-8", 1053, "SV"},
    {"zh_CN.UTF-8", 2052, "CN"}, {"es_ES.UTF-8", 3082, "ES"},
};

// The process-wide table follows the environment when first used; every test here runs in
// a French session.
class StringResourcesTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("LC_ALL", "", 1);
        setenv("LC_MESSAGES", "fr_FR.UTF-8", 1);
        setenv("LANG", "de_DE.UTF-8", 1);
    }
};

TEST_F(StringResourcesTest, FrenchSessionGetsFrenchTexts) {
    EXPECT_EQ(kaldo::ProgramStrings().LanguageId(), 1036);
    EXPECT_EQ(kaldo::LoadResourceString(kaldo::StringId::FatalCaption), "Erreur fatale");
    EXPECT_EQ(kaldo::LoadResourceString(kaldo::StringId::LanguageCode), "FR");
    EXPECT_EQ(kaldo::LoadStringUtf8(kaldo::StringId::StatusUnavailable), "État indisponible");
}

TEST_F(StringResourcesTest, TableIsChosenOncePerProcess) {
    const int chosen = kaldo::ProgramStrings().LanguageId();
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(kaldo::ProgramStrings().LanguageId(), chosen);
    EXPECT_EQ(kaldo::LoadResourceString(kaldo::StringId::LanguageCode), "FR");
    setenv("LC_ALL", "", 1);
}

TEST_F(StringResourcesTest, MissingStringIsEmpty) {
    EXPECT_EQ(kaldo::LoadResourceString(static_cast<kaldo::StringId>(99)), "");
    EXPECT_EQ(kaldo::LoadResourceString(static_cast<kaldo::StringId>(138)), "");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(kaldo::LoadStringUtf8(static_cast<kaldo::StringId>(138), buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '\0'));
}

TEST_F(StringResourcesTest, LoadStringUtf8CopiesWholeTextWhenItFits) {
    const std::string text = kaldo::LoadResourceString(kaldo::StringId::FatalStart);
    std::vector<char> buffer(text.size() + 1, 'x');
    EXPECT_EQ(kaldo::LoadStringUtf8(kaldo::StringId::FatalStart, buffer.data(), buffer.size()),
              text.size());
    EXPECT_STREQ(buffer.data(), text.c_str());
}

TEST_F(StringResourcesTest, LoadStringUtf8NeverCutsACharacterInHalf) {
    const std::string text =
        kaldo::LoadResourceString(kaldo::StringId::FatalStart); // "... démarrer ..."
    const size_t accent = text.find("é");
    ASSERT_NE(accent, std::string::npos);
    // Room for the first byte of "é" only.
    std::vector<char> buffer(accent + 2, 'x');
    EXPECT_EQ(kaldo::LoadStringUtf8(kaldo::StringId::FatalStart, buffer.data(), buffer.size()),
              accent);
    EXPECT_EQ(std::string(buffer.data()), text.substr(0, accent));
    EXPECT_EQ(buffer[accent], '\0');
    EXPECT_EQ(buffer[accent + 1], '\0');
}

TEST_F(StringResourcesTest, ThreadsReadTheTableAtOnce) {
    std::vector<std::string> expected;
    for (int id = 100; id <= 137; ++id)
        expected.push_back(kaldo::LoadResourceString(static_cast<kaldo::StringId>(id)));
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                for (int id = 100; id <= 137; ++id)
                    mismatches[t] += kaldo::LoadResourceString(static_cast<kaldo::StringId>(id)) !=
                                     expected[id - 100];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int count : mismatches)
        EXPECT_EQ(count, 0);
}

TEST(MainStringTableTest, EnglishTextsAreTheProgramsOwn) {
    const kaldo::StringTable english = MainStringTable("en_US.UTF-8");
    EXPECT_EQ(english.Text(100), "Kaldo_Tendwell");
    EXPECT_EQ(english.Text(101), "Kaldo Tendwell");
    EXPECT_EQ(english.Text(102),
              "The Kaldo Tendwell was unable to start.  Please re-install the Tendwell.");
    EXPECT_EQ(english.Text(103), "The Kaldo Tendwell was unable to access the required data.  "
                                 "Please re-install the Tendwell.");
    EXPECT_EQ(english.Text(104), "Fatal Error");
    EXPECT_EQ(english.Text(105), "KALDO_TENDWELL_MUTEX");
    EXPECT_EQ(english.Text(120), "0 - 9");
    EXPECT_EQ(english.Text(121), "Search Results for: ");
    EXPECT_EQ(english.Text(130), "What's New?");
    EXPECT_EQ(english.Text(131), "The Kaldo Tendwell was unable to find a printer to load.  "
                                 "Please re-install an appropriate printer driver.");
    EXPECT_EQ(english.Text(133), "EN");
    EXPECT_EQ(english.Text(134), "OK");
    EXPECT_EQ(english.Text(135), "Printers and search");
    EXPECT_EQ(english.Text(136), "Help");
    EXPECT_EQ(english.Text(137), "Printer status");
}

TEST(MainStringTableTest, UnknownLocaleAndCGetEnglish) {
    for (const char* locale : {"xx_YY.UTF-8", "pl_PL", "C", "POSIX", "C.UTF-8", ""}) {
        const kaldo::StringTable table = MainStringTable(locale);
        EXPECT_EQ(table.LanguageId(), kaldo::kEnglishLanguageId) << locale;
        EXPECT_EQ(table.Text(133), "EN") << locale;
    }
}

TEST(MainStringTableTest, JapaneseNamesItsContentLanguageAndTheButton) {
    // Without a code the content merge had nothing to go by and the program could not start.
    const kaldo::StringTable japanese = MainStringTable("ja_JP.UTF-8");
    EXPECT_EQ(japanese.LanguageId(), 1041);
    EXPECT_EQ(japanese.Text(133), "JA");
    EXPECT_EQ(japanese.Text(134), "OK");
    EXPECT_EQ(japanese.Text(104), "致命的なエラー");
}

// Each language's table, one test of its own.
class LanguageTableTest : public testing::TestWithParam<Language> {};

TEST_P(LanguageTableTest, HasItsOwnCompleteTable) {
    const Language& language = GetParam();
    const kaldo::StringTable table = MainStringTable(language.Locale);
    ASSERT_EQ(table.LanguageId(), language.LanguageId);
    for (int id = 100; id <= 137; ++id)
        EXPECT_FALSE(table.Text(id).empty()) << id;
    EXPECT_EQ(table.Text(133), language.Code);
}

TEST_P(LanguageTableTest, ClassAndMutexNamesAreTheSameAsInEveryTable) {
    // A second instance started in another language must still find the first.
    const kaldo::StringTable table = MainStringTable(GetParam().Locale);
    EXPECT_EQ(table.Text(100), "Kaldo_Tendwell");
    EXPECT_EQ(table.Text(105), "KALDO_TENDWELL_MUTEX");
}

TEST_P(LanguageTableTest, CarriesRealTranslationsUnlessEnglish) {
    const Language& language = GetParam();
    if (language.LanguageId == kaldo::kEnglishLanguageId)
        return;
    const kaldo::StringTable english = MainStringTable("en_US.UTF-8");
    const kaldo::StringTable table = MainStringTable(language.Locale);
    for (int id : {102, 103, 104, 106, 110, 115, 116, 117, 118, 123, 124, 129, 131, 132})
        EXPECT_NE(table.Text(id), english.Text(id)) << id;
}

INSTANTIATE_TEST_SUITE_P(MainStringTableTest, LanguageTableTest, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.Code);
                         });

} // namespace
