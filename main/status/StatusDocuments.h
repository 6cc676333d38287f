#pragma once

#include "main/pages/ResultCodes.h"
#include "main/status/StatusInfo.h"

#include <string>

namespace kaldo {

// Writes the footer document: `root` with the encoding, the status information, a copy of the
// configuration's `Web` section and, when `statusDocument` is not empty, a copy of the status
// document's tree beside `Web` (a printer's `devicexml`, or the queue's `queueStatus` of
// QueueStatus.h). An empty `Web` section is closed at once. With the language
// "KO" the first "ksc5601" in the status document becomes "UTF-8" first.
// ResultCode::MissingArgument when `footerPath` or `configPath` is empty; otherwise ResultCode::Ok
// or the code of the first failing step (a status document over the size limit does not parse:
// ResultCode::ParseInput).
ResultCode WriteFooterDocument(const StatusInfo& info, const std::string& statusDocument,
                               const std::string& footerPath, const std::string& language,
                               const std::string& configPath);

// Writes the trouble-solutions document: `root` with the encoding, the content's solutions
// inside `trouble_solution`, the status document's tree inside `printer_xml` when
// `statusDocument` is not empty, and every section of the configuration inside `toolbox_xml`.
// ResultCode::MissingArgument when `solutionsPath`, `outputPath` or `configPath` is empty;
// otherwise ResultCode::Ok or the code of the first failing step.
ResultCode WriteSolutionsDocument(const std::string& solutionsPath,
                                  const std::string& statusDocument, const std::string& outputPath,
                                  const std::string& language, const std::string& configPath);

} // namespace kaldo
