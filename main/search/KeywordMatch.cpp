#include "main/search/KeywordMatch.h"

namespace kaldo {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '+' || c == '"';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::vector<std::string> SplitKeywords(std::string_view keywords) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < keywords.size()) {
        while (at < keywords.size() && IsSeparator(keywords[at]))
            ++at;
        const size_t start = at;
        while (at < keywords.size() && !IsSeparator(keywords[at]))
            ++at;
        if (at > start)
            words.emplace_back(keywords.substr(start, at - start));
    }
    return words;
}

const std::string& FoldAsciiCase(std::string_view text, std::string& folded) {
    folded.assign(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string folded;
    FoldAsciiCase(text, folded);
    return folded;
}

WordMatch MatchFoldedWord(std::string_view foldedWord, std::string_view foldedTitle) {
    const size_t at = foldedTitle.find(foldedWord);
    if (at == std::string_view::npos)
        return WordMatch::None;
    const size_t behind = at + foldedWord.size();
    if ((at > 0 && IsLetter(foldedTitle[at - 1])) ||
        (behind < foldedTitle.size() && IsLetter(foldedTitle[behind])))
        return WordMatch::PartOfWord;
    return WordMatch::WholeWord;
}

WordMatch MatchWord(std::string_view word, std::string_view title) {
    return MatchFoldedWord(FoldAsciiCase(word), FoldAsciiCase(title));
}

int MatchWeight(int level, WordMatch match, bool typed) {
    if (match == WordMatch::None)
        return 0;
    const bool whole = match == WordMatch::WholeWord;
    if (level == 1)
        return whole ? (typed ? 10 : 9) : (typed ? 5 : 3);
    return whole ? (typed ? 7 : 6) : (typed ? 4 : 2);
}

} // namespace kaldo
