#pragma once

#include "main/launchers/DriverFiles.h"

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// Driver files on CUPS. The driver folder is the folder of the drivers' filter programs
// (CupsFilterFolder). A queue's files
// are those its PPD names: the filters, then the printer utility it offers the user
// ("*APPrinterUtilityPath").
class CupsDriverFiles final : public DriverFiles {
public:
    std::string DriverDirectory() override;
    std::vector<DriverFile> DependentFiles(const std::string& printerName) override;
};

// The files named by the text of a PPD; relative filter programs are below `filterFolder`.
std::vector<DriverFile> PpdDependentFiles(std::string_view ppdText,
                                          const std::string& filterFolder);

} // namespace kaldo
