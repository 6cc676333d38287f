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
    result.search = result.prompt ? engine->writeEmpty(files.index, files.results, labels)
                                  : engine->search(files.index, files.synonyms, keywords,
                                                   files.results, labels);
    // The results are read once; both pages come from the sorted tree, or from the unsorted
    // one when sorting failed, which is what the results file then holds.
    if (files.results.empty()) {
        result.sorted = result.page = result.content = ResultCode::MissingArgument;
        result.show = files.searchTabPage;
        return result;
    }
    const XmlDocHandle unsorted = ReadXmlFile(files.results);
    const TreePage sorted =
        transformer.TransformTree(unsorted.get(), files.sortStylesheet, files.results, true);
    result.sorted = sorted.code;
    const xmlDoc* shown = sorted.result ? sorted.result.get() : unsorted.get();
    result.page = transformer.TransformTree(shown, files.pageStylesheet, files.page, false).code;
    result.content =
        transformer.TransformTree(shown, files.contentStylesheet, files.contentPage, false).code;
    result.show = files.searchTabPage;
    return result;
}

} // namespace kaldo
