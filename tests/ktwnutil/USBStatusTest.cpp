#include "ktwnutil/USBStatus.h"

#include "TestPaths.h"
#include "tests/ktwnutil/FakeUsbPrinter.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace kaldo {
namespace {

using namespace std::chrono_literals;
using kaldo::testsupport::AddSysfsPrinter;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::FakeUsbPrinter;
using kaldo::testsupport::FolderEntries;
using kaldo::testsupport::ReadFile;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;
namespace fs = std::filesystem;

const char kRequest[] = R"(<deviceXML/><deviceConfiguration/><deviceStatus/><lang status="EN"/>)";
const char kPort[] = "USB:Kaldo/Presslane 3020?serial=KP3020-000123";
const char kDeviceId[] = "MFG:Kaldo;MDL:Presslane 3020;CMD:PCL,PS;CLS:PRINTER;SN:KP3020-000123;";

class USBStatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.Path().empty());
        ASSERT_TRUE(m_printer.Ready());
        fs::create_directories(m_root / "xml");
        m_answer = *ReadFile(KALDO_TEST_DATA_DIR "/ktwnutil/devicestatus.xml");
    }

    // The printer of kDeviceId as lp0, answering through the fake device.
    void AttachPrinter() {
        AddSysfsPrinter(m_root.Path(), "lp0", kDeviceId);
        m_printer.LinkNode(m_root.Path(), "lp0");
    }

    std::string StatusFile() const { return m_root / "xml/status.xml"; }
    std::vector<std::string> XmlFolder() const { return FolderEntries(m_root / "xml"); }

    TempFolder m_root;
    ScopedEnv m_machineRoot{"KALDO_ROOT", m_root.Path().c_str()};
    FakeUsbPrinter m_printer;
    std::string m_answer;
};

TEST_F(USBStatusTest, FindsThePrinterByMakeModelAndSerial) {
    AttachPrinter();
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.EndPoint(), m_root / "dev/usb/lp0");
}

TEST_F(USBStatusTest, PrinterWithAnotherSerialIsNotFound) {
    AttachPrinter();
    USBStatus status;
    EXPECT_EQ(
        status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Presslane 3020?serial=KP3020-999999"),
        kUsbNoDevice);
    EXPECT_EQ(status.EndPoint(), "");
}

TEST_F(USBStatusTest, AnotherModelIsNotFound) {
    AttachPrinter();
    USBStatus status;
    EXPECT_EQ(
        status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Presslane 4050?serial=KP3020-000123"),
        kUsbNoDevice);
    EXPECT_EQ(
        status.FindStatusEndPointFromPrinterPort("USB:Other/Presslane 3020?serial=KP3020-000123"),
        kUsbNoDevice);
}

TEST_F(USBStatusTest, PortWithoutSerialTakesTheFirstPrinterOfTheModel) {
    AddSysfsPrinter(m_root.Path(), "lp3", "MFG:Kaldo;MDL:Presslane 3020;SN:B;");
    AddSysfsPrinter(m_root.Path(), "lp12", "MFG:Kaldo;MDL:Presslane 3020;SN:C;");
    m_printer.LinkNode(m_root.Path(), "lp3");
    m_printer.LinkNode(m_root.Path(), "lp12");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Presslane 3020"), kUsbOk);
    EXPECT_EQ(status.EndPoint(), m_root / "dev/usb/lp3");
}

TEST_F(USBStatusTest, PicksThePrinterWithTheSerialAmongSeveral) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MFG:Kaldo;MDL:Presslane 3020;SN:A;");
    AddSysfsPrinter(m_root.Path(), "lp1", "MFG:Kaldo;MDL:Presslane 3020;SN:B;");
    m_printer.LinkNode(m_root.Path(), "lp0");
    m_printer.LinkNode(m_root.Path(), "lp1");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Presslane 3020?serial=B"),
              kUsbOk);
    EXPECT_EQ(status.EndPoint(), m_root / "dev/usb/lp1");
}

TEST_F(USBStatusTest, SerialOfTheUsbDescriptorCountsWhenTheDeviceIdHasNone) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MFG:Kaldo;MDL:Presslane 3020;", "KP3020-000123");
    m_printer.LinkNode(m_root.Path(), "lp0");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
}

TEST_F(USBStatusTest, ModelThatRepeatsTheMakeIsFound) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MANUFACTURER:KALDO;MODEL:Kaldo Presslane 3020;");
    m_printer.LinkNode(m_root.Path(), "lp0");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Presslane 3020"), kUsbOk);
}

TEST_F(USBStatusTest, InterfaceOfThePortMustMatch) {
    AddSysfsPrinter(m_root.Path(), "lp0", kDeviceId, "", "01");
    m_printer.LinkNode(m_root.Path(), "lp0");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(std::string(kPort) + "&interface=0"),
              kUsbNoDevice);
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(std::string(kPort) + "&interface=1"),
              kUsbOk);
}

