#include "main/printers/PrinterList.h"

#include "TestPaths.h"
#include "main/content/ContentCatalog.h"
#include "main/printers/DeviceIdentification.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

// Catalogue: "Kaldo Broken 100", "" (blank), "Kaldo Presslane 3020 PS", "Kaldo Presslane 4200".
const std::string kProgramFolder = KALDO_TEST_DATA_DIR "/printers/program/";

class PrinterListTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        const PrinterList list(m_catalog, m_spooler);
        for (const PrinterEntry& entry : list.Entries())
            names.push_back(entry.PrinterName);
        return names;
    }

    ContentCatalog m_catalog{kProgramFolder};
    testsupport::FakeSpooler m_spooler;
};

TEST_F(PrinterListTest, CatalogueHasTheTestEntries) {
    ASSERT_EQ(m_catalog.Entries().size(), 4u);
    EXPECT_EQ(m_catalog.Entries()[1].DriverName, "");
}

TEST_F(PrinterListTest, ListsPrintersWhoseDriverContainsACatalogueDriverName) {
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS (v2)");
    m_spooler.AddPrinter("Foreign", "Tessaro Inkline 5 PCL");
    m_spooler.AddPrinter("Hall", "Kaldo Presslane 4200");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Office", "Hall"}));
}

TEST_F(PrinterListTest, KeepsTheSpoolersOrder) {
    m_spooler.AddPrinter("Zeta", "Kaldo Presslane 4200");
    m_spooler.AddPrinter("Alpha", "Kaldo Presslane 3020 PS");
    m_spooler.AddPrinter("Mid", "Kaldo Broken 100");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Zeta", "Alpha", "Mid"}));
}

TEST_F(PrinterListTest, DriverMatchingTwoEntriesIsListedOnce) {
    m_spooler.AddPrinter("Combo", "Kaldo Presslane 3020 PS with Kaldo Presslane 4200 fonts");
    const PrinterList list(m_catalog, m_spooler);
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0].DriverName,
              "Kaldo Presslane 3020 PS with Kaldo Presslane 4200 fonts");
}

TEST_F(PrinterListTest, BlankCatalogueDriverNameMatchesNothing) {
    m_spooler.AddPrinter("Anything", "Tessaro Inkline 5 PCL");
    m_spooler.AddPrinter("Empty", "");
    EXPECT_TRUE(Names().empty());
}

TEST_F(PrinterListTest, DriverNameMatchIsCaseSensitive) {
    m_spooler.AddPrinter("Lower", "kaldo presslane 3020 ps");
    EXPECT_TRUE(Names().empty());
}

TEST_F(PrinterListTest, TwoPrintersWithOneDriverAreFoundByTheirOwnNames) {
    m_spooler.AddPrinter("First", "Kaldo Presslane 3020 PS");
    m_spooler.AddPrinter("Second", "Kaldo Presslane 3020 PS (Office)");
    const PrinterList list(m_catalog, m_spooler);
    EXPECT_EQ(list.DriverFor("First"), "Kaldo Presslane 3020 PS");
    EXPECT_EQ(list.DriverFor("Second"), "Kaldo Presslane 3020 PS (Office)");
}

TEST_F(PrinterListTest, DriverForComparesNamesExactly) {
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
    const PrinterList list(m_catalog, m_spooler);
    EXPECT_EQ(list.DriverFor("office"), NoModel);
    EXPECT_EQ(list.DriverFor("Office "), NoModel);
    EXPECT_EQ(list.DriverFor(""), NoModel);
}

TEST_F(PrinterListTest, PrinterWithoutContentHasNoModel) {
    m_spooler.AddPrinter("Foreign", "Tessaro Inkline 5 PCL");
    EXPECT_EQ(PrinterList(m_catalog, m_spooler).DriverFor("Foreign"), "None");
}

TEST_F(PrinterListTest, NoPrintersNoList) {
    EXPECT_TRUE(PrinterList(m_catalog, m_spooler).Entries().empty());
    EXPECT_TRUE(PrinterList(ContentCatalog(), m_spooler).Entries().empty());
}

// --- Driverless queues, named by their printers ----------------------------------------------

class DriverlessPrinterListTest : public PrinterListTest {
protected:
    void AddDriverless(std::string name, std::string uri) {
        m_spooler.Printers.push_back(
            {std::move(name), "\\\\localhost", "Printer - IPP Everywhere", "", std::move(uri)});
    }
    DeviceIdentifier Identifier(bool write = true) {
        return DeviceIdentifier(m_spooler, {m_folder / "devices.txt", write},
                                [this] { return m_now; });
    }

    testsupport::TempFolder m_folder;
    std::chrono::system_clock::time_point m_now = std::chrono::system_clock::now();
};

