#pragma once

#include "main/navigation/NavigationActions.h"

#include <string>

namespace kaldo {

// One pane of the main window as the application drives it: what it shows, and the page it
// goes back to after one of the program's own links.
class Pane : public PaneControl {
public:
    // `url` is an absolute local file path or a URL; an empty text loads nothing.
    virtual void Navigate(const std::string& url) = 0;
    // The pane goes from the window; later calls do nothing.
    virtual void Destroy() = 0;
};

} // namespace kaldo
