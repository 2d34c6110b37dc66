#include "foundation/StreamHelp.h"

#include "foundation/Exceptions.h"

#include <limits>

namespace {
int32_t CheckedLength(int64_t size) {
    if (size > std::numeric_limits<int32_t>::max()) throw EWriteError("Stream write error");
    return static_cast<int32_t>(size);
}
}  // namespace

void StreamWriteString(TStream& s, const std::string& text) {
    const int32_t length = CheckedLength(static_cast<int64_t>(text.size()));
    StreamWriteInt(s, length);
    s.WriteBuffer(text.data(), length);
}

std::string StreamReadString(TStream& s) {
    const int32_t length = StreamReadInt(s);
    if (length <= 0) return {};
    s.RequireAvailable(length);
    std::string text(static_cast<size_t>(length), '\0');
    s.ReadBuffer(text.data(), length);
    return text;
}

void StreamWriteBlock(TStream& s, TMemoryStream& block) {
    const int32_t size = CheckedLength(block.Size());
    StreamWriteInt(s, size);
    s.WriteBuffer(block.Memory(), size);
}

void StreamReadBlock(TStream& s, TMemoryStream& block) {
    const int32_t size = StreamReadInt(s);
    if (size < 0) throw EReadError("Stream read error");
    s.RequireAvailable(size);
    block.Clear();
    block.SetSize(size);
    s.ReadBuffer(block.Memory(), size);
    block.SetPosition(0);
}
