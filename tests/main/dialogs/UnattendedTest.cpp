#include "main/dialogs/Unattended.h"

#include "tests/support/TempFolder.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace kaldo {
namespace {

using kaldo::testsupport::ScopedEnv;

TEST(UnattendedTest, TheEnvironmentSaysWhetherTheProgramRunsUnattended) {
    {
        ScopedEnv unattended("KALDO_EXIT_WHEN_READY", "1");
        EXPECT_TRUE(RunsUnattended());
    }
    ScopedEnv attended("KALDO_EXIT_WHEN_READY", nullptr);
    EXPECT_FALSE(RunsUnattended());
}

TEST(UnattendedTest, DialogIsDescribedAndClosesByItself) {
    ScopedEnv unattended("KALDO_EXIT_WHEN_READY", "1");
    QDialog dialog;
    ::testing::internal::CaptureStderr();
    const int result =
        RunModal(dialog, "Retrieving File: Downloading", std::chrono::milliseconds(1));
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_NE(written.find("dialog: Retrieving File: Downloading"), std::string::npos) << written;
}

} // namespace
} // namespace kaldo
