#include "platform/spooler/CupsQueues.h"

#include "platform/Paths.h"
#include "platform/spooler/CupsHandles.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kaldo {

std::optional<std::map<std::string, std::string>> CupsQueueOptions(const std::string& queue) {
    if (queue.empty())
        return std::nullopt;
    CupsDestHandle dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr));
    if (!dest)
        return std::nullopt;
    std::map<std::string, std::string> options;
    for (int i = 0; i < dest->num_options; ++i)
        options[dest->options[i].name] = dest->options[i].value;
    return options;
}

bool CupsSetQueueOptions(const std::string& queue,
                         const std::map<std::string, std::string>& options) {
    if (queue.empty())
        return false;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    CupsDestList list(count, dests);
    cups_dest_t* dest = cupsGetDest(queue.c_str(), nullptr, list.Count(), list.Dests());
    if (!dest)
        return false;
    for (const auto& [name, value] : options)
        dest->num_options =
            cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);
    return cupsSetDests2(CUPS_HTTP_DEFAULT, list.Count(), list.Dests()) == 0;
}

std::optional<std::string> CupsQueuePpd(const std::string& queue) {
    if (queue.empty())
        return std::nullopt;
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), &std::fclose);
    if (!file)
        return std::nullopt;
    const std::string resource = "/printers/" + queue + ".ppd";
    if (cupsGetFd(CUPS_HTTP_DEFAULT, resource.c_str(), fileno(file.get())) != HTTP_STATUS_OK)
        return std::nullopt;
    std::rewind(file.get());
    std::string text;
    char buffer[8192];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        text.append(buffer, got);
    return text;
}

std::string CupsFilterFolder() {
    if (const char* serverBin = std::getenv("CUPS_SERVERBIN"); serverBin && *serverBin)
        return JoinPath(serverBin, "filter");
    return MachinePath("/usr/lib/cups/filter");
}

} // namespace kaldo
