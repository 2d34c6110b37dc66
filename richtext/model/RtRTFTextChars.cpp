// TRtRTFText: characters: replacing, inserting, deleting, copying, the
// cursor index and object references of characters.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/model/ParObject.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/ScribenUndoObject.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kInsertHeadroom = 10;
constexpr uint32_t kReplaceHeadroom = 6;
constexpr uint32_t kJoinHeadroom = 30;
constexpr int32_t kCountOnlyLimit = 268435455;

// Room for typing: 10 places as a rule, a quarter of the piece for long
// pieces, so that typing into a long piece does not copy it again and again.
uint32_t TypingHeadroom(uint32_t length) { return std::max(kInsertHeadroom, length / 4); }

}  // namespace

// ---- places within a paragraph

int32_t TRtRTFText::OffsetInParagraph(const TParagraph* par, const TLine* line, int32_t offset) {
    int32_t n = 0;
    for (const TLine* l = par ? par->firstLine : nullptr; l && l != line; l = l->next) n += int32_t(l->Length());
    return n + offset;
}

TLine* TRtRTFText::LocateInParagraph(const TParagraph* par, int32_t& offset) {
    TLine* l = par ? par->firstLine : nullptr;
    offset = std::max(offset, 0);
    while (l && l->next && offset > int32_t(l->Length())) {
        offset -= int32_t(l->Length());
        l = l->next;
    }
    if (l) offset = std::min(offset, int32_t(l->Length()));
    return l;
}

uint16_t TRtRTFText::StoredWidth(char ch, const TAttr& attr) {
    if (attr.width != 0 || (attr.style & afsHidden)) return attr.width;
    const uint8_t code = ch == kTabChar ? uint8_t(' ') : uint8_t(ch);
    return static_cast<uint16_t>(MeasureTable()[code]);
}

void TRtRTFText::StoreChar(TLine* line, uint32_t index, char ch, const TAttr& attr) {
    line->SetCharAt(index, ch);
    if (!line->HasAttrs()) return;
    line->SetFormatAt(index, attrs_.Intern(attr));
    line->SetWidthAt(index, StoredWidth(ch, attr));
}

void TRtRTFText::ShiftPositions(const TLine* line, int32_t after, int32_t delta) {
    ForEachPosition([&](TRtPosition& p) {
        if (p.line == line && p.offset > after) p.offset = std::max(after, p.offset + delta);
    });
}

void TRtRTFText::ClampPositions() {
    ForEachPosition([](TRtPosition& p) {
        if (p.line) p.offset = std::clamp(p.offset, 0, int32_t(p.line->Length()));
    });
}

// ---- replacing and inserting

int32_t TRtRTFText::ReplaceText(TParagraph* par, TLine* line, const TAttr* attr, int32_t newCount, const char* text,
                                int32_t oldCount, int32_t index) {
    if (!par) return 0;
    if (!line) line = LocateInParagraph(par, index);
    par->MarkChanged();
    index = std::clamp(index, 0, int32_t(line->Length()));
    oldCount = std::clamp(oldCount, 0, int32_t(line->Length()) - index);
    newCount = std::max(newCount, 0);
    const TAttr use = attr ? *attr : GetAttr(line, index);
    const int32_t diff = newCount - oldCount;
    if (diff > 0 && !line->EnsureRoom(uint32_t(diff), kReplaceHeadroom)) return 0;
    const int32_t parOffset = OffsetInParagraph(par, line, index);
    if (diff > 0) {
        line->OpenGap(uint32_t(index + oldCount), uint32_t(diff));
    } else if (diff < 0) {
        line->Erase(uint32_t(index + newCount), uint32_t(-diff));
    }
    for (int32_t i = 0; i < newCount; ++i) StoreChar(line, uint32_t(index + i), text[i], use);
    ForEachPosition([&](TRtPosition& p) {
        if (p.line != line) return;
        if (p.offset >= index + oldCount) {
            p.offset += diff;
        } else if (p.offset > index + newCount) {
            p.offset = index + newCount;
        }
    });
    line->flags |= lfChanged;
    NotifyRange(par, parOffset, oldCount, newCount);
    return diff;
}

