#include "platform/messagebox/Unattended.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(UnattendedTest, DialogIsDescribedAndClosesByItself) {
    SetUnattended(true);
    QDialog dialog;
    ::testing::internal::CaptureStderr();
    const int result =
        RunModal(dialog, "Retrieving File: Downloading", std::chrono::milliseconds(1));
    const std::string written = ::testing::internal::GetCapturedStderr();
    SetUnattended(false);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_NE(written.find("dialog: Retrieving File: Downloading"), std::string::npos) << written;
}

} // namespace
} // namespace kaldo
