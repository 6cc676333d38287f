#pragma once

#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// The labels of the search pages from the program's string table (ids 121-123), UTF-8.
struct SearchLabels {
    std::string SearchResults; // "Search Results for: "
    std::string SearchAgain;   // "Search Again"
    std::string NoResults;     // "No Results Found"
};

// Finds the index entries whose titles contain the typed words or their synonyms and writes
// them, weighed, into the results document the search stylesheets read. Keeps the index and
// the synonyms parsed between searches of the same files.
class KeywordSearch final {
public:
    // `language` is the content's language code; it chooses the encoding name.
    explicit KeywordSearch(std::string language);

    // Writes the results document for `keywords`. ResultCode::Ok; ResultCode::MissingArgument for
    // empty keywords or paths and ResultCode::ParseInput for an index that does not parse, both
    // writing nothing; ResultCode::NoRoot for an index without entries, or a writing code. On
    // failure the results file stays as it was.
    ResultCode Search(const std::string& indexPath, const std::string& synonymPath,
                      std::string_view keywords, const std::string& resultsPath,
                      const SearchLabels& labels);

    // As search, but hands the results document over as a tree and writes no file. On failure
    // `results` is empty.
    ResultCode SearchTree(const std::string& indexPath, const std::string& synonymPath,
                          std::string_view keywords, const SearchLabels& labels,
                          XmlDocHandle& results);

    // Writes a results tree to `path` as search writes its file, replacing the old file only
    // with a complete one. ResultCode::WriterCreate when it cannot be written.
    ResultCode SaveResults(const xmlDoc* results, const std::string& path) const;

    // Writes the results document of the search page before anything was searched: labels,
    // an empty search string and the legend, without XML declaration. Codes as for search.
    ResultCode WriteEmpty(const std::string& indexPath, const std::string& resultsPath,
                          const SearchLabels& labels);

    // Splits `keywords` into the typed words and builds each one's synonym list: the word
    // first, then for every group with an item equal to it without regard to ASCII case all
    // items of that group, once (a repeat would never change a score, and a group of many
    // equal items would make the list grow with the square of the synonyms file).
    void SplitKeywords(std::string_view keywords);

    // The score of a title at `level` (1 top-level entry, 2 sub-entry) for the current words:
    // for each typed word, the weight of the first of its synonym list that the title holds.
    int ScoreTitle(std::string_view title, int level) const;

    const std::vector<std::string>& TypedWords() const { return m_typedWords; }
    const std::vector<std::vector<std::string>>& SynonymLists() const { return m_synonymLists; }
    const std::string& Encoding() const { return m_encoding; }
    bool HoldsIndex() const { return m_index != nullptr; }
    bool HoldsSynonyms() const { return m_synonyms != nullptr; }

private:
    struct Candidate {
        size_t Word = 0; // in m_foldedWords
        bool Typed = false;
    };

    void LoadIndex(const std::string& path);
    void LoadSynonyms(const std::string& path);
    std::vector<std::string> SynonymList(const std::string& word) const;
    int Score(xmlNodePtr entry, int level) const;

    ResultCode WriteHeader(xmlTextWriterPtr writer, std::string_view keywords,
                           const std::string& codepage, const SearchLabels& labels) const;
    ResultCode HeaderTree(std::string_view keywords, const SearchLabels& labels,
                          XmlDocHandle& results) const;
    void AddHits(xmlNodePtr results, xmlNodePtr container) const;
    ResultCode CopyLegend(xmlTextWriterPtr writer) const;
    ResultCode AddTail(xmlNodePtr results);

    std::vector<std::string> m_typedWords;
    std::vector<std::vector<std::string>> m_synonymLists;
    std::vector<std::vector<Candidate>> m_candidates; // the lists, for matching
    // Every word of the lists once, folded: one that several lists hold is looked for in a
    // title only once.
    std::vector<std::string> m_foldedWords;
    mutable std::vector<signed char> m_titleMatches; // per folded word; reused by every title
    std::string m_indexPath;
    std::string m_synonymsPath;
    std::string m_resultsPath;
    XmlDocHandle m_index;
    XmlDocHandle m_synonyms;
    XmlDocHandle m_tail; // the legend and what follows it, as every search copies it
    std::string m_encoding;
    mutable std::string m_foldedTitle; // reused by every title a search scores
};

} // namespace kaldo
