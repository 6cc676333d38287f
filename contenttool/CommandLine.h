#pragma once

#include "contenttool/ContentCheck.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kaldo {

inline constexpr int kExitClean = 0;    // no problem, every page written
inline constexpr int kExitProblems = 1; // problems found, or pages not written
inline constexpr int kExitUsage = 2;    // the command line cannot be used

std::string ContentToolUsage();

// Makes the page check of `check --a11y AXE_JS` from the path of axe.min.js; an empty check when
// that file is not axe-core. Only the program has the web engine, so it hands this in.
using AccessibilityCheckFactory = std::function<PageCheck(const std::string& axeScript)>;

// Runs tendwellcontent with `arguments` (the program name left out) and returns its exit code.
// Results go to `out`, errors and notes to `err`.
int RunContentTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const AccessibilityCheckFactory& accessibility = {});

} // namespace kaldo
