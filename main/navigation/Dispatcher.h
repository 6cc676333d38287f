#pragma once

#include "main/navigation/NavigationActions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// Decides what a navigation that a pane is about to make means: one of the program's own
// link forms (carried out, answer true: cancel the load) or an ordinary page (answer false).
// A link form that the page started by itself, and a file outside the content folders, are
// cancelled and nothing else happens. Links that leave the panes go to `open`.
bool Dispatch(const std::string& url, PaneControl& pane, LinkOpeners& open,
              NavigationActions& actions, NavigationStart start);

// The part of `url` in which the program's markers count: a scheme link (anything but a file
// address) whole; of a file address only what lies below one of `contentFolders` (each ending
// in '/'): the page's path there, its query and fragment. None for a file elsewhere.
std::optional<std::string> MarkedPart(const std::string& url,
                                      const std::vector<std::string>& contentFolders);

// A decimal number at the start of `text`, read like "%d"; none when there is no number.
std::optional<int> ReadDecimal(std::string_view text);

// True when `url` loads one of the frame files of the content's pages ("/" or "\" followed
// by the file name, without regard to case).
bool IsFramePage(std::string_view url, const std::vector<std::string>& frames);

} // namespace kaldo
