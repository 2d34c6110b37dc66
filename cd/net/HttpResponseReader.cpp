#include "cd/net/HttpResponseReader.h"

#include "cd/net/NetText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kChunkLineLimit = 1024;

[[noreturn]] void ChunkFault() { throw EHttpException("HTTP chunked body invalid", 5); }


int HexValue(char ch) {
    if (nettext::IsDigit(ch)) return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseHttpStatusLine(std::string_view line, int32_t& code, std::string& reason) {
    if (line.substr(0, 8) != "HTTP/1.0" && line.substr(0, 8) != "HTTP/1.1") return false;
    const std::string number = nettext::Trim(line.substr(std::min<size_t>(9, line.size()), 3));
    if (number.empty() || !std::all_of(number.begin(), number.end(), nettext::IsDigit)) {
        throw EHttpException("HTTP status line invalid: " + std::string(line.substr(0, 64)), 0);
    }
    code = std::stoi(number);
    reason = std::string(line.substr(std::min<size_t>(13, line.size())));
    return true;
}

bool ParseHttpHeaderField(std::string_view line, std::string& name, std::string& value) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    name = nettext::LowerCase(line.substr(0, colon));
    size_t start = colon + 1;
    while (start < line.size() && line[start] == ' ') ++start;
    value = std::string(line.substr(start));
    return true;
}

bool ParseContentLength(std::string_view value, int64_t& length) {
    const std::string digits = nettext::Trim(value);
    if (digits.empty() || digits.size() > 18 || !std::all_of(digits.begin(), digits.end(), nettext::IsDigit)) {
        return false;
    }
    length = std::stoll(digits);
    return true;
}

bool IsChunkedEncoding(std::string_view value) {
    const std::string codings = nettext::LowerCase(nettext::Trim(value));
    return codings.size() >= 7 && codings.compare(codings.size() - 7, 7, "chunked") == 0;
}

char* THttpResponseReader::Room(size_t& size) {
    if (inBody_) {
        size = kBufferSize;
        return buffer_.data();
    }
    if (held_ == kBufferSize) throw EHttpException("HTTP line too long", 4);
    size = kBufferSize - held_;
    return buffer_.data() + held_;
}

void THttpResponseReader::Received(size_t count) {
    if (inBody_) return ReadBody(buffer_.data(), count);
    held_ += count;
    ReadLines();
}

void THttpResponseReader::Feed(const char* data, size_t length) {
    while (length > 0) {
        size_t room = 0;
        char* target = Room(room);
        const size_t count = std::min(room, length);
        std::memmove(target, data, count);
        data += count;
        length -= count;
        Received(count);
    }
}

// Hands on each complete line, taken out of the buffer first, so that a
// handler that switches to the body finds just the bytes behind its line.
// A handler that resets the reader ends the walk.
void THttpResponseReader::ReadLines() {
    const uint64_t generation = generation_;
    while (!inBody_ && generation == generation_) {
        const auto* lf = static_cast<const char*>(std::memchr(buffer_.data(), '\n', held_));
        if (!lf) return;
        const auto length = static_cast<size_t>(lf - buffer_.data());
        const bool cr = length > 0 && buffer_[length - 1] == '\r';
        const std::string line(buffer_.data(), length - (cr ? 1 : 0));
        held_ -= length + 1;
        std::memmove(buffer_.data(), lf + 1, held_);
        if (OnLine) OnLine(line, cr ? std::string_view("\r\n") : std::string_view("\n"));
    }
}

void THttpResponseReader::StartBody(TBodyFraming framing) {
    inBody_ = true;
    framing_ = framing;
    chunkState_ = TChunkState::Size;
    chunkLine_.clear();
    const size_t rest = held_;
    held_ = 0;
    if (rest > 0) ReadBody(buffer_.data(), rest);
}

void THttpResponseReader::Reset() {
    ++generation_;
    held_ = 0;
    inBody_ = false;
    framing_ = TBodyFraming::UntilClose;
    chunkState_ = TChunkState::Size;
    chunkLeft_ = 0;
    chunkLine_.clear();
}

void THttpResponseReader::ReadBody(const char* data, size_t length) {
    if (framing_ == TBodyFraming::Chunked) return ReadChunked(data, length);
    if (length > 0 && OnBody) OnBody(data, length);
}

// Chunks: a size line in hex (extensions after ";" ignored), the data, its
// line end; a size of 0 ends them, followed by trailer lines and a blank one.
void THttpResponseReader::ReadChunked(const char* data, size_t length) {
    const uint64_t generation = generation_;
    while (length > 0 && chunkState_ != TChunkState::Done && generation == generation_) {
        if (chunkState_ == TChunkState::Data) {
            const auto count = static_cast<size_t>(std::min<uint64_t>(chunkLeft_, length));
            chunkLeft_ -= count;
            if (chunkLeft_ == 0) chunkState_ = TChunkState::DataEnd;
            const char* piece = data;
            data += count;
            length -= count;
            if (OnBody) OnBody(piece, count);
            continue;
        }
        std::string line;
        if (TakeChunkLine(data, length, line)) ChunkLineDone(line);
    }
}

// Collects a line of the chunk framing; true once its LF came.
bool THttpResponseReader::TakeChunkLine(const char*& data, size_t& length, std::string& line) {
    const auto* lf = static_cast<const char*>(std::memchr(data, '\n', length));
    const size_t count = lf ? static_cast<size_t>(lf - data) : length;
    if (chunkLine_.size() + count > kChunkLineLimit) ChunkFault();
    chunkLine_.append(data, count);
    data += lf ? count + 1 : count;
    length -= lf ? count + 1 : count;
    if (!lf) return false;
    if (!chunkLine_.empty() && chunkLine_.back() == '\r') chunkLine_.pop_back();
    line.swap(chunkLine_);
    chunkLine_.clear();
    return true;
}

void THttpResponseReader::ChunkLineDone(const std::string& line) {
    switch (chunkState_) {
        case TChunkState::Size: {
            const std::string size = nettext::Trim(line.substr(0, line.find(';')));
            if (size.empty() || size.size() > 15) ChunkFault();
            chunkLeft_ = 0;
            for (const char ch : size) {
                const int digit = HexValue(ch);
                if (digit < 0) ChunkFault();
                chunkLeft_ = chunkLeft_ * 16 + static_cast<uint64_t>(digit);
            }
            chunkState_ = chunkLeft_ == 0 ? TChunkState::Trailer : TChunkState::Data;
            break;
        }
        case TChunkState::DataEnd:
            if (!line.empty()) ChunkFault();
            chunkState_ = TChunkState::Size;
            break;
        case TChunkState::Trailer:
            if (line.empty()) {
                chunkState_ = TChunkState::Done;
                if (OnBodyEnd) OnBodyEnd();
            }
            break;
        default: break;
    }
}
