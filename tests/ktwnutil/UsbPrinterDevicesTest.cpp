#include "ktwnutil/UsbPrinterDevices.h"

#include "tests/ktwnutil/FakeUsbPrinter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kaldo::usb {
namespace {

using kaldo::testsupport::AddSysfsPrinter;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;
namespace fs = std::filesystem;

TEST(ParseDeviceIdTest, ReadsMakeModelAndSerial) {
    const DeviceId id =
        ParseDeviceId("MFG:Kaldo;CMD:PCL,PS;MDL:Presslane 3020;CLS:PRINTER;SN:KP-1;");
    EXPECT_EQ(id.Make, "Kaldo");
    EXPECT_EQ(id.Model, "Presslane 3020");
    EXPECT_EQ(id.Serial, "KP-1");
}

TEST(ParseDeviceIdTest, ReadsLongKeyNamesInAnyCase) {
    const DeviceId id = ParseDeviceId("manufacturer:Kaldo;Model:Presslane 3020;SerialNumber:KP-2;");
    EXPECT_EQ(id.Make, "Kaldo");
    EXPECT_EQ(id.Model, "Presslane 3020");
    EXPECT_EQ(id.Serial, "KP-2");
    EXPECT_EQ(ParseDeviceId("SERN:KP-3;").Serial, "KP-3");
}

TEST(ParseDeviceIdTest, TrimsSpacesAndToleratesAMissingLastSemicolon) {
    const DeviceId id = ParseDeviceId(" MFG : Kaldo ; MDL: Presslane 3020 ");
    EXPECT_EQ(id.Make, "Kaldo");
    EXPECT_EQ(id.Model, "Presslane 3020");
    EXPECT_EQ(id.Serial, "");
}

TEST(ParseDeviceIdTest, IgnoresPiecesWithoutAKey) {
    const DeviceId id = ParseDeviceId(";;garbage;MDL:X;:;MFG:");
    EXPECT_EQ(id.Make, "");
    EXPECT_EQ(id.Model, "X");
    EXPECT_EQ(ParseDeviceId("").Model, "");
}

TEST(ParseDeviceIdTest, KeepsColonsInsideValues) {
    EXPECT_EQ(ParseDeviceId("SN:AB:CD:01;").Serial, "AB:CD:01");
}

class FindPrinterNodeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.Path().empty()); }

    void AddNode(const std::string& relative) {
        fs::create_directories(fs::path(m_root / relative).parent_path());
        std::ofstream(m_root / relative) << "";
    }

    TempFolder m_root;
    ScopedEnv m_machineRoot{"KALDO_ROOT", m_root.Path().c_str()};
};

TEST_F(FindPrinterNodeTest, PrintersAreTriedInTheOrderOfTheirNumbers) {
    for (const char* name : {"lp10", "lp2", "lp1"}) {
        AddSysfsPrinter(m_root.Path(), name, "MFG:Kaldo;MDL:Presslane 3020;");
        AddNode(std::string("dev/usb/") + name);
    }
    EXPECT_EQ(FindPrinterNode({"Kaldo", "Presslane 3020", "", ""}), m_root / "dev/usb/lp1");
}

TEST_F(FindPrinterNodeTest, NodeDirectlyBelowDevIsFoundToo) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MFG:Kaldo;MDL:Presslane 3020;");
    AddNode("dev/lp0");
    EXPECT_EQ(FindPrinterNode({"Kaldo", "Presslane 3020", "", ""}), m_root / "dev/lp0");
}

TEST_F(FindPrinterNodeTest, EntriesThatAreNotPrintersAreSkipped) {
    AddSysfsPrinter(m_root.Path(), "hiddev0", "MFG:Kaldo;MDL:Presslane 3020;");
    AddSysfsPrinter(m_root.Path(), "lpx", "MFG:Kaldo;MDL:Presslane 3020;");
    AddNode("dev/usb/hiddev0");
    AddNode("dev/usb/lpx");
    EXPECT_EQ(FindPrinterNode({"Kaldo", "Presslane 3020", "", ""}), std::nullopt);
}

TEST_F(FindPrinterNodeTest, MakeAndModelCompareWithoutRegardToCase) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MFG:KALDO;MDL:PRESSLANE 3020;");
    AddNode("dev/usb/lp0");
    EXPECT_EQ(FindPrinterNode({"kaldo", "Presslane 3020", "", ""}), m_root / "dev/usb/lp0");
}

TEST_F(FindPrinterNodeTest, SerialComparesExactly) {
    AddSysfsPrinter(m_root.Path(), "lp0", "MFG:Kaldo;MDL:Presslane 3020;SN:kp-1;");
    AddNode("dev/usb/lp0");
    EXPECT_EQ(FindPrinterNode({"Kaldo", "Presslane 3020", "KP-1", ""}), std::nullopt);
}

TEST_F(FindPrinterNodeTest, PrinterWithoutADeviceIdIsNotFound) {
    AddSysfsPrinter(m_root.Path(), "lp0", "");
    AddNode("dev/usb/lp0");
    EXPECT_EQ(FindPrinterNode({"Kaldo", "Presslane 3020", "", ""}), std::nullopt);
}

} // namespace
} // namespace kaldo::usb
