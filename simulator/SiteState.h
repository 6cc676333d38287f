#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

inline constexpr std::string_view kDefaultFeedDate = "Tue, 10 Jun 2025 12:00:00 GMT";

struct SiteState {
    std::string FeedDate{kDefaultFeedDate}; // //channel/pubDate of the update feed
    bool WebMarker = true;                  // refreshed pages carry "<!-- toolbox -->"
    int DelayMs = 0;                        // every answer of the site waits this long
    bool Hostile = false;                   // refreshed pages try to act for the user
};

// Settings: feed-date, web-marker, delay, hostile. On failure the state is unchanged.
bool ApplySiteSetting(SiteState& state, std::string_view name, std::string_view value,
                      std::string& error);

std::string DescribeSiteState(const SiteState& state);

} // namespace kaldo::simulator
