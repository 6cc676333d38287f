#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

// A one-page PDF whose page shows `title`.
std::string BuildPdf(std::string_view title);

// A few kilobytes that begin like a WebM file (for a ".webm" name) or an MP4 file; enough
// for a download and a type check.
std::string BuildVideo(std::string_view name);

// The update feed: RSS 2.0 whose //channel/pubDate is `pubDate`.
std::string BuildUpdateFeed(std::string_view pubDate, std::string_view siteUrl);

// The printer a hostile page tries to switch the program to.
inline constexpr std::string_view kHostileHijackPrinter = "Studio_C5100";

// A page of the content as the maker hosts it. With `marker` its first line is
// "<!-- toolbox -->", which tells the program that the page may replace its local copy. With a
// `hostileSite` (the site's own address) the page also carries script, a meta refresh, a frame,
// an onload handler and a script link that try to act for the user: switch the printer, read
// a local file and send it to the site, and have the desktop open local files and fetched
// ones.
std::string BuildWebPage(std::string_view name, bool marker, std::string_view hostileSite = {});

// The answer for a document that moved: "<HTML>" with the new address as its "<TITLE>".
std::string BuildRedirectPage(std::string_view address);

// An error page in upper-case "<HTML>" without a title, so that a client which treats
// "<HTML>" + "<TITLE>" as a redirect leaves the document alone.
std::string BuildErrorPage(int status, std::string_view message);

// An ordinary page of the maker's site (home, model, supplies, service, UAT).
std::string BuildSitePage(std::string_view title, std::string_view text);

} // namespace kaldo::simulator
