#pragma once

#include "main/launchers/Prompts.h"
#include "main/net/DownloadManager.h"

#include <functional>

class QWidget;

namespace kaldo {

class Shell;

// The launchers' messages as the program's dialogs, owned by `owner` (the main window).
// Links in them open through `shell` once `checkWeb` answers that the maker's web site does.
class DialogPrompts final : public Prompts {
public:
    using WebCheck = std::function<void(std::function<void(bool up)> answer)>;

    DialogPrompts(QWidget* owner, Shell& shell, WebCheck checkWeb,
                  DownloadOptions downloadOptions = {});

    void ShowError(const ToolboxConfig& config, ErrorNumber number) override;
    void ShowLinkMessage(const ToolboxConfig& config, const std::string& title,
                         const std::string& text, const std::string& link) override;
    int Download(const std::string& url, const std::string& localPath) override;

private:
    QWidget* m_owner;
    Shell& m_shell;
    WebCheck m_checkWeb;
    DownloadOptions m_downloadOptions;
};

} // namespace kaldo
