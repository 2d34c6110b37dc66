#pragma once
// TRtTextReader: reads single-byte (Windows-1252) text into paragraphs of the
// text model. CR ends a paragraph, LF is dropped, a NUL byte ends the text,
// a form feed starts a new page when the load options ask for it. Derived
// readers (RTF) reuse the buffered input and the character and paragraph
// storage.
//
// Paragraphs are filled line by line: the first line of a paragraph holds
// LineCapacity characters, further lines 200, and every line of a finished
// paragraph is shrunk to its length plus 2.

#include "richtext/model/RtTextIoClasses.h"

#include <array>
#include <cstdint>

class TLine;

class TRtTextReader : public TRtCustomTextReader {
public:
    static constexpr int32_t kReadBufferSize = 8192;
    static constexpr int32_t kWorkBufferSize = 1024;

    // Passes the character to OutputChar.
    void PutSpecialChar(char ch) override;
    void ProcessChar(char ch) override;
    // Stores a character with the current attribute; CR, LF and NUL are dropped.
    void OutputChar(char ch) override;
    // Stores a character with the current attribute; only NUL is dropped.
    void AppendChar(char ch) override;
    void SetStream(TStream& stream) override;
    void Read(TStream& stream, TParagraph*& first) override;

    int32_t LineCapacity = 60;    // 0 or less means 6
    int32_t FollowLineCapacity = 200;
    bool SoftHyphenMark = false;  // the next stored character gets afsHyphen
    bool TextSeen = false;        // any character was stored

protected:
    TStream* Input = nullptr;
    std::array<char, kWorkBufferSize> WorkBuffer{};
    // Set by ProcessChar to end reading after the current byte.
    bool StopReading = false;
    TParagraph* Par = nullptr;  // the paragraph being filled
    TLine* Line = nullptr;      // its current line
    int32_t LineChars = 0;      // characters in the current line
    int32_t ParChars = 0;       // characters in the current paragraph
    int32_t ParNumber = 0;

    // Ends the current paragraph and continues in a new one after it, which
    // takes over its properties.
    void NewParagraph();
    // Shrinks every line of a paragraph to its length plus 2.
    void ShrinkLines(TParagraph* par);
    // The next input byte; false at the end of the stream.
    bool NextByte(uint8_t& byte);
    // Makes the byte NextByte gave last the next one again.
    void UnreadByte();
    // The bytes after the last one consumed.
    int64_t BytesLeft();

private:
    std::array<char, kReadBufferSize> buffer_{};
    int32_t bufferFill_ = 0;
    int32_t bufferIndex_ = 0;
    int64_t bufferOrigin_ = 0;
    TAttr internedAttr_;
    uint32_t internedFormat_ = 0;
    bool interned_ = false;

    void StoreChar(char ch);
    void StartChain(TParagraph*& first);
    void ReadBytes(int64_t start, int32_t step);
    void GiveBackReadAhead();
    uint32_t FormatFor(const TAttr& attr);
};
