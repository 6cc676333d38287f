#pragma once

#include "main/launchers/ErrorTexts.h"

#include <string>

namespace kaldo {

class ToolboxConfig;

// What the launchers show the user: the error box, the link message and the download under
// the progress dialog. All modal, on the main thread.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The error box for error `number` (see ErrorText), in the words of `config`.
    virtual void ShowError(const ToolboxConfig& config, ErrorNumber number) = 0;

    // `title` and `text` over a link to `link`. A click on the link while the maker's web
    // site cannot be reached shows error 0 of `config` instead of opening it.
    virtual void ShowLinkMessage(const ToolboxConfig& config, const std::string& title,
                                 const std::string& text, const std::string& link) = 0;

    // Fetches `url` into `localPath` while the progress dialog is shown: 0 when the file was
    // fetched, -1 when the transfer failed or the user cancelled it (no file is left then).
    virtual int Download(const std::string& url, const std::string& localPath) = 0;
};

} // namespace kaldo
