#include "main/launchers/CupsDriverFiles.h"

#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kaldo {
namespace {

using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::ScopedEnv;

std::string UtilityPpd() {
    return std::string(KALDO_TEST_DATA_DIR) + "/launchers/utility.ppd";
}

TEST(CupsDriverFilesTest, PpdNamesItsFiltersThenItsUtility) {
    const std::vector<DriverFile> files =
        PpdDependentFiles(ReadBytes(UtilityPpd()), "/usr/lib/cups/filter");
    const std::vector<DriverFile> expected = {
        {"/usr/lib/cups/filter/kaldo/pstokaldo", false},
        {"/opt/kaldo/bin/rastertokaldo", false},
        {"/opt/kaldo/bin/presslane-utility", true},
    };
    EXPECT_EQ(files, expected);
}

TEST(CupsDriverFilesTest, PpdWithoutProgramsNamesNone) {
    EXPECT_TRUE(PpdDependentFiles("*PPD-Adobe: \"4.3\"\n*cupsFilter: \"a/b 0 -\"\n"
                                  "*cupsFilter: broken\n*APPrinterUtilityPath: \"\"\n",
                                  "/f")
                    .empty());
    EXPECT_TRUE(PpdDependentFiles("", "/f").empty());
}

TEST(CupsDriverFilesTest, DriverFolderIsTheFilterFolderOfTheServer) {
    CupsDriverFiles files;
    {
        ScopedEnv serverBin("CUPS_SERVERBIN", "/usr/local/lib/cups");
        EXPECT_EQ(files.DriverDirectory(), "/usr/local/lib/cups/filter");
    }
    ScopedEnv serverBin("CUPS_SERVERBIN", nullptr);
    ScopedEnv root("KALDO_ROOT", "/tmp/kaldo-root");
    EXPECT_EQ(files.DriverDirectory(), "/tmp/kaldo-root/usr/lib/cups/filter");
}

TEST(CupsDriverFilesTest, QueueFilesComeFromItsPpd) {
    testsupport::PrivateCups cups;
    ASSERT_TRUE(cups.Started()) << cups.Error();
    ASSERT_TRUE(cups.AddQueue("Presslane_3040", "socket://192.0.2.40", UtilityPpd()))
        << cups.Error();
    ScopedEnv server("CUPS_SERVER", cups.Server().c_str());
    ScopedEnv serverBin("CUPS_SERVERBIN", "/usr/lib/cups");

    CupsDriverFiles files;
    const std::vector<DriverFile> found = files.DependentFiles("Presslane_3040");
    ASSERT_FALSE(found.empty()) << cups.Log();
    EXPECT_EQ(found.back(), (DriverFile{"/opt/kaldo/bin/presslane-utility", true}));
    EXPECT_TRUE(files.DependentFiles("No_Such_Queue").empty());
    EXPECT_TRUE(files.DependentFiles("").empty());
}

} // namespace
} // namespace kaldo
