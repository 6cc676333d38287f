#include "main/launchers/CupsDriverSettings.h"

#include "tests/platform/TempFolder.h"
#include "tests/support/PrivateCups.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace kaldo {
namespace {

using kaldo::testing::ScopedEnv;
using kaldo::testing::TempFolder;

constexpr char kQueue[] = "Presslane_3040";

// A scheduler with one queue; the user's (and, for root, the machine's) option files live in
// the test's folder.
class CupsDriverSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_cups.Started()) << m_cups.Error();
        ASSERT_TRUE(m_cups.AddQueue(kQueue, "socket://192.0.2.40",
                                    std::string(KALDO_TEST_DATA_DIR) + "/launchers/utility.ppd"))
            << m_cups.Error();
        std::filesystem::create_directories(m_folder / "etc");
        m_server = std::make_unique<ScopedEnv>("CUPS_SERVER", m_cups.Server().c_str());
        m_home = std::make_unique<ScopedEnv>("HOME", m_folder.Path().c_str());
        m_serverRoot = std::make_unique<ScopedEnv>("CUPS_SERVERROOT", (m_folder / "etc").c_str());
    }

    testsupport::PrivateCups m_cups;
    TempFolder m_folder;
    std::unique_ptr<ScopedEnv> m_server;
    std::unique_ptr<ScopedEnv> m_home;
    std::unique_ptr<ScopedEnv> m_serverRoot;
};

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
