#include "platform/spooler/IppDevice.h"

#include "platform/AsciiText.h"
#include "platform/spooler/CupsHandles.h"
#include "platform/spooler/IppAttributes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace kaldo {

namespace {

// How often a wait for the printer looks at its deadline and the stop flag.
constexpr double kWaitSliceSeconds = 0.1;

struct WaitLimit {
    DeviceDeadline Deadline;
    const std::atomic<bool>* Stop;
};

int KeepWaiting(http_t*, void* context) {
    const auto* limit = static_cast<const WaitLimit*>(context);
    return !limit->Stop->load() && std::chrono::steady_clock::now() < limit->Deadline ? 1 : 0;
}

std::string_view SchemeOf(std::string_view uri) {
    const size_t colon = uri.find(':');
    return colon == std::string_view::npos ? std::string_view() : uri.substr(0, colon);
}

// The value of `key` in "key=value;key=value;".
std::string KeyValue(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        const std::string_view pair = text.substr(0, text.find(';'));
        text.remove_prefix(std::min(text.size(), pair.size() + 1));
        const size_t equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == key)
            return std::string(pair.substr(equals + 1));
    }
    return {};
}

std::optional<int> Number(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < -1000000 || value > 1000000)
        return std::nullopt;
    return int(value);
}

// "wasteToner" -> "waste-toner", as marker-types names the supply types.
std::string KeywordOf(std::string_view camel) {
    std::string keyword;
    for (char c : camel) {
        if (c >= 'A' && c <= 'Z') {
            if (!keyword.empty())
                keyword += '-';
            keyword += AsciiLower(c);
        } else {
            keyword += c;
        }
    }
    return keyword;
}

struct Colorant {
    std::string_view Name;
    std::string_view Hex;
};

constexpr Colorant kColorants[] = {
    {"black", "#000000"},      {"photo-black", "#000000"},   {"matte-black", "#000000"},
    {"cyan", "#00FFFF"},       {"magenta", "#FF00FF"},       {"yellow", "#FFFF00"},
    {"light-cyan", "#80FFFF"}, {"light-magenta", "#FF80FF"}, {"gray", "#808080"},
    {"light-gray", "#C0C0C0"}, {"red", "#FF0000"},           {"green", "#00FF00"},
    {"blue", "#0000FF"},       {"orange", "#FF8000"},        {"white", "#FFFFFF"},
};

std::string ColorOf(const std::string& colorant) {
    const std::string keyword = KeywordOf(colorant);
    for (const Colorant& known : kColorants) {
        if (known.Name == keyword)
            return std::string(known.Hex);
    }
    return {};
}

// Connects to the printer and sends it Get-Printer-Attributes for `attributes`.
CupsIppHandle AskPrinter(const std::string& deviceUri, const WaitLimit& limit,
                         const std::vector<const char*>& attributes) {
    std::array<char, 32> scheme{};
    std::array<char, 256> user{};
    std::array<char, 256> host{};
    std::array<char, 1024> resource{};
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, deviceUri.c_str(), scheme.data(), int(scheme.size()),
                        user.data(), int(user.size()), host.data(), int(host.size()), &port,
                        resource.data(), int(resource.size())) < HTTP_URI_STATUS_OK ||
        !*host.data())
        return nullptr;
    const std::string_view schemeName = scheme.data();
    const bool secure = schemeName == "ipps" || schemeName == "https";

    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        limit.Deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || limit.Stop->load())
        return nullptr;
    CupsHttpHandle http(httpConnect2(host.data(), port, nullptr, AF_UNSPEC,
                                     secure ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED,
                                     1, int(left.count()), nullptr));
    if (!http)
        return nullptr;
    httpSetTimeout(http.get(), kWaitSliceSeconds, KeepWaiting, const_cast<WaitLimit*>(&limit));

    // The printer is addressed by its own URI, which for http printers is ipp in IPP terms.
    char printerUri[HTTP_MAX_URI];
    if (httpAssembleURI(HTTP_URI_CODING_ALL, printerUri, sizeof printerUri, secure ? "ipps" : "ipp",
                        nullptr, host.data(), port, resource.data()) != HTTP_URI_STATUS_OK)
        return nullptr;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(attributes.size()), nullptr, attributes.data());
    CupsIppHandle response(cupsDoRequest(http.get(), request, resource.data()));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING ||
        limit.Stop->load())
        return nullptr;
    return response;
}

} // namespace

bool IsIppDeviceUri(std::string_view deviceUri) {
    const std::string_view scheme = SchemeOf(deviceUri);
    return scheme == "ipp" || scheme == "ipps" || scheme == "http" || scheme == "https" ||
           scheme == "dnssd";
}

