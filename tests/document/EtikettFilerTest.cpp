#include "document/EtikettFiler.h"

#include "foundation/Debug.h"
#include "foundation/Localizer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Collects the wrong-tag texts of the trace.
class FilerTest : public ::testing::Test {
protected:
    FilerTest() {
        Debug().SetSink([this](const QString& line) { messages.push_back(line.section(u' ', 1, -1).toStdString()); });
    }
    ~FilerTest() override { Debug().SetSink({}); }

    TEtikettFiler& Reader(const Bytes& bytes, bool legacy = false) {
        stream = std::make_unique<TMemoryStream>(bytes);
        filer = TEtikettFiler();
        filer.Stream = stream.get();
        filer.IsLegacy = legacy;
        return filer;
    }
    TEtikettFiler& Writer() {
        stream = std::make_unique<TMemoryStream>();
        filer = TEtikettFiler();
        filer.Stream = stream.get();
        return filer;
    }

    std::unique_ptr<TMemoryStream> stream;
    TEtikettFiler filer;
    std::vector<std::string> messages;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char buffer[4];
    for (uint8_t b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", b);
        s += buffer;
    }
    return s;
}

template <class T>
Bytes BytesOf(T value) {
    Bytes b(sizeof(T));
    std::memcpy(b.data(), &value, sizeof(T));
    return b;
}

template <class T>
T FromBytes(const Bytes& b) {
    T value;
    std::memcpy(&value, b.data(), sizeof(T));
    return value;
}

const Bytes kSignallingNaNDouble = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x7F};
const Bytes kSignallingNaNSingle = {0x01, 0x00, 0x80, 0x7F};

}  // namespace

// Every type written in the current variant: the exact bytes, and the same
// values read back (floats bit for bit).
TEST_F(FilerTest, CurrentVariantRoundTrip) {
    TMemoryStream payload(Bytes{'a', 'b', 'c'});
    TEtikettFiler& w = Writer();
    w.WriteTaggedBoolean(true);
    w.WriteTaggedBoolean(false);
    w.WriteTaggedInteger(-1);
    w.WriteTaggedLongint(0x12345678);
    w.WriteTaggedSingle(FromBytes<float>(kSignallingNaNSingle));
    w.WriteTaggedDouble(FromBytes<double>(kSignallingNaNDouble));
    w.WriteTaggedString("");
    w.WriteTaggedString("Gr\xF6\xDF" "e");
    w.WriteRawByte(0xEE);
    w.WriteTaggedStream(payload, 3);
    TMemoryStream empty;
    w.WriteTaggedStream(empty, 0);
    const Bytes expected = Concat({
        {0, 1}, {0, 0}, {2, 0xFF, 0xFF, 0xFF, 0xFF}, {3, 0x78, 0x56, 0x34, 0x12},
        {4}, kSignallingNaNSingle, {5}, kSignallingNaNDouble,
        {6, 0, 0, 0, 0}, {6, 5, 0, 0, 0, 'G', 'r', 0xF6, 0xDF, 'e'},
        {0xEE}, {8, 'a', 'b', 'c'}, {8},
    });
    EXPECT_EQ(Hex(stream->Bytes()), Hex(expected));

    const Bytes written = stream->Bytes();
    TEtikettFiler& r = Reader(written);
    EXPECT_TRUE(r.ReadTaggedBoolean());
    EXPECT_FALSE(r.ReadTaggedBoolean());
    EXPECT_EQ(r.ReadTaggedInteger(), -1);
    EXPECT_EQ(r.ReadTaggedLongint(), 0x12345678);
    EXPECT_EQ(Hex(BytesOf(r.ReadTaggedSingle())), Hex(kSignallingNaNSingle));
    EXPECT_EQ(Hex(BytesOf(r.ReadTaggedDouble())), Hex(kSignallingNaNDouble));
    EXPECT_EQ(r.ReadTaggedString(), "");
    EXPECT_EQ(r.ReadTaggedString(), "Gr\xF6\xDF" "e");
    EXPECT_EQ(r.ReadRawByte(), 0xEE);
    TMemoryStream target(Bytes{9, 9, 9, 9, 9});
    r.ReadTaggedStream(target, 3);
    EXPECT_EQ(Hex(target.Bytes()), Hex({'a', 'b', 'c'}));
    EXPECT_EQ(target.Position(), 3);  // left at its end
    r.ReadTaggedStream(target, 0);
    EXPECT_EQ(target.Size(), 0);
    EXPECT_EQ(stream->Remaining(), 0);
    EXPECT_TRUE(messages.empty());
}

