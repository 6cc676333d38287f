#include "simulator/ControlRoutes.h"

#include "simulator/ListenAddress.h"
#include "simulator/SettingValues.h"

namespace kaldo::simulator {

namespace {

using httplib::Request;
using httplib::Response;

constexpr const char* kText = "text/plain; charset=utf-8";

constexpr const char* kHelp =
    "GET  /printers                  index and address of each printer\n"
    "GET  /printer/N                 printer N's settings\n"
    "POST /printer/N?name=value...   change printer N (model, serial, firmware, supplies,\n"
    "                                toner, alert, hard-drive, delay, http-error, document,\n"
    "                                oversize)\n"
    "POST /printer/N/reset           back to the state it started with\n"
    "GET  /site                      the site's settings\n"
    "POST /site?name=value...        change the site (feed-date, web-marker, delay)\n"
    "POST /site/reset                back to the state it started with\n"
    "GET  /requests                  the latest requests, one per line\n"
    "POST /requests/clear            forget them\n"
    "A POST needs a body or Content-Length: 0 (curl: -d '' or -d name=value).\n";

void Refuse(Response& res, int status, const std::string& message) {
    res.status = status;
    res.set_content(message + "\n", kText);
}

PrinterInstance* FindPrinter(const std::vector<std::unique_ptr<PrinterInstance>>& printers,
                             const Request& req, Response& res) {
    long long index = 0;
    if (!ParseBoundedInt(req.matches[1].str(), 0, static_cast<long long>(printers.size()) - 1,
                         index)) {
        Refuse(res, 404, "no printer " + req.matches[1].str());
        return nullptr;
    }
    return printers[static_cast<std::size_t>(index)].get();
}

// Applies every parameter to a copy and keeps it only when all of them were accepted.
template <class State, class Apply>
bool ApplyAll(Guarded<State>& guarded, const httplib::Params& params, Apply apply,
              std::string& error) {
    return guarded.Update([&](State& state) {
        State changed = state;
        for (const auto& [name, value] : params) {
            if (!apply(changed, name, value, error))
                return false;
        }
        state = std::move(changed);
        return true;
    });
}

} // namespace

void InstallControlRoutes(httplib::Server& server,
                          const std::vector<std::unique_ptr<PrinterInstance>>& printers,
                          SiteInstance& site, RequestLog& log) {
    server.Get("/", [](const Request&, Response& res) { res.set_content(kHelp, kText); });

    server.Get("/printers", [&printers](const Request&, Response& res) {
        std::string text;
        for (std::size_t i = 0; i < printers.size(); ++i)
            text += std::to_string(i) + " " + FormatHostPort(printers[i]->Address) + "\n";
        res.set_content(text, kText);
    });

    server.Get(R"(/printer/(\d+))", [&printers](const Request& req, Response& res) {
        PrinterInstance* printer = FindPrinter(printers, req, res);
        if (printer == nullptr)
            return;
        if (!req.params.empty()) {
            Refuse(res, 405, "use POST to change settings");
            return;
        }
        res.set_content(DescribePrinterState(printer->State.Get()), kText);
    });

    server.Post(R"(/printer/(\d+))", [&printers](const Request& req, Response& res) {
        PrinterInstance* printer = FindPrinter(printers, req, res);
        if (printer == nullptr)
            return;
        std::string error;
        if (!ApplyAll(printer->State, req.params, ApplyPrinterSetting, error)) {
            Refuse(res, 400, error);
            return;
        }
        res.set_content(DescribePrinterState(printer->State.Get()), kText);
    });

    server.Post(R"(/printer/(\d+)/reset)", [&printers](const Request& req, Response& res) {
        PrinterInstance* printer = FindPrinter(printers, req, res);
        if (printer == nullptr)
            return;
        printer->State.Set(printer->Initial);
        res.set_content(DescribePrinterState(printer->Initial), kText);
    });

    server.Get("/site", [&site](const Request& req, Response& res) {
        if (!req.params.empty()) {
            Refuse(res, 405, "use POST to change settings");
            return;
        }
        res.set_content(DescribeSiteState(site.State.Get()), kText);
    });

    server.Post("/site", [&site](const Request& req, Response& res) {
        std::string error;
        if (!ApplyAll(site.State, req.params, ApplySiteSetting, error)) {
            Refuse(res, 400, error);
            return;
        }
        res.set_content(DescribeSiteState(site.State.Get()), kText);
    });

    server.Post("/site/reset", [&site](const Request&, Response& res) {
        site.State.Set(site.Initial);
        res.set_content(DescribeSiteState(site.Initial), kText);
    });

    server.Get("/requests", [&log](const Request&, Response& res) {
        std::string text;
        for (const auto& line : log.Lines())
            text += line + "\n";
        res.set_content(text, kText);
    });

    server.Post("/requests/clear", [&log](const Request&, Response& res) {
        log.Clear();
        res.set_content("", kText);
    });
}

} // namespace kaldo::simulator
