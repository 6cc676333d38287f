#pragma once

#include "main/pages/XmlHandles.h"

#include <string>

namespace kaldo {

// The texts the index pages take from the program's string table (ids 119 and 120), UTF-8.
struct IndexLabels {
    std::string Heading;  // "Index"
    std::string Numerics; // "0 - 9", the heading of titles that begin with a digit
};

// Copies `first` and its following element siblings, with their element children, into
// `writer`. An entry keeps its title `t`, first letter in capitals and marked `isnumber` when
// it is a digit; an entry without title keeps its link attributes `l`, `icon`, `tblink` and
// `level`. Text, comments and other attributes are dropped. False when a write failed.
bool CopyIndexEntries(xmlNodePtr first, xmlTextWriterPtr writer);

// Merges the entries of two index files into `outputPath` under a root named like the first
// file's root, which carries the first root's `version` (left out when it has none), the
// labels and the encoding. With `configPath` the merged index and the sections of that
// configuration file go inside one element `root`. Every language, an empty one included, is
// written as UTF-8. A second input that is no readable file is skipped; one that does not
// parse, a first input or configuration that does not parse, an empty path or a failed write
// give false and leave `outputPath` as it was.
bool WriteIndexDocument(const std::string& firstInput, const std::string& secondInput,
                        const std::string& configPath, const std::string& outputPath,
                        const std::string& language, const IndexLabels& labels);

} // namespace kaldo
