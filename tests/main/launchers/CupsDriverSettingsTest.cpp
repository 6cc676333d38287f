#include "main/launchers/CupsDriverSettings.h"

#include "tests/support/QueueFixture.h"

namespace kaldo {
namespace {

constexpr const char* kQueue = testsupport::kSettingsQueue;

using CupsDriverSettingsTest = testsupport::QueueFixture;

TEST_F(CupsDriverSettingsTest, UnknownPrinterCannotBeOpened) {
    CupsDriverSettings settings;
    PrintOptions options{{"kept", "yes"}};
    EXPECT_FALSE(settings.Load("No_Such_Queue", options));
    EXPECT_FALSE(settings.Load("", options));
    EXPECT_EQ(options, (PrintOptions{{"kept", "yes"}}));
}

TEST_F(CupsDriverSettingsTest, UnknownPrinterCannotBeSaved) {
    CupsDriverSettings settings;
    EXPECT_FALSE(settings.Save("No_Such_Queue", {{"sides", "two-sided-long-edge"}}));
    EXPECT_FALSE(settings.Save("", {{"sides", "two-sided-long-edge"}}));
}

TEST_F(CupsDriverSettingsTest, SavedOptionsAreThePrintersDefaultsAfterwards) {
    CupsDriverSettings settings;
    PrintOptions before;
    ASSERT_TRUE(settings.Load(kQueue, before));
    EXPECT_EQ(before.count("sides"), 0u);

    ASSERT_TRUE(settings.Save(kQueue, {{"sides", "two-sided-long-edge"}, {"media", "Letter"}}));
    PrintOptions after;
    ASSERT_TRUE(settings.Load(kQueue, after));
    EXPECT_EQ(after["sides"], "two-sided-long-edge");
    EXPECT_EQ(after["media"], "Letter");

    // Other programs of the user see them too.
    std::string listed;
    ASSERT_EQ(m_cups.Run({"lpoptions", "-p", kQueue},
                         {"HOME=" + m_folder.Path(), "CUPS_SERVERROOT=" + (m_folder / "etc")},
                         &listed),
              0);
    EXPECT_NE(listed.find("sides=two-sided-long-edge"), std::string::npos) << listed;
}

TEST_F(CupsDriverSettingsTest, SavingKeepsOptionsThatWereNotNamed) {
    CupsDriverSettings settings;
    ASSERT_TRUE(settings.Save(kQueue, {{"media", "Letter"}}));
    ASSERT_TRUE(settings.Save(kQueue, {{"sides", "two-sided-short-edge"}}));
    PrintOptions options;
    ASSERT_TRUE(settings.Load(kQueue, options));
    EXPECT_EQ(options["media"], "Letter");
    EXPECT_EQ(options["sides"], "two-sided-short-edge");
}

} // namespace
} // namespace kaldo