TEST_F(DriverlessPrinterListTest, PrinterNamesTheModelInItsOwnOrderAndOnlyUnnamedQueuesAreAsked) {
    AddDriverless("Lobby", "ipp://10.0.0.7/ipp/print");
    m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
    AddDriverless("Hall", "dnssd://Hall._ipp._tcp.local/");
    AddDriverless("Socket", "socket://10.0.0.8");
    AddDriverless("Foreign", "ipps://10.0.0.9/ipp/print");
    m_spooler.Devices["ipp://10.0.0.7/ipp/print"] = {"Kaldo Presslane 4200", ""};
    // The device ID's maker and model, when the make and model leaves out the maker.
    m_spooler.Devices["dnssd://Hall._ipp._tcp.local/"] = {"Presslane 3020 PS",
                                                          "MFG:Kaldo;MDL:Presslane 3020 PS;"};
    m_spooler.Devices["ipps://10.0.0.9/ipp/print"] = {"Tessaro Inkline 5", ""};

    DeviceIdentifier devices = Identifier();
    const PrinterList list(m_catalog, m_spooler, &devices);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const PrinterEntry& entry : list.Entries())
        entries.emplace_back(entry.PrinterName, entry.DriverName);
    EXPECT_EQ(entries, (std::vector<std::pair<std::string, std::string>>{
                           {"Lobby", "Kaldo Presslane 4200"},
                           {"Office", "Kaldo Presslane 3020 PS"},
                           {"Hall", "Kaldo Presslane 3020 PS"}}));
    ASSERT_EQ(m_spooler.Questions.size(), 1u);
    EXPECT_EQ(m_spooler.Questions[0],
              (std::vector<std::string>{"dnssd://Hall._ipp._tcp.local/", "ipp://10.0.0.7/ipp/print",
                                        "ipps://10.0.0.9/ipp/print"}));
}

TEST_F(DriverlessPrinterListTest, QueryAsksOnlyTheNamedPrinter) {
    AddDriverless("Lobby", "ipp://10.0.0.7/ipp/print");
    AddDriverless("Hall", "ipp://10.0.0.8/ipp/print");
    m_spooler.Devices["ipp://10.0.0.8/ipp/print"] = {"Kaldo Presslane 4200", ""};
    DeviceIdentifier devices = Identifier(false);
    const PrinterList list(m_catalog, m_spooler, &devices, "Hall");
    EXPECT_EQ(list.DriverFor("Hall"), "Kaldo Presslane 4200");
    EXPECT_EQ(m_spooler.Questions,
              (std::vector<std::vector<std::string>>{{"ipp://10.0.0.8/ipp/print"}}));
}

TEST_F(DriverlessPrinterListTest, AnswersAreRememberedUntilTheyAgeAndSilenceOnlyForAMinute) {
    AddDriverless("Lobby", "ipp://10.0.0.7/ipp/print");
    AddDriverless("Hall", "ipp://10.0.0.8/ipp/print");
    m_spooler.Devices["ipp://10.0.0.7/ipp/print"] = {"Kaldo Presslane 4200", ""};
    {
        DeviceIdentifier devices = Identifier();
        PrinterList(m_catalog, m_spooler, &devices);
        // The printer that did not answer is not asked again at once; then it is.
        PrinterList(m_catalog, m_spooler, &devices);
        m_now += std::chrono::minutes(2);
        PrinterList(m_catalog, m_spooler, &devices);
    }
    EXPECT_EQ(m_spooler.Questions, (std::vector<std::vector<std::string>>{
                                       {"ipp://10.0.0.7/ipp/print", "ipp://10.0.0.8/ipp/print"},
                                       {"ipp://10.0.0.8/ipp/print"}}));

    // Another run finds the answer while the printer is off, until it is a week old.
    m_spooler.Devices.clear();
    m_spooler.Questions.clear();
    DeviceIdentifier later = Identifier();
    EXPECT_EQ(PrinterList(m_catalog, m_spooler, &later).DriverFor("Lobby"), "Kaldo Presslane 4200");
    EXPECT_EQ(m_spooler.Questions,
              (std::vector<std::vector<std::string>>{{"ipp://10.0.0.8/ipp/print"}}));
    m_now += std::chrono::hours(24 * 7);
    DeviceIdentifier aWeekLater = Identifier();
    EXPECT_EQ(PrinterList(m_catalog, m_spooler, &aWeekLater).DriverFor("Lobby"), NoModel);
}

TEST(DeviceMemoryTest, LinesKeepPrinterTextOnOneLineAndRejectAnythingElse) {
    const auto when = std::chrono::system_clock::time_point(std::chrono::seconds(1800000000));
    const std::string line =
        FormatDeviceMemoryLine("ipp://h/ipp/print", {"Kaldo\tPresslane\n3020", "MFG:Kaldo;"}, when);
    EXPECT_EQ(line, "1800000000\tipp://h/ipp/print\tKaldo Presslane 3020\tMFG:Kaldo;\n");
    const std::optional<DeviceMemoryLine> parsed =
        ParseDeviceMemoryLine(line.substr(0, line.size() - 1));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->DeviceUri, "ipp://h/ipp/print");
    EXPECT_EQ(parsed->Identity.MakeAndModel, "Kaldo Presslane 3020");
    EXPECT_EQ(parsed->AskedAt, when);
    for (const char* broken :
         {"", "x\tipp://h\ta\tb", "1\t\ta\tb", "1\tipp://h\ta", "-5\tipp://h\ta\tb",
          "1\tipp://h\ta\tb\tc", "1800000800000000\tipp://h\ta\tb"})
        EXPECT_FALSE(ParseDeviceMemoryLine(broken)) << broken;
}

} // namespace
} // namespace kaldo
