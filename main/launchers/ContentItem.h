#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// How much of a downloaded file is looked at to tell a document from a web page.
inline constexpr size_t kDownloadHeadBytes = 1024;

// The file named by a "doc:" or "video:" item: the text after the first "FileName=" (exact
// case); nothing when the item names none.
std::optional<std::string> ItemFileName(std::string_view item);

// A name that stays in its folder: not empty, not "." or "..", no '/' or '\', no control
// characters.
bool IsPlainFileName(std::string_view name);

// Items the maker's web site shows itself: names containing ".html", ".htm" or ".swf".
bool IsWebContent(std::string_view name);
bool IsFlashContent(std::string_view name);

// An "http://" or "https://" address (scheme without regard to case).
bool IsWebAddress(std::string_view address);

// What a downloaded file turned out to be, judged by its first kDownloadHeadBytes bytes. An
// HTML page is recognised by "<html" or "<!doctype html" in any letter case.
enum class DownloadKind {
    Wanted,   // no HTML page: the file itself
    Redirect, // a page whose title is a web address: the file moved there
    Page,     // any other page (an error or notice page): not the file, never to be kept
};
struct DownloadedContent {
    DownloadKind Kind = DownloadKind::Wanted;
    std::string Address;
};
DownloadedContent InspectDownload(std::string_view head);

// The kinds of file the program hands to the desktop, by the extension of their name.
bool HasDocumentExtension(std::string_view name); // PDF, web page, text, office document
bool HasVideoExtension(std::string_view name);    // the usual video containers

// Whether a fetched file is what it claims to be, by its first bytes: a document a PDF (its
// header within the first kDownloadHeadBytes bytes), a video one of the usual containers.
bool LooksLikePdf(std::string_view head);
bool LooksLikeVideo(std::string_view head);

// Whether the desktop may be given the local file `path`: a file (not a folder or a device)
// inside `contentFolder` (the path read as it stands, "." and ".." resolved), without any
// execute permission, whose name has a document or video extension. A desktop entry, a
// script or a program never is.
bool IsOpenableContentFile(const std::string& path, const std::string& contentFolder);

// The first kDownloadHeadBytes bytes of a file; empty when it cannot be read.
std::string ReadHead(const std::string& path);

} // namespace kaldo
