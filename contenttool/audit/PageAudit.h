#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kaldo {

// One element that breaks one accessibility rule.
struct AuditFinding {
    std::string Rule;    // axe-core's rule id, "color-contrast"
    std::string Impact;  // "minor" to "critical"
    std::string Help;    // what the rule asks for
    std::string Element; // the element's CSS selector
};

// Loads pages in the program's web engine at the body pane's size and runs axe-core over each,
// with the WCAG 2.1 A and AA rules and axe's best practices. Needs a QApplication, set up as
// the program sets it up for its panes.
class PageAudit final {
public:
    // `axeScript` is the text of axe.min.js.
    explicit PageAudit(std::string axeScript);
    ~PageAudit();
    PageAudit(const PageAudit&) = delete;
    PageAudit& operator=(const PageAudit&) = delete;

    // Every violation on the page; a page that does not load or cannot be checked gives one
    // finding saying so, so a broken check never passes for a clean page.
    std::vector<AuditFinding> Audit(const std::string& pagePath);

private:
    struct Engine;
    std::string m_axeScript;
    std::unique_ptr<Engine> m_engine;
};

// "rule (impact) at element: help"
std::string FormatFinding(const AuditFinding& finding);

// The text of axe.min.js at `path`; empty when it cannot be read or is not axe-core.
std::string ReadAxeScript(const std::string& path);

} // namespace kaldo
