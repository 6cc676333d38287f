#include "simulator/Simulator.h"
#include "simulator/SimulatorOptions.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace kaldo::simulator;

// --- helpers -------------------------------------------------------------------------------

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

// Parses as a careful client would: no network, no entity substitution.
DocPtr ParseXml(const std::string& text) {
    return DocPtr(xmlReadMemory(text.data(), static_cast<int>(text.size()), "status.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

std::string XPathString(xmlDoc* doc, const char* expression) {
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(
        xmlXPathNewContext(doc), xmlXPathFreeContext);
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression), context.get()),
        xmlXPathFreeObject);
    if (!result)
        return {};
    xmlChar* text = xmlXPathCastToString(result.get());
    std::string value = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return value;
}

SimulatorOptions Parse(const std::vector<std::string>& arguments) {
    SimulatorOptions options;
    std::string error;
    EXPECT_EQ(ParseSimulatorOptions(arguments, options, error), ParseOutcome::Run) << error;
    return options;
}

using kaldo::testsupport::TempFolder;

// --- the simulator in this process -----------------------------------------------------------

class SimulatorTest : public testing::Test {
protected:
    // Printer 0: defaults. Printer 1: mono, no hard drive, on another loopback address.
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        m_certificate = m_folder.Path() + "/site.pem";
        StartWith(
            Parse({"--printer", "127.0.0.1:0", "--printer", "127.0.0.2:0", "--supplies", "mono",
                   "--no-hard-drive", "--site", "127.0.0.1:0", "--https", "127.0.0.1:0",
                   "--cert-out", m_certificate, "--control", "127.0.0.1:0", "--quiet"}));
    }

    void StartWith(const SimulatorOptions& options) {
        std::string error;
        ASSERT_TRUE(m_simulator.Start(options, error)) << error;
    }

    httplib::Client Printer(std::size_t index) const {
        const ListenAddress address = m_simulator.PrinterAddresses().at(index);
        return httplib::Client(address.Host, address.Port);
    }
    httplib::Client Site() const {
        return httplib::Client(m_simulator.SiteAddress()->Host, m_simulator.SiteAddress()->Port);
    }
    httplib::Client Control() const {
        return httplib::Client(m_simulator.ControlAddress()->Host,
                               m_simulator.ControlAddress()->Port);
    }

    std::string StatusOf(std::size_t printer) const {
        auto result = Printer(printer).Get("/status/devicestatus.xml?language=EN");
        EXPECT_TRUE(result) << "no answer from printer " << printer;
        if (!result)
            return {};
        EXPECT_EQ(result->status, 200);
        return result->body;
    }

    void Change(const std::string& target, const httplib::Params& settings) {
        auto result = Control().Post(target, settings);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << result->body;
    }

    TempFolder m_folder;
    std::string m_certificate;
    Simulator m_simulator;
};

TEST_F(SimulatorTest, StatusDocumentParsesAndListsTheHardDrive) {
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "name(/*)"), "devicexml");
    EXPECT_EQ(XPathString(doc.get(), "count(/devicexml/deviceConfiguration/printer/"
                                     "installableOptions/option[type='Hard Drive'])"),
              "1");
    EXPECT_EQ(XPathString(doc.get(), "//option[type='Hard Drive']/installed"), "Installed");
    EXPECT_EQ(XPathString(doc.get(), "/devicexml/deviceStatus/printer/icon"),
              "/images/status/ready.png");
    EXPECT_EQ(XPathString(doc.get(), "/devicexml/deviceStatus/printer/state"), "ready");
    EXPECT_EQ(XPathString(doc.get(), "count(//alerts/alert)"), "0");
    EXPECT_EQ(XPathString(doc.get(), "//deviceConfiguration/printer/modelName"),
              "Kaldo Presslane 3020");
    EXPECT_EQ(XPathString(doc.get(), "count(//trays/tray)"), "2");
}

TEST_F(SimulatorTest, PrinterWithoutHardDriveLeavesTheOptionOut) {
    const DocPtr doc = ParseXml(StatusOf(1));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//installableOptions/option[type='Hard Drive'])"), "0");
    EXPECT_EQ(XPathString(doc.get(), "count(//installableOptions/option)"), "2");
}

