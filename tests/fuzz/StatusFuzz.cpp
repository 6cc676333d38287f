// The status document as a printer sends it: the check that decides whether it is usable, the
// status icon it names, and the footer and trouble-solution pages built from it.
#include "main/pages/PageTransformer.h"
#include "main/status/StatusDocumentCheck.h"
#include "main/status/StatusInfo.h"
#include "main/status/StatusPages.h"
#include "tests/fuzz/SampleContent.h"

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::SampleContent& content = fuzz::Sample();
    static const StatusPageFiles files = StatusPageFilesFor(
        content.Folders(), content.Config().Files(), content.Config().ConfigPath());
    static const PageTransformer transformer;

    fuzz::WriteBytes(files.StatusDocument,
                     std::string_view(reinterpret_cast<const char*>(data), size));
    const StatusValue status = StatusFromReport(true, files.StatusDocument);
    std::string iconUrl;
    std::string localPath;
    FindStatusIcon(files.StatusDocument, files.ImagesFolder, iconUrl, localPath);

    StatusFacts facts;
    facts.PrinterIsNetworked = true;
    facts.PrinterAddress = "192.0.2.40";
    facts.DisplayToner = content.Config().DisplayToner();
    facts.UpdateState = UpdateState::UpdatesAvailable;
    StatusInfo info;
    FillStatusInfo(info, status, facts);
    BuildFooterPages(status, info, files, content.Config().Language_L10N(), transformer);
    return 0;
}
