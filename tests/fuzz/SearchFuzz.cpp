// The keyword search over an index with the content's synonyms. Input: the combined index,
// the synonyms, the typed keywords and optionally the language code, separated by
// kPartSeparator.
#include "main/search/KeywordMatch.h"
#include "main/search/KeywordSearch.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string index = fuzz::Scratch() / "index.xml";
    static const std::string synonyms = fuzz::Scratch() / "synonyms.xml";
    static const std::string results = fuzz::Scratch() / "search.xml";
    static const SearchLabels labels{"Search Results for: ", "Search Again", "No Results Found"};

    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 4);
    fuzz::WriteBytes(index, parts[0]);
    fuzz::WriteBytes(synonyms, parts[1]);
    const std::string& keywords = parts[2];

    // A fresh engine, since one keeps the index it parsed first for the same path.
    KeywordSearch search(parts[3].empty() ? "EN" : parts[3]);
    search.Search(index, synonyms, keywords, results, labels);
    // A second search reuses the parsed index and synonyms.
    search.Search(index, synonyms, FoldAsciiCase(keywords), results, labels);
    search.WriteEmpty(index, results, labels);
    for (const std::string& word : SplitKeywords(keywords)) {
        MatchWord(word, keywords);
        search.ScoreTitle(word, 1);
        search.ScoreTitle(word, 2);
    }
    return 0;
}
