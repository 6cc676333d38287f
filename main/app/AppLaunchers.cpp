#include "main/app/AppLaunchers.h"

#include "main/printers/Reachability.h"

namespace kaldo {

AppLaunchers::AppLaunchers(QWidget* window, const PrinterSelection& printer,
                           const ModelFolders& folders, std::function<bool()> checkWeb)
    : m_prompts(window, m_shell, checkWeb)
    , m_settingsDialog(window)
    , m_launchers(printer, folders,
                  LauncherServices{.shell = m_shell,
                                   .prompts = m_prompts,
                                   .driverFiles = m_driverFiles,
                                   .settingsStore = m_settingsStore,
                                   .settingsDialog = m_settingsDialog,
                                   .checkWeb = checkWeb,
                                   .printerReachable = [](const std::string& address) {
                                       return IsPrinterReachable(address);
                                   }}) {}

} // namespace kaldo
