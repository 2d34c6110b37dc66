// TRtRTFTextIo: loading and saving through the registered readers and
// writers: choosing the class, running a writer over the text or the
// selection, running a reader into an empty text or at the cursor (pasting),
// files with their backup copy, the character interface and the text as a
// component property.
#include "richtext/layout/RtRTFTextIo.h"

#include "foundation/Codepage1252.h"
#include "foundation/Stream.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtFootnoteList.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/ScribenUndoObject.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string UpperExtension(const std::string& fileName) {
    std::string ext = fs::path(fileName).extension().string();
    for (char& c : ext) c = char(std::toupper(uint8_t(c)));
    return ext;
}

std::string EngineMessageWith(TRtGuiString message, const std::string& name) {
    const std::string text = GetEngineMessage(message);
    const size_t at = text.find("%s");
    return at == std::string::npos ? text + name : text.substr(0, at) + name + text.substr(at + 2);
}

// Remembers a value for the length of a scope.
template <typename T>
class TRestore {
public:
    TRestore(T& slot, T value) : slot_(slot), saved_(slot) { slot_ = std::move(value); }
    ~TRestore() { slot_ = std::move(saved_); }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& slot_;
    T saved_;
};

}  // namespace

// ---- classes

std::unique_ptr<TRtCustomTextWriter> TRtRTFTextIo::CreateWriter(const std::string& className) const {
    if (!RtWriterClasses().IsRegistered(className)) {
        throw ERtIOClassError(GetEngineMessage(meWriterClassNotFound) + className);
    }
    std::unique_ptr<TRtCustomTextWriter> writer = RtWriterClasses().Create(className);
    if (!writer) throw ERtIOClassError(GetEngineMessage(meIOClassError) + className);
    return writer;
}

std::unique_ptr<TRtCustomTextReader> TRtRTFTextIo::CreateReader(const std::string& className) const {
    if (!RtReaderClasses().IsRegistered(className)) {
        throw ERtIOClassError(GetEngineMessage(meReaderClassNotFound) + className);
    }
    std::unique_ptr<TRtCustomTextReader> reader = RtReaderClasses().Create(className);
    if (!reader) throw ERtIOClassError(GetEngineMessage(meIOClassError) + className);
    return reader;
}

// ---- writing

void TRtRTFTextIo::PrepareWriter(TRtCustomTextWriter& writer) {
    writer.Text = this;
    writer.WriterOptions = WriterOptions;
    writer.BaseFolder = BaseFolder;
    writer.NoNulChar = savingToFile_ || Header().HasStoreOption(soNoNULLChar);
    writer.SkipOptions = SkipOptions;
}

void TRtRTFTextIo::CollectUsage(TRtCustomTextWriter& writer) {
    std::map<int32_t, int32_t> fonts;
    std::map<int32_t, int32_t> sizes;
    std::map<int32_t, int32_t> colors;
    TTextHeader& header = Header();
    if (ExtendedColors) {
        for (TRtColorEntry& c : header.Colors) c.inUse = 0;
    }
    const auto countChain = [&](const TParagraph* first) {
        for (const TParagraph* p = first; p; p = p->next) {
            if (ExtendedColors) {
                for (uint8_t c : p->border.colors) header.Colors[c].inUse = 1;
                if (p->shadingPercent) header.Colors[p->shadingColor].inUse = 1;
            }
            for (const TLine* l = p->firstLine; l; l = l->next) {
                if (!l->HasAttrs()) continue;
                for (uint32_t i = 0; i < l->Length(); ++i) {
                    const TAttr& a = Attrs().Format(l->FormatAt(i));
                    ++fonts[a.font];
                    ++sizes[a.size];
                    ++colors[a.textColor];
                    if (ExtendedColors) {
                        header.Colors[a.textColor].inUse = 1;
                        header.Colors[a.backColor].inUse = 1;
                    }
                }
            }
        }
    };
    countChain(EditedKind == 0 ? FirstPar() : SavedBodyFirst());
    for (const auto& item : HeaderFooters().Items()) countChain(item->Paragraphs());
    const auto mostFrequent = [](const std::map<int32_t, int32_t>& counts) {
        int32_t best = 0;
        int32_t count = -1;
        for (const auto& [value, n] : counts) {
            if (n > count) {
                best = value;
                count = n;
            }
        }
        return best;
    };
    writer.UsedFont = mostFrequent(fonts);
    writer.UsedSize = mostFrequent(sizes);
    writer.UsedColor = mostFrequent(colors);
}

