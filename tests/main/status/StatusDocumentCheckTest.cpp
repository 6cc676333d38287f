#include "main/status/StatusDocumentCheck.h"
#include "StatusTestSupport.h"
#include "main/status/StatusInfo.h"
#include "simulator/StatusDocument.h"

#include <filesystem>

namespace kaldo {
namespace {

using testsupport::CopyStatusData;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class StatusDocumentCheckTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

    bool Check(const std::string& name) {
        return CheckStatusDocument(CopyStatusData(m_folder, name, "devicestatus.xml"));
    }

    // The document the simulator serves for a printer in `kind` of trouble.
    std::string Simulated(simulator::StatusDocumentKind kind, bool hardDrive = true) {
        simulator::PrinterState state;
        state.Document = kind;
        state.HardDrive = hardDrive;
        state.OversizeBytes = kMaxStatusDocumentBytes + 1024;
        const std::string path = m_folder / "devicestatus.xml";
        WriteBytes(path, simulator::BuildStatusDocument(state));
        return path;
    }

    kaldo::testsupport::TempFolder m_folder;
};

TEST_F(StatusDocumentCheckTest, AcceptsDocumentListingAHardDrive) {
    EXPECT_TRUE(Check("ready.xml"));
}

TEST_F(StatusDocumentCheckTest, AcceptsHardDriveWrittenInLowerCase) {
    EXPECT_TRUE(Check("hard_drive_lower_case.xml"));
}

TEST_F(StatusDocumentCheckTest, AcceptsATypeThatIsPartOfHardDriveWhateverItsInstalledText) {
    EXPECT_TRUE(Check("hard_drive_part.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesOptionsWithoutAHardDrive) {
    EXPECT_FALSE(Check("no_hard_drive.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesAHardDriveWithoutInstalledEntry) {
    EXPECT_FALSE(Check("hard_drive_not_listed_as_installed.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesAnEmptyType) {
    EXPECT_FALSE(Check("empty_type.xml"));
}

TEST_F(StatusDocumentCheckTest, TakesTheLastTypeOfAnOption) {
    EXPECT_FALSE(Check("last_type_wins.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesOptionsOutsideTheConfigurationPath) {
    EXPECT_FALSE(Check("no_installable_options.xml"));
    EXPECT_FALSE(Check("no_device_configuration.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesMalformedAndMissingDocuments) {
    EXPECT_FALSE(Check("malformed.xml"));
    EXPECT_FALSE(CheckStatusDocument(m_folder / "missing.xml"));
    EXPECT_FALSE(CheckStatusDocument(""));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "missing.xml"));
}

TEST_F(StatusDocumentCheckTest, RefusesAFolderInPlaceOfTheDocument) {
    std::filesystem::create_directory(m_folder / "devicestatus.xml");
    EXPECT_FALSE(CheckStatusDocument(m_folder / "devicestatus.xml"));
}

TEST_F(StatusDocumentCheckTest, RewritesTheKoreanEncodingNameBeforeParsing) {
    const std::string path = CopyStatusData(m_folder, "korean.xml");
    EXPECT_TRUE(CheckStatusDocument(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("encoding=\"EUC-KR\""), std::string::npos);
    EXPECT_EQ(bytes.find("korean"), std::string::npos);
}

TEST_F(StatusDocumentCheckTest, RewritesKsc5601WhenTheDocumentDoesNotSayKorean) {
    const std::string path = CopyStatusData(m_folder, "ksc5601.xml");
    EXPECT_TRUE(CheckStatusDocument(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("encoding=\"EUC-KR\""), std::string::npos);
    EXPECT_EQ(bytes.find("ksc5601"), std::string::npos);
}

TEST_F(StatusDocumentCheckTest, RewritesOnlyKoreanWhenBothNamesOccur) {
    const std::string path = CopyStatusData(m_folder, "korean_and_ksc5601.xml");
    EXPECT_TRUE(CheckStatusDocument(path));
    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("encoding=\"EUC-KR\""), std::string::npos);
    EXPECT_NE(bytes.find("<installed>ksc5601</installed>"), std::string::npos);
}

TEST_F(StatusDocumentCheckTest, RefusesADocumentOverTheSizeLimitWithoutTouchingIt) {
    const std::string path = Simulated(simulator::StatusDocumentKind::Oversized);
    const auto size = std::filesystem::file_size(path);
    ASSERT_GT(size, kMaxStatusDocumentBytes);
    EXPECT_FALSE(CheckStatusDocument(path));
    EXPECT_FALSE(ReadStatusDocument(path));
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST_F(StatusDocumentCheckTest, HostileDocumentsAreCheckedWithoutSubstitutingEntities) {
    // An external entity that would read a local file is never read; markup in a text stays
    // text.
    for (const auto kind :
         {simulator::StatusDocumentKind::ExternalEntity, simulator::StatusDocumentKind::Script}) {
        EXPECT_TRUE(CheckStatusDocument(Simulated(kind)));
        const XmlDocHandle document = ReadStatusDocument(m_folder / "devicestatus.xml");
        ASSERT_TRUE(document);
        const std::string text =
            TakeXmlString(xmlNodeGetContent(xmlDocGetRootElement(document.get())));
        EXPECT_EQ(text.find("root:"), std::string::npos);
    }
}

TEST_F(StatusDocumentCheckTest, EntityExpansionBombIsRefused) {
    EXPECT_FALSE(CheckStatusDocument(Simulated(simulator::StatusDocumentKind::BillionLaughs)));
    EXPECT_FALSE(ReadStatusDocument(m_folder / "devicestatus.xml"));
}

TEST_F(StatusDocumentCheckTest, SimulatedBrokenDocumentsAreRefused) {
    EXPECT_FALSE(CheckStatusDocument(Simulated(simulator::StatusDocumentKind::Malformed)));
    EXPECT_FALSE(CheckStatusDocument(Simulated(simulator::StatusDocumentKind::Normal, false)));
    EXPECT_TRUE(CheckStatusDocument(Simulated(simulator::StatusDocumentKind::Normal)));
}

TEST_F(StatusDocumentCheckTest, StatusFromReportNeedsAWrittenDocumentThatPassesTheCheck) {
    const std::string good = CopyStatusData(m_folder, "ready.xml");
    EXPECT_EQ(StatusFromReport(true, good), StatusValue::STATUS_AVAILABLE);
    EXPECT_EQ(StatusFromReport(false, good), StatusValue::STATUS_UNAVAILABLE);
    EXPECT_EQ(StatusFromReport(true, CopyStatusData(m_folder, "no_hard_drive.xml")),
              StatusValue::STATUS_UNAVAILABLE);
    EXPECT_EQ(StatusFromReport(true, m_folder / "missing.xml"), StatusValue::STATUS_UNAVAILABLE);
}

// --- the status icon ---------------------------------------------------------------------------

TEST_F(StatusDocumentCheckTest, IconIsPlacedBelowTheImagesFolderUntilItExists) {
    const std::string document = CopyStatusData(m_folder, "ready.xml");
    const std::string images = m_folder / "images";
    std::string iconUrl = "stale";
    std::string localPath = "stale";
    EXPECT_TRUE(FindStatusIcon(document, images, iconUrl, localPath));
    EXPECT_EQ(iconUrl, "images/status/ready.png");
    EXPECT_EQ(localPath, images + "/images/status/ready.png");

    std::filesystem::create_directories(images + "/images/status");
    WriteBytes(localPath, "png");
    EXPECT_FALSE(FindStatusIcon(document, images, iconUrl, localPath));
    EXPECT_EQ(localPath, images + "/images/status/ready.png");
}

TEST_F(StatusDocumentCheckTest, IconPathThatLeavesTheImagesFolderIsRefused) {
    const std::string document = Simulated(simulator::StatusDocumentKind::IconTraversal);
    std::string iconUrl = "stale";
    std::string localPath = "stale";
    EXPECT_FALSE(FindStatusIcon(document, m_folder / "images", iconUrl, localPath));
    EXPECT_TRUE(iconUrl.empty());
    EXPECT_TRUE(localPath.empty());
}

TEST_F(StatusDocumentCheckTest, NoIconWithoutAnIconElementOrADocument) {
    std::string iconUrl;
    std::string localPath;
    EXPECT_FALSE(FindStatusIcon(CopyStatusData(m_folder, "no_icon.xml"), m_folder / "images",
                                iconUrl, localPath));
    EXPECT_FALSE(FindStatusIcon(m_folder / "missing.xml", m_folder / "images", iconUrl, localPath));
    EXPECT_FALSE(FindStatusIcon(CopyStatusData(m_folder, "malformed.xml"), m_folder / "images",
                                iconUrl, localPath));
    EXPECT_FALSE(FindStatusIcon(Simulated(simulator::StatusDocumentKind::Oversized),
                                m_folder / "images", iconUrl, localPath));
    EXPECT_TRUE(localPath.empty());
}

TEST(StatusIconPathTest, RefusesPathsThatLeaveTheFolderOrNameNoPicture) {
    for (const char* path : {"",
                             "/etc/passwd",
                             "..",
                             "../x.png",
                             "a/../../x.png",
                             "a/..",
                             "./x.png",
                             "a/./x.png",
                             "a//x.png",
                             "a/",
                             "..\\x.png",
                             "a\\x.png",
                             "a\nb.png",
                             "a\tb.png",
                             "...png",
                             "images/.hidden.png",
                             "status.html",
                             "evil.desktop",
                             "x.png/run.sh",
                             "icon.svg",
                             "ready",
                             "images.png/ready"}) {
        EXPECT_FALSE(IsSafeIconPath(path)) << path;
    }
}

TEST(StatusIconPathTest, AcceptsPlainRelativePaths) {
    for (const char* path : {"ready.png", "images/status/ready.png", "a..b.png", "READY.GIF",
                             "statusâ€”icons/ready.png"}) {
        EXPECT_TRUE(IsSafeIconPath(path)) << path;
    }
}

} // namespace
} // namespace kaldo
