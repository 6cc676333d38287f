#pragma once

#include <set>
#include <string>
#include <vector>

namespace kaldo {

// One fault of a content folder: the file to look at and what is wrong with it.
struct ContentProblem {
    std::string path;
    std::string problem;
};

// "path: problem", the line the check prints.
std::string FormatProblem(const ContentProblem& problem);

// The problems found so far, each reported once, in the order they were found.
class ProblemList final {
public:
    void Add(const std::string& path, const std::string& problem);
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
