#pragma once

#include <array>
#include <string_view>

namespace kaldo::links {

// The markers of the program's link forms. A link acts when its text holds one; the pages the
// program writes and its automation make links with the same markers.
inline constexpr std::string_view kShellDocument = "htmldocs";
inline constexpr std::string_view kPrinterWebPage = "pweb:";
inline constexpr std::string_view kWeb = "http://";
inline constexpr std::string_view kSecureWeb = "https://";
inline constexpr std::string_view kModelPage = "printermodelurl:";
inline constexpr std::string_view kUserGuide = "uat:";
inline constexpr std::string_view kService = "serviceurl:";
inline constexpr std::string_view kSupplies = "suppliesurl:";
inline constexpr std::string_view kQuickStart = "qst:";
inline constexpr std::string_view kDocument = "doc:";
inline constexpr std::string_view kVideo = "video:";
inline constexpr std::string_view kTab = "tab#";
inline constexpr std::string_view kPage = "page#";
inline constexpr std::string_view kPdf = "pdfs";
inline constexpr std::string_view kDriverUtility = "ps:";
inline constexpr std::string_view kDriverSettings = "util-driver:";
inline constexpr std::string_view kSelectPrinter = "sp:";
inline constexpr std::string_view kSearch = "util-search:";
inline constexpr std::string_view kSearchField = "keywords=";
inline constexpr std::string_view kRefreshStatus = "util-rs:";
// The header's search form may post to this; it names no action of its own.
inline constexpr std::string_view kSearchForm = "search:";
// The engine's own error pages.
inline constexpr std::string_view kEngineError = "ieframe.dll";

// Every marker above: a navigation a page starts by itself that holds one is dropped.
inline constexpr std::array<std::string_view, 22> kAll = {
    kShellDocument, kPrinterWebPage,
    kWeb,           kSecureWeb,
    kModelPage,     kUserGuide,
    kService,       kSupplies,
    kQuickStart,    kDocument,
    kVideo,         kTab,
    kPage,          kPdf,
    kDriverUtility, kDriverSettings,
    kSelectPrinter, kSearch,
    kSearchField,   kRefreshStatus,
    kSearchForm,    kEngineError,
};

// Pages that must not stay in a pane, compared without regard to case.
inline constexpr std::array<std::string_view, 3> kErrorPage = {"error", "syntax", "wwhelp"};

} // namespace kaldo::links
