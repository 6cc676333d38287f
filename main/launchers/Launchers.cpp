#include "main/launchers/Launchers.h"

#include "main/content/ModelFolders.h"
#include "main/launchers/Background.h"
#include "main/launchers/ContentItem.h"
#include "main/launchers/DriverFiles.h"
#include "main/launchers/DriverSettings.h"
#include "main/launchers/ErrorTexts.h"
#include "main/launchers/Prompts.h"
#include "main/launchers/Shell.h"
#include "main/printers/PrinterSelection.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace kaldo {

namespace {

namespace fs = std::filesystem;

// The local file a target names, if it names one.
std::optional<std::string> LocalFileOf(const std::string& target) {
    if (!target.empty() && target.front() == '/')
        return target;
    const QUrl url(QString::fromStdString(target));
    if (url.isLocalFile())
        return url.toLocalFile().toStdString();
    return std::nullopt;
}

bool NamesProgram(const DriverFile& file) {
    return file.UserProgram || file.Path.find(".exe") != std::string::npos ||
           file.Path.find(".EXE") != std::string::npos;
}

void RemoveFile(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
}

} // namespace

Launchers::Launchers(const PrinterSelection& printer, const ModelFolders& folders,
                     LauncherServices services)
    : m_printer(printer)
    , m_folders(folders)
    , m_services(std::move(services)) {}

const ToolboxConfig* Launchers::Config() const {
    return m_printer.Config.get();
}

void Launchers::WhenWebAnswers(std::function<void(bool up)> then) {
    Ask<bool>(
        m_services.Background, [check = m_services.CheckWeb] { return check && check(); },
        [this, then = std::move(then)](bool up) {
            if (m_services.WebAnswered)
                m_services.WebAnswered(up);
            then(up);
        });
}

void Launchers::ShowError(ErrorNumber number) {
    if (const ToolboxConfig* config = Config())
        m_services.Prompts.ShowError(*config, number);
}

void Launchers::ShowMissingViewer(ErrorNumber number, const std::string& site) {
    if (const ToolboxConfig* config = Config())
        m_services.Prompts.ShowLinkMessage(*config, config->Error_DialogTitle_L10N(),
                                           ErrorText(*config, number), site);
}

bool Launchers::MayOpen(const std::string& target) const {
    if (IsWebAddress(target))
        return true;
    const std::optional<std::string> local = LocalFileOf(target);
    if (local && IsOpenableContentFile(*local, m_folders.ContentFolder))
        return true;
    Trace("not handed to the desktop: " + target + "\n");
    return false;
}

void Launchers::OpenWithShell(const std::string& url) {
    if (MayOpen(url))
        m_services.Shell.Open(url);
}

void Launchers::OpenPrinterWebPage(const std::string& path) {
    const ToolboxConfig* config = Config();
    if (!config)
        return;
    const std::string address = config->PrinterAddress();
    if (address.empty() || !m_services.PrinterReachable) {
        ShowError(ErrorNumber::NoNetwork);
        return;
    }
    Ask<bool>(
        m_services.Background,
        [reachable = m_services.PrinterReachable, address] { return reachable(address); },
        [this, url = config->PrinterWebUrl() + path](bool up) {
            if (up)
                m_services.Shell.Open(url);
            else
                ShowError(ErrorNumber::NoNetwork);
        });
}

void Launchers::OpenWebLink(std::string_view marker, const std::string& argument) {
    const ToolboxConfig* config = Config();
    if (!config)
        return;
    std::string address;
    if (marker == "http://")
        address = argument;
    else if (marker == "printermodelurl:" || marker == "qst:")
        address = config->ModelPageUrl() + argument;
    else if (marker == "uat:")
        address = config->UatPageUrl();
    else if (marker == "serviceurl:")
        address = config->ServicePageUrl();
    else if (marker == "suppliesurl:")
        address = config->SuppliesPageUrl();
    WhenWebAnswers([this, address](bool up) {
        if (!up) {
            ShowError(ErrorNumber::NoWeb);
            return;
        }
        // Anything that is not a web address (a local file that merely mentions "http://") is
        // not handed to the desktop.
        if (!IsWebAddress(address)) {
            Trace("web link not opened: " + address + "\n");
            return;
        }
        m_services.Shell.Open(address);
    });
}

