#include "main/printers/PrinterList.h"

#include "TestPaths.h"
#include "main/shell/ContentCatalog.h"
#include "tests/support/FakeSpooler.h"

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

} // namespace
} // namespace kaldo
