#include "main/search/SearchPage.h"

#include "main/pages/DocumentUtils.h"

namespace kaldo {

SearchPageResult BuildSearchPages(std::unique_ptr<KeywordSearch>& engine,
                                  const std::string& language, const std::string& keywords,
                                  const std::string& prompt, const SearchLabels& labels,
                                  const SearchPageFiles& files,
                                  const PageTransformer& transformer) {
    if (!engine)
        engine = std::make_unique<KeywordSearch>(language);
    SearchPageResult result;
    result.prompt = keywords == prompt;
    if (files.results.empty()) {
        result.search = result.sorted = result.page = result.content = ResultCode::MissingArgument;
        result.show = files.searchTabPage;
        return result;
    }
    // A search hands its results over as a tree; the sorted tree is what the results file then
    // holds. Without a new tree (the empty page, or a failed search) the pages show the file as
    // it is, read once.
    XmlDocHandle unsorted;
    if (result.prompt) {
        result.search = engine->writeEmpty(files.index, files.results, labels);
    } else {
        result.search = engine->searchTree(files.index, files.synonyms, keywords, labels, unsorted);
    }
    const bool searched = unsorted != nullptr;
    if (!searched)
        unsorted = ReadXmlFile(files.results);
    const TreePage sorted =
        transformer.TransformTree(unsorted.get(), files.sortStylesheet, files.results, true);
    result.sorted = sorted.code;
    if (searched && !sorted.result)
        result.search = engine->saveResults(unsorted.get(), files.results);
    // Both pages come from the sorted tree, or from the unsorted one when sorting failed, which
    // is what the results file then holds.
    const xmlDoc* shown = sorted.result ? sorted.result.get() : unsorted.get();
    result.page = transformer.TransformTree(shown, files.pageStylesheet, files.page, false).code;
    result.content =
        transformer.TransformTree(shown, files.contentStylesheet, files.contentPage, false).code;
    result.show = files.searchTabPage;
    return result;
}

} // namespace kaldo