void Launchers::OpenDocument(const std::string& item) {
    OpenContentItem(item, true);
}

void Launchers::OpenVideo(const std::string& item) {
    OpenContentItem(item, false);
}

void Launchers::OpenContentItem(const std::string& item, bool document) {
    const ToolboxConfig* config = Config();
    if (!config)
        return;
    const std::optional<std::string> name = ItemFileName(item);
    if (!name)
        return;
    const std::string file = document ? *name + ".pdf" : *name;
    const std::string& folder = document ? m_folders.DocumentFolder : m_folders.VideoFolder;
    const bool knownKind = document || HasVideoExtension(file) || IsWebContent(file);
    if (!IsPlainFileName(*name) || !IsPlainFileName(file) || folder.empty() || !knownKind) {
        Trace("content item refused: " + item + "\n");
        return;
    }
    const std::string localPath = ResolvePath(JoinPath(folder, file));
    if (IsWebContent(file)) {
        OpenWebContent(*config, item, localPath, IsFlashContent(file));
        return;
    }
    auto open = [this, document, localPath] {
        if (document)
            OpenPdf(localPath);
        else
            PlayVideo(localPath);
    };
    std::error_code error;
    if (fs::exists(localPath, error))
        open();
    else
        FetchContent(config->ModelPageUrl() + item, localPath, document, std::move(open));
}

void Launchers::OpenWebContent(const ToolboxConfig& config, const std::string& item,
                               const std::string& localPath, bool flash) {
    auto open = [this, url = config.ModelPageUrl() + item] {
        WhenWebAnswers([this, url](bool up) {
            if (up)
                m_services.Shell.Open(url);
            else
                ShowError(ErrorNumber::NoWeb);
        });
    };
    if (!flash) {
        open();
        return;
    }
    // The browser plays what no installed player takes.
    Ask<bool>(
        m_services.Background,
        [&shell = m_services.Shell, localPath] {
            return !shell.DefaultApplication(localPath).empty() || !shell.DefaultBrowser().empty();
        },
        [this, open = std::move(open)](bool playable) {
            if (playable)
                open();
            else
                ShowMissingViewer(ErrorNumber::NoVideoPlayer, m_services.VideoPlayerSite);
        });
}

void Launchers::FetchContent(const std::string& url, const std::string& localPath, bool document,
                             std::function<void()> fetched) {
    WhenWebAnswers([this, url, localPath, document, fetched = std::move(fetched)](bool up) {
        if (!up) {
            ShowError(ErrorNumber::NoWeb);
            return;
        }
        if (m_services.Prompts.Download(url, localPath) == 0 && Fetched(localPath, document))
            fetched();
    });
}

bool Launchers::Fetched(const std::string& localPath, bool document) {
    if (!FetchedIsWanted(localPath))
        return false;
    // What came from the site is only data: it must be the kind of file it claims to be.
    const std::string head = ReadHead(localPath);
    if (document ? LooksLikePdf(head) : LooksLikeVideo(head))
        return true;
    Trace("fetched file is not what its name says: " + localPath + "\n");
    RemoveFile(localPath);
    return false;
}

bool Launchers::FetchedIsWanted(const std::string& localPath) {
    const DownloadedContent first = InspectDownload(ReadHead(localPath));
    if (first.Kind == DownloadKind::Wanted)
        return true;
    // A page in place of the file must not stay behind: the next click would open it.
    if (first.Kind == DownloadKind::Page || !IsWebAddress(first.Address)) {
        RemoveFile(localPath);
        return false;
    }
    if (m_services.Prompts.Download(first.Address, localPath) != 0)
        return false;
    if (InspectDownload(ReadHead(localPath)).Kind != DownloadKind::Wanted) {
        RemoveFile(localPath);
        return false;
    }
    return true;
}

