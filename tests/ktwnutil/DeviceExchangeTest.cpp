#include "ktwnutil/DeviceExchange.h"

#include "tests/ktwnutil/FakeUsbPrinter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sys/eventfd.h>

namespace kaldo::usb {
namespace {

using namespace std::chrono_literals;
using kaldo::testsupport::FakeUsbPrinter;

const char kRequest[] = R"(<deviceXML/><deviceStatus/><lang status="DE"/>)";

TEST(IsCompleteXmlTest, DocumentWithClosedRootIsComplete) {
    EXPECT_TRUE(IsCompleteXml("<devicexml><a/></devicexml>"));
    EXPECT_TRUE(IsCompleteXml("<?xml version=\"1.0\"?>\n<!-- printer -->\n"
                              "<devicexml a=\"1\">\n<b>text</b>\n</devicexml>\r\n"));
    EXPECT_TRUE(IsCompleteXml("\xEF\xBB\xBF<devicexml></devicexml >"));
    EXPECT_TRUE(IsCompleteXml("<!DOCTYPE devicexml><ns:devicexml></ns:devicexml>"));
}

TEST(IsCompleteXmlTest, EmptyRootElementIsComplete) {
    EXPECT_TRUE(IsCompleteXml("<?xml version=\"1.0\"?><devicexml/>"));
    EXPECT_TRUE(IsCompleteXml("<devicexml />"));
}

TEST(IsCompleteXmlTest, DocumentCutShortIsIncomplete) {
    EXPECT_FALSE(IsCompleteXml(""));
    EXPECT_FALSE(IsCompleteXml("<?xml version=\"1.0\"?>"));
    EXPECT_FALSE(IsCompleteXml("<?xml version"));
    EXPECT_FALSE(IsCompleteXml("<!-- a comment that never"));
    EXPECT_FALSE(IsCompleteXml("<devicexml"));
    EXPECT_FALSE(IsCompleteXml("<devicexml><deviceStatus>"));
    EXPECT_FALSE(IsCompleteXml("<devicexml><deviceStatus></deviceStatus>"));
    EXPECT_FALSE(IsCompleteXml("<devicexml></devicexml"));
}

TEST(IsCompleteXmlTest, ClosingTagOfAnotherElementDoesNotEndTheRoot) {
    EXPECT_FALSE(IsCompleteXml("<devicexml><xml></xml>"));
    EXPECT_FALSE(IsCompleteXml("<devicexml><otherdevicexml></otherdevicexml>"));
}

TEST(IsCompleteXmlTest, TextThatIsNoXmlIsIncomplete) {
    EXPECT_FALSE(IsCompleteXml("ready"));
    EXPECT_FALSE(IsCompleteXml("< devicexml></devicexml>"));
}

class DeviceExchangeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_printer.Ready()); }
    FakeUsbPrinter m_printer;
    ExchangeLimits m_limits{2000ms, 200ms};
    std::string m_answer;
};

TEST_F(DeviceExchangeTest, AnswerWithoutXmlEndsWhenThePrinterFallsSilent) {
    m_printer.Respond("READY");
    EXPECT_EQ(ExchangeWithDevice(m_printer.DevicePath(), kRequest, m_limits, -1, m_answer),
              Exchange::Answered);
    EXPECT_EQ(m_answer, "READY");
    EXPECT_EQ(m_printer.Request(), kRequest);
}

TEST_F(DeviceExchangeTest, SilentPrinterGivesNoAnswer) {
    m_printer.Respond("", FakeUsbPrinter::Behaviour::Silent);
    EXPECT_EQ(ExchangeWithDevice(m_printer.DevicePath(), kRequest, m_limits, -1, m_answer),
              Exchange::NoAnswer);
    EXPECT_EQ(m_answer, "");
}

TEST_F(DeviceExchangeTest, AnswerLongerThanAStatusDocumentIsRefused) {
    m_printer.Respond("<devicexml>" + std::string(8 * 1024, 'x') + "</devicexml>");
    m_limits.MaxAnswerBytes = 2 * 1024;
    EXPECT_EQ(ExchangeWithDevice(m_printer.DevicePath(), kRequest, m_limits, -1, m_answer),
              Exchange::TooLong);
    EXPECT_EQ(m_answer, "");
    EXPECT_EQ(ExchangeLimits{}.MaxAnswerBytes, 4u * 1024 * 1024);
}

TEST_F(DeviceExchangeTest, MissingDeviceIsADeviceError) {
    EXPECT_EQ(ExchangeWithDevice("/nonexistent/lp0", kRequest, m_limits, -1, m_answer),
              Exchange::DeviceError);
}

TEST_F(DeviceExchangeTest, WakeFileDescriptorAborts) {
    m_printer.Respond("", FakeUsbPrinter::Behaviour::Silent);
    const int wake = ::eventfd(1, EFD_CLOEXEC);
    ASSERT_GE(wake, 0);
    EXPECT_EQ(ExchangeWithDevice(m_printer.DevicePath(), kRequest, m_limits, wake, m_answer),
              Exchange::Aborted);
    ::close(wake);
}

} // namespace
} // namespace kaldo::usb
