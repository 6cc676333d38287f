#pragma once

#include "main/launchers/Background.h"
#include "main/launchers/DriverFiles.h"
#include "main/launchers/DriverSettings.h"
#include "main/launchers/Prompts.h"
#include "main/launchers/Shell.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kaldo::testsupport {

// Work runs at once on the calling thread; its report too, unless `Holding`, when the reports
// wait for Answer().
class InlineBackground final : public Background {
public:
    void Run(std::function<void()> work, std::function<void()> done) override {
        if (work)
            work();
        if (Holding)
            m_held.push_back(std::move(done));
        else if (done)
            done();
    }
    // Delivers the held reports.
    void Answer() {
        for (auto& done : std::exchange(m_held, {})) {
            if (done)
                done();
        }
    }
    size_t Waiting() const { return m_held.size(); }

    bool Holding = false;

private:
    std::vector<std::function<void()>> m_held;
};

// A desktop that records what it was asked. Default applications are found by the end of
// the target ("pdf" → a viewer).
class RecordingShell final : public Shell {
public:
    struct Start {
        std::string Program;
        std::vector<std::string> Arguments;
    };

    bool Open(const std::string& target) override {
        Opened.push_back(target);
        return true;
    }
    std::string DefaultApplication(const std::string& target) override {
        Lookups.push_back(target);
        for (const auto& [ending, application] : Applications) {
            if (target.ends_with(ending))
                return application;
        }
        return {};
    }
    std::string DefaultBrowser() override { return Browser; }
    bool OpenInBrowser(const std::string& target) override {
        OpenedInBrowser.push_back(target);
        return !Browser.empty();
    }
    bool StartProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override {
        Started.push_back({program, arguments});
        return StartSucceeds;
    }

    std::map<std::string, std::string> Applications;
    std::string Browser;
    bool StartSucceeds = true;

    std::vector<std::string> Opened;
    std::vector<std::string> OpenedInBrowser;
    std::vector<std::string> Lookups;
    std::vector<Start> Started;
};

// Messages recorded instead of shown; downloads served from `Site` (URL → answer).
class RecordingPrompts final : public Prompts {
public:
    struct LinkMessage {
        std::string Title;
        std::string Text;
        std::string Link;
    };
    struct Transfer {
        std::string Url;
        std::string LocalPath;
    };

    void ShowError(const ToolboxConfig&, ErrorNumber number) override { Errors.push_back(number); }
    void ShowLinkMessage(const ToolboxConfig&, const std::string& title, const std::string& text,
                         const std::string& link) override {
        LinkMessages.push_back({title, text, link});
    }
    int Download(const std::string& url, const std::string& localPath) override {
        Downloads.push_back({url, localPath});
        const auto answer = Site.find(url);
        if (answer == Site.end())
            return -1;
        std::ofstream(localPath, std::ios::binary | std::ios::trunc) << answer->second;
        return 0;
    }

    std::map<std::string, std::string> Site;
    std::vector<ErrorNumber> Errors;
    std::vector<LinkMessage> LinkMessages;
    std::vector<Transfer> Downloads;
};

class FakeDriverFiles final : public DriverFiles {
public:
    std::string DriverDirectory() override { return Directory; }
    std::vector<DriverFile> DependentFiles(const std::string& printerName) override {
        AskedFor.push_back(printerName);
        return Files;
    }

    std::string Directory = "/usr/lib/cups/filter";
    std::vector<DriverFile> Files;
    std::vector<std::string> AskedFor;
};

class FakeSettingsStore final : public DriverSettingsStore {
public:
    bool Load(const std::string& printerName, PrintOptions& options) override {
        LoadedFor.push_back(printerName);
        if (!Loads)
            return false;
        options = Current;
        return true;
    }
    bool Save(const std::string&, const PrintOptions& options) override {
        if (!Saves)
            return false;
        Saved = options;
        return true;
    }

    bool Loads = true;
    bool Saves = true;
    PrintOptions Current;
    std::optional<PrintOptions> Saved;
    std::vector<std::string> LoadedFor;
};

// A settings dialog whose user answers `Answer` after changing `Changes`.
class FakeSettingsDialog final : public DriverSettingsDialog {
public:
    Result Edit(const std::string&, PrintOptions& options) override {
        Shown.push_back(options);
        if (Answer == Result::Confirmed) {
            for (const auto& [name, value] : Changes)
                options[name] = value;
        }
        return Answer;
    }

    Result Answer = Result::Confirmed;
    PrintOptions Changes;
    std::vector<PrintOptions> Shown;
};

} // namespace kaldo::testsupport
