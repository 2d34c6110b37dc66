// Reads arbitrary bytes as the answer to an HTTP request, the way the HTTP
// client does: header lines with the status line and fields, then the body
// by its framing (chunked or up to the close). The first byte chooses how
// the bytes are split into receives. Only EHttpException may end a read, and
// the body handed on is never more than the bytes that came.
// fuzz-max-len: 20000
#include "cd/net/HttpResponseReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 64;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const size_t length = size - 1;

    THttpResponseReader reader;
    bool chunked = false;
    size_t body = 0;
    int32_t status = 0;
    std::string reason;
    reader.OnLine = [&](const std::string& line, std::string_view) {
        if (line.empty()) {
            reader.StartBody(chunked ? THttpResponseReader::TBodyFraming::Chunked
                                     : THttpResponseReader::TBodyFraming::UntilClose);
            return;
        }
        std::string name;
        std::string value;
        int64_t contentLength = 0;
        if (ParseHttpStatusLine(line, status, reason)) {
            if (status < 0 || status > 999) std::abort();
        } else if (ParseHttpHeaderField(line, name, value)) {
            if (name == "transfer-encoding") chunked = IsChunkedEncoding(value);
            if (name == "content-length" && ParseContentLength(value, contentLength) && contentLength < 0) std::abort();
        }
    };
    reader.OnBody = [&](const char*, size_t count) { body += count; };
    try {
        for (size_t offset = 0; offset < length; offset += piece) {
            reader.Feed(bytes + offset, std::min(piece, length - offset));
        }
    } catch (const EHttpException&) {
        return 0;
    }
    if (body > length) std::abort();
    return 0;
}