void Launchers::OpenPdf(const std::string& target) {
    if (const auto local = LocalFileOf(target)) {
        std::error_code error;
        if (!fs::exists(*local, error)) {
            Trace("Open PDF: no such file: " + *local + "\n");
            return;
        }
    }
    if (!MayOpen(target))
        return;
    Ask<bool>(
        m_services.Background,
        [&shell = m_services.Shell, target] { return !shell.DefaultApplication(target).empty(); },
        [this, target](bool hasReader) {
            if (!hasReader) {
                ShowMissingViewer(ErrorNumber::NoPdfReader, m_services.PdfReaderSite);
                return;
            }
            const bool opened = m_services.Shell.Open(target);
            Trace("Open PDF: ShellExecute returned: " + std::to_string(int(opened)) + "\n");
        });
}

void Launchers::PlayVideo(const std::string& path) {
    if (!MayOpen(path))
        return;
    struct Viewers {
        bool Player = false;
        bool Browser = false;
    };
    Ask<Viewers>(
        m_services.Background,
        [&shell = m_services.Shell, path] {
            return Viewers{.Player = !shell.DefaultApplication(path).empty(),
                           .Browser = !shell.DefaultBrowser().empty()};
        },
        [this, path](Viewers viewers) {
            // The browser plays what no installed player takes.
            if (!viewers.Player && !viewers.Browser) {
                ShowMissingViewer(ErrorNumber::NoVideoPlayer, m_services.VideoPlayerSite);
                return;
            }
            if (viewers.Player) {
                const bool opened = m_services.Shell.Open(path);
                Trace("Open video: ShellExecute returned: " + std::to_string(int(opened)) + "\n");
                return;
            }
            // Finding the browser's command asks the desktop again.
            m_services.Background.Run(
                [&shell = m_services.Shell, path] {
                    const bool opened = shell.OpenInBrowser(path);
                    Trace("Open video: ShellExecute returned: " + std::to_string(int(opened)) +
                          "\n");
                },
                nullptr);
        });
}

void Launchers::RunDriverUtility() {
    const ToolboxConfig* config = Config();
    if (!config)
        return;
    const std::string& printerName = m_printer.SelectedPrinter;
    const std::string utility = config->PSWinPath();
    std::string program;
    std::vector<std::string> arguments;
    if (utility.empty()) {
        const std::vector<DriverFile> files = m_services.DriverFiles.DependentFiles(printerName);
        const auto found = std::find_if(files.begin(), files.end(), NamesProgram);
        if (found == files.end()) {
            Trace("driver utility: the driver names no program\n");
            return;
        }
        program = found->Path;
        arguments = {printerName, "/s"};
    } else {
        // Joined as they stand: the utility path carries its own leading separator.
        program = m_services.DriverFiles.DriverDirectory() + utility;
        const bool networked = m_printer.PrinterIsNetworked;
        arguments = {
            printerName, networked ? config->PrinterAddress() : std::string(), "NULL", "0", "F",
            "T",         networked ? kTcpConnection : kUsbConnection};
    }
    if (!m_services.Shell.StartProgram(program, arguments))
        Trace("driver utility could not be started: " + program + "\n");
}

void Launchers::OpenDriverSettings() {
    if (!Config())
        return;
    const std::string& printerName = m_printer.SelectedPrinter;
    PrintOptions current;
    if (printerName.empty() || !m_services.SettingsStore.Load(printerName, current)) {
        ShowError(ErrorNumber::DriverSettings);
        return;
    }
    PrintOptions chosen = current;
    switch (m_services.SettingsDialog.Edit(printerName, chosen)) {
    case DriverSettingsDialog::Result::Cancelled:
        return;
    case DriverSettingsDialog::Result::Failed:
        ShowError(ErrorNumber::DriverSettings);
        return;
    case DriverSettingsDialog::Result::Confirmed:
        break;
    }
    // Only what the user changed is stored; the rest stays the spooler's own.
    PrintOptions changed;
    for (const auto& [name, value] : chosen) {
        const auto old = current.find(name);
        if (old == current.end() || old->second != value)
            changed[name] = value;
    }
    if (!changed.empty() && !m_services.SettingsStore.Save(printerName, changed))
        ShowError(ErrorNumber::SaveSettings);
}

} // namespace kaldo
