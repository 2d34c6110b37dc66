#include "richtext/model/ComponentStream.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtEngineErrors.h"

#include <cstring>

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr int kMaxNesting = 16;
constexpr uint8_t kFilerFlagsMark = 0xF0;
constexpr uint8_t kFilerChildPos = 0x02;

[[noreturn]] void Damaged() { throw ERtEngineError(GetEngineMessage(meWrongFormat)); }

class TBlockReader {
public:
    explicit TBlockReader(TStream& s) : s_(s) {}

    uint8_t Byte() { return StreamReadByte(s_); }

    template <typename T>
    T Value() {
        return StreamReadValue<T>(s_);
    }

    std::string Bytes(int64_t count) {
        if (count < 0 || count > s_.Remaining()) Damaged();
        std::string text(static_cast<size_t>(count), '\0');
        if (count > 0) s_.ReadBuffer(text.data(), count);
        return text;
    }

    std::string ShortString() { return Bytes(Byte()); }

    // One component: optional filer flags, class name, object name,
    // properties, children.
    TRtComponentBlock Component(int depth) {
        if (depth > kMaxNesting) Damaged();
        TRtComponentBlock block;
        uint8_t first = Byte();
        if ((first & 0xF0) == kFilerFlagsMark) {
            if (first & kFilerChildPos) Integer(Byte());
            first = Byte();
        }
        block.className = Bytes(first);
        block.objectName = ShortString();
        for (std::string name = ShortString(); !name.empty(); name = ShortString()) {
            block.properties.emplace_back(name, PropertyValue(depth));
        }
        while (NextIsNotEnd()) Component(depth + 1);  // children: read and dropped
        return block;
    }

private:
    TStream& s_;

    bool NextIsNotEnd() {
        if (Byte() == 0) return false;
        s_.Seek(-1, SeekOrigin::Current);
        return true;
    }

    int64_t Integer(uint8_t type) {
        switch (type) {
        case vaInt8: return Value<int8_t>();
        case vaInt16: return Value<int16_t>();
        case vaInt32: return Value<int32_t>();
        case vaInt64: return Value<int64_t>();
        default: Damaged();
        }
    }

    TRtPropertyValue PropertyValue(int depth) {
        if (depth > kMaxNesting) Damaged();
        TRtPropertyValue v;
        const uint8_t type = Byte();
        switch (type) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            v.kind = TRtPropertyValue::Kind::Integer;
            v.integer = Integer(type);
            break;
        case vaFalse:
        case vaTrue:
            v.kind = TRtPropertyValue::Kind::Boolean;
            v.boolean = type == vaTrue;
            break;
        case vaString:
            v.kind = TRtPropertyValue::Kind::Text;
            v.text = ShortString();
            break;
        case vaLString:
        case vaUTF8String:
            v.kind = TRtPropertyValue::Kind::Text;
            v.text = Bytes(Value<int32_t>());
            break;
        case vaWString: Bytes(int64_t(Value<int32_t>()) * 2); break;
        case vaIdent:
            v.kind = TRtPropertyValue::Kind::Ident;
            v.text = ShortString();
            break;
        case vaSet:
            v.kind = TRtPropertyValue::Kind::Set;
            for (std::string e = ShortString(); !e.empty(); e = ShortString()) v.names.push_back(e);
            break;
        case vaNull:
        case vaNil: break;
        case vaExtended: Bytes(10); break;
        case vaSingle: Bytes(4); break;
        case vaCurrency:
        case vaDate: Bytes(8); break;
        case vaBinary: Bytes(Value<int32_t>()); break;
        case vaList:
            while (NextIsNotEnd()) PropertyValue(depth + 1);
            break;
        case vaCollection: Collection(depth + 1); break;
        default: Damaged();
        }
        return v;
    }

    void Collection(int depth) {
        if (depth > kMaxNesting) Damaged();
        for (uint8_t marker = Byte(); marker != vaNull; marker = Byte()) {
            if (marker != vaList) {
                // An item index comes before the item.
                Integer(marker);
                if (Byte() != vaList) Damaged();
            }
            for (std::string name = ShortString(); !name.empty(); name = ShortString()) PropertyValue(depth + 1);
        }
    }
};

}  // namespace

TRtComponentWriter::TRtComponentWriter(TStream& stream, const std::string& className, const std::string& objectName)
    : stream_(stream) {
    stream_.WriteBuffer(kSignature, 4);
    WriteShortString(className);
    WriteShortString(objectName);
}

void TRtComponentWriter::WriteShortString(const std::string& text) {
    const std::string cut = text.substr(0, 255);
    StreamWriteByte(stream_, static_cast<uint8_t>(cut.size()));
    if (!cut.empty()) stream_.WriteBuffer(cut.data(), static_cast<int64_t>(cut.size()));
}

void TRtComponentWriter::WriteName(const std::string& name) { WriteShortString(name); }

void TRtComponentWriter::WriteInteger(const std::string& name, int64_t value) {
    WriteName(name);
    if (value >= INT8_MIN && value <= INT8_MAX) {
        StreamWriteByte(stream_, vaInt8);
        StreamWriteValue(stream_, static_cast<int8_t>(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        StreamWriteByte(stream_, vaInt16);
        StreamWriteValue(stream_, static_cast<int16_t>(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        StreamWriteByte(stream_, vaInt32);
        StreamWriteValue(stream_, static_cast<int32_t>(value));
    } else {
        StreamWriteByte(stream_, vaInt64);
        StreamWriteValue(stream_, value);
    }
}

void TRtComponentWriter::WriteBoolean(const std::string& name, bool value) {
    WriteName(name);
    StreamWriteByte(stream_, value ? vaTrue : vaFalse);
}

void TRtComponentWriter::WriteString(const std::string& name, const std::string& value) {
    WriteName(name);
    if (value.size() <= 255) {
        StreamWriteByte(stream_, vaString);
        WriteShortString(value);
        return;
    }
    StreamWriteByte(stream_, vaLString);
    StreamWriteInt(stream_, static_cast<int32_t>(value.size()));
    stream_.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

void TRtComponentWriter::WriteIdent(const std::string& name, const std::string& ident) {
    WriteName(name);
    StreamWriteByte(stream_, vaIdent);
    WriteShortString(ident);
}

void TRtComponentWriter::WriteSet(const std::string& name, const std::vector<std::string>& elements) {
    WriteName(name);
    StreamWriteByte(stream_, vaSet);
    for (const std::string& e : elements) WriteShortString(e);
    WriteShortString({});
}

void TRtComponentWriter::Finish() {
    StreamWriteByte(stream_, 0);
    StreamWriteByte(stream_, 0);
}

TRtComponentBlock ReadComponentBlock(TStream& stream) {
    try {
        char signature[4];
        stream.ReadBuffer(signature, 4);
        if (std::memcmp(signature, kSignature, 4) != 0) Damaged();
        return TBlockReader(stream).Component(0);
    } catch (const EReadError&) {
        Damaged();
    }
}
