#include "main/status/StatusSource.h"

#include "main/status/NetworkStatusSource.h"
#include "main/status/StatusRetrieval.h"
#include "main/status/UsbStatusSource.h"

namespace kaldo {

std::unique_ptr<StatusSource> MakeStatusSource(const StatusRequest& request) {
    if (request.UseUsb)
        return std::make_unique<UsbStatusSource>(request.Source, request.Language);
    return std::make_unique<NetworkStatusSource>(request.Source, request.Downloads);
}

} // namespace kaldo
