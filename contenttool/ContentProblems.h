#pragma once

#include <set>
#include <string>
#include <vector>

namespace kaldo {

// One finding of a content folder: the file to look at and what is wrong with it. A note is
// something the program does without (an absent optional file), not a fault.
struct ContentProblem {
    std::string Path;
    std::string Problem;
    bool Note = false;
};

// "path: problem", the line the check prints; "path: note: ..." for a note.
std::string FormatProblem(const ContentProblem& problem);

// The findings so far, each reported once, in the order they were found.
class ProblemList final {
public:
    void Add(const std::string& path, const std::string& problem, bool note = false);
    // Whether a problem has been reported for `path`.
    bool Names(const std::string& path) const { return m_paths.count(path) != 0; }
    const std::vector<ContentProblem>& Items() const { return m_items; }

private:
    std::vector<ContentProblem> m_items;
    std::set<std::string> m_lines;
    std::set<std::string> m_paths;
};

// Writes the paths of a working copy (or of a link to the folder) the way the user named the
// content folder, so messages point at the author's files.
class ShownPaths final {
public:
    ShownPaths() = default;
    ShownPaths(std::string workFolder, std::string userFolder);

    std::string Show(const std::string& path) const;
    // Every mention of the working folder inside `text` (a library's message) replaced.
    std::string ShowText(std::string text) const;

private:
    std::string m_work;
    std::string m_user;
};

} // namespace kaldo
