#include "setup/ui/InstallerApp.h"

#include "platform/BackgroundJob.h"
#include "platform/messagebox/Unattended.h"
#include "platform/registry/Registry.h"
#include "setup/CommandLineInstall.h"
#include "setup/InstallerStrings.h"
#include "setup/ModelName.h"
#include "setup/SupportLink.h"
#include "setup/ui/InstallerMessages.h"
#include "setup/ui/ProgressWindow.h"
#include "setup/ui/WelcomeWindow.h"
#include "setup/ui/WindowKit.h"
#include "setupsupport/SetupSupport.h"
#include "setupsupport/SpecialFolders.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <iostream>

namespace kaldo {

namespace {

// Unattended, a page closes by itself as if the user had left it, so automation never waits.
void CloseWhenUnattended(QDialog& window, int result) {
    if (!RunsUnattended())
        return;
    QTimer::singleShot(kUnattendedClose, &window, [&window, result] {
        std::cerr << "tendwellinstall: " << window.objectName().toStdString() << " ready"
                  << std::endl;
        window.done(result);
    });
}

QPixmap Picture(const char* name) {
    return QPixmap(QStringLiteral(":/kaldo/tendwellinstall/images/") + QLatin1String(name));
}

} // namespace

InstallerPictures InstallerPictures::Load() {
    return {Picture("banner.png"), Picture("program.png"), Picture("success.png"),
            Picture("failure.png")};
}

void OpenSupportDocument(const std::string& languageCode) {
    const QString prefix = QStringLiteral(":/kaldo/tendwellinstall/support/");
    QString name =
        QString::fromStdString(SupportDocumentName(languageCode)) + QStringLiteral(".html");
    if (!QFile::exists(prefix + name))
        name = QStringLiteral("english.html");
    // The viewer needs a file of its own; it may open it after the installer has ended.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                           QStringLiteral("/kaldo-support");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QFile::remove(path);
    if (QFile::copy(prefix + name, path)) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

InstallerApp::InstallerApp(SetupSupport& setup, Registry& registry, WindowKit& kit,
                           std::string installerFolder, MessageBoxFunction ask,
                           SupportDocumentFunction openSupport)
    : m_setup(setup)
    , m_registry(registry)
    , m_kit(kit)
    , m_installerFolder(std::move(installerFolder))
    , m_ask(std::move(ask))
    , m_openSupport(std::move(openSupport))
    , m_pictures(InstallerPictures::Load()) {}

bool InstallerApp::PassesChecks() {
    if (m_setup.getOsClass() < kFirstSupportedOsClass) {
        m_ask(nullptr, InstallerMessage(m_setup, InstallerString::UnsupportedCaption,
                                        InstallerString::UnsupportedText, MessageIcon::Error));
        return false;
    }
    if (m_setup.isUserInGroup(kAdministratorsGroup) == 0) {
        const MessageRequest request = InstallerMessage(
            m_setup, InstallerString::PrivilegesCaption, InstallerString::PrivilegesText,
            MessageIcon::Warning, MessageButtons::YesNo);
        if (m_ask(nullptr, request) != MessageAnswer::Yes)
            return false;
    }
    return true;
}

void InstallerApp::Install(const InstallSettings& settings) {
    ProgressWindow progress(m_kit, InstallerText(m_setup, InstallerString::ProgressCaption),
                            InstallerText(m_setup, InstallerString::ProgressMessage));
    progress.SetShownObserver(m_shown);
    progress.show();

    // The steps run beside the window's event loop so that the bar keeps moving.
    QEventLoop loop;
    BackgroundJob steps(
        [&](std::stop_token) {
            m_result = RunInstall(settings, m_installerFolder, m_setup, m_registry);
        },
        [&loop] { loop.quit(); });
    loop.exec();
    m_ran = true;
    progress.Finish();
}

void InstallerApp::ShowCompletion() {
    const bool succeeded = m_result.Succeeded();
    CompletionWindow completion(
        m_setup, m_kit, {m_pictures.Banner, m_pictures.Success, m_pictures.Failure}, succeeded,
        succeeded ? ModelName(m_installerFolder) : "\n" + m_result.Message, LinkColour(m_registry),
        LinkHoverColour(m_registry), m_openSupport);
    completion.SetShownObserver(m_shown);
    CloseWhenUnattended(completion, QDialog::Accepted);
    completion.exec();
}

int InstallerApp::Run() {
    if (!PassesChecks())
        return 0;
    m_kit.setIcons(
        m_pictures.ProgramIcon.scaled(11, 12, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
        m_pictures.ProgramIcon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    InstallSettings settings;
    settings.PrinterName = HandedOverPrinter(m_registry);
    const bool silent = !settings.PrinterName.empty();
    if (!silent) {
        WelcomeWindow welcome(m_setup, m_kit, m_pictures.Banner, ModelName(m_installerFolder),
                              m_ask);
        welcome.SetShownObserver(m_shown);
        CloseWhenUnattended(welcome, 0);
        if (welcome.exec() == 0)
            return 0;
    }
    settings.ProgramFilesFolder = m_setup.getSpecialFolder(kFolderProgramFiles).value_or("");
    Install(settings);
    // A silent installation shows no completion page unless something went wrong.
    if (!silent || !m_result.Succeeded())
        ShowCompletion();
    return m_result.Succeeded() ? kExitInstalled : kExitInstallFailed;
}

} // namespace kaldo
