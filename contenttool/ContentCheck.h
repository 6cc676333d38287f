#pragma once

#include "contenttool/ContentProblems.h"

#include <functional>
#include <string>
#include <vector>

namespace kaldo {

// Checks a content folder the way the program will use it, on a copy placed as Data/<name> in
// a temporary program folder; the folder itself is never written. Finds pieces of the
// configuration that are missing or not well-formed, ModelData that no printer driver reaches,
// models that do not load, named files, pages and pictures that are missing, stylesheets that
// do not compile, and every page that the program's builders cannot make: the header, the
// footer with status 0 (with a sample status document), 1 and 2, the trouble solutions, the
// index and the search pages. Paths are shown below `folder` as given.
// With `pageCheck`, every page of the tabs and every page built is also handed to it, each
// once (built pages right after their build, for each status the footer is built with), and
// what it says is reported against the page.
using PageCheck = std::function<std::vector<std::string>(const std::string& page)>;
std::vector<ContentProblem> CheckContentFolder(const std::string& folder,
                                               const PageCheck& pageCheck = {});

} // namespace kaldo
