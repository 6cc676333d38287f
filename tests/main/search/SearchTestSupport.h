#pragma once

#include "main/pages/DocumentUtils.h"
#include "main/search/KeywordSearch.h"
#include "tests/main/pages/PagesTestSupport.h"

#include <string>

namespace kaldo::testsupport {

inline std::string SearchData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/search/" + name;
}

inline const SearchLabels kLabels{"Search Results for: ", "Search Again", "No Results Found"};

// The labels as the results document carries them, after the search string.
inline const std::string kLabelElements =
    "<SearchResultsString>Search Results for: </SearchResultsString>"
    "<SearchAgainString>Search Again</SearchAgainString>"
    "<NoResultsString>No Results Found</NoResultsString>";

inline const std::string kTail = "<Legend><Legend_Title_L10N>Legend</Legend_Title_L10N></Legend>"
                                 "<TabInfo><Default>0</Default></TabInfo>";

// A temporary folder with a combined index made of `entries`, a configuration section before
// the legend and `tail` after the index.
class SearchTest : public TempFolderTest {
protected:
    void WriteIndex(const std::string& entries, const std::string& tail = kTail) {
        WriteBytes(Path("index.xml"),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n"
                   "<WebWorksHelpIX version=\"1.0\">" +
                       entries +
                       "</WebWorksHelpIX>\n"
                       "<ModelData><DriverName>Kaldo</DriverName></ModelData>\n" +
                       tail + "\n</root>\n");
    }

    ResultCode Search(const std::string& keywords, const std::string& synonyms = "none.xml") {
        return m_engine.Search(Path("index.xml"),
                               synonyms == "none.xml" ? Path(synonyms) : synonyms, keywords,
                               Path("results.xml"), kLabels);
    }

    std::string Results() const { return ReadBytes(Path("results.xml")); }

    // The results document as the search writes it for `keywords`, with `hits` between the
    // labels and the legend.
    static std::string Expected(const std::string& keywords, const std::string& hits,
                                const std::string& tail = kTail) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<SearchResults codepage=\"utf-8\"><SearchString>" +
               keywords + "</SearchString>" + kLabelElements + hits + tail + "</SearchResults>\n";
    }

    KeywordSearch m_engine{"en"};
};

} // namespace kaldo::testsupport
