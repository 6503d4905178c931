#include "web/server/Gzip.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>

namespace tonel::web {

std::string gzipCompress(std::string_view data)
{
    z_stream stream{};
    // 15 bits of window, +16 for the gzip wrapper instead of zlib's.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : std::string();
}

std::optional<std::string> gzipDecompress(std::string_view gzip, std::size_t limit)
{
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.data()));
    stream.avail_in = static_cast<uInt>(gzip.size());
    std::string out;
    char chunk[16384];
    int result = Z_OK;
    while (result == Z_OK && out.size() <= limit) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
        if (result == Z_BUF_ERROR && stream.avail_in == 0)
            break;  // the input ended before the stream did
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END || out.size() > limit)
        return std::nullopt;
    return out;
}

bool acceptsGzip(std::string_view header)
{
    std::string text(header);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string item = text.substr(start, end - start);
        item.erase(std::remove_if(item.begin(), item.end(), [](unsigned char c) { return std::isspace(c); }), item.end());
        const std::size_t semicolon = item.find(';');
        const std::string coding = item.substr(0, semicolon);
        if (coding == "gzip" || coding == "*") {
            const std::string params = semicolon == std::string::npos ? "" : item.substr(semicolon + 1);
            const bool refused = params.starts_with("q=0") &&
                                 params.find_first_not_of("0.", 2) == std::string::npos;
            return !refused;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace tonel::web
