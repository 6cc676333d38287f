#include "simulator/PrinterRoutes.h"

#include "simulator/Markup.h"
#include "simulator/SiteContent.h"
#include "simulator/StatusDocument.h"
#include "simulator/StatusIcon.h"

namespace kaldo::simulator {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";

std::string Row(std::string_view label, std::string_view value) {
    return "<tr><th>" + EscapeMarkup(label) + "</th><td>" + EscapeMarkup(value) + "</td></tr>\n";
}

std::string PrinterPage(const PrinterState& state, std::string_view heading,
                        const std::string& rows) {
    const std::string model = EscapeMarkup(state.ModelName);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
           "<title>" +
           model + " - " + EscapeMarkup(heading) +
           "</title></head>\n<body>\n"
           "<h1>" +
           model +
           "</h1>\n"
           "<nav><a href=\"/\">Home</a> | <a href=\"/config.html\">Configuration</a> | "
           "<a href=\"/supplies.html\">Supplies</a></nav>\n"
           "<h2>" +
           EscapeMarkup(heading) + "</h2>\n<table>\n" + rows +
           "</table>\n"
           "</body>\n</html>\n";
}

std::string HomeRows(const PrinterState& state) {
    const PrinterCondition condition = ConditionOf(state);
    std::string rows = Row("Status", condition.StatusText);
    for (const auto alert : state.Alerts)
        rows += Row(AlertSeverity(alert) == "error" ? "Error" : "Warning", AlertText(alert));
    return rows;
}

std::string ConfigRows(const PrinterState& state) {
    std::string rows = Row("Serial number", state.SerialNumber);
    rows += Row("Firmware", state.Firmware);
    rows += Row("Hard Drive", state.HardDrive ? "Installed" : "Not Installed");
    rows += Row("Duplex Unit", "Installed");
    rows += Row("Tray 2", "Not Installed");
    return rows;
}

std::string SupplyRows(const PrinterState& state) {
    std::string rows = Row("Black Toner", std::to_string(state.Toner.Black) + "%");
    if (state.Colour) {
        rows += Row("Cyan Toner", std::to_string(state.Toner.Cyan) + "%");
        rows += Row("Magenta Toner", std::to_string(state.Toner.Magenta) + "%");
        rows += Row("Yellow Toner", std::to_string(state.Toner.Yellow) + "%");
    }
    return rows;
}

} // namespace

void InstallPrinterRoutes(httplib::Server& server, PrinterInstance& printer, StopSignal& stop) {
    using httplib::Request;
    using httplib::Response;

    server.set_pre_routing_handler([&printer, &stop](const Request&, Response& res) {
        const PrinterState state = printer.State.Get();
        if (state.DelayMs > 0 && !stop.WaitFor(std::chrono::milliseconds(state.DelayMs))) {
            res.status = 503;
            res.set_content(BuildErrorPage(503, "The printer is shutting down."), kHtml);
            return httplib::Server::HandlerResponse::Handled;
        }
        if (state.HttpError != 0) {
            res.status = state.HttpError;
            res.set_content(BuildErrorPage(state.HttpError, "The printer could not answer."),
                            kHtml);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    server.Get("/status/devicestatus.xml", [&printer](const Request&, Response& res) {
        res.set_content(BuildStatusDocument(printer.State.Get()), "text/xml; charset=utf-8");
    });

    server.Get(R"(/images/status/([^/]+))", [](const Request& req, Response& res) {
        std::string png = BuildStatusIcon(req.matches[1].str());
        if (png.empty()) {
            res.status = 404;
            return;
        }
        res.set_content(std::move(png), "image/png");
    });

    server.Get("/", [&printer](const Request&, Response& res) {
        const PrinterState state = printer.State.Get();
        res.set_content(PrinterPage(state, "Status", HomeRows(state)), kHtml);
    });
    server.Get("/config.html", [&printer](const Request&, Response& res) {
        const PrinterState state = printer.State.Get();
        res.set_content(PrinterPage(state, "Configuration", ConfigRows(state)), kHtml);
    });
    server.Get("/supplies.html", [&printer](const Request&, Response& res) {
        const PrinterState state = printer.State.Get();
        res.set_content(PrinterPage(state, "Supplies", SupplyRows(state)), kHtml);
    });
}

} // namespace kaldo::simulator
