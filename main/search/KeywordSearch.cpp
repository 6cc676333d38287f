#include "main/search/KeywordSearch.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlElements.h"
#include "main/pages/index/PendingFile.h"
#include "main/search/KeywordMatch.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <optional>

namespace kaldo {

namespace {

using W = DocumentWriter;

bool IsElement(xmlNodePtr node, const char* name = nullptr) {
    return node->type == XML_ELEMENT_NODE &&
           (name == nullptr || xmlStrcmp(node->name, XmlText(name)) == 0);
}

xmlNodePtr FirstElement(xmlNodePtr node) {
    while (node != nullptr && !IsElement(node))
        node = node->next;
    return node;
}

xmlNodePtr NextElement(xmlNodePtr node) {
    return FirstElement(node->next);
}

std::string TextOf(xmlNodePtr node) {
    return TakeXmlString(xmlNodeGetContent(node));
}

XmlTextWriterHandle OpenWriter(const std::string& path) {
    return XmlTextWriterHandle(xmlNewTextWriterFilename(path.c_str(), 0));
}

// Ends the document, closes its file and puts it in place of the results file.
ResultCode FinishDocument(XmlTextWriterHandle& writer, PendingFile& pending) {
    const bool ended = xmlTextWriterEndDocument(writer.get()) >= 0;
    writer.reset();
    return ended && pending.Commit() ? ResultCode::Ok : ResultCode::WriterEndDocument;
}

void AddAttribute(xmlNodePtr node, const char* name, const std::string& value) {
    xmlNewProp(node, XmlText(name), XmlText(value));
}

// An element of `element`'s name below `parent`: its title and, when it has a weight, its
// weight; both only when the element has a title.
xmlNodePtr AddTitledElement(xmlNodePtr parent, xmlNodePtr element, std::optional<int> weight) {
    xmlNodePtr node = xmlNewChild(parent, nullptr, element->name, nullptr);
    const std::optional<std::string> title = AttributeText(element, "t");
    if (!title)
        return node;
    AddAttribute(node, "t", *title);
    if (weight)
        AddAttribute(node, "weight", std::to_string(*weight));
    return node;
}

// An empty element of the leaf's name with its link attributes.
void AddLinkLeaf(xmlNodePtr parent, xmlNodePtr leaf) {
    xmlNodePtr node = xmlNewChild(parent, nullptr, leaf->name, nullptr);
    for (const char* name : {"l", "icon", "tblink", "level"}) {
        if (const std::optional<std::string> value = AttributeText(leaf, name))
            AddAttribute(node, name, *value);
    }
}

// A titled sub-entry with the link leaf it holds as its first element. A sub-entry that holds
// no element is written without one rather than failing the whole document.
void AddTitledSubEntry(xmlNodePtr parent, xmlNodePtr sub) {
    xmlNodePtr node = AddTitledElement(parent, sub, std::nullopt);
    if (xmlNodePtr leaf = FirstElement(sub->children))
        AddLinkLeaf(node, leaf);
}

} // namespace

KeywordSearch::KeywordSearch(std::string language)
    : m_encoding("UTF-8") {
    language.resize(std::min<size_t>(language.size(), 4));
    EncodingForLanguage(language, m_encoding);
}

void KeywordSearch::LoadIndex(const std::string& path) {
    if (m_index && m_indexPath == path)
        return;
    m_indexPath = path;
    m_index = ReadXmlFile(path);
    m_tail.reset();
}

// Each content folder has synonyms of its own.
void KeywordSearch::LoadSynonyms(const std::string& path) {
    if (m_synonyms && m_synonymsPath == path)
        return;
    m_synonymsPath = path;
    m_synonyms = ReadXmlFile(path);
}

std::vector<std::string> KeywordSearch::SynonymList(const std::string& word) const {
    std::vector<std::string> list{word};
    xmlNodePtr root = m_synonyms ? xmlDocGetRootElement(m_synonyms.get()) : nullptr;
    if (root == nullptr)
        return list;
    const std::string folded = FoldAsciiCase(word);
    for (xmlNodePtr group = FirstElement(root->children); group; group = NextElement(group)) {
        if (!IsElement(group, "Group"))
            continue;
        for (xmlNodePtr item = FirstElement(group->children); item; item = NextElement(item)) {
            if (!IsElement(item, "Item") || FoldAsciiCase(TextOf(item)) != folded)
                continue;
            for (xmlNodePtr other = FirstElement(group->children); other;
                 other = NextElement(other)) {
                // An empty synonym would be found in every title.
                if (std::string text = TextOf(other); IsElement(other, "Item") && !text.empty())
                    list.push_back(std::move(text));
            }
            break;
        }
    }
    return list;
}

void KeywordSearch::SplitKeywords(std::string_view keywords) {
    m_typedWords = kaldo::SplitKeywords(keywords);
    m_synonymLists.clear();
    m_candidates.clear();
    m_foldedWords.clear();
    for (const std::string& word : m_typedWords) {
        m_synonymLists.push_back(SynonymList(word));
        std::vector<Candidate>& candidates = m_candidates.emplace_back();
        for (const std::string& synonym : m_synonymLists.back()) {
            const bool typed =
                std::find(m_typedWords.begin(), m_typedWords.end(), synonym) != m_typedWords.end();
            std::string folded = FoldAsciiCase(synonym);
            const size_t at = size_t(std::find(m_foldedWords.begin(), m_foldedWords.end(), folded) -
                                     m_foldedWords.begin());
            if (at == m_foldedWords.size())
                m_foldedWords.push_back(std::move(folded));
            candidates.push_back({at, typed});
        }
    }
}

int KeywordSearch::ScoreTitle(std::string_view title, int level) const {
    constexpr signed char kNotLookedFor = -1;
    const std::string& folded = FoldAsciiCase(title, m_foldedTitle);
    m_titleMatches.assign(m_foldedWords.size(), kNotLookedFor);
    int score = 0;
    for (const std::vector<Candidate>& candidates : m_candidates) {
        for (const Candidate& candidate : candidates) {
            signed char& known = m_titleMatches[candidate.Word];
            if (known == kNotLookedFor)
                known = static_cast<signed char>(
                    MatchFoldedWord(m_foldedWords[candidate.Word], folded));
            const auto match = static_cast<WordMatch>(known);
            if (match != WordMatch::None) {
                score += MatchWeight(level, match, candidate.Typed);
                break;
            }
        }
    }
    return score;
}

int KeywordSearch::Score(xmlNodePtr entry, int level) const {
    // Every title of the index is scored on every search: read it in place where it is one
    // plain text, as the parser leaves an attribute without entity references.
    for (xmlAttrPtr attribute = entry->properties; attribute; attribute = attribute->next) {
        if (attribute->ns != nullptr || xmlStrcmp(attribute->name, XmlText("t")) != 0)
            continue;
        xmlNodePtr text = attribute->children;
        if (text == nullptr)
            return ScoreTitle("", level);
        if (text->type == XML_TEXT_NODE && text->next == nullptr)
            return ScoreTitle(CharText(text->content), level);
        return ScoreTitle(TakeXmlString(xmlNodeListGetString(entry->doc, text, 1)), level);
    }
    return 0;
}

ResultCode KeywordSearch::WriteHeader(xmlTextWriterPtr writer, std::string_view keywords,
                                      const std::string& codepage,
                                      const SearchLabels& labels) const {
    if (W::StartElement(writer, "SearchResults") != ResultCode::Ok)
        return ResultCode::WriterStartElement;
    if (W::WriteAttribute(writer, "codepage", codepage) != ResultCode::Ok ||
        W::WriteElement(writer, "SearchString", std::string(keywords)) != ResultCode::Ok ||
        W::WriteElement(writer, "SearchResultsString", labels.SearchResults) != ResultCode::Ok ||
        W::WriteElement(writer, "SearchAgainString", labels.SearchAgain) != ResultCode::Ok ||
        W::WriteElement(writer, "NoResultsString", labels.NoResults) != ResultCode::Ok)
        return ResultCode::WriterWriteElement;
    return ResultCode::Ok;
}

// The header goes through a document of its own first, as every generated document's data
// does; what does not survive parsing (text that is no UTF-8) fails the search. That document
// becomes the results.
ResultCode KeywordSearch::HeaderTree(std::string_view keywords, const SearchLabels& labels,
                                     XmlDocHandle& results) const {
    MemoryDocument memory;
    if (const ResultCode started = memory.Start(); started != ResultCode::Ok)
        return started;
    if (const ResultCode written = WriteHeader(memory.Writer(), keywords, m_encoding, labels);
        written != ResultCode::Ok)
        return written;
    if (const ResultCode parsed = memory.Parse(m_encoding, results); parsed != ResultCode::Ok)
        return parsed;
    xmlNodePtr root = xmlDocGetRootElement(results.get());
    if (root == nullptr)
        return ResultCode::NoRoot;
    xmlSetProp(root, XmlText("codepage"), XmlText("utf-8"));
    // An empty label keeps its end tag in the file.
    for (xmlNodePtr child = FirstElement(root->children); child; child = NextElement(child)) {
        if (child->children == nullptr)
            xmlAddChild(child, xmlNewDocText(results.get(), XmlText("")));
    }
    return ResultCode::Ok;
}

void KeywordSearch::AddHits(xmlNodePtr results, xmlNodePtr container) const {
    for (xmlNodePtr entry = FirstElement(container->children); entry; entry = NextElement(entry)) {
        if (const int score = Score(entry, 1); score > 0) {
            xmlNodePtr hit = AddTitledElement(results, entry, score);
            for (xmlNodePtr sub = FirstElement(entry->children); sub; sub = NextElement(sub)) {
                if (xmlHasProp(sub, XmlText("t")) != nullptr)
                    AddTitledSubEntry(hit, sub);
                else
                    AddLinkLeaf(hit, sub);
            }
            continue;
        }
        for (xmlNodePtr sub = FirstElement(entry->children); sub; sub = NextElement(sub)) {
            if (const int score = Score(sub, 2); score > 0)
                AddTitledSubEntry(AddTitledElement(results, entry, score), sub);
        }
    }
}

// The legend and every element after it in the index, which closes the results root. An index
// without legend gives a complete document all the same.
ResultCode KeywordSearch::CopyLegend(xmlTextWriterPtr writer) const {
    xmlNodePtr root = xmlDocGetRootElement(m_index.get());
    xmlNodePtr legend = root ? FirstElement(root->children) : nullptr;
    while (legend != nullptr && !IsElement(legend, "Legend"))
        legend = NextElement(legend);
    if (legend == nullptr)
        return W::EndElement(writer);
    return CopyElementTree(m_index.get(), legend, writer) < 0 ? ResultCode::WriterEndElement
                                                              : ResultCode::Ok;
}

// The tail is the same for every search of an index: made once, as CopyLegend writes it.
ResultCode KeywordSearch::AddTail(xmlNodePtr results) {
    if (!m_tail) {
        MemoryDocument memory;
        if (const ResultCode started = memory.Start(); started != ResultCode::Ok)
            return started;
        if (W::StartElement(memory.Writer(), "Tail") != ResultCode::Ok)
            return ResultCode::WriterStartElement;
        if (const ResultCode legend = CopyLegend(memory.Writer()); legend != ResultCode::Ok)
            return legend;
        if (const ResultCode parsed = memory.Parse(m_encoding, m_tail); parsed != ResultCode::Ok)
            return parsed;
    }
    xmlNodePtr tail = xmlDocGetRootElement(m_tail.get());
    if (tail == nullptr)
        return ResultCode::NoRoot;
    if (tail->children != nullptr)
        xmlAddChildList(results, xmlDocCopyNodeList(results->doc, tail->children));
    return ResultCode::Ok;
}

ResultCode KeywordSearch::SearchTree(const std::string& indexPath, const std::string& synonymPath,
                                     std::string_view keywords, const SearchLabels& labels,
                                     XmlDocHandle& results) {
    results.reset();
    if (keywords.empty() || indexPath.empty())
        return ResultCode::MissingArgument;
    LoadIndex(indexPath);
    if (!m_index)
        return ResultCode::ParseInput;
    LoadSynonyms(synonymPath);
    SplitKeywords(keywords);

    XmlDocHandle tree;
    if (const ResultCode header = HeaderTree(keywords, labels, tree); header != ResultCode::Ok)
        return header;
    xmlNodePtr root = xmlDocGetRootElement(m_index.get());
    xmlNodePtr container = root ? FirstElement(root->children) : nullptr;
    if (container == nullptr)
        return ResultCode::NoRoot;
    xmlNodePtr resultsRoot = xmlDocGetRootElement(tree.get());
    AddHits(resultsRoot, container);
    if (const ResultCode tail = AddTail(resultsRoot); tail != ResultCode::Ok)
        return tail;
    results = std::move(tree);
    return ResultCode::Ok;
}

ResultCode KeywordSearch::SaveResults(const xmlDoc* results, const std::string& path) const {
    xmlChar* text = nullptr;
    int size = 0;
    // libxml2 does not change the document; its interface only lacks the const.
    xmlDocDumpMemoryEnc(const_cast<xmlDocPtr>(results), &text, &size, m_encoding.c_str());
    const XmlStringHandle owner(text);
    if (owner == nullptr || size < 0 ||
        !WriteFileAtomically(path, std::string_view(CharText(text), static_cast<size_t>(size)),
                             ReplaceMode::Regenerable))
        return ResultCode::WriterCreate;
    return ResultCode::Ok;
}

ResultCode KeywordSearch::Search(const std::string& indexPath, const std::string& synonymPath,
                                 std::string_view keywords, const std::string& resultsPath,
                                 const SearchLabels& labels) {
    if (keywords.empty() || indexPath.empty() || resultsPath.empty())
        return ResultCode::MissingArgument;
    XmlDocHandle results;
    if (const ResultCode found = SearchTree(indexPath, synonymPath, keywords, labels, results);
        found != ResultCode::Ok)
        return found;
    m_resultsPath = resultsPath;
    return SaveResults(results.get(), resultsPath);
}

ResultCode KeywordSearch::WriteEmpty(const std::string& indexPath, const std::string& resultsPath,
                                     const SearchLabels& labels) {
    if (indexPath.empty() || resultsPath.empty())
        return ResultCode::MissingArgument;
    LoadIndex(indexPath);
    if (!m_index)
        return ResultCode::ParseInput;
    m_resultsPath = resultsPath;

    PendingFile pending(m_resultsPath);
    XmlTextWriterHandle writer = OpenWriter(pending.Path());
    if (!writer)
        return ResultCode::WriterCreate;
    if (xmlDocGetRootElement(m_index.get()) == nullptr)
        return ResultCode::NoRoot;
    if (const ResultCode header = WriteHeader(writer.get(), "", m_encoding, labels);
        header != ResultCode::Ok)
        return header;
    if (const ResultCode legend = CopyLegend(writer.get()); legend != ResultCode::Ok)
        return legend;
    return FinishDocument(writer, pending);
}

} // namespace kaldo
