#include "richtext/formats/RtTextReader.h"

#include "foundation/Stream.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstdint>

void TRtTextReader::SetStream(TStream& stream) {
    Input = &stream;
    WorkBuffer.fill(0);
    bufferFill_ = bufferIndex_ = 0;
    bufferOrigin_ = stream.Position();
}

void TRtTextReader::PutSpecialChar(char ch) { OutputChar(ch); }

void TRtTextReader::ProcessChar(char ch) {
    switch (ch) {
    case 13:
        NewParagraph();
        break;
    case 10:
        break;
    case 12:
        if (!Header->HasLoadOption(loANSIFormfeedCode)) break;
        if (Line != Par->firstLine || LineChars > 0) NewParagraph();
        Par->flags |= pfPageBreak;
        break;
    case '\\':
        PutSpecialChar(ch);
        break;
    default:
        OutputChar(ch);
    }
}

void TRtTextReader::OutputChar(char ch) {
    if (ch == 13 || ch == 10 || ch == 0) return;
    StoreChar(ch);
}

void TRtTextReader::AppendChar(char ch) {
    if (ch == 0) return;
    StoreChar(ch);
}

uint32_t TRtTextReader::FormatFor(const TAttr& attr) {
    if (!interned_ || !(attr == internedAttr_)) {
        internedFormat_ = Text->FormatOf(attr);
        internedAttr_ = attr;
        interned_ = true;
    }
    return internedFormat_;
}

void TRtTextReader::StoreChar(char ch) {
    if (LineChars > int32_t(Line->Capacity()) - 4) {
        try {
            Text->InsertLine(Line, FollowLineCapacity);
        } catch (...) {
            Result = 5;
            throw;
        }
        Par->MarkChanged();
        LineChars = 0;
    }
    const auto at = uint32_t(LineChars);
    Line->SetCharAt(at, ch);
    if (Line->HasAttrs()) {
        TAttr attr = CurrentAttr;
        if (SoftHyphenMark) attr.style |= afsHyphen;
        SoftHyphenMark = false;
        Line->SetFormatAt(at, FormatFor(attr));
        Line->SetWidthAt(at, attr.width);
        // The entry behind the last character: what typing at the end inherits.
        Line->SetFormatAt(at + 1, FormatFor(CurrentAttr));
    }
    ++LineChars;
    ++ParChars;
    ++CharCount;
    Line->SetLength(uint32_t(LineChars));
    TextSeen = true;
}

void TRtTextReader::ShrinkLines(TParagraph* par) {
    for (TLine* l = par->firstLine; l; l = l->next) Text->SetLineCapacity(l, int32_t(l->Length()) + 2);
}

void TRtTextReader::NewParagraph() {
    ShrinkLines(Par);
    try {
        Text->InsertParagraphAfter(Par, LineCapacity > 0 ? LineCapacity : 6);
    } catch (...) {
        Result = 3;
        throw;
    }
    Par->index = ++ParNumber;
    Par->MarkChanged();
    Par->flags &= ~pfPageBreak;
    Line = Par->firstLine;
    LineChars = ParChars = 0;
    ++ParCount;
}

void TRtTextReader::StartChain(TParagraph*& first) {
    if (!first) {
        TParagraph* created = nullptr;
        Text->InsertParagraphAfter(created, LineCapacity > 0 ? LineCapacity : 6);
        TLine* own = created->firstLine;
        *created = TemplatePar;
        created->firstLine = own;
        created->next = created->prev = nullptr;
        created->objects = nullptr;
        created->extra = nullptr;
        created->index = 0;
        first = created;
    }
    Par = first;
    ParNumber = Par->index;
    Line = Par->firstLine;
    LineChars = ParChars = 0;
    Par->MarkChanged();
}

bool TRtTextReader::NextByte(uint8_t& byte) {
    if (bufferIndex_ >= bufferFill_) {
        bufferOrigin_ = Input->Position();
        bufferFill_ = int32_t(Input->Read(buffer_.data(), kReadBufferSize));
        bufferIndex_ = 0;
        if (bufferFill_ <= 0) {
            bufferFill_ = 0;
            return false;
        }
    }
    byte = uint8_t(buffer_[size_t(bufferIndex_++)]);
    return true;
}

void TRtTextReader::UnreadByte() {
    if (bufferIndex_ > 0) --bufferIndex_;
}

int64_t TRtTextReader::BytesLeft() {
    return std::max<int64_t>(0, Input->Size() - (bufferOrigin_ + bufferIndex_));
}

void TRtTextReader::GiveBackReadAhead() {
    if (bufferFill_ > 0) Input->Seek(bufferOrigin_ + bufferIndex_, SeekOrigin::Begin);
}

void TRtTextReader::ReadBytes(int64_t start, int32_t step) {
    int64_t reported = 0;
    uint8_t byte = 0;
    while (!StopReading && NextByte(byte) && byte != 0) {
        const int64_t done = bufferOrigin_ + bufferIndex_ - start;
        if (step > 0 && done - reported > step) {
            reported = done;
            Text->StepProgress(int32_t(std::min<int64_t>(done, INT32_MAX)));
        }
        ProcessChar(char(byte));
    }
    GiveBackReadAhead();
}

void TRtTextReader::Read(TStream& stream, TParagraph*& first) {
    Result = 0;
    StopReading = false;
    if (!Text || !Header) throw ERtEngineModeError(GetEngineMessage(meWrongArgumentError));
    if (Input != &stream) SetStream(stream);
    const int64_t start = stream.Position();
    const int64_t total = std::max<int64_t>(0, stream.Size() - start);
    const int32_t step = Text->BeginProgress(int32_t(std::min<int64_t>(total, INT32_MAX)));
    try {
        StartChain(first);
        ReadBytes(start, step);
        ShrinkLines(Par);
    } catch (...) {
        if (Result == 0) Result = 3;
        Text->EndProgress();
        throw;
    }
    Text->EndProgress();
}
