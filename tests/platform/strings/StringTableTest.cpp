#include "platform/strings/StringTable.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kaldo::CopyUtf8;
using kaldo::LanguageIdForLocale;
using kaldo::StringTable;
using kaldo::testsupport::ScopedEnv;

constexpr std::string_view kFolder = ":/test/strings";

TEST(StringTableTest, LocaleNamesMapToTheirLanguage) {
    EXPECT_EQ(LanguageIdForLocale("fr_FR.UTF-8"), 1036);
    EXPECT_EQ(LanguageIdForLocale("fr_CA"), 1036);
    EXPECT_EQ(LanguageIdForLocale("de_DE@euro"), 1031);
    EXPECT_EQ(LanguageIdForLocale("da_DK.UTF-8"), 1030);
    EXPECT_EQ(LanguageIdForLocale("en_GB.UTF-8"), 1033);
    EXPECT_EQ(LanguageIdForLocale("it_IT"), 1040);
    EXPECT_EQ(LanguageIdForLocale("ja_JP.eucJP"), 1041);
    EXPECT_EQ(LanguageIdForLocale("ko_KR.UTF-8"), 1042);
    EXPECT_EQ(LanguageIdForLocale("nl_BE"), 1043);
    EXPECT_EQ(LanguageIdForLocale("ru_RU.KOI8-R"), 1049);
    EXPECT_EQ(LanguageIdForLocale("sv_SE"), 1053);
    EXPECT_EQ(LanguageIdForLocale("es"), 3082);
    EXPECT_EQ(LanguageIdForLocale("es_MX.UTF-8"), 3082);
}

TEST(StringTableTest, ChineseFollowsTheScriptOfItsTerritory) {
    EXPECT_EQ(LanguageIdForLocale("zh_TW.UTF-8"), 1028);
    EXPECT_EQ(LanguageIdForLocale("zh_HK"), 1028);
    EXPECT_EQ(LanguageIdForLocale("zh-Hant"), 1028);
    EXPECT_EQ(LanguageIdForLocale("zh_CN.GB18030"), 2052);
    EXPECT_EQ(LanguageIdForLocale("zh_SG"), 2052);
    EXPECT_EQ(LanguageIdForLocale("zh"), 2052);
}

TEST(StringTableTest, EveryPortugueseTakesTheBrazilianTable) {
    EXPECT_EQ(LanguageIdForLocale("pt_BR.UTF-8"), 1046);
    EXPECT_EQ(LanguageIdForLocale("pt_PT"), 1046);
}

TEST(StringTableTest, LocalesWithoutATableMapToNothing) {
    for (const char* locale : {"", "C", "POSIX", "C.UTF-8", "pl_PL.UTF-8", "nb_NO", "_FR"})
        EXPECT_EQ(LanguageIdForLocale(locale), 0) << locale;
}

TEST(StringTableTest, TableNamesFollowTheLanguage) {
    EXPECT_EQ(StringTable::TableName(1036), "fr");
    EXPECT_EQ(StringTable::TableName(1028), "zh_TW");
    EXPECT_EQ(StringTable::TableName(1046), "pt_BR");
    EXPECT_EQ(StringTable::TableName(1045), "");
}

TEST(StringTableTest, MessagesLocaleTakesLcAllThenLcMessagesThenLang) {
    ScopedEnv all("LC_ALL", "fr_FR.UTF-8");
    ScopedEnv messages("LC_MESSAGES", "de_DE.UTF-8");
    ScopedEnv lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(kaldo::MessagesLocale(), "fr_FR.UTF-8");
    {
        ScopedEnv emptyAll("LC_ALL", "");
        EXPECT_EQ(kaldo::MessagesLocale(), "de_DE.UTF-8");
        ScopedEnv noMessages("LC_MESSAGES", nullptr);
        EXPECT_EQ(kaldo::MessagesLocale(), "ja_JP.UTF-8");
        ScopedEnv noLang("LANG", nullptr);
        EXPECT_EQ(kaldo::MessagesLocale(), "");
    }
}

TEST(StringTableTest, LoadsTheTableOfTheLocale) {
    const StringTable table = StringTable::ForLocale(kFolder, "fr_FR.UTF-8");
    EXPECT_EQ(table.LanguageId(), 1036);
    EXPECT_EQ(table.Text(1), "État de l'imprimante");
    EXPECT_EQ(table.Text(3), "Résultats de la recherche pour : ");
}

TEST(StringTableTest, EntryMissingFromTheChosenTableIsEmpty) {
    const StringTable table(kFolder, 1036);
    EXPECT_EQ(table.Text(2), "");
    EXPECT_EQ(table.Text(99), "");
    EXPECT_EQ(table.Text(-1), "");
}

TEST(StringTableTest, LanguageWithoutATableFallsBackToEnglish) {
    for (const char* locale : {"de_DE.UTF-8", "C", "", "pl_PL"}) {
        const StringTable table = StringTable::ForLocale(kFolder, locale);
        EXPECT_EQ(table.LanguageId(), kaldo::kEnglishLanguageId) << locale;
        EXPECT_EQ(table.Text(2), "Only in English") << locale;
    }
}

TEST(StringTableTest, FolderWithoutTablesGivesEmptyTexts) {
    const StringTable table(":/no/such/strings", 1036);
    EXPECT_EQ(table.LanguageId(), 0);
    EXPECT_EQ(table.Text(1), "");
}

TEST(StringTableTest, TablesAreSharedByCopies) {
    const StringTable original(kFolder, 1036);
    const StringTable copy = original;
    EXPECT_EQ(copy.LanguageId(), 1036);
    EXPECT_EQ(copy.Text(1), original.Text(1));
}

TEST(CopyUtf8Test, CopiesWholeTextAndClearsTheRest) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CopyUtf8("Name", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "Name");
    for (size_t i = 4; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '\0') << i;
}

TEST(CopyUtf8Test, CutsLongTextAtACharacterBoundary) {
    const std::string text = "Résumé ☃ 状態"; // 2-, 3- and 3-byte characters
    for (size_t size = 1; size <= text.size() + 1; ++size) {
        std::vector<char> buffer(size, 'x');
        const size_t written = CopyUtf8(text, buffer.data(), size);
        ASSERT_LE(written, size - 1);
        EXPECT_EQ(buffer[written], '\0');
        EXPECT_EQ(std::string(buffer.data(), written), text.substr(0, written));
        if (written < text.size()) {
            // The next byte starts a character, and that character would not have fitted.
            EXPECT_NE(static_cast<unsigned char>(text[written]) & 0xC0, 0x80) << size;
            size_t end = written + 1;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                ++end;
            EXPECT_GT(end, size - 1) << size;
        }
    }
}

TEST(CopyUtf8Test, ZeroSizeOrNoBufferWritesNothing) {
    char byte = 'x';
    EXPECT_EQ(CopyUtf8("text", &byte, 0), 0u);
    EXPECT_EQ(byte, 'x');
    EXPECT_EQ(CopyUtf8("text", nullptr, 8), 0u);
}

} // namespace
