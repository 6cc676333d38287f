#include "main/status/StatusDocuments.h"
#include "StatusTestSupport.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusDocumentCheck.h"
#include "simulator/StatusDocument.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>

namespace kaldo {
namespace {

using testsupport::CopyStatusData;
using testsupport::Count;
using testsupport::ReadBytes;
using testsupport::StatusData;
using testsupport::WriteBytes;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Element(const std::string& name, const std::string& text) {
    return "<" + name + ">" + text + "</" + name + ">";
}

StatusInfo SampleInfo(int status, const std::string& statusText, const std::string& address) {
    StatusInfo info;
    info.Title = "Printer Status";
    info.NameLabel = "Name";
    info.TypeLabel = "Type";
    info.LocationLabel = "Location";
    info.AddressLabel = "IP";
    info.Address = address;
    info.PrinterImageTip = "Shows the current configuration of the printer.";
    info.RefreshTip = "Refresh Status";
    info.SuppliesTip = "Supplies Status";
    info.LogoTip = "Kaldo Logo";
    info.WhatsNewTip = "What's New?";
    info.FooterText = "&#169; 2026 Kaldo Corporation.";
    info.StatusText = statusText;
    info.Status = static_cast<StatusValue>(status);
    info.DisplayToner = 1;
    info.UsbSupported = 1;
    info.UpdatesAvailable = 0;
    return info;
}

// The status information as the footer document must hold it, in its order.
std::string InfoElements(const std::string& address, const std::string& statusText, int status,
                         int usbSupported = 1, int updatesAvailable = 0) {
    std::string xml = Element("Printer_Status", "Printer Status") + Element("Name", "Name") +
                      Element("Type", "Type") + Element("Location", "Location") +
                      Element("IPAddressLabel", "IP");
    if (!address.empty())
        xml += Element("IPAddress", address);
    xml += Element("Printer_Image_ToolTip", "Shows the current configuration of the printer.") +
           Element("Refresh_Status_Tooltip", "Refresh Status") +
           Element("Supplies_Status_Tooltip", "Supplies Status") +
           Element("Kaldo_Corporate_Logo_Tooltip", "Kaldo Logo") +
           Element("Whats_new_Tooltip", "What's New?") +
           Element("Footer_Text", "&amp;#169; 2026 Kaldo Corporation.");
    if (!statusText.empty())
        xml += Element("Current_Status", statusText);
    xml += Element("Current_Status_ID", std::to_string(status)) + Element("Display_Toner", "1") +
           Element("USB_Supported", std::to_string(usbSupported)) +
           Element("Updates_Available", std::to_string(updatesAvailable));
    return Element("Printer_Status_Info", xml);
}

const std::string kWeb =
    Element("Web", Element("URL_Part1", "http://localhost:18080/product/model.html") +
                       Element("URL_Updates", "http://localhost:18080/updates/KTWUpdates.xml"));

// compact.xml as the documents copy it: element names and text only, empty elements left out.
const std::string kCompactStatus = Element(
    "devicexml",
    Element("deviceConfiguration",
            Element("printer", Element("installableOptions",
                                       Element("option", Element("type", "Hard Drive") +
                                                             Element("installed", "Installed"))))) +
        Element("deviceStatus",
                Element("printer",
                        Element("icon", "/images/status/ready.png") +
                            Element("statusText", "Ready &amp; waiting") +
                            Element("alerts", Element("alert", Element("code", "paperJam") +
                                                                   Element("text", "Jam"))))));

const std::string kSolutions = Element(
    "trouble_solution",
    Element("solution", Element("code", "paperJam") + Element("title", "Clear a paper jam")) +
        Element("solution", Element("code", "tonerLow") + Element("title", "Order toner")));

const std::string kToolbox = Element(
    "toolbox_xml",
    Element("ApplicationInfo", Element("Language_L10N", "EN") + Element("DisplayToner", "1")) +
        kWeb + Element("TabInfo", Element("Tab", Element("TabName_L10N", "Home"))));

class StatusDocumentsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

    std::string Footer(const StatusInfo& info, const std::string& statusDocument,
                       const std::string& config = StatusData("config.xml"),
                       const std::string& language = "EN") {
        EXPECT_EQ(WriteFooterDocument(info, statusDocument, m_footer, language, config),
                  ResultCode::Ok);
        return ReadBytes(m_footer);
    }

