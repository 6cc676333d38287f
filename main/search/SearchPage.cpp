#include "main/search/SearchPage.h"

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
    result.sorted = transformer.Transform(files.results, files.sortStylesheet, files.results);
    result.page = transformer.Transform(files.results, files.pageStylesheet, files.page);
    result.content =
        transformer.Transform(files.results, files.contentStylesheet, files.contentPage);
    result.show = files.searchTabPage;
    return result;
}

} // namespace kaldo
