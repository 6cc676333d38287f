#include "setup/InstallerStrings.h"

#include "platform/strings/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr int kLanguages[] = {1028, 1030, 1031, 1033, 1036, 1040, 1041,
                              1042, 1043, 1046, 1049, 1053, 2052, 3082};

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

kaldo::StringTable English() {
    return kaldo::StringTable(kaldo::kInstallerStringTables, kaldo::kEnglishLanguageId);
}

TEST(InstallerStringsTest, EnglishTextsAreThoseOfTheProduct) {
    const kaldo::StringTable table = English();
    EXPECT_EQ(table.Text(1), "Kaldo Tendwell");
    EXPECT_EQ(table.Text(2), "Kaldo Presslane\\Kaldo Tendwell");
    EXPECT_EQ(table.Text(5), "Are you sure you want to cancel the installation?");
    EXPECT_EQ(table.Text(11), "The installation of this software is not supported in the current "
                              "operating system.  The installer will now exit.");
    EXPECT_EQ(
        table.Text(20).rfind(
            "The Kaldo Tendwell failed to install onto this PC.\n\nReported message:%s\n\n", 0),
        0u);
    EXPECT_EQ(table.Text(23), "Installing Files");
    EXPECT_EQ(table.Text(25), "");
}

TEST(InstallerStringsTest, EveryLanguageHasAllTwentyFourStrings) {
    for (int language : kLanguages) {
        const kaldo::StringTable table(kaldo::kInstallerStringTables, language);
        ASSERT_EQ(table.LanguageId(), language);
        for (int id = 1; id <= 24; ++id)
            EXPECT_FALSE(table.Text(id).empty()) << language << " " << id;
    }
}

TEST(InstallerStringsTest, TranslationsKeepPlaceholdersAndAccelerators) {
    const kaldo::StringTable en = English();
    for (int language : kLanguages) {
        const kaldo::StringTable table(kaldo::kInstallerStringTables, language);
        for (int id = 1; id <= 24; ++id) {
            EXPECT_EQ(Count(table.Text(id), "%s"), Count(en.Text(id), "%s"))
                << language << " " << id;
            EXPECT_EQ(Count(table.Text(id), "&"), Count(en.Text(id), "&")) << language << " " << id;
        }
    }
}

TEST(InstallerStringsTest, TextsAreTranslatedButNamesStay) {
    const kaldo::StringTable en = English();
    for (int language : kLanguages) {
        if (language == kaldo::kEnglishLanguageId)
            continue;
        const kaldo::StringTable table(kaldo::kInstallerStringTables, language);
        for (int id : {1, 2, 3, 24})
            EXPECT_EQ(table.Text(id), en.Text(id)) << language << " " << id;
        for (int id : {5, 9, 11, 13, 16, 20, 23})
            EXPECT_NE(table.Text(id), en.Text(id)) << language << " " << id;
    }
}

TEST(InstallerStringsTest, LocaleChoosesTheTable) {
    EXPECT_EQ(kaldo::StringTable::ForLocale(kaldo::kInstallerStringTables, "de_AT.UTF-8").Text(4),
              "Abbruch bestätigen");
    EXPECT_EQ(kaldo::StringTable::ForLocale(kaldo::kInstallerStringTables, "zh_TW.UTF-8").Text(19),
              "安裝失敗！");
    EXPECT_EQ(kaldo::StringTable::ForLocale(kaldo::kInstallerStringTables, "fi_FI").Text(4),
              "Confirm Cancel");
}

} // namespace
