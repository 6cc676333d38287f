#include "contenttool/CommandLine.h"

#include "contenttool/ContentCheck.h"
#include "contenttool/ContentRender.h"

#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

namespace kaldo {

namespace {

constexpr char kProgram[] = "tendwellcontent";

struct UsageError {
    std::string Text;
};

int Usage(std::ostream& err, const std::string& text) {
    err << kProgram << ": " << text << "\nTry '" << kProgram << " --help'.\n";
    return kExitUsage;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Splits "--name=value" or "--name value"; nullopt for an option without its value.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, size_t& i,
                                       const std::string& name) {
    const std::string& argument = arguments[i];
    if (argument.size() > name.size() && argument[name.size()] == '=')
        return argument.substr(name.size() + 1);
    if (i + 1 >= arguments.size())
        return std::nullopt;
    return arguments[++i];
}

std::optional<UsageError> ParseRender(const std::vector<std::string>& arguments,
                                      RenderRequest& request) {
    std::vector<std::string> positional;
    std::set<std::string> names;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            positional.push_back(argument);
            continue;
        }
        const std::string name = argument.substr(0, argument.find('='));
        if (name != "--printer" && name != "--selected" && name != "--address" &&
            name != "--status-document" && name != "--status" && name != "--search")
            return UsageError{"unknown option '" + name + "'"};
        const std::optional<std::string> value = OptionValue(arguments, i, name);
        if (!value)
            return UsageError{name + " needs a value"};
        if (name == "--printer") {
            const size_t equals = value->find('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == value->size())
                return UsageError{"--printer takes NAME=DRIVER, not '" + *value + "'"};
            PrinterListEntry printer{value->substr(0, equals), value->substr(equals + 1)};
            if (!names.insert(printer.Name).second)
                return UsageError{"printer '" + printer.Name + "' is given twice"};
            request.Printers.push_back(std::move(printer));
        } else if (name == "--selected") {
            request.Selected = *value;
        } else if (name == "--address") {
            request.Address = *value;
        } else if (name == "--status-document") {
            if (!IsFile(*value))
                return UsageError{*value + ": no such file"};
            request.StatusDocument = *value;
        } else if (name == "--status") {
            if (*value != "0" && *value != "1" && *value != "2")
                return UsageError{"--status takes 0, 1 or 2, not '" + *value + "'"};
            request.Status = static_cast<StatusValue>(*value->c_str() - '0');
        } else if (value->empty()) {
            return UsageError{"--search needs words to search"};
        } else {
            request.Keywords = *value;
        }
    }
    if (positional.size() != 2)
        return UsageError{"render takes a FOLDER and a MODEL"};
    request.Folder = positional[0];
    request.Model = positional[1];
    if (!IsFolder(request.Folder))
        return UsageError{request.Folder + ": no such folder"};
    if (request.Printers.empty())
        return UsageError{"render needs at least one --printer NAME=DRIVER"};
    if (!request.Selected.empty() && names.count(request.Selected) == 0)
        return UsageError{"--selected names '" + request.Selected + "', which no --printer gives"};
    return std::nullopt;
}

int Check(const std::string& folder, const PageCheck& pageCheck, std::ostream& out,
          std::ostream& err) {
    const std::vector<ContentProblem> findings = CheckContentFolder(folder, pageCheck);
    size_t problems = 0;
    for (const ContentProblem& finding : findings) {
        out << FormatProblem(finding) << '\n';
        problems += finding.Note ? 0 : 1;
    }
    if (problems == 0)
        return kExitClean;
    err << kProgram << ": " << problems << (problems == 1 ? " problem" : " problems") << " in "
        << folder << '\n';
    return kExitProblems;
}

int Render(const RenderRequest& request, std::ostream& out, std::ostream& err) {
    const RenderResult result = RenderContentFolder(request);
    for (const std::string& page : result.Written)
        out << page << '\n';
    for (const std::string& note : result.Notes)
        err << kProgram << ": " << note << '\n';
    for (const std::string& error : result.Errors)
        err << kProgram << ": " << error << '\n';
    return result.Errors.empty() ? kExitClean : kExitProblems;
}

} // namespace