TEST_F(SimulatorTest, ColourPrinterListsFourTonersWithTheirLevels) {
    Change("/printer/0", {{"toner", "black:5,cyan:100,magenta:0"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//supplies/supply)"), "4");
    EXPECT_EQ(XPathString(doc.get(), "//supply[color='black']/level"), "5");
    EXPECT_EQ(XPathString(doc.get(), "//supply[color='cyan']/level"), "100");
    EXPECT_EQ(XPathString(doc.get(), "//supply[color='magenta']/level"), "0");
    EXPECT_EQ(XPathString(doc.get(), "//supply[color='yellow']/level"), "30");
}

TEST_F(SimulatorTest, MonoPrinterListsOnlyBlackToner) {
    const DocPtr doc = ParseXml(StatusOf(1));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//supplies/supply)"), "1");
    EXPECT_EQ(XPathString(doc.get(), "//supplies/supply/color"), "black");
}

TEST_F(SimulatorTest, ErrorAlertIsListedWithTheErrorIcon) {
    Change("/printer/0", {{"alert", "paperJam"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "/devicexml/deviceStatus/printer/alerts/alert/code"),
              "paperJam");
    EXPECT_EQ(XPathString(doc.get(), "//alert/severity"), "error");
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/state"), "error");
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/icon"), "/images/status/error.png");
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/statusText"), "Paper jam in tray 1");
}

TEST_F(SimulatorTest, WarningAlertAloneGivesTheWarningIcon) {
    Change("/printer/0", {{"alert", "tonerLow"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/state"), "warning");
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/icon"), "/images/status/warning.png");
}

TEST_F(SimulatorTest, EveryAlertCodeCanBeServedTogether) {
    Change("/printer/0", {{"alert", "paperJam,paperOut,tonerLow,tonerEmpty,coverOpen,offline"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//alerts/alert)"), "6");
    for (const char* code :
         {"paperJam", "paperOut", "tonerLow", "tonerEmpty", "coverOpen", "offline"}) {
        const std::string path = std::string("count(//alert[code='") + code + "'])";
        EXPECT_EQ(XPathString(doc.get(), path.c_str()), "1") << code;
    }
    EXPECT_EQ(XPathString(doc.get(), "//tray[name='Tray 1']/level"), "0");
}

TEST_F(SimulatorTest, HttpErrorStateAnswersWithThatCode) {
    Change("/printer/0", {{"http-error", "503"}});
    auto result = Printer(0).Get("/status/devicestatus.xml?language=EN");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 503);
    EXPECT_EQ(result->body.find("<devicexml>"), std::string::npos);
    EXPECT_EQ(Printer(1).Get("/status/devicestatus.xml?language=EN")->status, 200);
}

TEST_F(SimulatorTest, MalformedDocumentDoesNotParse) {
    Change("/printer/0", {{"document", "malformed"}});
    const std::string body = StatusOf(0);
    EXPECT_FALSE(body.empty());
    EXPECT_FALSE(ParseXml(body));
}

TEST_F(SimulatorTest, OversizedDocumentReachesItsSizeAndStaysWellFormed) {
    Change("/printer/0", {{"document", "oversized"}, {"oversize", "2000000"}});
    const std::string body = StatusOf(0);
    EXPECT_GE(body.size(), 2000000u);
    const DocPtr doc = ParseXml(body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//option[type='Hard Drive'])"), "1");
}

TEST_F(SimulatorTest, ExternalEntityDocumentNamesALocalFile) {
    Change("/printer/0", {{"document", "entity"}});
    const std::string body = StatusOf(0);
    EXPECT_NE(body.find("<!ENTITY secret SYSTEM \"file:///etc/passwd\">"), std::string::npos);
    EXPECT_NE(body.find("<statusText>&secret;</statusText>"), std::string::npos);
    const DocPtr doc = ParseXml(body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//deviceStatus/printer/statusText"), "");
}

TEST_F(SimulatorTest, BillionLaughsDocumentNestsEntitiesTenByTen) {
    Change("/printer/0", {{"document", "laughs"}});
    const std::string body = StatusOf(0);
    EXPECT_NE(body.find("<!ENTITY lol9 \"&lol8;&lol8;&lol8;"), std::string::npos);
    EXPECT_NE(body.find("<statusText>&lol9;</statusText>"), std::string::npos);
    EXPECT_LT(body.size(), 10000u);
}

TEST_F(SimulatorTest, ScriptDocumentCarriesScriptAsTextOnly) {
    Change("/printer/0", {{"document", "script"}, {"alert", "coverOpen"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "count(//script)"), "0");
    EXPECT_NE(XPathString(doc.get(), "//deviceStatus/printer/statusText").find("<script>"),
              std::string::npos);
    EXPECT_NE(XPathString(doc.get(), "//alert/text").find("<script>"), std::string::npos);
}

TEST_F(SimulatorTest, TraversalDocumentIconClimbsOutOfItsFolder) {
    Change("/printer/0", {{"document", "traversal"}});
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_NE(XPathString(doc.get(), "//deviceStatus/printer/icon").find("/../"),
              std::string::npos);
}

TEST_F(SimulatorTest, SlowAnswerTakesAtLeastItsDelay) {
    Change("/printer/0", {{"delay", "300"}});
    const auto start = std::chrono::steady_clock::now();
    const std::string body = StatusOf(0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_TRUE(ParseXml(body));
}

TEST_F(SimulatorTest, StopEndsASlowAnswerEarly) {
    Change("/printer/0", {{"delay", "600000"}});
    std::thread client([this] {
        auto result = Printer(0).Get("/");
        if (result) {
            EXPECT_EQ(result->status, 503);
        }
    });
    // Gives the request a chance to be waiting; Stop must end it whether it is or not.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_simulator.Stop();
    client.join();
}

TEST_F(SimulatorTest, ControlEndpointChangesStateWhileRunningAndResetsIt) {
    Change("/printer/0", {{"model", "Kaldo Presslane C5000"}, {"hard-drive", "no"}});
    DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//modelName"), "Kaldo Presslane C5000");
    EXPECT_EQ(XPathString(doc.get(), "count(//option[type='Hard Drive'])"), "0");

    auto described = Control().Get("/printer/0");
    ASSERT_TRUE(described);
    EXPECT_NE(described->body.find("model=Kaldo Presslane C5000\n"), std::string::npos);
    EXPECT_NE(described->body.find("hard-drive=no\n"), std::string::npos);

    auto reset = Control().Post("/printer/0/reset");
    ASSERT_TRUE(reset);
    EXPECT_EQ(reset->status, 200);
    doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//modelName"), "Kaldo Presslane 3020");
    EXPECT_EQ(XPathString(doc.get(), "count(//option[type='Hard Drive'])"), "1");
}

TEST_F(SimulatorTest, ControlEndpointTakesSettingsFromTheQueryToo) {
    auto result = Control().Post("/printer/1?alert=offline", "", "text/plain");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200) << result->body;
    const DocPtr doc = ParseXml(StatusOf(1));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//alert/code"), "offline");
}

TEST_F(SimulatorTest, ControlEndpointRefusesABadSettingAndChangesNothing) {
    auto result =
        Control().Post("/printer/0", httplib::Params{{"model", "Changed"}, {"delay", "soon"}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400);
    EXPECT_NE(result->body.find("delay"), std::string::npos);
    const DocPtr doc = ParseXml(StatusOf(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//modelName"), "Kaldo Presslane 3020");

    for (const auto& [name, value] :
         std::vector<std::pair<std::string, std::string>>{{"alert", "fire"},
                                                          {"toner", "black:101"},
                                                          {"toner", "green:5"},
                                                          {"http-error", "302"},
                                                          {"supplies", "rainbow"},
                                                          {"document", "huge"},
                                                          {"colour", "yes"},
                                                          {"model", "two\nlines"}}) {
        auto refused = Control().Post("/printer/0", httplib::Params{{name, value}});
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 400) << name << "=" << value;
    }
}

TEST_F(SimulatorTest, ControlEndpointKnowsOnlyItsPrinters) {
    EXPECT_EQ(Control().Get("/printer/2")->status, 404);
    EXPECT_EQ(Control().Post("/printer/7", httplib::Params{{"alert", "offline"}})->status, 404);
    EXPECT_EQ(Control().Get("/printer/0?alert=offline")->status, 405);

    auto list = Control().Get("/printers");
    ASSERT_TRUE(list);
    const auto addresses = m_simulator.PrinterAddresses();
    EXPECT_EQ(list->body,
              "0 " + FormatHostPort(addresses[0]) + "\n1 " + FormatHostPort(addresses[1]) + "\n");
}

TEST_F(SimulatorTest, ControlEndpointListsTheRequestsItSaw) {
    StatusOf(1);
    auto log = Control().Get("/requests");
    ASSERT_TRUE(log);
    const std::string line = "printer1 GET " + FormatHostPort(m_simulator.PrinterAddresses()[1]) +
                             " /status/devicestatus.xml?language=EN 200\n";
    EXPECT_NE(log->body.find(line), std::string::npos) << log->body;

    ASSERT_TRUE(Control().Post("/requests/clear"));
    EXPECT_EQ(Control().Get("/requests")->body.find("printer1"), std::string::npos);
}

TEST_F(SimulatorTest, StatusIconsArePngsOf32By32) {
    for (const char* icon : {"ready.png", "warning.png", "error.png"}) {
        auto result = Printer(0).Get(std::string("/images/status/") + icon);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << icon;
        EXPECT_EQ(result->get_header_value("Content-Type"), "image/png");
        const std::string& png = result->body;
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x20\0\0\0\x20", 8));
    }
    EXPECT_EQ(Printer(0).Get("/images/status/unknown.png")->status, 404);
}

TEST_F(SimulatorTest, PrinterPagesShowTheModelEscaped) {
    Change("/printer/0", {{"model", "Presslane <b>&"}});
    for (const char* page : {"/", "/config.html", "/supplies.html"}) {
        auto result = Printer(0).Get(page);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200) << page;
        EXPECT_NE(result->body.find("Presslane &lt;b&gt;&amp;"), std::string::npos) << page;
        EXPECT_EQ(result->body.find("<b>"), std::string::npos) << page;
    }
    EXPECT_EQ(Printer(0).Get("/nothing.html")->status, 404);
}

// --- the maker's site ------------------------------------------------------------------------

constexpr const char* kModelUrl = "/product/model.html?app=ktw&page=model&model=3020&Language=EN";

TEST_F(SimulatorTest, DocumentByFileNameIsAPdfOnTheModelPage) {
    auto result = Site().Get(std::string(kModelUrl) + "&PgName=userdoc&FileName=guide");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "application/pdf");
    EXPECT_EQ(result->body.substr(0, 8), "%PDF-1.4");
    EXPECT_EQ(result->body.substr(result->body.size() - 6), "%%EOF\n");
    EXPECT_EQ(result->body.find("<HTML>"), std::string::npos);

    auto download = Site().Get("/download?FileName=guide.pdf");
    ASSERT_TRUE(download);
    EXPECT_EQ(download->body.substr(0, 8), "%PDF-1.4");
}

TEST_F(SimulatorTest, DocumentCrossReferencePointsAtItsObjects) {
    auto result = Site().Get("/files/kp3000_user_guide.pdf");
    ASSERT_TRUE(result);
    const std::string& pdf = result->body;
    const auto startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    // "xref\n0 6\n" and the free entry, then one 20-byte entry per object.
    std::size_t entry = pdf.find('\n', pdf.find('\n', xref) + 1) + 1 + 20;
    for (int object = 1; object <= 5; ++object, entry += 20) {
        const std::size_t offset = std::stoul(pdf.substr(entry, 10));
        EXPECT_EQ(pdf.compare(offset, 8, std::to_string(object) + " 0 obj\n"), 0) << object;
    }
}

TEST_F(SimulatorTest, VideoByFileNameIsVideoBytes) {
    auto result = Site().Get("/download?FileName=intro.mp4");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "video/mp4");
    EXPECT_EQ(result->body.substr(4, 8), "ftypisom");
    EXPECT_GT(result->body.size(), 4096u);
}

TEST_F(SimulatorTest, WebmVideoBeginsWithAWebmHeader) {
    auto result = Site().Get(std::string(kModelUrl) + "&PgName=video&FileName=load_paper.webm");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "video/webm");
    EXPECT_EQ(result->body.substr(0, 4), "\x1a\x45\xdf\xa3");
    EXPECT_NE(result->body.find("webm"), std::string::npos);
    EXPECT_GT(result->body.size(), 4096u);
}

TEST_F(SimulatorTest, RedirectNameAnswersWithTheAddressInTheTitle) {
    auto result = Site().Get(std::string(kModelUrl) + "&FileName=redirect-guide");
    ASSERT_TRUE(result);
    const std::string& page = result->body;
    const auto open = page.find("<TITLE>");
    const auto close = page.find("</TITLE>");
    ASSERT_NE(page.find("<HTML>"), std::string::npos);
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    const std::string address = page.substr(open + 7, close - open - 7);
    const std::string site = "http://" + FormatHostPort(*m_simulator.SiteAddress()) + "/";
    ASSERT_EQ(address, site + "files/guide.pdf");

    auto moved = Site().Get(address.substr(site.size() - 1));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 200);
    EXPECT_EQ(moved->body.substr(0, 8), "%PDF-1.4");
}

TEST_F(SimulatorTest, MissingNameIsAnHtmlErrorWithoutTitle) {
    auto result = Site().Get("/download?FileName=missing-guide");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
    EXPECT_NE(result->body.find("<HTML>"), std::string::npos);
    EXPECT_EQ(result->body.find("<TITLE>"), std::string::npos);
    EXPECT_EQ(result->body.find("<!-- toolbox -->"), std::string::npos);
}

TEST_F(SimulatorTest, BrokenAndNotFoundNamesAnswerWithErrorPages) {
    auto broken = Site().Get("/download?FileName=broken-guide");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->status, 500);
    EXPECT_NE(broken->body.find("<HTML>"), std::string::npos);

    auto notFound = Site().Get(std::string(kModelUrl) + "&FileName=notfound-intro.mp4");
    ASSERT_TRUE(notFound);
    EXPECT_EQ(notFound->status, 200);
    EXPECT_EQ(notFound->body.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(notFound->body.find("<title>Page not found</title>"), std::string::npos);
}

TEST_F(SimulatorTest, NamesThatLeaveTheFolderAreRefused) {
    for (const char* name : {"..%2F..%2Fetc%2Fpasswd", "..", "a%2Fb.pdf", "a%5Cb.pdf"}) {
        auto result = Site().Get(std::string("/download?FileName=") + name);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400) << name;
    }
    EXPECT_EQ(Site().Get("/download")->status, 400);
}

TEST_F(SimulatorTest, WebPagesCarryTheToolboxMarkerUnlessPlainOrSwitchedOff) {
    auto marked = Site().Get(std::string(kModelUrl) + "&PgName=userdochtml&FileName=howto.html");
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->status, 200);
    EXPECT_NE(marked->body.substr(0, 1024).find("<!-- toolbox -->"), std::string::npos);
    EXPECT_NE(Site().Get("/web/howto.html")->body.find("<!-- toolbox -->"), std::string::npos);

    auto plain = Site().Get("/web/plain-howto.html");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->status, 200);
    EXPECT_EQ(plain->body.find("<!-- toolbox -->"), std::string::npos);

    Change("/site", {{"web-marker", "no"}});
    EXPECT_EQ(Site().Get("/web/howto.html")->body.find("<!-- toolbox -->"), std::string::npos);
    EXPECT_EQ(Site().Get("/web/guide.pdf")->status, 404);
}

TEST_F(SimulatorTest, UpdateFeedCarriesTheDefaultDateUntilChanged) {
    auto feed = Site().Get("/updates/KTWUpdates.xml");
    ASSERT_TRUE(feed);
    DocPtr doc = ParseXml(feed->body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//channel/pubDate"), std::string(kDefaultFeedDate));

    Change("/site", {{"feed-date", "Mon, 02 Jun 2008 08:00:00 GMT"}});
    doc = ParseXml(Site().Get("/updates/KTWUpdates.xml")->body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//channel/pubDate"), "Mon, 02 Jun 2008 08:00:00 GMT");

    ASSERT_TRUE(Control().Post("/site/reset"));
    doc = ParseXml(Site().Get("/updates/KTWUpdates.xml")->body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//channel/pubDate"), std::string(kDefaultFeedDate));
}

TEST_F(SimulatorTest, SitePagesAnswer) {
    for (const char* page : {"/", kModelUrl, "/supplies/KP3020", "/service/presslane", "/uat/EN"}) {
        auto result = Site().Get(page);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200) << page;
        EXPECT_NE(result->body.find("<html"), std::string::npos) << page;
    }
}

TEST_F(SimulatorTest, HttpsSiteIsVerifiedWithTheWrittenCertificate) {
    ASSERT_TRUE(std::filesystem::exists(m_certificate));
    const ListenAddress https = *m_simulator.HttpsAddress();

    httplib::SSLClient trusting(https.Host, https.Port);
    trusting.set_ca_cert_path(m_certificate);
    trusting.enable_server_certificate_verification(true);
    auto result = trusting.Get("/updates/KTWUpdates.xml");
    ASSERT_TRUE(result) << httplib::to_string(result.error());
    EXPECT_EQ(result->status, 200);
    const DocPtr doc = ParseXml(result->body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//channel/link"), "https://" + FormatHostPort(https) + "/");

    auto redirect = trusting.Get("/download?FileName=redirect-intro.mp4");
    ASSERT_TRUE(redirect);
    EXPECT_NE(redirect->body.find("<TITLE>https://"), std::string::npos);

    httplib::SSLClient untrusting(https.Host, https.Port);
    untrusting.enable_server_certificate_verification(true);
    EXPECT_FALSE(untrusting.Get("/"));
}

TEST_F(SimulatorTest, SecondSimulatorCannotTakeABoundPort) {
    SimulatorOptions options;
    options.Site = *m_simulator.SiteAddress();
    options.LogRequests = false;
    Simulator second;
    std::string error;
    EXPECT_FALSE(second.Start(options, error));
    EXPECT_NE(error.find(FormatHostPort(*m_simulator.SiteAddress())), std::string::npos);
}

TEST_F(SimulatorTest, ReadyLineNamesEveryBoundPort) {
    const std::string line = m_simulator.ReadyLine();
    EXPECT_EQ(line.rfind("ready ", 0), 0u);
    const auto printers = m_simulator.PrinterAddresses();
    EXPECT_NE(line.find("printer=" + FormatHostPort(printers[0]) +
                        " printer=" + FormatHostPort(printers[1])),
              std::string::npos);
    EXPECT_NE(printers[0].Port, 0);
    EXPECT_EQ(printers[1].Host, "127.0.0.2");
    EXPECT_NE(line.find(" site=" + FormatHostPort(*m_simulator.SiteAddress())), std::string::npos);
    EXPECT_NE(line.find(" https=" + FormatHostPort(*m_simulator.HttpsAddress())),
              std::string::npos);
    EXPECT_NE(line.find(" control=" + FormatHostPort(*m_simulator.ControlAddress())),
              std::string::npos);
}

// --- command line ----------------------------------------------------------------------------

TEST(SimulatorOptionsTest, RefusesAddressesOutsideLoopback) {
    for (const char* address : {"0.0.0.0:80", "10.1.2.3:80", "[::]:80", "[fe80::1]:80",
                                "example.org:80", "128.0.0.1:80"}) {
        SimulatorOptions options;
        std::string error;
        EXPECT_EQ(ParseSimulatorOptions({"--site", address}, options, error),
                  ParseOutcome::NotLoopback)
            << address;
        EXPECT_NE(error.find("loopback"), std::string::npos) << address;
    }
}

TEST(SimulatorOptionsTest, AcceptsEveryLoopbackForm) {
    const SimulatorOptions options =
        Parse({"--printer", "127.9.8.7:80", "--printer", "localhost:8080", "--site", "[::1]:0"});
    ASSERT_EQ(options.Printers.size(), 2u);
    EXPECT_EQ(options.Printers[0].Address.Host, "127.9.8.7");
    EXPECT_EQ(options.Printers[0].Address.Port, 80);
    EXPECT_EQ(options.Printers[1].Address.Host, "127.0.0.1");
    ASSERT_TRUE(options.Site);
    EXPECT_EQ(options.Site->Host, "::1");
    EXPECT_EQ(FormatHostPort(*options.Site), "[::1]:0");
}

TEST(SimulatorOptionsTest, MalformedAddressesAreUsageErrors) {
    for (const char* address : {"127.0.0.1", "127.0.0.1:", "127.0.0.1:70000", "127.0.0.1:8x", ":80",
                                "::1:80", "[::1]80"}) {
        SimulatorOptions options;
        std::string error;
        EXPECT_EQ(ParseSimulatorOptions({"--printer", address}, options, error),
                  ParseOutcome::UsageError)
            << address;
    }
}

TEST(SimulatorOptionsTest, StateBeforeTheFirstPrinterAppliesToAllAfterOneToThatOne) {
    const SimulatorOptions options =
        Parse({"--alert", "tonerLow", "--printer", "127.0.0.1:0", "--model", "First",
               "--printer=127.0.0.1:0", "--no-hard-drive", "--delay=250", "--http-error", "500"});
    ASSERT_EQ(options.Printers.size(), 2u);
    const PrinterState& first = options.Printers[0].State;
    const PrinterState& second = options.Printers[1].State;
    EXPECT_EQ(first.ModelName, "First");
    EXPECT_TRUE(first.HardDrive);
    EXPECT_EQ(first.DelayMs, 0);
    ASSERT_EQ(first.Alerts.size(), 1u);
    EXPECT_EQ(first.Alerts[0], PrinterAlert::TonerLow);
    EXPECT_EQ(second.ModelName, "Kaldo Presslane 3020");
    EXPECT_FALSE(second.HardDrive);
    EXPECT_EQ(second.DelayMs, 250);
    EXPECT_EQ(second.HttpError, 500);
    ASSERT_EQ(second.Alerts.size(), 1u);
}

TEST(SimulatorOptionsTest, SiteOptionsSetTheSiteState) {
    const SimulatorOptions options =
        Parse({"--site", "127.0.0.1:0", "--feed-date", "Mon, 02 Jun 2008 12:00:00 GMT",
               "--web-marker", "no", "--site-delay", "40"});
    EXPECT_EQ(options.SiteState.FeedDate, "Mon, 02 Jun 2008 12:00:00 GMT");
    EXPECT_FALSE(options.SiteState.WebMarker);
    EXPECT_EQ(options.SiteState.DelayMs, 40);
}

TEST(SimulatorOptionsTest, UsageErrorsAreReported) {
    const std::vector<std::vector<std::string>> cases{
        {},
        {"--quiet"},
        {"--site", "127.0.0.1:0", "--frobnicate", "1"},
        {"--site", "127.0.0.1:0", "--cert-out", "/tmp/x.pem"},
        {"--site"},
        {"--site", "127.0.0.1:0", "stray"},
        {"--printer", "127.0.0.1:0", "--toner", "black"},
        {"--printer", "127.0.0.1:0", "--delay", "-1"},
        {"--site", "127.0.0.1:0", "--web-marker", "maybe"},
    };
    for (const auto& arguments : cases) {
        SimulatorOptions options;
        std::string error;
        EXPECT_EQ(ParseSimulatorOptions(arguments, options, error), ParseOutcome::UsageError)
            << testing::PrintToString(arguments);
        EXPECT_FALSE(error.empty());
    }
    SimulatorOptions options;
    std::string error;
    EXPECT_EQ(ParseSimulatorOptions({"--site", "127.0.0.1:0", "--help"}, options, error),
              ParseOutcome::Help);
}

TEST(SimulatorOptionsTest, DescribedStateReadsBackToTheSameState) {
    PrinterState state;
    std::string error;
    ASSERT_TRUE(ApplyPrinterSetting(state, "alert", "paperOut,offline", error));
    ASSERT_TRUE(ApplyPrinterSetting(state, "toner", "black:1,yellow:99", error));
    ASSERT_TRUE(ApplyPrinterSetting(state, "document", "script", error));

    PrinterState copy;
    const std::string text = DescribePrinterState(state);
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        const auto equals = line.find('=');
        ASSERT_TRUE(
            ApplyPrinterSetting(copy, line.substr(0, equals), line.substr(equals + 1), error))
            << line << ": " << error;
        start = end + 1;
    }
    EXPECT_EQ(DescribePrinterState(copy), text);
}

// --- the program -----------------------------------------------------------------------------

struct Child {
    pid_t Pid = -1;
    int Out = -1;
    int Err = -1;
};

// With `ignoreSigint` the child starts with SIGINT ignored, as a shell starts background jobs.
Child Spawn(const std::vector<std::string>& arguments, bool ignoreSigint = false) {
    int out[2];
    int err[2];
    Child child;
    if (pipe(out) != 0 || pipe(err) != 0)
        return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);

    std::vector<std::string> all{KALDOSIM_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto previous = std::signal(SIGINT, ignoreSigint ? SIG_IGN : SIG_DFL);
    if (posix_spawn(&child.Pid, KALDOSIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
        child.Pid = -1;
    std::signal(SIGINT, previous);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    child.Out = out[0];
    child.Err = err[0];
    return child;
}

// Everything until end of file, or the first line when `lineOnly`.
std::string ReadFrom(int fd, bool lineOnly) {
    std::string text;
    char buffer[4096];
    while (true) {
        pollfd poller{fd, POLLIN, 0};
        if (poll(&poller, 1, 20000) <= 0)
            break;
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(count));
        if (lineOnly && text.find('\n') != std::string::npos)
            return text.substr(0, text.find('\n'));
    }
    return text;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string Field(const std::string& line, const std::string& name) {
    const auto start = line.find(" " + name + "=");
    if (start == std::string::npos)
        return {};
    const auto value = start + name.size() + 2;
    return line.substr(value, line.find(' ', value) - value);
}

TEST(KaldosimProgramTest, RefusesNonLoopbackAddressesWithExitCodeTwo) {
    for (const char* address : {"0.0.0.0:18080", "10.1.2.3:18080"}) {
        Child child = Spawn({"--site", "127.0.0.1:0", "--printer", address});
        ASSERT_GT(child.Pid, 0);
        const std::string out = ReadFrom(child.Out, false);
        const std::string err = ReadFrom(child.Err, false);
        EXPECT_EQ(WaitForExit(child.Pid), 2) << address;
        EXPECT_EQ(out.find("ready"), std::string::npos);
        EXPECT_NE(err.find("loopback"), std::string::npos) << err;
        close(child.Out);
        close(child.Err);
    }
}

TEST(KaldosimProgramTest, PrintsReadyServesAndExitsCleanlyOnSigterm) {
    Child child = Spawn({"--printer", "127.0.0.1:0", "--alert", "offline", "--site", "127.0.0.1:0",
                         "--control", "127.0.0.1:0"});
    ASSERT_GT(child.Pid, 0);
    const std::string ready = ReadFrom(child.Out, true);
    ASSERT_EQ(ready.rfind("ready ", 0), 0u) << ready;

    ListenAddress printer;
    std::string error;
    ASSERT_EQ(ParseListenAddress(Field(ready, "printer"), printer, error), AddressCheck::Ok)
        << ready;
    ASSERT_NE(printer.Port, 0);
    auto result =
        httplib::Client(printer.Host, printer.Port).Get("/status/devicestatus.xml?language=DE");
    ASSERT_TRUE(result);
    const DocPtr doc = ParseXml(result->body);
    ASSERT_TRUE(doc);
    EXPECT_EQ(XPathString(doc.get(), "//alert/code"), "offline");

    ASSERT_EQ(kill(child.Pid, SIGTERM), 0);
    const std::string err = ReadFrom(child.Err, false);
    EXPECT_EQ(WaitForExit(child.Pid), 0);
    EXPECT_NE(err.find("printer0 GET " + FormatHostPort(printer) +
                       " /status/devicestatus.xml?language=DE 200"),
              std::string::npos)
        << err;
    close(child.Out);
    close(child.Err);
}

TEST(KaldosimProgramTest, ExitsCleanlyOnSigintEvenWhenStartedWithItIgnored) {
    Child child = Spawn({"--site", "127.0.0.1:0", "--quiet"}, true);
    ASSERT_GT(child.Pid, 0);
    const std::string ready = ReadFrom(child.Out, true);
    ASSERT_EQ(ready.rfind("ready site=", 0), 0u) << ready;
    ASSERT_EQ(kill(child.Pid, SIGINT), 0);
    EXPECT_EQ(WaitForExit(child.Pid), 0);
    close(child.Out);
    close(child.Err);
}

TEST(KaldosimProgramTest, FailsWithExitCodeOneWhenAPortIsTaken) {
    Simulator first;
    SimulatorOptions options;
    options.Site = ListenAddress{"127.0.0.1", 0};
    options.LogRequests = false;
    std::string error;
    ASSERT_TRUE(first.Start(options, error)) << error;

    Child child = Spawn({"--site", FormatHostPort(*first.SiteAddress())});
    ASSERT_GT(child.Pid, 0);
    const std::string out = ReadFrom(child.Out, false);
    const std::string err = ReadFrom(child.Err, false);
    EXPECT_EQ(WaitForExit(child.Pid), 1);
    EXPECT_EQ(out.find("ready"), std::string::npos);
    EXPECT_NE(err.find("cannot listen on " + FormatHostPort(*first.SiteAddress())),
              std::string::npos)
        << err;
    close(child.Out);
    close(child.Err);
}

TEST(KaldosimProgramTest, HelpExplainsTheOptionsAndExitsZero) {
    Child child = Spawn({"--help"});
    ASSERT_GT(child.Pid, 0);
    const std::string out = ReadFrom(child.Out, false);
    EXPECT_EQ(WaitForExit(child.Pid), 0);
    for (const char* option :
         {"--printer", "--site", "--https", "--cert-out", "--control", "--alert", "--no-hard-drive",
          "--delay", "--http-error", "--document", "--feed-date"}) {
        EXPECT_NE(out.find(option), std::string::npos) << option;
    }
    close(child.Out);
    close(child.Err);
}

} // namespace
