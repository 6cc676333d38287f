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
                      .Shell = m_shell,
                      .Prompts = m_prompts,
                      .DriverFiles = m_driverFiles,
                      .SettingsStore = m_settingsStore,
                      .SettingsDialog = m_settingsDialog,
                      .Background = m_waits,
                      .CheckWeb = std::move(checkWeb),
                      .PrinterReachable =
                          [](const std::string& address) { return IsPrinterReachable(address); },
                      .WebAnswered = std::move(webAnswered)})
    , m_waits(window) {}

void AppLaunchers::CancelWaits() {
    m_waits.CancelAll();
}

} // namespace kaldo