std::string ContentToolUsage() {
    return R"(Usage: tendwellcontent check FOLDER [--a11y AXE_JS]
       tendwellcontent render FOLDER MODEL --printer NAME=DRIVER [--printer NAME=DRIVER ...]
                       [--selected NAME] [--address ADDRESS] [--status-document FILE]
                       [--status 0|1|2] [--search WORDS]
       tendwellcontent --help | --version

Checks and previews a content folder of Kaldo Tendwell (toolboxinfo.xml, tabinfo.xml, the
xml and ui folders) without starting the program.

check    Works on a copy of FOLDER placed as Data/<name> of a temporary program folder;
         FOLDER itself is not written. Merges the configuration, loads every ModelData
         model, looks for every named file, page, picture and stylesheet, compiles the
         stylesheets and builds the header, footer (status 0 with a sample status
         document, 1 and 2), trouble-solution, index and search pages. Prints one line
         "path: problem" for each problem, and "path: note: ..." for what the program
         does without (an absent File_IndexNonUG or File_IndexAUG index).
         With --a11y AXE_JS (the path of axe-core's axe.min.js) every page of the tabs
         and every page built is also loaded in the program's web engine and checked
         with axe-core (WCAG 2.1 A and AA, best practices); each violation is printed as
         "path: (what was built) rule (impact) at element: what the rule asks".
render   Writes the pages of MODEL into FOLDER as ktendwell writes them for the selected
         printer: toolbox.xml, the caption picture, the generated documents in the XML
         folder and the header, footer, trouble-solution, index and (with --search) search
         pages in the UI folder. Prints the path of each page written.

Options of render:
  --printer NAME=DRIVER   an installed printer and its driver, in the spooler's order
  --selected NAME         the printer shown first and selected (default: the first one)
  --address ADDRESS       the selected printer's network address (default: a USB printer)
  --status-document FILE  the printer's status document, put in the XML folder
  --status 0|1|2          the footer's status: 0 available (shows the status document),
                          1 collecting, 2 unavailable; default: 0 when the status document
                          passes the program's check, 2 when it does not, 1 without one
  --search WORDS          also search WORDS and write the search pages

Exit status: 0 no problem (notes only); 1 problems found or pages not written; 2 usage
error.
)";
}

int RunContentTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const AccessibilityCheckFactory& accessibility) {
    if (arguments.empty())
        return Usage(err, "a command is missing");
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h") {
        out << ContentToolUsage();
        return kExitClean;
    }
    if (command == "--version") {
        out << kProgram << ' ' << KALDO_PROJECT_VERSION << '\n';
        return kExitClean;
    }
    if (command == "check") {
        std::vector<std::string> positional;
        std::optional<std::string> axeScript;
        for (size_t i = 1; i < arguments.size(); ++i) {
            if (arguments[i] == "--a11y") {
                if (i + 1 == arguments.size() || axeScript)
                    return Usage(err, "--a11y takes the path of axe.min.js once");
                axeScript = arguments[++i];
            } else if (arguments[i].starts_with("--")) {
                return Usage(err, "unknown option '" + arguments[i] + "'");
            } else {
                positional.push_back(arguments[i]);
            }
        }
        if (positional.size() != 1)
            return Usage(err, "check takes one FOLDER");
        if (!IsFolder(positional[0]))
            return Usage(err, positional[0] + ": no such folder");
        PageCheck pageCheck;
        if (axeScript) {
            if (!IsFile(*axeScript))
                return Usage(err, *axeScript + ": no such file");
            if (accessibility)
                pageCheck = accessibility(*axeScript);
            if (!pageCheck)
                return Usage(err, *axeScript + ": not axe-core's axe.min.js");
        }
        return Check(positional[0], pageCheck, out, err);
    }
    if (command == "render") {
        RenderRequest request;
        if (const auto error = ParseRender(arguments, request))
            return Usage(err, error->Text);
        return Render(request, out, err);
    }
    return Usage(err, "unknown command '" + command + "'");
}

} // namespace kaldo