TEST_F(USBStatusTest, OlderUsbClassFolderIsSearchedToo) {
    AddSysfsPrinter(m_root.Path(), "lp0", kDeviceId, "", "00", "usb");
    m_printer.LinkNode(m_root.Path(), "lp0");
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
}

TEST_F(USBStatusTest, PrinterWithoutADeviceNodeIsNotFound) {
    AddSysfsPrinter(m_root.Path(), "lp0", kDeviceId);
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbNoDevice);
}

TEST_F(USBStatusTest, NoPrintersAttached) {
    USBStatus status;
    EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbNoDevice);
}

TEST_F(USBStatusTest, PortNamesOfOtherKindsAreRefused) {
    AttachPrinter();
    USBStatus status;
    for (const char* port : {"", "USB001", "USB:", "USB:/Presslane 3020", "USB:Kaldo/", "LPT1",
                             "IP_127.0.0.1", "usb://Kaldo/Presslane%203020"})
        EXPECT_EQ(status.FindStatusEndPointFromPrinterPort(port), kUsbNotUsbPort) << port;
}

TEST_F(USBStatusTest, RequestIsWrittenAndTheAnswerStored) {
    AttachPrinter();
    m_printer.Respond(m_answer);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbOk);
    EXPECT_EQ(m_printer.Request(), kRequest);
    EXPECT_EQ(ReadFile(StatusFile()), m_answer);
    EXPECT_EQ(XmlFolder(), std::vector<std::string>{"status.xml"});
}

TEST_F(USBStatusTest, AnswerInPiecesIsStoredWhole) {
    AttachPrinter();
    m_printer.Respond(m_answer, FakeUsbPrinter::Behaviour::AnswerInPieces);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbOk);
    EXPECT_EQ(ReadFile(StatusFile()), m_answer);
}

TEST_F(USBStatusTest, AnswerEndsWhenTheDeviceGoesAway) {
    AttachPrinter();
    const std::string partial = "<devicexml><deviceStatus>";
    m_printer.Respond(partial, FakeUsbPrinter::Behaviour::AnswerAndHangUp);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbOk);
    EXPECT_EQ(ReadFile(StatusFile()), partial);
}

TEST_F(USBStatusTest, AnswerReplacesAnEarlierStatusFile) {
    kaldo::testsupport::WriteBytes(StatusFile(), std::string(10000, 'x'));
    AttachPrinter();
    m_printer.Respond(m_answer);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbOk);
    EXPECT_EQ(ReadFile(StatusFile()), m_answer);
}

TEST_F(USBStatusTest, PrinterThatNeverAnswersFailsWithinTheLimitAndLeavesNoFile) {
    kaldo::testsupport::WriteBytes(StatusFile(), "status of an earlier retrieval");
    AttachPrinter();
    m_printer.Respond(m_answer, FakeUsbPrinter::Behaviour::Silent);
    USBStatus status;
    status.SetAnswerLimit(300ms);
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbNoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(m_printer.Request(), kRequest);
    EXPECT_TRUE(XmlFolder().empty());
}

TEST_F(USBStatusTest, RequestWithoutAnEndPointFails) {
    USBStatus status;
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbNoEndPoint);
    EXPECT_FALSE(fs::exists(StatusFile()));
}

TEST_F(USBStatusTest, RequestAfterAFailedSearchFails) {
    AttachPrinter();
    m_printer.Respond(m_answer);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort("USB:Kaldo/Other"), kUsbNoDevice);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbNoEndPoint);
    EXPECT_FALSE(fs::exists(StatusFile()));
}

TEST_F(USBStatusTest, DeviceThatCannotBeOpenedFails) {
    AddSysfsPrinter(m_root.Path(), "lp0", kDeviceId);
    fs::create_directories(m_root / "dev/usb/lp0");
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbDeviceError);
    EXPECT_FALSE(fs::exists(StatusFile()));
}

TEST_F(USBStatusTest, AnswerThatCannotBeStoredFails) {
    AttachPrinter();
    m_printer.Respond(m_answer);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    EXPECT_EQ(status.RequestXMLToFile(kRequest, m_root / "missing/status.xml"), kUsbFileError);
}

TEST_F(USBStatusTest, AbortEndsAWaitingRequestAndLeavesTheFileAlone) {
    kaldo::testsupport::WriteBytes(StatusFile(), "written by the newer retrieval");
    AttachPrinter();
    m_printer.Respond(m_answer, FakeUsbPrinter::Behaviour::Silent);
    USBStatus status;
    ASSERT_EQ(status.FindStatusEndPointFromPrinterPort(kPort), kUsbOk);
    int result = -1;
    const auto started = std::chrono::steady_clock::now();
    std::thread worker([&] { result = status.RequestXMLToFile(kRequest, StatusFile()); });
    Eventually([&] { return !m_printer.Request().empty(); });
    status.Abort();
    worker.join();
    EXPECT_EQ(result, kUsbAborted);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(ReadFile(StatusFile()), "written by the newer retrieval");
    EXPECT_EQ(status.RequestXMLToFile(kRequest, StatusFile()), kUsbAborted);
}

} // namespace
} // namespace kaldo
