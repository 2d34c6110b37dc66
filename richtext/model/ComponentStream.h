#pragma once
// The property block of an embedded object: the object written as a root
// component in the binary component format: the signature "TPF0", the class
// name, the object name, then each stored property as its name and a typed
// value, ended by two zero bytes (the end of the properties and of the
// children, which an object never has).
//
// Reading takes the whole block apart before any property is applied, so a
// damaged block never leaves the stream at an unknown place: either it is
// read to its end, or the read fails with ERtEngineError and the caller
// stops. Every length and count is checked against the bytes that remain,
// and nesting is bounded.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TStream;

// Value types of the format.
enum TRtValueType : uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14,
    vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19, vaUTF8String = 20,
};

struct TRtPropertyValue {
    enum class Kind { Integer, Boolean, Text, Ident, Set, Other };
    Kind kind = Kind::Other;
    int64_t integer = 0;
    bool boolean = false;
    std::string text;                // Text and Ident
    std::vector<std::string> names;  // Set
};

struct TRtComponentBlock {
    std::string className;
    std::string objectName;
    std::vector<std::pair<std::string, TRtPropertyValue>> properties;
};

class TRtComponentWriter {
public:
    // Writes the signature, the class name and the object name.
    TRtComponentWriter(TStream& stream, const std::string& className, const std::string& objectName);
    void WriteInteger(const std::string& name, int64_t value);
    void WriteBoolean(const std::string& name, bool value);
    void WriteString(const std::string& name, const std::string& value);
    void WriteIdent(const std::string& name, const std::string& ident);
    void WriteSet(const std::string& name, const std::vector<std::string>& elements);
    // The end of the properties and of the children.
    void Finish();

private:
    TStream& stream_;
    void WriteShortString(const std::string& text);
    void WriteName(const std::string& name);
};

// Reads one block from the stream's position; raises ERtEngineError when the
// block is damaged (the stream position is then undefined).
TRtComponentBlock ReadComponentBlock(TStream& stream);
