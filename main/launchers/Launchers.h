#pragma once

#include "main/launchers/ErrorTexts.h"
#include "main/navigation/NavigationActions.h"

#include <functional>
#include <string>
#include <string_view>

namespace kaldo {

class Background;
class DriverFiles;
class DriverSettingsDialog;
class DriverSettingsStore;
class Prompts;
class Shell;
class ToolboxConfig;
struct ModelFolders;
struct PrinterSelection;

// Download sites offered when no viewer for the content is installed.
inline constexpr char kPdfReaderSite[] = "https://flathub.org/apps/search?q=pdf%20viewer";
inline constexpr char kVideoPlayerSite[] = "https://flathub.org/apps/search?q=video%20player";

// Connection facts of the program's drivers for the printer's own utility.
inline constexpr char kTcpConnection[] = "TCP_CONNECTION";
inline constexpr char kUsbConnection[] = "USB_CONNECTION";

struct LauncherServices {
    kaldo::Shell& Shell;
    kaldo::Prompts& Prompts;
    kaldo::DriverFiles& DriverFiles;
    DriverSettingsStore& SettingsStore;
    DriverSettingsDialog& SettingsDialog;
    // Runs the questions below, and the desktop's queries, away from the main thread.
    kaldo::Background& Background;
    // Whether the maker's web site answers. Asked on a worker thread.
    std::function<bool()> CheckWeb;
    // Whether the printer's web server at `address` answers. Asked on a worker thread.
    std::function<bool(const std::string& address)> PrinterReachable;
    // Told every answer of `checkWeb` on the main thread; the application keeps it as its flag.
    std::function<void(bool up)> WebAnswered;
    std::string PdfReaderSite = kPdfReaderSite;
    std::string VideoPlayerSite = kVideoPlayerSite;
};

// The actions behind the links that leave the panes: web pages in the user's browser, the
// printer's own pages, the content's documents and videos (fetched from the maker's site when
// missing), the driver's utility and its default settings. Reads the selected printer and
// its folders at every call, so it follows printer changes. Called on the main thread; what
// waits on the network or the desktop runs in the background and the action goes on when the
// answer is there.
class Launchers final : public LinkOpeners {
public:
    Launchers(const PrinterSelection& printer, const ModelFolders& folders,
              LauncherServices services);

    // A web address, or a document of the model's content folder; nothing else.
    void OpenWithShell(const std::string& url) override;
    // `path` below the printer's web root; error 1 when the printer does not answer.
    void OpenPrinterWebPage(const std::string& path) override;
    // The address `marker` picks ("http://": `argument` itself); error 0 when the maker's
    // site does not answer.
    void OpenWebLink(std::string_view marker, const std::string& argument) override;
    // `item` is the text after "doc:" or "video:" and names the file with "FileName=".
    void OpenDocument(const std::string& item) override;
    void OpenVideo(const std::string& item) override;
    // A PDF (path or URL) in the user's PDF reader.
    void OpenPdf(const std::string& target) override;
    void PlayVideo(const std::string& path);
    void RunDriverUtility() override;
    void OpenDriverSettings() override;

    // Asks whether the maker's web site answers and hands the answer to `then`.
    void WhenWebAnswers(std::function<void(bool up)> then);

private:
    void OpenContentItem(const std::string& item, bool document);
    void OpenWebContent(const ToolboxConfig& config, const std::string& item,
                        const std::string& localPath, bool flash);
    // Downloads a missing item, then runs `fetched` when there is something to open.
    void FetchContent(const std::string& url, const std::string& localPath, bool document,
                      std::function<void()> fetched);
    bool Fetched(const std::string& localPath, bool document);
    bool FetchedIsWanted(const std::string& localPath);
    // Whether `target` may go to the desktop: a web address, or a document or video of the
    // model's content folder.
    bool MayOpen(const std::string& target) const;
    void ShowError(ErrorNumber number);
    void ShowMissingViewer(ErrorNumber number, const std::string& site);
    const ToolboxConfig* Config() const;

    const PrinterSelection& m_printer;
    const ModelFolders& m_folders;
    LauncherServices m_services;
};

} // namespace kaldo
