#include "uninstall/UninstallerStrings.h"

#include "platform/strings/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kLanguages[] = {1028, 1030, 1031, 1033, 1036, 1040, 1041,
                              1042, 1043, 1046, 1049, 1053, 2052, 3082};

size_t Count(const std::string& text, char c) {
    return size_t(std::count(text.begin(), text.end(), c));
}

kaldo::StringTable Table(int language) {
    return kaldo::StringTable(kaldo::kUninstallerStringTables, language);
}

TEST(UninstallerStringsTest, EnglishTextsAreThoseOfTheProduct) {
    const kaldo::StringTable en = Table(kaldo::kEnglishLanguageId);
    EXPECT_EQ(en.Text(1), "&Remove");
    EXPECT_EQ(en.Text(3), "Deselect &All");
    EXPECT_EQ(en.Text(6),
              "The Kaldo Tendwell is not installed on this PC.\nThe uninstall will now exit.");
    EXPECT_EQ(en.Text(12), "Kaldo Presslane\\Kaldo Tendwell");
    EXPECT_EQ(en.Text(14), "Kaldo Tendwell Currently Running");
    EXPECT_EQ(en.Text(15), "The uninstall cannot tell whether the Kaldo Tendwell is running.\nIts "
                           "lock file in the program folder cannot be read.\nNothing has been "
                           "removed.");
    EXPECT_EQ(en.Text(16), "These files could not be removed:\n\n%s");
    EXPECT_EQ(en.Text(17), "");
}

TEST(UninstallerStringsTest, EveryLanguageHasAllSixteenStrings) {
    for (int language : kLanguages) {
        const kaldo::StringTable strings = Table(language);
        ASSERT_EQ(strings.LanguageId(), language);
        for (int id = 1; id <= 16; ++id)
            EXPECT_FALSE(strings.Text(id).empty()) << language << " " << id;
    }
}

TEST(UninstallerStringsTest, TranslationsKeepAcceleratorsLinesAndNames) {
    const kaldo::StringTable en = Table(kaldo::kEnglishLanguageId);
    for (int language : kLanguages) {
        const kaldo::StringTable strings = Table(language);
        for (int id = 1; id <= 16; ++id) {
            EXPECT_EQ(Count(strings.Text(id), '&'), Count(en.Text(id), '&'))
                << language << " " << id;
            EXPECT_EQ(Count(strings.Text(id), '\n'), Count(en.Text(id), '\n'))
                << language << " " << id;
        }
        for (int id : {10, 11, 12})
            EXPECT_EQ(strings.Text(id), en.Text(id)) << language;
        if (language != kaldo::kEnglishLanguageId) {
            EXPECT_NE(strings.Text(16).find("%s"), std::string::npos) << language;
            for (int id : {5, 6, 8, 13, 15})
                EXPECT_NE(strings.Text(id), en.Text(id)) << language << " " << id;
        }
    }
}

TEST(UninstallerStringsTest, LocaleChoosesTheTable) {
    EXPECT_EQ(kaldo::StringTable::ForLocale(kaldo::kUninstallerStringTables, "sv_SE.UTF-8").Text(1),
              "&Ta bort");
    EXPECT_EQ(kaldo::StringTable::ForLocale(kaldo::kUninstallerStringTables, "ja_JP.UTF-8").Text(4),
              "完了(&D)");
}

} // namespace
