#pragma once

#include <string>
#include <string_view>
#include <vector>

// Matching of search words against index titles. Both are UTF-8 taken byte by byte: only the
// ASCII letters A-Z fold to a-z, and only they count as letters.
namespace kaldo {

enum class WordMatch { None, PartOfWord, WholeWord };

// The words of a keyword string: the runs between spaces, '+' and '"', in order, duplicates
// kept, never an empty one.
std::vector<std::string> SplitKeywords(std::string_view keywords);

// `text` with A-Z turned into a-z; every other byte stays.
std::string FoldAsciiCase(std::string_view text);
// The same into `folded`, whose storage is reused; returns `folded`.
const std::string& FoldAsciiCase(std::string_view text, std::string& folded);

// How the first occurrence of `word` in `title`, ignoring ASCII case, stands: inside a longer
// word when a letter touches it on either side, else a whole word.
WordMatch MatchWord(std::string_view word, std::string_view title);

// The same with both already folded by FoldAsciiCase, which keeps which bytes are letters.
WordMatch MatchFoldedWord(std::string_view foldedWord, std::string_view foldedTitle);

// What one matched word adds to an entry's score: level 1 for a top-level entry, 2 for a
// sub-entry; `typed` when the matching word is one the user typed rather than only a synonym.
int MatchWeight(int level, WordMatch match, bool typed);

} // namespace kaldo
