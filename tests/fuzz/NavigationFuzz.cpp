// Any URL a page can produce, through the navigation dispatcher, and the percent decoding of
// the printer names it carries.
#include "main/navigation/Dispatcher.h"
#include "platform/PercentDecoding.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace kaldo;

namespace {

// A pane and an application that take every request and keep only its last argument, so the
// dispatcher's answers are used without any window.
class RecordingPane final : public PaneControl {
public:
    void ReturnToPage() override {}
    void StopAndNavigate(const std::string& url) override { m_last = url; }
    void SetReturnPage(const std::string& url) override { m_return = url; }
    const std::string& ReturnPage() const override { return m_return; }
    bool IsErrorPage(const std::string& url) const override {
        return url.starts_with("chrome-error:");
    }

private:
    std::string m_last;
    std::string m_return = "file:///content/ui/home.html";
};

class RecordingActions final : public NavigationActions, public LinkOpeners {
public:
    void OpenWithShell(const std::string& url) override { m_last = url; }
    void OpenPrinterWebPage(const std::string& argument) override { m_last = argument; }
    void OpenWebLink(std::string_view marker, const std::string& argument) override {
        m_last = std::string(marker) + argument;
    }
    void OpenDocument(const std::string& name) override { m_last = name; }
    void OpenVideo(const std::string& name) override { m_last = name; }
    void OpenPdf(const std::string& url) override { m_last = url; }
    void RunDriverUtility() override {}
    void OpenDriverSettings() override {}
    std::string TabPage(int index) override {
        return index >= 0 && index < 4 ? "tab" + std::to_string(index) + ".html" : "";
    }
    std::string PageOfCurrentTab(int index) override {
        return index >= 0 && index < 3 ? "page" + std::to_string(index) + ".html" : "";
    }
    bool SelectPrinter(const std::string& name) override {
        m_last = name;
        return !name.empty();
    }
    std::string CurrentPage() override { return "home.html"; }
    void Search(const std::string& text) override { m_last = text; }
    void RefreshStatus() override {}
    bool IsFramePage(const std::string& url) override {
        return kaldo::IsFramePage(url, {"header.html", "footer.html", "status.html"});
    }
    bool TakePendingUpdate() override { return m_update = !m_update; }
    std::vector<std::string> ContentFolders() override { return {"/content/"}; }

private:
    std::string m_last;
    bool m_update = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);
    RecordingPane pane;
    RecordingActions actions;
    Dispatch(url, pane, actions, actions, NavigationStart::User);
    Dispatch(url, pane, actions, actions, NavigationStart::Page);
    // These take views: they see the input's own bytes, so a read past them is caught.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    DecodePercentEscapes(raw);
    ReadDecimal(raw);
    return 0;
}
