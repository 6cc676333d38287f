// Pictures of the setup windows for the documentation, drawn offscreen:
//   setupscreenshots FOLDER
// writes installer-welcome.png, installer-complete.png, installer-failed.png and
// uninstaller-window.png. Everything happens in a temporary folder; nothing is installed.
#include "platform/Paths.h"
#include "platform/registry/IniRegistry.h"
#include "setup/InstallerStrings.h"
#include "setup/ModelName.h"
#include "setup/ui/CompletionWindow.h"
#include "setup/ui/InstallerApp.h"
#include "setup/ui/WelcomeWindow.h"
#include "setup/ui/WindowKit.h"
#include "setupsupport/LinuxSetupSupport.h"
#include "uninstall/Uninstaller.h"
#include "uninstall/UninstallerStrings.h"
#include "uninstall/ui/UninstallWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <iostream>

namespace {

bool Save(QWidget& window, const QString& path) {
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "wrote " : "cannot write ") << path.toStdString() << "\n";
    window.hide();
    return saved;
}

kaldo::MessageAnswer NoMessages(QWidget*, const kaldo::MessageRequest&) {
    return kaldo::MessageAnswer::No;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: setupscreenshots FOLDER\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir machine;
    const std::string root = machine.path().toStdString();
    qputenv("KALDO_ROOT", QByteArray::fromStdString(root + "/root"));
    qputenv("HOME", QByteArray::fromStdString(root + "/home"));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(root + "/home/.config"));
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::filesystem::create_directories(argv[1]);

    kaldo::IniRegistry registry;
    kaldo::LinuxSetupSupport installer(kaldo::kInstallerStringTables, registry, "en_US.UTF-8");
    kaldo::WindowKit kit;
    const kaldo::InstallerPictures pictures = kaldo::InstallerPictures::Load();
    bool saved = true;

    kaldo::WelcomeWindow welcome(installer, kit, pictures.Banner, "presslane_3000", NoMessages);
    saved = Save(welcome, folder + "/installer-welcome.png") && saved;

    const kaldo::CompletionPictures completionPictures{pictures.Banner, pictures.Success,
                                                       pictures.Failure};
    kaldo::CompletionWindow complete(installer, kit, completionPictures, true, "presslane_3000",
                                     kaldo::kDefaultLinkColour, kaldo::kDefaultHoverColour, {});
    saved = Save(complete, folder + "/installer-complete.png") && saved;
    kaldo::CompletionWindow failed(installer, kit, completionPictures, false,
                                   "\nNot every file could be copied to /opt/Kaldo/Tendwell: "
                                   "Permission denied",
                                   kaldo::kDefaultLinkColour, kaldo::kDefaultHoverColour, {});
    saved = Save(failed, folder + "/installer-failed.png") && saved;

    kaldo::LinuxSetupSupport uninstallerSetup(kaldo::kUninstallerStringTables, registry,
                                              "en_US.UTF-8");
    kaldo::Uninstaller uninstaller(uninstallerSetup, registry, "");
    for (const char* model : {"presslane_3000", "presslane_c5000", "presslane_7000"})
        std::filesystem::create_directories(kaldo::JoinPath(uninstaller.DataFolder(), model));
    uninstaller.Refresh();
    kaldo::UninstallWindow window(uninstallerSetup, uninstaller, NoMessages);
    saved = Save(window, folder + "/uninstaller-window.png") && saved;
    return saved ? 0 : 1;
}
