#include "simulator/SiteState.h"

#include "simulator/SettingValues.h"

namespace kaldo::simulator {

bool ApplySiteSetting(SiteState& state, std::string_view name, std::string_view value,
                      std::string& error) {
    if (name == "feed-date") {
        // Any text is served as it is, so clients can be fed unreadable dates too.
        for (const unsigned char c : value) {
            if (c < 0x20) {
                error = "feed-date must be one line of text";
                return false;
            }
        }
        state.FeedDate = value;
        return true;
    }
    if (name == "web-marker") {
        if (!ParseYesNo(value, state.WebMarker)) {
            error = "web-marker is yes or no, not '" + std::string(value) + "'";
            return false;
        }
        return true;
    }
    if (name == "hostile") {
        if (!ParseYesNo(value, state.Hostile)) {
            error = "hostile is yes or no, not '" + std::string(value) + "'";
            return false;
        }
        return true;
    }
    if (name == "delay") {
        long long number = 0;
        if (!ParseBoundedInt(value, 0, 600000, number)) {
            error =
                "delay is a number of milliseconds (0-600000), not '" + std::string(value) + "'";
            return false;
        }
        state.DelayMs = static_cast<int>(number);
        return true;
    }
    error = "unknown site setting '" + std::string(name) + "'";
    return false;
}

std::string DescribeSiteState(const SiteState& state) {
    return "feed-date=" + state.FeedDate + "\n" + "web-marker=" + (state.WebMarker ? "yes" : "no") +
           "\n" + "delay=" + std::to_string(state.DelayMs) + "\n" +
           "hostile=" + (state.Hostile ? "yes" : "no") + "\n";
}

} // namespace kaldo::simulator
