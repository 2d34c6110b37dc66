#pragma once
// The tagged value stream of documents, the figure clipboard and every record
// in them: one tag byte naming the type, then the value's bytes, all
// little-endian. A filer serves one save, load, copy or paste; writers and
// readers call the typed operations in the same order, and nothing in the
// stream says which record a value belongs to.
//
//   tag  type     current variant ("TUVI_0101")      legacy variant ("TUVI_0196")
//   0    Boolean  1 byte, any non-zero byte is true   same
//   2    Integer  4-byte signed                       2-byte signed, sign-extended
//   3    Longint  4-byte signed                       same
//   4    Single   4 bytes, bit for bit                same
//   5    Double   8 bytes, bit for bit                same
//   6    String   4-byte signed length, the bytes     1-byte length (0-255), the bytes
//   8    Stream   exactly the count the caller names  same
//
// A tag that does not match the expected type is a damaged place: the read
// yields the type's zero value, only the tag byte is consumed, and the filer
// counts it (WrongTags; the first one's fixed English text goes to the trace).
// The operation that read says once, at its end, how many places it skipped. A value that runs past the end of the
// stream (a truncated file or a length that lies) raises EFilerReadError with
// the "IDS_CANNOTREADFILE" text: nothing is allocated for bytes that are not
// there. Writes always use the current variant.

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TChild;
class TEinzelEtikett;

// A value ran past the end of the stream; the message is the localized
// "IDS_CANNOTREADFILE" text with the file name.
ZORBIT_DECLARE_EXCEPTION(EFilerReadError, EReadError);
// The stream does not start with one of the two magic texts ("IDS_INVALIDFILE").
ZORBIT_DECLARE_EXCEPTION(EInvalidFile, Exception);

enum TFilerTag : uint8_t {
    kTagBoolean = 0,
    kTagInteger = 2,
    kTagLongint = 3,
    kTagSingle = 4,
    kTagDouble = 5,
    kTagString = 6,
    kTagStream = 8,
};

inline constexpr char kFilerMagic[] = "TUVI_0101";
inline constexpr char kFilerLegacyMagic[] = "TUVI_0196";
inline constexpr int kFilerMagicLength = 9;
inline constexpr double kFilerVersion = 2.0;

// Shows the one message of a load that had to skip damaged places. The
// widgets layer installs a message box (InstallFilerMessageBox); without a
// handler the message goes to the trace output.
using TSkippedPlacesHandler = std::function<void(const QString& message)>;
void SetSkippedPlacesHandler(TSkippedPlacesHandler handler);
void ReportSkippedPlaces(const QString& message);

// A picture that a load could not read and kept as it was stored (see
// TBild32): where it lies and why, for the one message after the load.
struct TUnreadablePicture {
    QString design;  // the caption of its design; set by the document file
    double centerX = 0, centerY = 0;  // mm
    QString reason;
};

class TEtikettFiler {
public:
    explicit TEtikettFiler(TChild* owner = nullptr);

    // Untagged bytes between the tagged values (markers and element codes).
    void WriteRawByte(uint8_t value);
    uint8_t ReadRawByte();
    void WriteTag(uint8_t tag);
    uint8_t ReadTag();

    void WriteTaggedBoolean(bool value);
    bool ReadTaggedBoolean();
    void WriteTaggedInteger(int32_t value);
    int32_t ReadTaggedInteger();
    void WriteTaggedLongint(int32_t value);
    int32_t ReadTaggedLongint();
    void WriteTaggedSingle(float value);
    float ReadTaggedSingle();
    void WriteTaggedDouble(double value);
    double ReadTaggedDouble();
    // 8-bit Windows-1252 text.
    void WriteTaggedString(const std::string& value);
    std::string ReadTaggedString();
    // Tag 8, then count bytes from the source's current position (the caller
    // rewinds the source and writes count as a tagged value just before).
    void WriteTaggedStream(TStream& source, int64_t count);
    // Tag 8, then exactly count bytes into the target, which is resized to
    // count first and left positioned at its end. A wrong tag empties it.
    void ReadTaggedStream(TMemoryStream& target, int64_t count);

    // The 9-byte magic of the current variant and the tagged Double 2.0;
    // clears IsLegacy.
    void WriteHeader();
    // From offset 0: the magic, compared without regard to case ("TUVI_0196"
    // sets IsLegacy, "TUVI_0101" clears it; anything else raises EInvalidFile),
    // then the tagged version Double. Returns true.
    bool ReadHeader();

    bool IsLegacy = false;
    bool Aborted = false;
    // The wrong tags met so far: the damaged places that were skipped.
    int32_t WrongTags = 0;
    TStream* Stream = nullptr;  // not owned
    TChild* Owner = nullptr;
    TEinzelEtikett* CurrentDesign = nullptr;
    // Named in the read-error message; the file stream's own name when empty.
    QString FileName;
    // The name messages give the stream: FileName, else the file stream's name.
    QString SourceName() const;
    // The pictures read so far that could not be read, in reading order.
    std::vector<TUnreadablePicture> UnreadablePictures;

private:
    // True when the next byte is the expected tag; otherwise counts the
    // wrong tag (the byte stays consumed) and returns false.
    bool ExpectTag(uint8_t expected, const char* message);
    void ReadPayload(void* buffer, int64_t count);
    void RequirePayload(int64_t count);
    void WritePayload(const void* buffer, int64_t count);
    TStream& Target();
    [[noreturn]] void RaiseReadError();
};
