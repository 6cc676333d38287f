// The downloads' HTTP, with libcurl: the module that DownloadManager loads on its first
// transfer (see CurlTransfers.h).
#include "main/net/CurlTransfers.h"

#include "main/net/CurlHandles.h"
#include "platform/AtomicFile.h"
#include "platform/Trace.h"

#include <algorithm>
#include <optional>

namespace kaldo {

namespace {

const char kWebProtocols[] = "http,https";

// Links in content made on Windows may hold spaces and non-ASCII names; they go out escaped,
// as a browser would send them.
std::string EscapedUrl(const std::string& url) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

struct TransferState {
    AtomicFile& Part;
    const std::atomic<bool>& Aborted;
    const std::uint64_t MaxBytes;
    const DownloadOptions& Options;
    CURL* Curl = nullptr;
    std::uint64_t Received = 0;
    bool Opened = false; // an answer arrived and its file exists
    bool FileFailed = false;
};

struct Attempt {
    CURLcode Code = CURLE_FAILED_INIT;
    long Status = 0; // of the last answer; 0 when none arrived, so the URL did not open
};

bool PrepareFile(TransferState& state) {
    Trace("InternetOpenUrl - success\n");
    if (!state.Part.Open()) {
        state.FileFailed = true;
        return false;
    }
    Trace("CreateFile - success\n");
    state.Opened = true;
    return true;
}

bool IsErrorStatus(long status) {
    return status >= 400;
}

long ResponseStatus(CURL* curl) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An answer that announces more than its file system can take is refused before it is
// written; an answer without a length is bounded by the caller's limit only.
bool RoomForAnnouncedSize(const TransferState& state) {
    curl_off_t announced = -1;
    if (curl_easy_getinfo(state.Curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) != CURLE_OK ||
        announced <= 0)
        return true;
    const std::string folder = FolderOf(state.Part.Target());
    // The manager always says how to learn it.
    const std::optional<std::uint64_t> available =
        state.Options.FreeSpace ? state.Options.FreeSpace(folder) : std::nullopt;
    if (!available || *available >= std::uint64_t(announced))
        return true;
    Trace("fetch refused: " + std::to_string(announced) + " bytes announced, " +
          std::to_string(*available) + " free\n");
    return false;
}

// The first bytes of an answer: only a successful one that fits becomes a file.
bool AcceptAnswer(TransferState& state) {
    if (IsErrorStatus(ResponseStatus(state.Curl)) || !RoomForAnnouncedSize(state))
        return false;
    return PrepareFile(state);
}

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto& state = *static_cast<TransferState*>(user);
    const size_t bytes = size * count;
    if (state.Aborted.load())
        return CURL_WRITEFUNC_ERROR;
    if (!state.Opened && !AcceptAnswer(state))
        return CURL_WRITEFUNC_ERROR;
    state.Received += bytes;
    if (state.MaxBytes != kNoSizeLimit && state.Received > state.MaxBytes) {
        Trace("fetch refused: answer larger than " + std::to_string(state.MaxBytes) + " bytes\n");
        return CURL_WRITEFUNC_ERROR;
    }
    return state.Part.Write({data, bytes}) ? bytes : CURL_WRITEFUNC_ERROR;
}

size_t DiscardBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

int CheckAbort(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(user)->load() ? 1 : 0;
}

// What every request of the program shares: agent name, web protocols only (also after a
// redirect), verified certificates, no signals (we run on worker threads), bounded connect.
bool SetCommonOptions(CURL* curl, const std::string& url, const DownloadOptions& options) {
    const std::string& anchors = options.CaFile;
    bool ok = curl_easy_setopt(curl, CURLOPT_URL, EscapedUrl(url).c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgentName) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kWebProtocols) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kWebProtocols) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                                long(options.ConnectTimeout.count())) == CURLE_OK;
    if (!anchors.empty())
        ok = ok && curl_easy_setopt(curl, CURLOPT_CAINFO, anchors.c_str()) == CURLE_OK;
    return ok;
}

