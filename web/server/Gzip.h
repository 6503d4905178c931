#pragma once
// gzip for answers that are large and fixed (the catalog): compressed once, sent to every browser
// that says it takes gzip, so a phone on the venue's Wi-Fi fetches a few tens of kilobytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tonel::web {

// The gzip form of `data` (RFC 1952); empty if zlib fails.
std::string gzipCompress(std::string_view data);

// The data of a gzip stream, at most `limit` bytes of it; nothing if it is not whole and valid or
// is longer. For checking what was sent.
std::optional<std::string> gzipDecompress(std::string_view gzip, std::size_t limit);

// Whether an Accept-Encoding header admits gzip: "gzip" (or "*") among its codings, not at q=0.
bool acceptsGzip(std::string_view acceptEncoding);

}  // namespace tonel::web