    std::string Solutions(const std::string& statusDocument, const std::string& language = "EN") {
        EXPECT_EQ(WriteSolutionsDocument(StatusData("solutions.xml"), statusDocument, m_solutions,
                                         language, StatusData("config.xml")),
                  ResultCode::Ok);
        return ReadBytes(m_solutions);
    }

    kaldo::testsupport::TempFolder m_folder;
    const std::string m_footer = m_folder / "footer.xml";
    const std::string m_solutions = m_folder / "solutions_combined.xml";
};

TEST_F(StatusDocumentsTest, FooterWhileCollectingHasTheStatusTextAndNoStatusDocument) {
    const std::string footer =
        Footer(SampleInfo(1, "Collecting Status", "192.168.1.40"), std::string());
    EXPECT_EQ(footer,
              kDeclaration +
                  Element("root", Element("Code_Page", "UTF-8") +
                                      InfoElements("192.168.1.40", "Collecting Status", 1) + kWeb) +
                  "\n");
}

TEST_F(StatusDocumentsTest, FooterOfAUsbPrinterWithoutUsbStatusHasNoAddress) {
    StatusInfo info = SampleInfo(2, "Status is not available using a USB connection.", "");
    info.UsbSupported = 0;
    const std::string footer = Footer(info, std::string());
    EXPECT_EQ(
        footer,
        kDeclaration +
            Element("root",
                    Element("Code_Page", "UTF-8") +
                        InfoElements("", "Status is not available using a USB connection.", 2, 0) +
                        kWeb) +
            "\n");
    EXPECT_EQ(footer.find("<IPAddress>"), std::string::npos);
}

TEST_F(StatusDocumentsTest, FooterOfAnUnavailableNetworkedPrinterHoldsItsAddress) {
    const std::string footer =
        Footer(SampleInfo(2, "Status Unavailable", "192.168.1.40"), std::string());
    EXPECT_EQ(footer,
              kDeclaration +
                  Element("root", Element("Code_Page", "UTF-8") +
                                      InfoElements("192.168.1.40", "Status Unavailable", 2) +
                                      kWeb) +
                  "\n");
}

TEST_F(StatusDocumentsTest, FooterWithStatusEmbedsTheStatusDocumentBesideWeb) {
    const std::string footer =
        Footer(SampleInfo(0, "", "192.168.1.40"), CopyStatusData(m_folder, "compact.xml"));
    EXPECT_EQ(footer,
              kDeclaration +
                  Element("root", Element("Code_Page", "UTF-8") +
                                      InfoElements("192.168.1.40", "", 0) + kWeb + kCompactStatus) +
                  "\n");
    EXPECT_EQ(footer.find("<Current_Status>"), std::string::npos);
}

TEST_F(StatusDocumentsTest, EmptyWebSectionIsClosedBeforeTheStatusDocument) {
    const std::string footer =
        Footer(SampleInfo(0, "", "192.168.1.40"), CopyStatusData(m_folder, "compact.xml"),
               StatusData("config_empty_web.xml"));
    EXPECT_EQ(footer, kDeclaration +
                          Element("root", Element("Code_Page", "UTF-8") +
                                              InfoElements("192.168.1.40", "", 0) + "<Web/>" +
                                              kCompactStatus) +
                          "\n");
}

TEST_F(StatusDocumentsTest, FooterOffersUpdatesOnlyWhenTheInfoSaysSo) {
    StatusInfo info = SampleInfo(1, "Collecting Status", "192.168.1.40");
    info.UpdatesAvailable = 1;
    EXPECT_NE(Footer(info, std::string())
                  .find(InfoElements("192.168.1.40", "Collecting Status", 1, 1, 1)),
              std::string::npos);
}

TEST_F(StatusDocumentsTest, FooterEscapesMarkupInItsTexts) {
    StatusInfo info = SampleInfo(2, "<b>Jam</b> & more", "192.168.1.40");
    const std::string footer = Footer(info, std::string());
    EXPECT_NE(footer.find(Element("Current_Status", "&lt;b&gt;Jam&lt;/b&gt; &amp; more")),
              std::string::npos);
}

TEST_F(StatusDocumentsTest, FooterNeedsItsPathAndTheConfiguration) {
    const StatusInfo info = SampleInfo(1, "Collecting Status", "");
    EXPECT_EQ(WriteFooterDocument(info, "", "", "EN", StatusData("config.xml")),
              ResultCode::MissingArgument);
    EXPECT_EQ(WriteFooterDocument(info, "", m_footer, "EN", ""), ResultCode::MissingArgument);
    EXPECT_FALSE(std::filesystem::exists(m_footer));
    EXPECT_EQ(WriteFooterDocument(info, "", m_footer, "EN", m_folder / "missing.xml"),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteFooterDocument(info, "", m_footer, "EN", StatusData("malformed.xml")),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteFooterDocument(info, "", m_folder / "no/such/footer.xml", "EN",
                                  StatusData("config.xml")),
              ResultCode::WriterCreate);
}

TEST_F(StatusDocumentsTest, FooterFailsOnABrokenOrOversizedStatusDocument) {
    const StatusInfo info = SampleInfo(0, "", "");
    const std::string config = StatusData("config.xml");
    EXPECT_EQ(WriteFooterDocument(info, CopyStatusData(m_folder, "malformed.xml"), m_footer, "EN",
                                  config),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteFooterDocument(info, m_folder / "missing.xml", m_footer, "EN", config),
              ResultCode::ParseInput);
    simulator::PrinterState state;
    state.Document = simulator::StatusDocumentKind::Oversized;
    state.OversizeBytes = kMaxStatusDocumentBytes + 1;
    WriteBytes(m_folder / "big.xml", simulator::BuildStatusDocument(state));
    EXPECT_EQ(WriteFooterDocument(info, m_folder / "big.xml", m_footer, "EN", config),
              ResultCode::ParseInput);
}

TEST_F(StatusDocumentsTest, FooterThatFailsHalfWayKeepsThePreviousFooter) {
    // The broken status document is found only after the information and Web are written.
    const std::string previous = Footer(SampleInfo(1, "Collecting Status", ""), std::string());
    EXPECT_EQ(WriteFooterDocument(SampleInfo(0, "", ""), CopyStatusData(m_folder, "malformed.xml"),
                                  m_footer, "EN", StatusData("config.xml")),
              ResultCode::ParseInput);
    EXPECT_EQ(ReadBytes(m_footer), previous);
    EXPECT_EQ(testsupport::FolderNames(m_folder.Path()),
              (std::vector<std::string>{"footer.xml", "malformed.xml"}));
}

TEST_F(StatusDocumentsTest, DocumentsThatDoNotFitOnTheDiskKeepThePreviousOnes) {
    const std::string footer = Footer(SampleInfo(1, "Collecting Status", ""), std::string());
    const std::string solutions = Solutions(std::string());
    const std::optional<int> results = testsupport::RunWithFileSizeLimit(256, [&] {
        const ResultCode footerResult =
            WriteFooterDocument(SampleInfo(2, "Status Unavailable", "192.168.1.40"), "", m_footer,
                                "EN", StatusData("config.xml"));
        const ResultCode solutionsResult = WriteSolutionsDocument(
            StatusData("solutions.xml"), "", m_solutions, "EN", StatusData("config.xml"));
        return footerResult == ResultCode::WriterEndDocument &&
                       solutionsResult == ResultCode::WriterEndDocument
                   ? 0
                   : 1;
    });
    EXPECT_EQ(results, 0);
    EXPECT_EQ(ReadBytes(m_footer), footer);
    EXPECT_EQ(ReadBytes(m_solutions), solutions);
    EXPECT_EQ(testsupport::FolderNames(m_folder.Path()),
              (std::vector<std::string>{"footer.xml", "solutions_combined.xml"}));
}

TEST_F(StatusDocumentsTest, KoreanContentRewritesKsc5601InTheStatusDocument) {
    const std::string status = CopyStatusData(m_folder, "ksc5601.xml");
    const std::string footer =
        Footer(SampleInfo(0, "", ""), status, StatusData("config.xml"), "KO");
    EXPECT_NE(ReadBytes(status).find("encoding=\"UTF-8\""), std::string::npos);
    EXPECT_EQ(ReadBytes(status).find("ksc5601"), std::string::npos);
    EXPECT_NE(footer.find("<devicexml>"), std::string::npos);

    const std::string again = CopyStatusData(m_folder, "ksc5601.xml");
    Solutions(again, "KO");
    EXPECT_EQ(ReadBytes(again).find("ksc5601"), std::string::npos);
}

TEST_F(StatusDocumentsTest, OnlyTheExactLanguageKORewritesTheStatusDocument) {
    const std::string status = CopyStatusData(m_folder, "ksc5601.xml");
    WriteFooterDocument(SampleInfo(0, "", ""), status, m_footer, "ko", StatusData("config.xml"));
    EXPECT_EQ(Count(ReadBytes(status), "ksc5601"), 1u);
}

TEST_F(StatusDocumentsTest, HostileStatusTextStaysTextInTheFooter) {
    simulator::PrinterState state;
    state.Alerts = {simulator::PrinterAlert::PaperJam};
    state.Document = simulator::StatusDocumentKind::Script;
    WriteBytes(m_folder / "script.xml", simulator::BuildStatusDocument(state));
    const std::string footer = Footer(SampleInfo(0, "", ""), m_folder / "script.xml");
    EXPECT_EQ(footer.find("<script"), std::string::npos);
    EXPECT_EQ(footer.find("<b>"), std::string::npos);
    EXPECT_NE(footer.find("&lt;script&gt;"), std::string::npos);

    state.Document = simulator::StatusDocumentKind::ExternalEntity;
    WriteBytes(m_folder / "entity.xml", simulator::BuildStatusDocument(state));
    const std::string entity = Footer(SampleInfo(0, "", ""), m_folder / "entity.xml");
    EXPECT_EQ(entity.find("root:"), std::string::npos);
    EXPECT_EQ(entity.find("secret"), std::string::npos);
    EXPECT_NE(entity.find("<devicexml>"), std::string::npos);
}

// --- the trouble-solutions document ------------------------------------------------------------

TEST_F(StatusDocumentsTest, SolutionsWithStatusHoldSolutionsPrinterAndConfiguration) {
    const std::string solutions = Solutions(CopyStatusData(m_folder, "compact.xml"));
    EXPECT_EQ(solutions,
              kDeclaration +
                  Element("root", Element("Code_Page", "UTF-8") + kSolutions +
                                      Element("printer_xml", kCompactStatus) + kToolbox) +
                  "\n");
}

TEST_F(StatusDocumentsTest, SolutionsWithoutStatusHaveNoPrinterPart) {
    const std::string solutions = Solutions(std::string());
    EXPECT_EQ(solutions,
              kDeclaration +
                  Element("root", Element("Code_Page", "UTF-8") + kSolutions + kToolbox) + "\n");
}

TEST_F(StatusDocumentsTest, SolutionsNeedTheirInputsAndReportTheFirstFailure) {
    const std::string solutions = StatusData("solutions.xml");
    const std::string config = StatusData("config.xml");
    EXPECT_EQ(WriteSolutionsDocument("", "", m_solutions, "EN", config),
              ResultCode::MissingArgument);
    EXPECT_EQ(WriteSolutionsDocument(solutions, "", "", "EN", config), ResultCode::MissingArgument);
    EXPECT_EQ(WriteSolutionsDocument(solutions, "", m_solutions, "EN", ""),
              ResultCode::MissingArgument);
    EXPECT_FALSE(std::filesystem::exists(m_solutions));
    EXPECT_EQ(WriteSolutionsDocument(m_folder / "missing.xml", "", m_solutions, "EN", config),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteSolutionsDocument(solutions, CopyStatusData(m_folder, "malformed.xml"),
                                     m_solutions, "EN", config),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteSolutionsDocument(solutions, "", m_solutions, "EN", m_folder / "missing.xml"),
              ResultCode::ParseInput);
    EXPECT_EQ(WriteSolutionsDocument(solutions, "", m_folder / "no/such/file.xml", "EN", config),
              ResultCode::WriterCreate);
}

} // namespace
} // namespace kaldo
