#include "contenttool/ContentProblems.h"

#include <utility>

namespace kaldo {

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string FormatProblem(const ContentProblem& problem) {
    return problem.Path + (problem.Note ? ": note: " : ": ") + problem.Problem;
}

void ProblemList::Add(const std::string& path, const std::string& problem, bool note) {
    ContentProblem item{path, problem, note};
    if (!m_lines.insert(FormatProblem(item)).second)
        return;
    m_paths.insert(path);
    m_items.push_back(std::move(item));
}

ShownPaths::ShownPaths(std::string workFolder, std::string userFolder)
    : m_work(WithoutTrailingSlash(std::move(workFolder)))
    , m_user(WithoutTrailingSlash(std::move(userFolder))) {}

std::string ShownPaths::Show(const std::string& path) const {
    if (m_work.empty() || path.compare(0, m_work.size(), m_work) != 0)
        return path;
    if (path.size() == m_work.size())
        return m_user;
    if (path[m_work.size()] != '/')
        return path;
    return m_user + path.substr(m_work.size());
}

std::string ShownPaths::ShowText(std::string text) const {
    if (m_work.empty())
        return text;
    for (size_t at = text.find(m_work); at != std::string::npos;
         at = text.find(m_work, at + m_user.size())) {
        text.replace(at, m_work.size(), m_user);
    }
    return text;
}

} // namespace kaldo
