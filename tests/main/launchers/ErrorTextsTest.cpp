#include "main/launchers/ErrorTexts.h"

#include "main/content/ToolboxConfig.h"
#include "tests/support/TempFolder.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kaldo {
namespace {

class ErrorTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/launchers/toolbox.xml",
                                   m_folder / "toolbox.xml");
        ASSERT_TRUE(m_config.Load(m_folder.Path(), "Presslane 3020"));
    }

    testsupport::TempFolder m_folder;
    ToolboxConfig m_config;
};

TEST_F(ErrorTextsTest, EachNumberHasItsText) {
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::NoWeb), "The Kaldo web site cannot be reached.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::NoNetwork), "The printer cannot be reached.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::ContentNotFound), "The help content was not found.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::PrinterNotFound), "The printer was not found.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::DriverSettings),
              "The driver settings could not be opened.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::SaveSettings),
              "The driver settings could not be saved.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::NoPdfReader), "No PDF viewer was found.");
    EXPECT_EQ(ErrorText(m_config, ErrorNumber::NoVideoPlayer), "No video player was found.");
}

TEST_F(ErrorTextsTest, NumbersOutsideTheTableHaveAnEmptyText) {
    EXPECT_EQ(ErrorText(m_config, static_cast<ErrorNumber>(8)), "");
    EXPECT_EQ(ErrorText(m_config, static_cast<ErrorNumber>(100)), "");
    EXPECT_EQ(ErrorText(m_config, static_cast<ErrorNumber>(-1)), "");
}

} // namespace
} // namespace kaldo
