#pragma once

#include <curl/curl.h>

#include <memory>

// Owners of libcurl objects, so that every handle is released on every path.
namespace kaldo {

namespace detail {

template <auto Free> struct CurlDeleter {
    template <typename T> void operator()(T* object) const noexcept { Free(object); }
};

} // namespace detail

using CurlEasyHandle = std::unique_ptr<CURL, detail::CurlDeleter<curl_easy_cleanup>>;
using CurlUrlHandle = std::unique_ptr<CURLU, detail::CurlDeleter<curl_url_cleanup>>;
using CurlStringHandle = std::unique_ptr<char, detail::CurlDeleter<curl_free>>;

} // namespace kaldo