int32_t TRtRTFText::InsertString(TParagraph* par, TLine* line, const char* text, int32_t count, int32_t index) {
    return ReplaceText(par, line, nullptr, text ? int32_t(std::strlen(text)) : 0, text, count, index);
}

bool TRtRTFText::InsertChar(TParagraph* par, TLine* line, const TAttr* attr, char ch, int32_t index) {
    if (!par) return false;
    if (!line) line = LocateInParagraph(par, index);
    if (!line) return false;
    index = std::clamp(index, 0, int32_t(line->Length()));
    if (ValidatePosition(par, line, index)) return false;
    if (par->IsCell() && par->extra && par->extra->TypingLocked()) {
        if (RtEngine().Beep) RtEngine().Beep();
        return false;
    }
    // Insert mode opens a place; overwrite mode only at the end of the piece.
    const bool opens = InsertMode || uint32_t(index) >= line->Length();
    if (opens && !line->EnsureRoom(1, TypingHeadroom(line->Length()))) return false;
    const TAttr use = attr ? *attr : GetAttr(line, index);
    const int32_t parOffset = OffsetInParagraph(par, line, index);
    if (opens) {
        line->OpenGap(uint32_t(index), 1);
        ShiftPositions(line, index, 1);
    }
    StoreChar(line, uint32_t(index), ch, use);
    line->flags |= lfChanged;
    par->MarkChanged();
    NotifyRange(par, parOffset, opens ? 0 : 1, 1);
    return true;
}

void TRtRTFText::InsertLineText(TParagraph* par, int32_t offset, const TAttr* attr, const std::string& text) {
    if (!par) return;
    const TAttr use = attr ? *attr : InsertionAttr;
    TLine* piece = nullptr;
    const int32_t parOffset = std::max(offset, 0);
    if (offset > 0) {
        int32_t local = offset;
        piece = LocateInParagraph(par, local);
        if (local < int32_t(piece->Length())) SplitLinePiece(piece, local);
    }
    TLine* created = piece;
    InsertLine(created, int32_t(text.size()));
    if (!piece) {
        // The new piece goes first.
        created->next = par->firstLine;
        par->firstLine->prev = created;
        par->firstLine = created;
    }
    for (size_t i = 0; i < text.size(); ++i) StoreChar(created, uint32_t(i), text[i], use);
    created->SetLength(uint32_t(text.size()));
    if (created->HasAttrs()) created->SetFormatAt(uint32_t(text.size()), attrs_.Intern(use));
    par->MarkChanged();
    NotifyRange(par, parOffset, 0, int32_t(text.size()));
}

void TRtRTFText::InsertTextAtCursor(const std::string& text, const TAttr& attr) {
    if (text.empty() || !Cursor.par || !Cursor.line) return;
    TLine* line = Cursor.line;
    if (Cursor.offset < int32_t(line->Length())) SplitLinePiece(line, Cursor.offset);
    const int32_t parOffset = OffsetInParagraph(Cursor.par, line, Cursor.offset);
    TLine* created = line;
    InsertLine(created, int32_t(text.size()));
    for (size_t i = 0; i < text.size(); ++i) StoreChar(created, uint32_t(i), text[i], attr);
    created->SetLength(uint32_t(text.size()));
    if (created->HasAttrs()) created->SetFormatAt(uint32_t(text.size()), attrs_.Intern(attr));
    Cursor = {Cursor.par, created, int32_t(text.size())};
    Cursor.par->MarkChanged();
    NotifyRange(Cursor.par, parOffset, 0, int32_t(text.size()));
}

void TRtRTFText::ClearParText(TParagraph* par, int32_t from, int32_t to) {
    if (!par || to <= from) return;
    int32_t start = 0;
    int32_t removed = 0;
    for (TLine* l = par->firstLine; l; l = l->next) {
        const int32_t len = int32_t(l->Length());
        const int32_t a = std::clamp(from - start, 0, len);
        const int32_t b = std::clamp(to - start, 0, len);
        if (b > a) {
            if (IsAttrMode()) objRefs_->ReleaseCharRefs(*l, uint32_t(a), afsIsObject, uint32_t(b), attrs_);
            l->Erase(uint32_t(a), uint32_t(b - a));
            ShiftPositions(l, a, a - b);
            removed += b - a;
        }
        start += len;
    }
    par->MarkChanged();
    NotifyRange(par, from, removed, 0);
}

