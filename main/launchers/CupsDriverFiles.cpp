#include "main/launchers/CupsDriverFiles.h"

#include "main/launchers/TextLines.h"
#include "platform/Paths.h"
#include "platform/spooler/CupsQueues.h"

#include <optional>
#include <sstream>

namespace kaldo {

namespace {

// The quoted value of a "*Keyword: "value"" line whose keyword is `keyword`.
std::optional<std::string_view> QuotedValue(std::string_view line, std::string_view keyword) {
    if (!line.starts_with(keyword))
        return std::nullopt;
    std::string_view rest = TrimBlanks(line.substr(keyword.size()));
    if (!rest.starts_with(':'))
        return std::nullopt;
    rest = TrimBlanks(rest.substr(1));
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"')
        return std::nullopt;
    return rest.substr(1, rest.size() - 2);
}

std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> fields;
    std::istringstream in{std::string(text)};
    for (std::string field; in >> field;)
        fields.push_back(field);
    return fields;
}

} // namespace

std::vector<DriverFile> PpdDependentFiles(std::string_view ppdText,
                                          const std::string& filterFolder) {
    std::vector<DriverFile> filters;
    std::vector<DriverFile> utilities;
    for (const std::string_view line : TrimmedLines(ppdText)) {
        // "*cupsFilter: "source cost program"", "*cupsFilter2: "source target cost program"".
        std::optional<std::string_view> value = QuotedValue(line, "*cupsFilter2");
        size_t programField = 3;
        if (!value) {
            value = QuotedValue(line, "*cupsFilter");
            programField = 2;
        }
        if (value) {
            const std::vector<std::string> fields = Fields(*value);
            if (fields.size() > programField && fields[programField] != "-") {
                const std::string& program = fields[programField];
                filters.push_back(
                    {program.front() == '/' ? program : JoinPath(filterFolder, program), false});
            }
            continue;
        }
        if (auto utility = QuotedValue(line, "*APPrinterUtilityPath"); utility && !utility->empty())
            utilities.push_back({std::string(*utility), true});
    }
    filters.insert(filters.end(), utilities.begin(), utilities.end());
    return filters;
}

std::string CupsDriverFiles::DriverDirectory() {
    return CupsFilterFolder();
}

std::vector<DriverFile> CupsDriverFiles::DependentFiles(const std::string& printerName) {
    const std::optional<std::string> ppd = CupsQueuePpd(printerName);
    if (!ppd)
        return {};
    return PpdDependentFiles(*ppd, DriverDirectory());
}

} // namespace kaldo
