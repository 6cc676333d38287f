#include "main/dialogs/DialogPrompts.h"

#include "main/dialogs/DownloadProgressDialog.h"
#include "main/dialogs/ErrorBox.h"
#include "main/dialogs/LinkMessageDialog.h"
#include "main/launchers/ErrorTexts.h"
#include "main/launchers/Shell.h"
#include "platform/messagebox/Unattended.h"

namespace kaldo {

DialogPrompts::DialogPrompts(QWidget* owner, Shell& shell, WebCheck checkWeb,
                             DownloadOptions downloadOptions)
    : m_owner(owner)
    , m_shell(shell)
    , m_checkWeb(std::move(checkWeb))
    , m_downloadOptions(std::move(downloadOptions)) {}

void DialogPrompts::ShowError(const ToolboxConfig& config, ErrorNumber number) {
    ShowErrorBox(m_owner, config, number);
}

void DialogPrompts::ShowLinkMessage(const ToolboxConfig& config, const std::string& title,
                                    const std::string& text, const std::string& link) {
    LinkLabel::Actions actions{
        .CheckWeb = m_checkWeb,
        .Open = [this](const std::string& address) { m_shell.Open(address); },
        // Without an owner, as the message of a link that was clicked.
        .ShowOffline = [&config] { ShowErrorBox(nullptr, config, ErrorNumber::NoWeb); },
    };
    LinkMessageDialog dialog(m_owner, title, text, link, std::move(actions));
    RunModal(dialog, title + ": " + text + " " + link);
}

int DialogPrompts::Download(const std::string& url, const std::string& localPath) {
    return DownloadWithProgress(m_owner, url, localPath, m_downloadOptions);
}

} // namespace kaldo