int32_t TRtRTFText::CopyParChars(const TParagraph* par, int32_t offset, char* buffer, int32_t count) const {
    if (!par || !buffer || count <= 0) return 0;
    int32_t copied = 0;
    int32_t start = 0;
    for (const TLine* l = par->firstLine; l && copied < count; l = l->next) {
        const int32_t len = int32_t(l->Length());
        const int32_t a = std::clamp(offset + copied - start, 0, len);
        const int32_t take = std::min(len - a, count - copied);
        if (offset + copied < start + len && take > 0) {
            std::memcpy(buffer + copied, l->Text() + a, size_t(take));
            copied += take;
        }
        start += len;
    }
    buffer[copied] = 0;
    return copied;
}

// ---- deleting

void TRtRTFText::DeleteObjectCharacter(TParagraph* par, TLine* line, int32_t index, bool rangeDeletion) {
    TAttr a = GetAttr(line, index);
    const char code = line->CharAt(uint32_t(index));
    if (code == kObjectChar) {
        objRefs_->Release(a.reference);
        a.style &= ~afsIsObject;
        PutAttr(line, index, a);
        return;
    }
    // A paired code: mark its partner deleted (nested pairs counted).
    const bool forward = code == kCodeOpenChar;
    const int32_t ref = a.reference;
    int depth = 0;
    TParagraph* p = par;
    TLine* l = line;
    int32_t i = index;
    while (p) {
        i += forward ? 1 : -1;
        while (l && (i < 0 || i >= int32_t(l->Length()))) {
            l = forward ? l->next : l->prev;
            if (!l) {
                p = forward ? p->next : p->prev;
                l = p ? (forward ? p->firstLine : GetLastLine(p)) : nullptr;
                if (!l) break;
            }
            i = forward ? 0 : int32_t(l->Length()) - 1;
        }
        if (!l || !p) return;
        const TAttr b = GetAttr(l, i);
        if (!(b.style & afsIsObject) || b.reference != ref) continue;
        const char c = l->CharAt(uint32_t(i));
        if (c == code) {
            ++depth;
        } else if (c == (forward ? kCodeCloseChar : kCodeOpenChar)) {
            if (depth-- > 0) continue;
            TAttr marked = b;
            marked.style |= afsDelete;
            PutAttr(l, i, marked);
            if (p != par) PurgeMarkedChars(p);
            return;
        }
    }
}

bool TRtRTFText::DeleteChar(TParagraph* par, TLine* line, int32_t index) {
    if (!par || !line) return false;
    index = std::clamp(index, 0, int32_t(line->Length()));
    const bool insertMode = InsertMode;
    InsertMode = false;
    const bool closed = ValidatePosition(par, line, index);
    InsertMode = insertMode;
    if (closed) return false;
    // An empty paragraph between two others goes.
    if (index == 0 && par->firstLine == line && !line->next && line->Length() == 0 && par->prev && par->next &&
        !par->IsCell()) {
        TParagraph* follower = par->next;
        NotifyRange(par, 0, 1, 0);
        follower->MarkChanged();
        DeleteParagraph(par);
        return true;
    }
    if (uint32_t(index) < line->Length()) {
        DeleteInsideLine(par, line, index);
        return true;
    }
    if (line->next) {
        DeleteAtPieceEnd(par, line);
        return true;
    }
    return JoinFollower(par);
}

void TRtRTFText::DeleteInsideLine(TParagraph* par, TLine* line, int32_t index) {
    const TAttr a = GetAttr(line, index);
    if (line->HasAttrs() && (a.style & afsIsObject)) {
        if (TTextObj* ref = objRefs_->GetItem(a.reference)) {
            ref->laidOut = 0;
            ref->present = 0;
        }
        DeleteObjectCharacter(par, line, index, rangeDeletion_);
    }
    const uint32_t count = (line->HasAttrs() && (a.style & afsDBCSOne) && !rangeDeletion_ &&
                            uint32_t(index) + 1 < line->Length())
                               ? 2
                               : 1;
    const int32_t parOffset = OffsetInParagraph(par, line, index);
    line->Erase(uint32_t(index), count);
    ShiftPositions(line, index, -int32_t(count));
    line->flags |= lfChanged;
    par->MarkChanged();
    NotifyRange(par, parOffset, int32_t(count), 0);
}

