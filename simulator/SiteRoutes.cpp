#include "simulator/SiteRoutes.h"

#include "simulator/ContentItem.h"
#include "simulator/ListenAddress.h"
#include "simulator/SiteContent.h"

#include <algorithm>
#include <cctype>

namespace kaldo::simulator {

namespace {

using httplib::Request;
using httplib::Response;

constexpr const char* kHtml = "text/html; charset=utf-8";

bool IsHostHeader(const std::string& host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == ':' || c == '-' || c == '[' || c == ']';
    });
}

// The site's own address as the client named it, so that links work through "localhost".
std::string SiteUrl(const Request& req, bool secure) {
    std::string host = req.get_header_value("Host");
    if (!IsHostHeader(host))
        host = FormatHostPort(req.local_addr, req.local_port);
    return std::string(secure ? "https://" : "http://") + host + "/";
}

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '_' || c == '.' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0f];
        }
    }
    return encoded;
}

void AnswerContentItem(const std::string& name, const SiteState& site, const std::string& siteUrl,
                       Response& res) {
    const ContentItem item = ClassifyContentItem(name);
    switch (item.Kind) {
    case ContentItemKind::Refused:
        res.status = 400;
        res.set_content(BuildErrorPage(400, "That file name is not allowed."), kHtml);
        return;
    case ContentItemKind::Missing:
        res.status = 404;
        res.set_content(BuildErrorPage(404, "No such file on the Kaldo web site."), kHtml);
        return;
    case ContentItemKind::Broken:
        res.status = 500;
        res.set_content(BuildErrorPage(500, "The Kaldo web site has a problem."), kHtml);
        return;
    case ContentItemKind::SoftMissing:
        res.set_content(BuildSitePage("Page not found", "No such file on the Kaldo web site."),
                        kHtml);
        return;
    case ContentItemKind::Redirect:
        res.set_content(BuildRedirectPage(siteUrl + "files/" + PercentEncode(item.Name)), kHtml);
        return;
    case ContentItemKind::WebPage:
        res.set_content(BuildWebPage(item.Name, site.WebMarker && !IsPlainWebPage(item.Name),
                                     site.Hostile ? siteUrl : std::string()),
                        item.ContentType.c_str());
        return;
    case ContentItemKind::Video:
        res.set_content(BuildVideo(item.Name), item.ContentType.c_str());
        return;
    case ContentItemKind::Document:
        res.set_content(BuildPdf("Kaldo document " + item.Name), item.ContentType.c_str());
        return;
    }
}

void AnswerPage(Response& res, std::string_view title, std::string_view text) {
    res.set_content(BuildSitePage(title, text), kHtml);
}

} // namespace

void InstallSiteRoutes(httplib::Server& server, SiteInstance& site, StopSignal& stop, bool secure) {
    // Documents, videos and refreshed pages are asked for as "<model page>&FileName=<name>",
    // so a FileName parameter wins on every path.
    server.set_pre_routing_handler([&site, &stop, secure](const Request& req, Response& res) {
        const SiteState state = site.State.Get();
        if (state.DelayMs > 0 && !stop.WaitFor(std::chrono::milliseconds(state.DelayMs))) {
            res.status = 503;
            res.set_content(BuildErrorPage(503, "The site is shutting down."), kHtml);
            return httplib::Server::HandlerResponse::Handled;
        }
        if (req.method != "GET" && req.method != "HEAD")
            return httplib::Server::HandlerResponse::Unhandled;
        if (!req.has_param("FileName"))
            return httplib::Server::HandlerResponse::Unhandled;
        AnswerContentItem(req.get_param_value("FileName"), state, SiteUrl(req, secure), res);
        return httplib::Server::HandlerResponse::Handled;
    });

    server.Get("/", [](const Request&, Response& res) {
        AnswerPage(res, "Kaldo", "Welcome to the Kaldo web site.");
    });
    server.Get("/product/model.html", [](const Request& req, Response& res) {
        const auto query = req.target.find('?');
        AnswerPage(res, "Kaldo product page",
                   "Model page for " + (query == std::string::npos ? std::string("all models")
                                                                   : req.target.substr(query + 1)));
    });
    server.Get(R"(/supplies/(.+))", [](const Request& req, Response& res) {
        AnswerPage(res, "Kaldo supplies", "Supplies for " + req.matches[1].str());
    });
    server.Get(R"(/service/(.+))", [](const Request& req, Response& res) {
        AnswerPage(res, "Kaldo service", "Service for " + req.matches[1].str());
    });
    server.Get(R"(/uat/(.+))", [](const Request& req, Response& res) {
        AnswerPage(res, "Kaldo user acceptance", "Questionnaire in " + req.matches[1].str());
    });
    server.Get("/download", [](const Request&, Response& res) {
        res.status = 400;
        res.set_content(BuildErrorPage(400, "Name a file with FileName=."), kHtml);
    });
    server.Get(R"(/files/(.+))", [&site, secure](const Request& req, Response& res) {
        AnswerContentItem(req.matches[1].str(), site.State.Get(), SiteUrl(req, secure), res);
    });
    server.Get(R"(/web/(.+))", [&site, secure](const Request& req, Response& res) {
        const std::string name = req.matches[1].str();
        if (ClassifyContentItem(name).Kind != ContentItemKind::WebPage) {
            res.status = 404;
            return;
        }
        AnswerContentItem(name, site.State.Get(), SiteUrl(req, secure), res);
    });
    server.Get(R"(/updates/([^/]+\.xml))", [&site, secure](const Request& req, Response& res) {
        res.set_content(BuildUpdateFeed(site.State.Get().FeedDate, SiteUrl(req, secure)),
                        "text/xml; charset=utf-8");
    });
}

} // namespace kaldo::simulator
