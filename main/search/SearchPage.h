#pragma once

#include "main/pages/PageTransformer.h"
#include "main/search/KeywordSearch.h"

#include <memory>
#include <string>

namespace kaldo {

// The files of the search pages, full paths: data and stylesheets in the model's XML folder,
// pages in its UI folder.
struct SearchPageFiles {
    std::string index;             // File_IndexCombined2
    std::string synonyms;          // File_Synonym
    std::string results;           // File_Search of DataFiles: the results document
    std::string sortStylesheet;    // File_SearchSort_XSL, sorts the results in place
    std::string pageStylesheet;    // File_Search_XSL
    std::string contentStylesheet; // File_SearchContent_XSL
    std::string page;              // File_Search of HTMLFiles
    std::string contentPage;       // File_SearchContent
    std::string searchTabPage;     // the page of the search tab that shows the results
};

// What a search did; the caller makes the search tab current and shows `show`.
struct SearchPageResult {
    std::string show;                   // the page the body pane navigates to
    bool prompt = false;                // the untouched prompt was searched: the empty search page
    ResultCode search = ResultCode::Ok; // code of the search or of the empty page
    ResultCode sorted = ResultCode::Ok; // codes of the three transformations, in their order
    ResultCode page = ResultCode::Ok;
    ResultCode content = ResultCode::Ok;
};

// Searches `keywords` (or, when they are the prompt text, writes the empty search page) and
// transforms the results into the search pages. Creates `engine` with `language` on first use
// and keeps it. Every step runs whatever an earlier one reported, so the pages always show the
// results file as it is.
SearchPageResult BuildSearchPages(std::unique_ptr<KeywordSearch>& engine,
                                  const std::string& language, const std::string& keywords,
                                  const std::string& prompt, const SearchLabels& labels,
                                  const SearchPageFiles& files, const PageTransformer& transformer);

} // namespace kaldo