void TRtRTFText::DeleteAtPieceEnd(TParagraph* par, TLine* line) {
    TLine* later = line->next;
    const uint32_t at = line->Length();
    if (!line->EnsureRoom(later->Length(), kJoinHeadroom)) return;
    line->flags |= lfChanged;
    ForEachPosition([&](TRtPosition& p) {
        if (p.line == later) p = {par, line, p.offset + int32_t(at)};
    });
    later->MoveTailTo(0, *line);
    line->next = later->next;
    if (later->next) later->next->prev = line;
    delete later;
    par->MarkChanged();
    // The first character of the later piece is the one deleted, unless it may not be.
    if (at < line->Length()) {
        DeleteChar(par, line, int32_t(at));
    } else if (line->next) {
        DeleteAtPieceEnd(par, line);
    }
}

bool TRtRTFText::JoinFollower(TParagraph* par) {
    TParagraph* follower = par->next;
    if (par->IsCell() || !follower) return false;
    const int32_t length = ParagraphLength(par);
    const bool wasEmpty = length == 0;
    if (follower->IsCell()) {
        const uint32_t changed = par->flags & pfChanged;
        if (wasEmpty) {
            const int32_t keepIndex = par->index;
            const int32_t keepId = par->uniqueId;
            TParagraph* keepPrev = par->prev;
            TLine* keepLines = par->firstLine;
            TParObject* keepObjects = par->objects;
            TParExtra* keepExtra = par->extra;
            const TAttr keepMark = par->markAttr;
            *par = *follower;
            par->index = keepIndex;
            par->uniqueId = keepId;
            par->prev = keepPrev;
            par->firstLine = keepLines;
            par->objects = keepObjects;
            par->extra = keepExtra;
            par->markAttr = keepMark;
        } else {
            par->numberStyle = follower->numberStyle;
            par->numberLevel = follower->numberLevel;
            par->style = follower->style;
            par->align = follower->align;
            par->flags = follower->flags;
            par->shadingColor = follower->shadingColor;
            par->shadingPercent = follower->shadingPercent;
            par->border = follower->border;
            par->tabs = follower->tabs;
            par->spaceBefore = follower->spaceBefore;
            par->spaceAfter = follower->spaceAfter;
            par->lineSpacing = follower->lineSpacing;
        }
        par->flags |= changed;
        std::swap(par->extra, follower->extra);
        if (lastExtra_ == follower->extra) lastExtra_ = nullptr;
    }
    if (!par->objects) std::swap(par->objects, follower->objects);
    ForEachPosition([&](TRtPosition& p) {
        if (p.par == follower) p.par = par;
    });
    AppendLines(par, follower->firstLine);
    follower->firstLine = nullptr;
    par->next = follower->next;
    if (follower->next) follower->next->prev = par;
    TParagraph* after = follower->next;
    FreeParagraph(follower);
    par->MarkChanged();
    if (after) {
        RenumberFrom(after);
    } else {
        pageCountValid_ = false;
    }
    NotifyRange(par, length, 1, 0);
    return true;
}

void TRtRTFText::PurgeMarkedChars(TParagraph* par) {
    if (!par || !IsAttrMode()) return;
    bool any = false;
    for (TLine* l = par->firstLine; l && !any; l = l->next) {
        for (uint32_t i = 0; i < l->Length() && !any; ++i) any = StyleAt(l, int32_t(i)) & afsDelete;
    }
    if (!any) return;
    if (UndoSwitch && HasEditOption(rtActivateUndo)) SaveUndo(par, uakText, 3);
    for (TLine* l = par->firstLine; l; l = l->next) {
        for (int32_t i = int32_t(l->Length()) - 1; i >= 0; --i) {
            const TAttr a = GetAttr(l, i);
            if (!(a.style & afsDelete)) continue;
            if (l->CharAt(uint32_t(i)) == kObjectChar && (a.style & afsIsObject)) objRefs_->Release(a.reference);
            NotifyRange(par, OffsetInParagraph(par, l, i), 1, 0);
            l->Erase(uint32_t(i), 1);
            ShiftPositions(l, i, -1);
        }
    }
    par->MarkChanged();
}

