#pragma once
// The bytes of an HTTP response as they arrive: first header lines (ended by
// LF or CR LF, at most 8192 bytes each), then the body, handed on as it is
// framed: as received up to the close, or decoded from chunks. The reader
// holds at most one header line's bytes; body bytes go on at once.
//
// Faults in the bytes raise EHttpException: "HTTP line too long" (4) for a
// header line without an end in 8192 bytes, "HTTP chunked body invalid" (5)
// for chunk sizes and ends out of form.

#include "cd/net/HttpException.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The status of a line that starts with "HTTP/1.0" or "HTTP/1.1": false
// when it is no such line; raises EHttpException when its code is no number.
bool ParseHttpStatusLine(std::string_view line, int32_t& code, std::string& reason);
// A header field: the name before the first ":" in lower case and the value
// after it without leading blanks; false for a line without ":".
bool ParseHttpHeaderField(std::string_view line, std::string& name, std::string& value);
// A Content-Length value; false when it is no decimal number.
bool ParseContentLength(std::string_view value, int64_t& length);
// Whether a Transfer-Encoding value ends in the chunked coding.
bool IsChunkedEncoding(std::string_view value);

class THttpResponseReader {
public:
    static constexpr size_t kBufferSize = 8192;
    enum class TBodyFraming : uint8_t { UntilClose, Chunked };

    // A header line without its end, and the end it had ("\n" or "\r\n").
    std::function<void(const std::string& line, std::string_view lineEnd)> OnLine;
    std::function<void(const char* data, size_t length)> OnBody;
    // A chunked body's last chunk and trailer arrived.
    std::function<void()> OnBodyEnd;

    // Where the next received bytes go, and how many fit.
    char* Room(size_t& size);
    // Reads count bytes written at Room().
    void Received(size_t count);
    // Copies bytes in and reads them (for bytes that come from elsewhere).
    void Feed(const char* data, size_t length);
    // From now on the bytes are body; those still held go on at once.
    void StartBody(TBodyFraming framing);
    void Reset();

    bool InBody() const { return inBody_; }
    bool BodyComplete() const { return chunkState_ == TChunkState::Done; }

private:
    enum class TChunkState : uint8_t { Size, Data, DataEnd, Trailer, Done };

    void ReadLines();
    void ReadBody(const char* data, size_t length);
    void ReadChunked(const char* data, size_t length);
    bool TakeChunkLine(const char*& data, size_t& length, std::string& line);
    void ChunkLineDone(const std::string& line);


    std::array<char, kBufferSize> buffer_{};
    size_t held_ = 0;
    bool inBody_ = false;
    TBodyFraming framing_ = TBodyFraming::UntilClose;
    TChunkState chunkState_ = TChunkState::Size;
    uint64_t chunkLeft_ = 0;
    std::string chunkLine_;
    uint64_t generation_ = 0;
};
