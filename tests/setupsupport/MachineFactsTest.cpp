#include "setupsupport/MachineFacts.h"

#include <gtest/gtest.h>

namespace {

using kaldo::OsClass;
using kaldo::VersionRecord;

VersionRecord Nt(int major, int minor) {
    return {kaldo::kPlatformNt, major, minor, {}};
}

VersionRecord Consumer(int major, int minor, const char* servicePack) {
    return {kaldo::kPlatformConsumer, major, minor, servicePack};
}

TEST(MachineFactsTest, ConsumerFamilyClassesFollowVersionAndServicePackLetters) {
    EXPECT_EQ(OsClass(Consumer(4, 0, ""), 0), 0);
    EXPECT_EQ(OsClass(Consumer(4, 0, " B"), 0), 1);
    EXPECT_EQ(OsClass(Consumer(4, 0, " C"), 0), 2);
    EXPECT_EQ(OsClass(Consumer(4, 0, "BC"), 0), 1);
    EXPECT_EQ(OsClass(Consumer(4, 10, ""), 0), 3);
    EXPECT_EQ(OsClass(Consumer(4, 10, " A "), 0), 4);
    EXPECT_EQ(OsClass(Consumer(4, 90, ""), 0), 5);
    EXPECT_EQ(OsClass(Consumer(4, 20, ""), 0), 6);
    EXPECT_EQ(OsClass(Consumer(5, 0, ""), 0), 6);
}

TEST(MachineFactsTest, NtFourIsClassSevenAndUnsupported) {
    EXPECT_EQ(OsClass(Nt(4, 0), kaldo::kProductWorkstation), 7);
    EXPECT_LT(OsClass(Nt(4, 0), kaldo::kProductWorkstation), kaldo::kFirstSupportedOsClass);
}

TEST(MachineFactsTest, NtFiveClassesDependOnMinorAndProductType) {
    EXPECT_EQ(OsClass(Nt(5, 0), kaldo::kProductServer), 8);
    EXPECT_EQ(OsClass(Nt(5, 1), kaldo::kProductServer), 9);
    EXPECT_EQ(OsClass(Nt(5, 2), kaldo::ProductTypeFromText("WINNT")), 9);
    EXPECT_EQ(OsClass(Nt(5, 2), kaldo::ProductTypeFromText("ServerNT")), 10);
    EXPECT_EQ(OsClass(Nt(5, 2), kaldo::ProductTypeFromText("LanmanNT")), 10);
}

TEST(MachineFactsTest, NtSixAndLaterSplitIntoServerAndWorkstation) {
    EXPECT_EQ(OsClass(Nt(6, 1), kaldo::kProductWorkstation), 12);
    EXPECT_EQ(OsClass(Nt(6, 0), kaldo::kProductServer), 11);
    EXPECT_EQ(OsClass(Nt(10, 0), kaldo::kProductDomainController), 11);
}

TEST(MachineFactsTest, AnythingElseIsTheUnknownClass) {
    EXPECT_EQ(OsClass(Nt(3, 51), 0), kaldo::kUnknownOsClass);
    EXPECT_EQ(OsClass(Consumer(3, 0, ""), 0), kaldo::kUnknownOsClass);
    EXPECT_EQ(OsClass({0, 6, 1, {}}, 0), kaldo::kUnknownOsClass);
}

TEST(MachineFactsTest, ProductTypeIsReadOnlyForClassesSevenToThirteen) {
    EXPECT_FALSE(kaldo::OsClassHasProductType(6));
    EXPECT_TRUE(kaldo::OsClassHasProductType(7));
    EXPECT_TRUE(kaldo::OsClassHasProductType(13));
}

TEST(MachineFactsTest, ProductTypeTextComparesWithoutCase) {
    EXPECT_EQ(kaldo::ProductTypeFromText("winnt"), kaldo::kProductWorkstation);
    EXPECT_EQ(kaldo::ProductTypeFromText("servernt"), kaldo::kProductServer);
    EXPECT_EQ(kaldo::ProductTypeFromText("LANMANNT"), kaldo::kProductDomainController);
    EXPECT_EQ(kaldo::ProductTypeFromText("Enterprise"), kaldo::kProductWorkstation);
    EXPECT_EQ(kaldo::ProductTypeFromText(std::nullopt), kaldo::kProductWorkstation);
}

TEST(MachineFactsTest, ThisSystemIsASupportedWorkstation) {
    const VersionRecord record = kaldo::LinuxVersionRecord();
    EXPECT_EQ(record.Platform, kaldo::kPlatformNt);
    EXPECT_EQ(OsClass(record, kaldo::kProductWorkstation), 12);
    EXPECT_NE(record.ServicePack.find("Linux"), std::string::npos);
}

TEST(MachineFactsTest, AbbreviatedNamesFollowLanguageAndTerritory) {
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("de_DE.UTF-8"), "DEU");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("de_CH.UTF-8"), "DES");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("en_GB"), "ENG");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("pt_BR.UTF-8@euro"), "PTB");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("pt_PT"), "PTG");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("zh_TW.UTF-8"), "CHT");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("ja_JP.UTF-8"), "JPN");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("fr_XX"), "FRA");
}

TEST(MachineFactsTest, NoLocaleCountsAsEnglish) {
    EXPECT_EQ(kaldo::AbbreviatedLanguageName(""), "ENU");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("C"), "ENU");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("POSIX"), "ENU");
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("C.UTF-8"), "ENU");
}

TEST(MachineFactsTest, UnknownLanguageKeepsItsOwnCode) {
    EXPECT_EQ(kaldo::AbbreviatedLanguageName("eo"), "EO");
}

TEST(MachineFactsTest, RegionalCodesFoldIntoTheirLanguage) {
    for (const char* code : {"DES", "DEA"})
        EXPECT_EQ(kaldo::NormaliseLanguageCode(code), "DEU");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("ITS"), "ITA");
    for (const char* code : {"FRB", "FRC", "FRS"})
        EXPECT_EQ(kaldo::NormaliseLanguageCode(code), "FRA");
    for (const char* code : {"ENG", "ENA", "ENC", "ENZ", "ENI"})
        EXPECT_EQ(kaldo::NormaliseLanguageCode(code), "ENU");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("NLB"), "NLD");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("NON"), "NOR");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("PTG"), "PTB");
    for (const char* code : {"ESM", "ESP"})
        EXPECT_EQ(kaldo::NormaliseLanguageCode(code), "ESN");
}

TEST(MachineFactsTest, NormalisingUpperCasesAndKeepsOtherCodes) {
    EXPECT_EQ(kaldo::NormaliseLanguageCode("des"), "DEU");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("jpn"), "JPN");
    EXPECT_EQ(kaldo::NormaliseLanguageCode("ENS"), "ENS");
}

TEST(MachineFactsTest, LocaleGivesTheNormalisedCode) {
    EXPECT_EQ(kaldo::LanguageCodeForLocale("fr_CA.UTF-8"), "FRA");
    EXPECT_EQ(kaldo::LanguageCodeForLocale("es_MX"), "ESN");
    EXPECT_EQ(kaldo::LanguageCodeForLocale("en_IE"), "ENU");
    EXPECT_EQ(kaldo::LanguageCodeForLocale("nl_BE"), "NLD");
    EXPECT_EQ(kaldo::LanguageCodeForLocale("sv_SE"), "SVE");
}

} // namespace