void TRtRTFText::DeleteRange(TParagraph* fromPar, TParagraph* toPar, int32_t toIndex, int32_t fromIndex,
                             TLine* toLine, TLine* fromLine) {
    if (!fromPar) {
        fromPar = first_;
        fromLine = first_->firstLine;
        fromIndex = 0;
    }
    if (!toPar) {
        toPar = GetLastParagraph();
        toLine = GetLastLine(toPar);
        toIndex = int32_t(toLine->Length());
    }
    if (!fromLine) fromLine = LocateInParagraph(fromPar, fromIndex);
    if (!toLine) toLine = LocateInParagraph(toPar, toIndex);
    fromIndex = std::clamp(fromIndex, 0, int32_t(fromLine->Length()));
    toIndex = std::clamp(toIndex, 0, int32_t(toLine->Length()));
    if (!RangeIsOrdered(fromPar, fromLine, fromIndex, toPar, toLine, toIndex)) return;
    const int32_t cursorIndex = GetCursorIndex();
    int32_t span = toPar->index - fromPar->index;
    for (const TParagraph* p = fromPar; p; p = p->next) {
        span += ParagraphLength(p);
        if (p == toPar) break;
    }
    const TParagraph* reported = fromPar;
    busy_ = true;
    rangeDeletion_ = true;
    ++muteNotify_;
    try {
        DeleteRangeBody(fromPar, toPar, toIndex, fromIndex, toLine, fromLine);
    } catch (...) {
        FinishDeleteRange(cursorIndex);
        --muteNotify_;
        throw;
    }
    FinishDeleteRange(cursorIndex);
    --muteNotify_;
    NotifyRange(reported, 0, span, ParagraphLength(reported));
}

bool TRtRTFText::RangeIsOrdered(const TParagraph* fromPar, const TLine* fromLine, int32_t fromIndex,
                                const TParagraph* toPar, const TLine* toLine, int32_t toIndex) {
    if (fromPar == toPar) {
        if (fromLine == toLine) return fromIndex <= toIndex;
        return IsLaterPiece(fromLine, toLine) && IsLaterPiece(fromPar->firstLine, fromLine);
    }
    for (const TParagraph* p = fromPar; p; p = p->next) {
        if (p == toPar) return IsLaterPiece(fromPar->firstLine, fromLine) && IsLaterPiece(toPar->firstLine, toLine);
    }
    return false;
}

void TRtRTFText::FinishDeleteRange(int32_t cursorIndex) {
    rangeDeletion_ = false;
    busy_ = false;
    ClampPositions();
    SetCursorToIndex(cursorIndex);
    if (Cursor.par) Cursor.par->MarkChanged();
}

void TRtRTFText::DeleteRangeBody(TParagraph* fromPar, TParagraph* toPar, int32_t toIndex, int32_t fromIndex,
                                 TLine* toLine, TLine* fromLine) {
    if (fromLine == toLine) {
        for (int32_t n = toIndex - fromIndex; n > 0; --n) {
            if (!DeleteChar(fromPar, fromLine, fromIndex)) ++fromIndex;
        }
        return;
    }
    if (fromPar != toPar) {
        // The paragraphs between go, then the end paragraph's pieces join the start's.
        while (fromPar->next && fromPar->next != toPar) {
            TParagraph* middle = fromPar->next;
            ReleaseLineRefs(middle->firstLine);
            MovePositions(middle, fromPar, fromLine, fromIndex);
            UnlinkParagraph(middle);
            FreeParagraph(middle);
        }
        ForEachPosition([&](TRtPosition& p) {
            if (p.par == toPar) p.par = fromPar;
        });
        AppendLines(fromPar, toPar->firstLine);
        toPar->firstLine = nullptr;
        fromPar->next = toPar->next;
        if (toPar->next) toPar->next->prev = fromPar;
        TParagraph* after = toPar->next;
        FreeParagraph(toPar);
        if (after) RenumberFrom(after);
        pageCountValid_ = false;
    }
    if (IsAttrMode()) {
        objRefs_->ReleaseCharRefs(*fromLine, uint32_t(fromIndex), afsIsObject, fromLine->Length(), attrs_);
    }
    fromLine->SetLength(uint32_t(fromIndex));
    for (TLine* l = fromLine->next; l && l != toLine; l = l->next) {
        if (IsAttrMode()) objRefs_->ReleaseCharRefs(*l, 0, afsIsObject, l->Length(), attrs_);
        l->SetLength(0);
    }
    ClampPositions();
    int32_t kept = 0;
    for (int32_t n = toIndex; n > 0; --n) {
        if (!DeleteChar(fromPar, toLine, kept)) ++kept;
    }
    fromPar->MarkChanged();
}

