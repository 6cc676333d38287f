#pragma once

#include "platform/messagebox/MessageBox.h"
#include "setup/InstallSteps.h"
#include "setup/ui/CompletionWindow.h"

#include <QPixmap>

#include <functional>
#include <string>

class QDialog;

namespace kaldo {

class Registry;
class SetupSupport;
class WindowKit;

struct InstallerPictures {
    QPixmap Banner;
    QPixmap ProgramIcon;
    QPixmap Success;
    QPixmap Failure;

    // The pictures compiled into the installer.
    static InstallerPictures Load();
};

// Extracts the support document for the language and opens it in the user's viewer.
void OpenSupportDocument(const std::string& languageCode);

// The installer with its windows: the checks, the welcome page (unless a printer was handed
// over), the installation under the progress window, and the completion page.
class InstallerApp {
public:
    InstallerApp(SetupSupport& setup, Registry& registry, WindowKit& kit,
                 std::string installerFolder, MessageBoxFunction ask,
                 SupportDocumentFunction openSupport = OpenSupportDocument);

    // Runs everything in order. The installer's exit code: 1 when the installation failed, else
    // 0 (also when the user left or a check ended it).
    int Run();

    // Called when each of the installer's windows has opened.
    void SetShownObserver(std::function<void(QDialog&)> observer) { m_shown = std::move(observer); }

    bool Installed() const { return m_ran && m_result.Succeeded(); }
    bool Ran() const { return m_ran; }
    const InstallResult& Result() const { return m_result; }

private:
    bool PassesChecks();
    void Install(const InstallSettings& settings);
    void ShowCompletion();

    SetupSupport& m_setup;
    Registry& m_registry;
    WindowKit& m_kit;
    std::string m_installerFolder;
    MessageBoxFunction m_ask;
    SupportDocumentFunction m_openSupport;
    std::function<void(QDialog&)> m_shown;
    InstallerPictures m_pictures;
    InstallResult m_result;
    bool m_ran = false;
};

} // namespace kaldo