int32_t TRtRTFTextIo::WriteWithWriter(TStream& stream, TRtCustomTextWriter& writer) {
    PrepareWriter(writer);
    writer.Output = &stream;
    writer.Range = {};
    writer.EmptyText = IsEmpty();
    writer.ResetOutput();
    if (writer.WantsUsage || ExtendedColors) CollectUsage(writer);
    int32_t result = writer.BeginWrite();
    if (result == 0) result = writer.WriteBody();
    if (result == 0) result = writer.EndWrite();
    return result;
}

int32_t TRtRTFTextIo::WriteSelectionWithWriter(TStream& stream, TRtCustomTextWriter* writer) {
    if (!HasSelection()) return 0;
    std::unique_ptr<TRtCustomTextWriter> own;
    if (!writer) {
        if (!RtWriterClasses().IsRegistered(RtIoClassNames().RTFWriter)) return 6;
        own = RtWriterClasses().Create(RtIoClassNames().RTFWriter);
        writer = own.get();
    }
    const TRtPosition savedStart = SelStart;
    const TRtPosition savedEnd = SelEnd;
    if (SelectedObjectRef && SelectedObjectRef->object) SelectObjectChars(SelectedObjectRef->object, true, true);
    PrepareWriter(*writer);
    writer->Output = &stream;
    writer->EmptyText = IsEmpty();
    writer->ResetOutput();
    TParagraph* copies = nullptr;
    const auto restore = [&]() {
        SelStart = savedStart;
        SelEnd = savedEnd;
        FreeParagraphChain(copies);
    };
    try {
        if (MarkedCount > 0 && FirstMarked()) {
            // Copies of the marked cells: every written row starts at 0.
            TParagraph* last = nullptr;
            uint8_t rowStart = 0;
            for (TParagraph* p = FirstPar(); p; p = p->next) {
                if (!p->Has(pfMarked)) continue;
                TParagraph* copy = CopyParagraphRecord(*p);
                const bool newRow = !p->Has(pfPrevCell) || !p->prev || !p->prev->Has(pfMarked);
                if (newRow) {
                    copy->flags &= ~pfPrevCell;
                    rowStart = 0;
                }
                if (copy->extra) {
                    copy->extra->start = rowStart;
                    rowStart = uint8_t(std::min(255, rowStart + copy->extra->width));
                }
                copy->prev = last;
                if (last) {
                    last->next = copy;
                } else {
                    copies = copy;
                }
                last = copy;
            }
            writer->Range = {copies, last, copies->firstLine, GetLastLine(last), 0, int32_t(GetLastLine(last)->Length())};
        } else {
            const bool ordered = RangeIsOrdered(SelStart.par, SelStart.line, SelStart.offset, SelEnd.par, SelEnd.line,
                                                SelEnd.offset);
            const TRtPosition& a = ordered ? SelStart : SelEnd;
            const TRtPosition& b = ordered ? SelEnd : SelStart;
            writer->Range = {a.par, b.par, a.line, b.line, a.offset, b.offset};
        }
        if (writer->WantsUsage || ExtendedColors) CollectUsage(*writer);
        int32_t result = writer->BeginWrite();
        if (result == 0) result = writer->WriteBody();
        if (result == 0) result = writer->EndWrite();
        restore();
        return result;
    } catch (...) {
        restore();
        throw;
    }
}

int32_t TRtRTFTextIo::RunChosenWriter(TStream& stream, const std::string& className, bool selection) {
    std::unique_ptr<TRtCustomTextWriter> writer = CreateWriter(className);
    writer->ResetOutput();
    return selection ? WriteSelectionWithWriter(stream, writer.get()) : WriteWithWriter(stream, *writer);
}

bool TRtRTFTextIo::SaveToStream(TStream& stream) {
    LastIOResult = 5;
    if (FixedWriter && !ForceClassChoice) {
        LastIOResult = WriteWithWriter(stream, *FixedWriter);
    } else {
        const bool empty = IsEmpty() && !HasHeaderFooterText();
        LastIOResult = RunChosenWriter(stream, ChooseWriterClass(TextSaveFormat, ioExtension_, empty), false);
    }
    return LastIOResult == 0;
}

bool TRtRTFTextIo::SaveSelectionToStream(TStream& stream) {
    LastIOResult = 5;
    if (FixedWriter && !ForceClassChoice) {
        LastIOResult = WriteSelectionWithWriter(stream, FixedWriter);
    } else {
        const bool empty = IsEmpty() && !HasHeaderFooterText();
        LastIOResult = RunChosenWriter(stream, ChooseWriterClass(TextSaveFormat, ioExtension_, empty), true);
    }
    return LastIOResult == 0;
}