// ---- copying

int32_t TRtRTFText::CopyTextAndAttrs(char* text, TAttr* attrBuffer, int32_t maximum) {
    const bool countOnly = !text && !attrBuffer;
    const int32_t limit = countOnly ? kCountOnlyLimit : maximum;
    if (Editor) {
        for (const TParagraph* p = first_; p; p = p->next) {
            if (p->Has(pfChanged)) {
                Refresh(true);
                break;
            }
        }
    }
    int32_t n = 0;
    const auto put = [&](char c, const TAttr& a) {
        if (n >= limit) return;
        if (text) text[n] = c;
        if (attrBuffer) attrBuffer[n] = a;
        ++n;
    };
    for (const TParagraph* p = first_; p && n < limit; p = p->next) {
        for (const TLine* l = p->firstLine; l; l = l->next) {
            for (uint32_t i = 0; i < l->Length(); ++i) {
                if (!l->HasAttrs()) {
                    put(l->CharAt(i), CurrentAttr);
                } else if (l->WidthAt(i) != 0) {
                    put(l->CharAt(i), attrs_.Get(l->FormatAt(i), l->WidthAt(i)));
                }
            }
        }
        if (!p->next || p->Has(pfHidden)) continue;
        put('\r', p->markAttr);
        if (!attrBuffer) put('\n', p->markAttr);
    }
    if (text && n < maximum) text[n] = 0;
    return n;
}

template <typename F>
void TRtRTFText::ForEachObjectChar(TLine* first, F&& f) const {
    for (TLine* l = first; l; l = l->next) {
        if (!l->HasAttrs() || l->Length() == 0) continue;
        // A piece of one attribute holds no object characters unless that attribute is one.
        if (l->IsUniform() && !(attrs_.StyleOf(l->FormatAt(0)) & afsIsObject)) continue;
        for (uint32_t i = 0; i < l->Length(); ++i) {
            const TAttr& format = attrs_.Format(l->FormatAt(i));
            if (format.style & afsIsObject) f(format.reference);
        }
    }
}

void TRtRTFText::AddLineRefs(TLine* first) {
    ForEachObjectChar(first, [this](int32_t id) { objRefs_->AddRef(id); });
}

void TRtRTFText::ReleaseLineRefs(TLine* first) {
    ForEachObjectChar(first, [this](int32_t id) { objRefs_->Release(id); });
}

// ---- cursor index

int32_t TRtRTFText::GetCursorIndex() const {
    int32_t n = 0;
    for (const TParagraph* p = first_; p && p != Cursor.par; p = p->next) n += ParagraphLength(p) + 1;
    return n + OffsetInParagraph(Cursor.par, Cursor.line, Cursor.offset);
}

void TRtRTFText::SetCursorToIndex(int32_t index) {
    int32_t rest = std::max(index, 0);
    for (TParagraph* p = first_; p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) {
            if (rest <= int32_t(l->Length())) {
                if (rest == int32_t(l->Length()) && l->next) {
                    Cursor = {p, l->next, 0};
                } else {
                    Cursor = {p, l, rest};
                }
                return;
            }
            rest -= int32_t(l->Length());
        }
        --rest;
    }
    TParagraph* last = GetLastParagraph();
    TLine* line = GetLastLine(last);
    Cursor = {last, line, line ? int32_t(line->Length()) : 0};
}
