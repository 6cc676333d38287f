#include "main/status/StatusSource.h"

#include "main/status/NetworkStatusSource.h"
#include "main/status/StatusRetrieval.h"
#include "main/status/UsbStatusSource.h"

namespace kaldo {

std::unique_ptr<StatusSource> MakeStatusSource(const StatusRequest& request) {
    if (request.useUsb)
        return std::make_unique<UsbStatusSource>(request.source, request.language);
    return std::make_unique<NetworkStatusSource>(request.source, request.downloads);
}

} // namespace kaldo
