#pragma once

#include <cups/cups.h>

#include <memory>

namespace kaldo {

namespace detail {

template <auto Free> struct CupsDeleter {
    template <typename T> void operator()(T* handle) const { Free(handle); }
};

// A single destination, as cupsGetNamedDest and cupsCopyDest hand it out.
inline void FreeOneDest(cups_dest_t* dest) {
    cupsFreeDests(1, dest);
}

} // namespace detail

// Owners of the CUPS handles the program holds; every one is freed on every path.
using CupsHttpHandle = std::unique_ptr<http_t, detail::CupsDeleter<httpClose>>;
using CupsIppHandle = std::unique_ptr<ipp_t, detail::CupsDeleter<ippDelete>>;
using CupsDestHandle = std::unique_ptr<cups_dest_t, detail::CupsDeleter<detail::FreeOneDest>>;
using CupsDestInfoHandle = std::unique_ptr<cups_dinfo_t, detail::CupsDeleter<cupsFreeDestInfo>>;

// A list of destinations as cupsGetDests2 hands it out.
class CupsDestList {
public:
    CupsDestList() = default;
    CupsDestList(int count, cups_dest_t* dests)
        : m_count(count)
        , m_dests(dests) {}
    ~CupsDestList() { cupsFreeDests(m_count, m_dests); }
    CupsDestList(const CupsDestList&) = delete;
    CupsDestList& operator=(const CupsDestList&) = delete;

    int Count() const { return m_count; }
    cups_dest_t* Dests() const { return m_dests; }

private:
    int m_count = 0;
    cups_dest_t* m_dests = nullptr;
};

} // namespace kaldo