int32_t TRtRTFTextIo::SaveWithFormat(const std::string& format, const TRtWriteRange& range, TStream& stream) {
    const bool empty = IsEmpty() && !HasHeaderFooterText();
    std::unique_ptr<TRtCustomTextWriter> writer = CreateWriter(ChooseWriterClass(format, "", empty));
    PrepareWriter(*writer);
    writer->Output = &stream;
    writer->EmptyText = IsEmpty();
    writer->ResetOutput();
    writer->Range = range;
    if (writer->WantsUsage || ExtendedColors) CollectUsage(*writer);
    int32_t result = writer->BeginWrite();
    if (result == 0) result = writer->WriteBody();
    if (result == 0) result = writer->EndWrite();
    return result;
}

// ---- reading

void TRtRTFTextIo::PrepareReader(TRtCustomTextReader& reader) {
    reader.Text = this;
    reader.Header = &Header();
    reader.BaseFolder = BaseFolder;
    reader.Options = ReaderOptions;
    reader.MoreOptions = Header().LoadOptions;
    reader.CurrentFont = CurrentAttr.font;
    reader.CurrentSize = CurrentAttr.size;
    reader.CurrentAttr = CurrentAttr;
    reader.TemplatePar = TParagraph{};
    if (Cursor.par) {
        reader.TemplatePar = *Cursor.par;
        reader.TemplatePar.firstLine = nullptr;
        reader.TemplatePar.next = reader.TemplatePar.prev = nullptr;
        reader.TemplatePar.objects = nullptr;
        reader.TemplatePar.extra = nullptr;
    }
    reader.InsertPosition = GetCursorIndex();
    reader.FirstParNumber = Cursor.par ? Cursor.par->index : 0;
    reader.CharCount = reader.ParCount = 0;
    reader.Result = 0;
}

bool TRtRTFTextIo::LoadFromStream(TStream& stream) {
    LastIOResult = 5;
    if (FixedReader && !ForceClassChoice) {
        ReadWithReader(stream, *FixedReader);
        LastIOResult = FixedReader->Result;
        return LastIOResult == 0;
    }
    std::unique_ptr<TRtCustomTextReader> reader = CreateReader(ChooseReaderClass(TextLoadFormat, ioExtension_, stream));
    try {
        ReadWithReader(stream, *reader);
    } catch (...) {
        LastIOResult = 5;
        throw;
    }
    LastIOResult = reader->Result;
    return LastIOResult == 0;
}

void TRtRTFTextIo::ReadIntoEmptyText(TStream& stream, TRtCustomTextReader& reader) {
    if (!ExtendedColors) {
        for (int i = 1; i <= 15; ++i) Header().Colors[size_t(i)].inUse = 0;
    }
    Footnotes().Clear();
    TParagraph* first = FirstPar();
    try {
        TRestore<bool> loading(loading_, true);
        reader.Read(stream, first);
        if (first && first != FirstPar()) {
            // The reader made a chain of its own: the empty paragraph it was given goes.
            TParagraph* old = FirstPar();
            SetFirst(first);
            FreeParagraph(old);
        }
        RenumberFrom(FirstPar());
    } catch (...) {
        Clear();
        throw;
    }
    bool doIt = true;
    TParagraph* chain = FirstPar();
    if (OnBeforePasteEvent) OnBeforePasteEvent(Editor, doIt, chain);
    if (!doIt) {
        Clear();
        return;
    }
    for (TParagraph* p = FirstPar(); p; p = p->next) p->MarkChanged();
    Header().UpdatePixelMetrics();
    NotifyReset();
    if (OnNewParagraph) OnNewParagraph(Editor);
    TParagraph* last = GetLastParagraph();
    TLine* line = GetLastLine(last);
    Cursor = {last, line, int32_t(line->Length())};
    SelStart = SelEnd = {};
}

void TRtRTFTextIo::ApplyPasteOptions(TParagraph* chain) const {
    const TParagraph* at = Cursor.par;
    if (!at) return;
    for (TParagraph* p = chain; p; p = p->next) {
        if (PasteOptions & rtcoPreserveBorders) p->border = at->border;
        if (PasteOptions & rtcoPreserveShading) {
            p->shadingColor = at->shadingColor;
            p->shadingPercent = at->shadingPercent;
        }
        if (PasteOptions & rtcoPreserveIndents) {
            p->leftIndent = at->leftIndent;
            p->rightIndent = at->rightIndent;
            p->firstIndent = at->firstIndent;
        }
    }
}