// Reads of hand-made payloads in both variants.
TEST_F(FilerTest, ReadsOfEachTypeByVariant) {
    using Read = std::function<std::string(TEtikettFiler&)>;
    const Read boolean = [](TEtikettFiler& f) { return f.ReadTaggedBoolean() ? "true" : "false"; };
    const Read integer = [](TEtikettFiler& f) { return std::to_string(f.ReadTaggedInteger()); };
    const Read longint = [](TEtikettFiler& f) { return std::to_string(f.ReadTaggedLongint()); };
    const Read text = [](TEtikettFiler& f) { return f.ReadTaggedString(); };
    const Read dbl = [](TEtikettFiler& f) { return Hex(BytesOf(f.ReadTaggedDouble())); };
    struct Case {
        const char* what;
        bool legacy;
        Bytes bytes;
        Read read;
        std::string expected;
    };
    const std::string long255(255, 'x');
    const Case cases[] = {
        {"Boolean byte 2", false, {0, 2}, boolean, "true"},
        {"legacy Boolean byte 2", true, {0, 2}, boolean, "true"},
        {"Integer 4 bytes", false, {2, 0xFE, 0xFF, 0xFF, 0x7F}, integer, "2147483646"},
        {"legacy Integer FF FF", true, {2, 0xFF, 0xFF}, integer, "-1"},
        {"legacy Integer 00 80", true, {2, 0x00, 0x80}, integer, "-32768"},
        {"legacy Integer 34 12", true, {2, 0x34, 0x12}, integer, "4660"},
        {"legacy Longint stays 4 bytes", true, {3, 0xFF, 0xFF, 0xFF, 0xFF}, longint, "-1"},
        {"negative String length", false, {6, 0xFF, 0xFF, 0xFF, 0xFF}, text, ""},
        {"legacy String length 0", true, {6, 0}, text, ""},
        {"legacy String length 3", true, {6, 3, 'a', 'b', 'c'}, text, "abc"},
        {"legacy String length 255", true, Concat({{6, 255}, Bytes(255, 'x')}), text, long255},
        {"legacy Double", true, Concat({{5}, kSignallingNaNDouble}), dbl, Hex(kSignallingNaNDouble)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TEtikettFiler& f = Reader(c.bytes, c.legacy);
        EXPECT_EQ(c.read(f), c.expected);
        EXPECT_EQ(stream->Remaining(), 0);  // the whole value and nothing more
    }
    EXPECT_TRUE(messages.empty());
}

// A wrong tag is counted and traced with the type's fixed message, yields
// the zero value and consumes only the tag byte.
TEST_F(FilerTest, WrongTags) {
    using Read = std::function<bool(TEtikettFiler&)>;  // true: the zero value came back
    struct Case {
        const char* message;
        uint8_t wrongTag;
        Read read;
    };
    const Case cases[] = {
        {"No Boolean", kTagInteger, [](TEtikettFiler& f) { return !f.ReadTaggedBoolean(); }},
        {"no Integer Found", kTagLongint, [](TEtikettFiler& f) { return f.ReadTaggedInteger() == 0; }},
        {"no Longint found", kTagInteger, [](TEtikettFiler& f) { return f.ReadTaggedLongint() == 0; }},
        {"no Single found", kTagDouble, [](TEtikettFiler& f) { return f.ReadTaggedSingle() == 0.0f; }},
        {"no Double found", kTagSingle, [](TEtikettFiler& f) { return f.ReadTaggedDouble() == 0.0; }},
        {"no String found", kTagStream, [](TEtikettFiler& f) { return f.ReadTaggedString().empty(); }},
        {"no Stream found", kTagString,
         [](TEtikettFiler& f) {
             TMemoryStream target(Bytes{1, 2, 3});
             f.ReadTaggedStream(target, 4);
             return target.Size() == 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        TEtikettFiler& f = Reader({c.wrongTag, 1, 1, 1, 1, 1, 1, 1, 1});
        EXPECT_TRUE(c.read(f));
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_EQ(f.WrongTags, 1);
        EXPECT_EQ(stream->Position(), 1);
    }
}

// Thousands of wrong tags are counted; only the first is traced, where the
// damage begins, and nothing is shown while reading.
TEST_F(FilerTest, ManyWrongTagsAreCountedNotReported) {
    std::vector<QString> shown;
    SetSkippedPlacesHandler([&](const QString& message) { shown.push_back(message); });
    TEtikettFiler& f = Reader(Bytes(5000, kTagLongint));
    for (int i = 0; i < 5000; ++i) EXPECT_EQ(f.ReadTaggedInteger(), 0);
    EXPECT_EQ(f.WrongTags, 5000);
    EXPECT_EQ(messages, std::vector<std::string>{"no Integer Found"});
    EXPECT_TRUE(shown.empty());
    SetSkippedPlacesHandler({});
}

TEST_F(FilerTest, HeaderVariantsAndCase) {
    TEtikettFiler& w = Writer();
    w.IsLegacy = true;
    w.WriteHeader();
    EXPECT_FALSE(w.IsLegacy);
    EXPECT_EQ(Hex(stream->Bytes()), Hex(Concat({Bytes{'T', 'U', 'V', 'I', '_', '0', '1', '0', '1', 5},
                                                Bytes{0, 0, 0, 0, 0, 0, 0, 0x40}})));
    struct Case {
        const char* magic;
        bool legacy;
    };
    const Case accepted[] = {{"TUVI_0101", false}, {"tuvi_0101", false}, {"TUVI_0196", true}, {"Tuvi_0196", true}};
    for (const Case& c : accepted) {
        SCOPED_TRACE(c.magic);
        Bytes bytes(c.magic, c.magic + 9);
        bytes.push_back(kTagDouble);
        for (uint8_t b : BytesOf(2.0)) bytes.push_back(b);
        bytes.push_back(0x77);
        TEtikettFiler& f = Reader(bytes, !c.legacy);
        stream->SetPosition(12);  // the header is read from the start wherever the stream stands
        EXPECT_TRUE(f.ReadHeader());
        EXPECT_EQ(f.IsLegacy, c.legacy);
        EXPECT_EQ(f.ReadRawByte(), 0x77);
    }
    const Bytes refused[] = {
        {'T', 'U', 'V', 'I', '_', '0', '1', '0', '2', 5, 0, 0, 0, 0, 0, 0, 0, 0x40},
        {'T', 'U', 'V', 'I', '_', '0'},
        {},
    };
    for (const Bytes& bytes : refused) {
        TEtikettFiler& f = Reader(bytes);
        try {
            f.ReadHeader();
            ADD_FAILURE() << "accepted " << Hex(bytes);
        } catch (const EInvalidFile& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedText("IDS_INVALIDFILE"));
        }
    }
    EXPECT_TRUE(messages.empty());
}

// Values that run past the end end the load with the read-error text,
// without allocating what the damaged length asks for.
TEST_F(FilerTest, TruncatedAndLyingPayloads) {
    using Read = std::function<void(TEtikettFiler&)>;
    const Read text = [](TEtikettFiler& f) { f.ReadTaggedString(); };
    struct Case {
        const char* what;
        bool legacy;
        Bytes bytes;
        Read read;
    };
    const Case cases[] = {
        {"no tag at all", false, {}, [](TEtikettFiler& f) { f.ReadTaggedBoolean(); }},
        {"raw byte at the end", false, {}, [](TEtikettFiler& f) { f.ReadRawByte(); }},
        {"Boolean without payload", false, {0}, [](TEtikettFiler& f) { f.ReadTaggedBoolean(); }},
        {"Integer cut short", false, {2, 1, 2}, [](TEtikettFiler& f) { f.ReadTaggedInteger(); }},
        {"legacy Integer cut short", true, {2, 1}, [](TEtikettFiler& f) { f.ReadTaggedInteger(); }},
        {"Single cut short", false, {4, 1, 2, 3}, [](TEtikettFiler& f) { f.ReadTaggedSingle(); }},
        {"Double cut short", false, {5, 1, 2, 3, 4}, [](TEtikettFiler& f) { f.ReadTaggedDouble(); }},
        {"String claims 2 GB", false, {6, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, text},
        {"String one byte short", false, {6, 3, 0, 0, 0, 'a', 'b'}, text},
        {"legacy String one byte short", true, {6, 3, 'a', 'b'}, text},
        {"String length cut short", false, {6, 3, 0}, text},
        {"Stream longer than the rest", false, {8, 1, 2},
         [](TEtikettFiler& f) {
             TMemoryStream target;
             f.ReadTaggedStream(target, 3);
         }},
        {"Stream with a count of 2 GB", false, {8, 1},
         [](TEtikettFiler& f) {
             TMemoryStream target;
             f.ReadTaggedStream(target, 0x7FFFFFFF);
         }},
        {"negative Stream count", false, {8, 1},
         [](TEtikettFiler& f) {
             TMemoryStream target;
             f.ReadTaggedStream(target, -1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TEtikettFiler& f = Reader(c.bytes, c.legacy);
        f.FileName = QStringLiteral("kaputt.qem");
        try {
            c.read(f);
            ADD_FAILURE() << "no error";
        } catch (const EFilerReadError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedFormat("IDS_CANNOTREADFILE", {QStringLiteral("kaputt.qem")}));
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FilerTest, StreamValuesCopyFromTheSourcePosition) {
    TMemoryStream source(Bytes{1, 2, 3, 4, 5});
    source.SetPosition(1);
    TEtikettFiler& w = Writer();
    w.WriteTaggedStream(source, 3);
    EXPECT_EQ(Hex(stream->Bytes()), Hex({8, 2, 3, 4}));
    EXPECT_EQ(source.Position(), 4);
    // A source that lacks the named bytes is a fault of the writer: nothing is written.
    EXPECT_THROW(w.WriteTaggedStream(source, 2), EReadError);
    EXPECT_EQ(stream->Size(), 4);
}
