#include "main/app/AppLaunchers.h"

#include "main/printers/Reachability.h"

namespace kaldo {

AppLaunchers::AppLaunchers(QWidget* window, const PrinterSelection& printer,
                           const ModelFolders& folders, std::function<bool()> checkWeb,
                           std::function<void(bool up)> webAnswered,
                           const DownloadOptions& downloads)
    : m_prompts(
          window, m_shell,
          [this](std::function<void(bool up)> answer) {
              m_launchers.WhenWebAnswers(std::move(answer));
          },
          downloads)
    , m_settingsDialog(window)
    , m_launchers(printer, folders,
                  LauncherServices{
                      .shell = m_shell,
                      .prompts = m_prompts,
                      .driverFiles = m_driverFiles,
                      .settingsStore = m_settingsStore,
                      .settingsDialog = m_settingsDialog,
                      .background = m_waits,
                      .checkWeb = std::move(checkWeb),
                      .printerReachable =
                          [](const std::string& address) { return IsPrinterReachable(address); },
                      .webAnswered = std::move(webAnswered)})
    , m_waits(window) {}

void AppLaunchers::CancelWaits() {
    m_waits.CancelAll();
}

} // namespace kaldo