void TRtRTFTextIo::InsertChainAtCursor(TParagraph* chain) {
    TParagraph* at = Cursor.par;
    const uint8_t undoKind = PasteUndoKind;
    const bool withUndo = undoKind != 0 && !at->IsCell();
    if (withUndo) {
        BeginUndoGroup();
        SaveUndo(at, uakParagraph, undoKind);
    }
    TParagraph* last = chain;
    while (last->next) last = last->next;
    const int32_t parOffset = OffsetInParagraph(at, Cursor.line, Cursor.offset);
    const int32_t lastLength = ParagraphLength(last);
    if (!SplitParagraph(at, Cursor.line, Cursor.offset)) {
        FreeParagraphChain(chain);
        if (withUndo) EndUndoGroup();
        return;
    }
    TParagraph* after = at->next;
    at->next = chain;
    chain->prev = at;
    last->next = after;
    after->prev = last;
    RenumberFrom(at);
    // The last pasted paragraph takes the text after the cursor, the cursor
    // paragraph the first pasted one.
    JoinFollower(last);
    JoinFollower(at);
    RenumberFrom(at);
    TParagraph* end = last == chain ? at : last;
    if (withUndo) {
        for (TParagraph* p = at->next; p; p = p->next) {
            SaveUndo(p, uakCreated, undoKind);
            if (p == end) break;
        }
        EndUndoGroup();
    }
    for (TParagraph* p = at;; p = p->next) {
        p->MarkChanged();
        if (p == end) break;
    }
    // The cursor goes to the end of the pasted text.
    int32_t offset = last == chain ? parOffset + lastLength : lastLength;
    TLine* line = LocateInParagraph(end, offset);
    Cursor = {end, line, offset};
    NotifyReset();
}

void TRtRTFTextIo::ReadIntoText(TStream& stream, TRtCustomTextReader& reader) {
    DeleteSelection();
    TParagraph* chain = nullptr;
    {
        TRestore<bool> loading(loading_, true);
        try {
            reader.Read(stream, chain);
        } catch (...) {
            FreeParagraphChain(chain);
            throw;
        }
    }
    if (!chain) return;
    if (!Cursor.par || ValidatePosition(Cursor.par, Cursor.line, Cursor.offset)) {
        FreeParagraphChain(chain);
        return;
    }
    bool doIt = true;
    if (OnBeforePasteEvent) OnBeforePasteEvent(Editor, doIt, chain);
    if (!doIt || !chain) {
        FreeParagraphChain(chain);
        return;
    }
    ApplyPasteOptions(chain);
    InsertChainAtCursor(chain);
}

void TRtRTFTextIo::ReadWithReader(TStream& stream, TRtCustomTextReader& reader) {
    PrepareReader(reader);
    LastIOResult = 6;
    BeginProgress(100);
    const TAttr remembered = CurrentAttr;
    const bool intoEmpty = IsEmpty() && PasteUndoKind == 0;
    try {
        if (intoEmpty) {
            ReadIntoEmptyText(stream, reader);
        } else {
            ReadIntoText(stream, reader);
        }
    } catch (...) {
        EndProgress();
        throw;
    }
    LastIOResult = reader.Result;
    if (IsAttrMode()) CurrentAttr = remembered;
    UpdateNumbering();
    AfterRead(intoEmpty);
    EndProgress();
}

// ---- files

void TRtRTFTextIo::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, FileMode::OpenRead);
    LoadFromFileStream(file, fileName);
}

void TRtRTFTextIo::LoadFromFileStream(TStream& stream, const std::string& fileName) {
    const fs::path path(fileName);
    LoadedFolder = path.parent_path().string();
    TRestore<std::string> extension(ioExtension_, UpperExtension(fileName));
    TRestore<std::string> base(BaseFolder, BaseFolder.empty() ? LoadedFolder : BaseFolder);
    LoadFromStream(stream);
}

void TRtRTFTextIo::RestoreBackup(const std::string& fileName, const std::string& backup, bool hadBackup) {
    std::error_code ignored;
    fs::remove(fileName, ignored);
    if (hadBackup) fs::rename(backup, fileName, ignored);
}

