#include "simulator/SimulatorOptions.h"

namespace kaldo::simulator {

namespace {

enum class Listener { Printer, Site, Https, Control };

struct ListenerOption {
    std::string_view Name;
    simulator::Listener Listener;
};

constexpr ListenerOption kListeners[] = {
    {"printer", Listener::Printer},
    {"site", Listener::Site},
    {"https", Listener::Https},
    {"control", Listener::Control},
};

struct SiteOption {
    std::string_view Option;
    std::string_view Setting;
};

constexpr SiteOption kSiteOptions[] = {
    {"feed-date", "feed-date"},
    {"web-marker", "web-marker"},
    {"site-delay", "delay"},
    {"hostile", "hostile"},
};

const ListenerOption* FindListener(std::string_view name) {
    for (const auto& option : kListeners) {
        if (option.Name == name)
            return &option;
    }
    return nullptr;
}

const SiteOption* FindSiteOption(std::string_view name) {
    for (const auto& option : kSiteOptions) {
        if (option.Option == name)
            return &option;
    }
    return nullptr;
}

} // namespace

ParseOutcome ParseSimulatorOptions(const std::vector<std::string>& arguments,
                                   SimulatorOptions& options, std::string& error) {
    SimulatorOptions parsed;
    PrinterState defaults;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            return ParseOutcome::Help;
        if (!argument.starts_with("--")) {
            error = "unexpected argument '" + argument + "'";
            return ParseOutcome::UsageError;
        }

        std::string name = argument.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }

        if (!inlineValue && (name == "no-hard-drive" || name == "quiet")) {
            if (name == "quiet")
                parsed.LogRequests = false;
            else if (!ApplyPrinterSetting(parsed.Printers.empty() ? defaults
                                                                  : parsed.Printers.back().State,
                                          "hard-drive", "no", error))
                return ParseOutcome::UsageError;
            continue;
        }

        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            error = "--" + name + " needs a value";
            return ParseOutcome::UsageError;
        }

        if (const auto* listener = FindListener(name)) {
            ListenAddress address;
            switch (ParseListenAddress(value, address, error)) {
            case AddressCheck::Malformed:
                error = "--" + name + ": " + error;
                return ParseOutcome::UsageError;
            case AddressCheck::NotLoopback:
                error = "--" + name + ": " + error;
                return ParseOutcome::NotLoopback;
            case AddressCheck::Ok:
                break;
            }
            switch (listener->Listener) {
            case Listener::Printer:
                parsed.Printers.push_back({address, defaults});
                break;
            case Listener::Site:
                parsed.Site = address;
                break;
            case Listener::Https:
                parsed.Https = address;
                break;
            case Listener::Control:
                parsed.Control = address;
                break;
            }
        } else if (name == "cert-out") {
            parsed.CertOut = value;
        } else if (const auto* site = FindSiteOption(name)) {
            if (!ApplySiteSetting(parsed.SiteState, site->Setting, value, error)) {
                error = "--" + name + ": " + error;
                return ParseOutcome::UsageError;
            }
        } else if (IsPrinterSetting(name)) {
            PrinterState& target =
                parsed.Printers.empty() ? defaults : parsed.Printers.back().State;
            if (!ApplyPrinterSetting(target, name, value, error)) {
                error = "--" + name + ": " + error;
                return ParseOutcome::UsageError;
            }
        } else {
            error = "unknown option '--" + name + "' (see --help)";
            return ParseOutcome::UsageError;
        }
    }

    if (parsed.Printers.empty() && !parsed.Site && !parsed.Https && !parsed.Control) {
        error = "nothing to serve: give at least one of --printer, --site, --https, --control";
        return ParseOutcome::UsageError;
    }
    if (!parsed.CertOut.empty() && !parsed.Https) {
        error = "--cert-out needs --https";
        return ParseOutcome::UsageError;
    }
    options = std::move(parsed);
    return ParseOutcome::Run;
}

std::string UsageText() {
    return R"(Usage: kaldosim [OPTIONS]

Simulates Kaldo printers' web servers and the Kaldo web site on loopback addresses only
(127.0.0.0/8, ::1, localhost). ADDR:PORT may use port 0 for a free port; IPv6 as [::1]:PORT.
Once every listener is bound it prints one line to stdout:
  ready printer=ADDR:PORT ... site=ADDR:PORT https=ADDR:PORT control=ADDR:PORT
Each answered request is logged to stderr. SIGTERM or SIGINT ends it with exit code 0.

Listeners:
  --printer ADDR:PORT    a printer's web server; repeat for more printers
  --site ADDR:PORT       the maker's web site over HTTP
  --https ADDR:PORT      the maker's web site over HTTPS, with a self-signed certificate
  --cert-out FILE        write that certificate (PEM) to FILE for clients to trust
  --control ADDR:PORT    the control endpoint that changes the state while running
  --quiet                do not log requests to stderr

Printer state (applies to the --printer before it; before the first --printer, to all):
  --model NAME           model name (default "Kaldo Presslane 3020")
  --serial TEXT          serial number
  --firmware TEXT        firmware version
  --name TEXT            the printer's network name (default "KP3020-Office")
  --location TEXT        where it stands (default "Second floor")
  --supplies colour|mono colour toner (black, cyan, magenta, yellow) or black only
  --toner C:L[,C:L...]   toner levels 0-100, e.g. black:5,cyan:60
  --alert LIST           none or a comma list of paperJam, paperOut, tonerLow, tonerEmpty,
                         coverOpen, offline
  --no-hard-drive        leave out the "Hard Drive" option (same as --hard-drive no)
  --hard-drive yes|no
  --delay MS             wait MS milliseconds before every answer
  --http-error CODE      answer every request with this status (400-599; 0 = off)
  --document KIND        status document: normal, malformed, oversized, entity (external
                         entity), laughs (nested entities), script (<script> in the texts),
                         traversal (icon path with ..)
  --oversize BYTES       size of the oversized document (default 8388608)

Site state:
  --feed-date TEXT       pubDate of the update feed (default "Tue, 10 Jun 2025 12:00:00 GMT")
  --web-marker yes|no    whether web pages carry "<!-- toolbox -->" (default yes)
  --site-delay MS        wait MS milliseconds before every answer of the site
  --hostile yes|no       refreshed web pages carry script that tries to act for the user
                         (switch the printer, send a local file to the site, open files
                         through the desktop) (default no)

Printer URLs: /status/devicestatus.xml?language=XX, /images/status/{ready,warning,error}.png,
  /, /config.html, /supplies.html
Site URLs: / (home), /product/model.html, /supplies/X, /service/X, /uat/X,
  /updates/KTWUpdates.xml, /web/PAGE.html, /files/NAME, and any URL with FileName=NAME:
  NAME.html a web page (no marker if NAME starts with "plain"), NAME.mp4 (and other video
  types) a video, "missing..." 404, "broken..." 500, "notfound..." a 200 answer that is an
  HTML "not found" page, "redirect-X" an HTML page whose TITLE is the address
  of X, anything else a PDF (NAME or NAME.pdf).
Control URLs: GET /printers, GET|POST /printer/N[?setting=value...], POST /printer/N/reset,
  GET|POST /site[?setting=value...], POST /site/reset, GET /requests, POST /requests/clear
  (settings are the option names above without "--"; the site's delay is "delay"; a POST
  needs a body or Content-Length: 0, e.g. curl -d '' or curl -d alert=paperJam).
)";
}

} // namespace kaldo::simulator
