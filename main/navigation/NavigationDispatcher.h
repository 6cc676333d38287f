#pragma once

#include "main/navigation/NavigationActions.h"

#include <string>

namespace kaldo {

class Pane;

// Sees every navigation a pane is about to make (main frame, frames, pop-ups, the pane's own
// loads and reloads) before it starts. The URL is the text of LinkText (LinkSchemes.h).
class NavigationDispatcher {
public:
    virtual ~NavigationDispatcher() = default;

    // True cancels the navigation. The pane may be navigated from inside this call; such
    // loads run once the cancelled navigation has been dropped.
    virtual bool Dispatch(Pane& pane, const std::string& url, NavigationStart start) = 0;
};

} // namespace kaldo