void TRtRTFTextIo::SaveToFile(const std::string& fileName) {
    TRestore<std::string> name(saveFileName_, fileName);
    TRestore<std::string> extension(ioExtension_, UpperExtension(fileName));
    TRestore<bool> saving(savingToFile_, true);
    TRestore<std::string> base(BaseFolder, BaseFolder.empty() ? fs::path(fileName).parent_path().string() : BaseFolder);
    const TTextHeader& header = Header();
    std::string backup;
    bool hadBackup = false;
    std::error_code error;
    if (!header.HasStoreOption(soDontRenameToBAKFile) && fs::exists(fileName, error)) {
        const std::string stem = fs::path(fileName).replace_extension(".BAK").string();
        backup = stem;
        if (!header.HasStoreOption(soDontDeleteBAKFile)) {
            for (int n = 1; fs::exists(backup, error); ++n) backup = stem + std::to_string(n);
        }
        fs::rename(fileName, backup, error);
        if (error) throw ERtEngineError(EngineMessageWith(meCannotRenameFile, fileName));
        hadBackup = true;
    }
    try {
        {
            TFileStream file(fileName, FileMode::Create);
            SaveToStream(file);
        }
        // A writer that reports a failure leaves no written file behind.
        if (LastIOResult != 0) throw ERtEngineError(EngineMessageWith(meErrorWriteToFile, fileName));
    } catch (...) {
        RestoreBackup(fileName, backup, hadBackup);
        throw;
    }
    if (hadBackup && !header.HasStoreOption(soDontDeleteBAKFile)) fs::remove(backup, error);
}

// ---- the character interface

bool TRtRTFTextIo::ReadNextChar(TAttr& attr, char& ch, TParagraph*& par) {
    TRtPosition& c = Cursor;
    if (!c.par || !c.line) return false;
    while (c.offset >= int32_t(c.line->Length()) && c.line->next) c = {c.par, c.line->next, 0};
    if (c.offset < int32_t(c.line->Length())) {
        ch = c.line->CharAt(uint32_t(c.offset));
        attr = c.line->HasAttrs() ? GetAttr(c.line, c.offset) : CurrentAttr;
        ++c.offset;
        par = nullptr;
        return true;
    }
    TParagraph* next = c.par->next;
    if (next == c.par) {
        c.par->next = nullptr;
        throw ERtEngineError("Next paragraph error");
    }
    if (!next) return false;
    ch = next->Has(pfPageBreak) ? 12 : 13;
    attr = CurrentAttr;
    par = next;
    c = {next, next->firstLine, 0};
    return true;
}

void TRtRTFTextIo::AppendChar(const TAttr& attr, char ch, const TParagraph* templatePar) {
    TParagraph* last = GetLastParagraph();
    TLine* line = GetLastLine(last);
    Cursor = {last, line, int32_t(line->Length())};
    if (ch == 0) return;
    if (ch == 13 || ch == 12) {
        TParagraph* created = last;
        InsertParagraphAfter(created, 20);
        if (templatePar) {
            TParagraph& t = *created;
            t.firstIndent = templatePar->firstIndent;
            t.leftIndent = templatePar->leftIndent;
            t.rightIndent = templatePar->rightIndent;
            t.spaceBefore = templatePar->spaceBefore;
            t.spaceAfter = templatePar->spaceAfter;
            t.lineSpacing = templatePar->lineSpacing;
            t.numberStyle = templatePar->numberStyle;
            t.numberStart = templatePar->numberStart;
            t.numberLevel = templatePar->numberLevel;
            t.shadingColor = templatePar->shadingColor;
            t.shadingPercent = templatePar->shadingPercent;
            t.align = templatePar->align;
            t.style = templatePar->style;
            t.parId = templatePar->parId;
            t.tabs = templatePar->tabs;
            t.border = templatePar->border;
            t.flags = templatePar->flags;
            if (templatePar->IsCell() && templatePar->extra) GetParExtra(t) = *templatePar->extra;
        }
        if (ch == 12) created->flags |= pfPageBreak;
        created->MarkChanged();
        Cursor = {created, created->firstLine, 0};
        return;
    }
    if (line->Capacity() - line->Length() < 3) line->EnsureRoom(30, 0);
    InsertChar(last, line, &attr, ch, int32_t(line->Length()));
    last->MarkChanged();
    Cursor = {last, GetLastLine(last), int32_t(GetLastLine(last)->Length())};
}

// ---- the text as a component property ("Data")

void TRtRTFTextIo::WriteDataProperty(TStream& stream) {
    std::unique_ptr<TRtCustomTextWriter> writer = CreateWriter("TRtRTFWriter");
    writer->ResetOutput();
    WriteWithWriter(stream, *writer);
    static constexpr std::array<uint8_t, 4> kEnd{};
    stream.WriteBuffer(kEnd.data(), kEnd.size());
}

void TRtRTFTextIo::ReadDataProperty(TStream& stream) {
    Clear();
    try {
        std::unique_ptr<TRtCustomTextReader> reader = CreateReader("TRtRTFReader");
        ReadWithReader(stream, *reader);
        if (reader->Result != 0) Clear();
    } catch (...) {
        Clear();
        throw;
    }
}