Attempt Transfer(CURL* curl, const std::string& url, TransferState& state) {
    const DownloadOptions& options = state.Options;
    curl_easy_reset(curl);
    state.Curl = curl;
    Attempt attempt;
    bool ok = SetCommonOptions(curl, url, options);
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckAbort) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state.Aborted) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
    if (state.MaxBytes != kNoSizeLimit)
        ok = ok && curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(state.MaxBytes)) ==
                       CURLE_OK;
    if (options.StallTime.count() > 0) {
        ok = ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT,
                                    long(options.StallBytesPerSecond)) == CURLE_OK;
        ok = ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                                    long(options.StallTime.count())) == CURLE_OK;
    }
    if (!ok)
        return attempt;
    attempt.Code = curl_easy_perform(curl);
    attempt.Status = ResponseStatus(curl);
    return attempt;
}

std::string UrlText(CURLU* url) {
    char* text = nullptr;
    if (curl_url_get(url, CURLUPART_URL, &text, CURLU_NO_DEFAULT_PORT) != CURLUE_OK)
        return {};
    const CurlStringHandle owner(text);
    return text;
}

// curl_global_init once per process, before the first handle is made; false if it failed.
bool InitializeCurl() {
    static const bool initialized = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialized;
}

std::string HttpsFallback(const std::string& url, int securePort) {
    const CurlUrlHandle parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, EscapedUrl(url).c_str(),
                                CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK)
        return {};
    char* host = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) != CURLUE_OK)
        return {};
    const CurlStringHandle hostOwner(host);
    if (*host == '\0')
        return {};
    const std::string original = UrlText(parsed.get());
    const std::string port = std::to_string(securePort);
    if (curl_url_set(parsed.get(), CURLUPART_SCHEME, "https", CURLU_NON_SUPPORT_SCHEME) !=
            CURLUE_OK ||
        curl_url_set(parsed.get(), CURLUPART_PORT, securePort == 443 ? nullptr : port.c_str(), 0) !=
            CURLUE_OK ||
        curl_url_set(parsed.get(), CURLUPART_FRAGMENT, nullptr, 0) != CURLUE_OK)
        return {};
    std::string secure = UrlText(parsed.get());
    return secure == original ? std::string() : secure;
}

// The transfer of DownloadManager::Fetch, which commits or discards `part`.
bool FetchInto(AtomicFile& part, const std::string& url, std::uint64_t maxBytes,
               const DownloadOptions& options, const std::atomic<bool>& aborted) {
    const CurlEasyHandle curl(InitializeCurl() ? curl_easy_init() : nullptr);
    if (!curl)
        return false;
    Trace("InternetAttemptConnect - success\n");
    Trace("InternetOpen - success\n");
    TransferState state{part, aborted, maxBytes, options};
    Attempt attempt = Transfer(curl.get(), url, state);
    if (attempt.Code != CURLE_OK && attempt.Status == 0 && !aborted.load()) {
        const std::string secure = HttpsFallback(url, options.SecurePort);
        if (!secure.empty())
            attempt = Transfer(curl.get(), secure, state);
    }
    // An error status with an empty body never reached the write callback.
    return attempt.Code == CURLE_OK && !IsErrorStatus(attempt.Status) && !state.FileFailed &&
           (state.Opened || PrepareFile(state));
}

bool Reachable(const std::string& url, std::chrono::milliseconds timeout,
               const DownloadOptions& options) {
    if (timeout.count() <= 0 || !InitializeCurl())
        return false;
    const CurlEasyHandle curl(curl_easy_init());
    if (!curl)
        return false;
    DownloadOptions bounded = options;
    bounded.ConnectTimeout = std::min(options.ConnectTimeout, timeout);
    bool ok = SetCommonOptions(curl.get(), url, bounded);
    ok = ok && curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, DiscardBody) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, long(timeout.count())) == CURLE_OK;
    return ok && curl_easy_perform(curl.get()) == CURLE_OK;
}

} // namespace

extern "C" __attribute__((visibility("default"))) const CurlTransfers* kaldo_curl_transfers() {
    static const CurlTransfers transfers{kCurlTransfersVersion, sizeof(DownloadOptions), &FetchInto,
                                         &Reachable, &HttpsFallback};
    return &transfers;
}

} // namespace kaldo
