#pragma once

#include "main/pages/PageTransformer.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/index/IndexDocument.h"

#include <string>

namespace kaldo {

// The files of the index pages, full paths: the inputs and generated documents in the
// model's XML folder, the pages in its UI folder.
struct IndexPageFiles {
    std::string UserGuideIndex;    // File_IndexUG
    std::string DocumentsIndex;    // File_IndexNonUG
    std::string ThirdIndex;        // File_IndexAUG
    std::string FirstMerge;        // File_IndexCombined1
    std::string CombinedIndex;     // File_IndexCombined2, sorted in place
    std::string SortStylesheet;    // File_IndexSort_XSL
    std::string PageStylesheet;    // File_Index_XSL
    std::string ContentStylesheet; // File_IndexContent_XSL
    std::string Page;              // File_Index (HTML)
    std::string ContentPage;       // File_IndexContent (HTML)
    std::string Config;            // toolbox.xml, whose sections follow the index
};

// Merges the user-guide and documents indexes, merges the third index and the configuration
// into the combined index, sorts it and transforms it into the index page and its content
// page. ResultCode::Ok; ResultCode::IndexMerge when a merge failed (no page is touched); otherwise
// the code of the first failing transformation, which leaves the later pages as they were.
ResultCode BuildIndexPages(const IndexPageFiles& files, const IndexLabels& labels,
                           const std::string& language, const PageTransformer& transformer);

} // namespace kaldo