std::string DeviceIdField(std::string_view deviceId, std::string_view shortKey,
                          std::string_view longKey) {
    while (!deviceId.empty()) {
        std::string_view pair = deviceId.substr(0, deviceId.find(';'));
        deviceId.remove_prefix(std::min(deviceId.size(), pair.size() + 1));
        const size_t colon = pair.find(':');
        if (colon == std::string_view::npos)
            continue;
        std::string_view key = pair.substr(0, colon);
        while (!key.empty() && key.front() == ' ')
            key.remove_prefix(1);
        if (EqualsIgnoringCase(key, shortKey) || EqualsIgnoringCase(key, longKey))
            return std::string(pair.substr(colon + 1));
    }
    return {};
}

std::vector<std::string> DeviceModelNames(const DeviceIdentity& identity) {
    std::vector<std::string> names;
    if (!identity.MakeAndModel.empty())
        names.push_back(identity.MakeAndModel);
    const std::string maker = DeviceIdField(identity.DeviceId, "MFG", "MANUFACTURER");
    const std::string model = DeviceIdField(identity.DeviceId, "MDL", "MODEL");
    if (!model.empty())
        names.push_back(maker.empty() ? model : maker + " " + model);
    return names;
}

std::vector<QueueMarker> MarkersFromSupplies(const std::vector<std::string>& supplies,
                                             const std::vector<std::string>& descriptions) {
    std::vector<QueueMarker> markers;
    for (size_t i = 0; i < supplies.size(); ++i) {
        const std::string& supply = supplies[i];
        QueueMarker marker;
        marker.Name = i < descriptions.size() ? descriptions[i] : std::string();
        marker.Type = KeywordOf(KeyValue(supply, "type"));
        marker.Color = ColorOf(KeyValue(supply, "colorantname"));
        const std::optional<int> level = Number(KeyValue(supply, "level"));
        const std::optional<int> capacity = Number(KeyValue(supply, "maxcapacity"));
        // Negative levels and capacities stand for "unknown" and "some left".
        if (level && capacity && *level >= 0 && *capacity > 0)
            marker.Level = std::clamp(int(std::int64_t(*level) * 100 / *capacity), 0, 100);
        markers.push_back(std::move(marker));
    }
    return markers;
}

QueueAlert AlertFromValue(std::string_view value, std::string description) {
    return {KeyValue(value, "code"), KeyValue(value, "severity"), std::move(description)};
}

std::optional<DeviceIdentity> AskDeviceIdentity(const std::string& deviceUri,
                                                DeviceDeadline deadline,
                                                const std::atomic<bool>& stop) {
    const WaitLimit limit{deadline, &stop};
    const CupsIppHandle response =
        AskPrinter(deviceUri, limit, {"printer-make-and-model", "printer-device-id"});
    if (!response)
        return std::nullopt;
    DeviceIdentity identity{
        IppText(ippFindAttribute(response.get(), "printer-make-and-model", IPP_TAG_TEXT)),
        IppText(ippFindAttribute(response.get(), "printer-device-id", IPP_TAG_TEXT))};
    if (identity.MakeAndModel.empty() && identity.DeviceId.empty())
        return std::nullopt;
    return identity;
}

std::optional<QueueState> AskDeviceState(const std::string& deviceUri, DeviceDeadline deadline,
                                         const std::atomic<bool>& stop) {
    const WaitLimit limit{deadline, &stop};
    const CupsIppHandle response =
        AskPrinter(deviceUri, limit,
                   {"printer-state", "printer-state-reasons", "printer-state-message",
                    "printer-alert", "printer-alert-description", "marker-names", "marker-levels",
                    "marker-colors", "marker-types", "printer-supply", "printer-supply-description",
                    "printer-make-and-model", "printer-location"});
    if (!response)
        return std::nullopt;
    std::optional<QueueState> state = QueueStateFromAttributes(response.get());
    if (!state)
        return std::nullopt;
    state->Origin = StateOrigin::Printer;
    if (state->Markers.empty())
        state->Markers = MarkersFromSupplies(
            IppTexts(ippFindAttribute(response.get(), "printer-supply", IPP_TAG_ZERO)),
            IppTexts(ippFindAttribute(response.get(), "printer-supply-description", IPP_TAG_ZERO)));
    const std::vector<std::string> descriptions =
        IppTexts(ippFindAttribute(response.get(), "printer-alert-description", IPP_TAG_ZERO));
    const std::vector<std::string> alerts =
        IppTexts(ippFindAttribute(response.get(), "printer-alert", IPP_TAG_ZERO));
    for (size_t i = 0; i < alerts.size(); ++i)
        state->Alerts.push_back(
            AlertFromValue(alerts[i], i < descriptions.size() ? descriptions[i] : std::string()));
    return state;
}

} // namespace kaldo
