// tendwellcontent: checks and previews content folders without the program's window.
#include "contenttool/CommandLine.h"
#include "contenttool/audit/PageAudit.h"
#include "main/pages/XmlLibrary.h"
#include "platform/WebEngineEnvironment.h"

#include <QApplication>

#include <iostream>
#include <memory>

namespace {

// The web engine starts only for --a11y, offscreen, set up as ktendwell sets up its panes.
kaldo::PageCheck AccessibilityCheck(const std::string& axePath, std::unique_ptr<QApplication>& app,
                                    int& argc, char** argv) {
    std::string script = kaldo::ReadAxeScript(axePath);
    if (script.empty())
        return {};
    if (!app) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        kaldo::PrepareWebEngineEnvironment();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        app = std::make_unique<QApplication>(argc, argv);
    }
    auto audit = std::make_shared<kaldo::PageAudit>(std::move(script));
    return [audit](const std::string& page) {
        std::vector<std::string> findings;
        for (const kaldo::AuditFinding& finding : audit->Audit(page))
            findings.push_back(kaldo::FormatFinding(finding));
        return findings;
    };
}

} // namespace

int main(int argc, char** argv) {
    const kaldo::XmlLibraryScope xmlLibrary;
    std::unique_ptr<QApplication> app;
    int appArgc = 1;
    const int code =
        kaldo::RunContentTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                              [&](const std::string& axePath) {
                                  return AccessibilityCheck(axePath, app, appArgc, argv);
                              });
    return code;
}
