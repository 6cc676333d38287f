#pragma once

#include "main/pages/PageTransformer.h"
#include "main/search/KeywordSearch.h"

#include <memory>
#include <string>

namespace kaldo {

// The files of the search pages, full paths: data and stylesheets in the model's XML folder,
// pages in its UI folder.
struct SearchPageFiles {
    std::string Index;             // File_IndexCombined2
    std::string Synonyms;          // File_Synonym
    std::string Results;           // File_Search of DataFiles: the results document
    std::string SortStylesheet;    // File_SearchSort_XSL, sorts the results in place
    std::string PageStylesheet;    // File_Search_XSL
    std::string ContentStylesheet; // File_SearchContent_XSL
    std::string Page;              // File_Search of HTMLFiles
    std::string ContentPage;       // File_SearchContent
    std::string SearchTabPage;     // the page of the search tab that shows the results
};

// What a search did; the caller makes the search tab current and shows `show`.
struct SearchPageResult {
    std::string Show;                   // the page the body pane navigates to
    bool Prompt = false;                // the untouched prompt was searched: the empty search page
    ResultCode Search = ResultCode::Ok; // code of the search or of the empty page
    ResultCode Sorted = ResultCode::Ok; // codes of the three transformations, in their order
    ResultCode Page = ResultCode::Ok;
    ResultCode Content = ResultCode::Ok;
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
