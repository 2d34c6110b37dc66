#pragma once
// TRtRTFTextInput: the editing layer of the rich-text chain, the text an
// editor control holds. Typing goes through TypeString, which interprets a
// string character by character: ordinary characters are inserted with the
// current attribute, 8 is backspace, 127 delete, 13 a new paragraph (a line
// break inside a table cell) and 12 a page break. Every change is recorded
// for undo through the model, one undo group per typed string.

#include "richtext/layout/RtRTFTextPaint.h"

#include <functional>
#include <string_view>

// Undo kinds of the typing records (the editor names them).
constexpr uint8_t kUndoKindInput = 2;
constexpr uint8_t kUndoKindDeleteText = 3;

// Repaint levels of TypeString.
constexpr uint8_t rlNothing = 0;
constexpr uint8_t rlFlaggedLines = 1;
constexpr uint8_t rlParagraph = 2;
constexpr uint8_t rlWindow = 3;

class TRtRTFTextInput : public TRtRTFTextPaint {
public:
    // ================= typing (RtRTFTextInputTyping.cpp)
    virtual void InputString(std::string_view text) { InsertChars(text, text.size() < 2); }
    // The editor's way to type; single characters are repainted at once.
    void InsertChars(std::string_view text, bool singleChar);
    // Returns the repaint level.
    uint8_t TypeString(std::string_view text);
    // Deletes characters at the cursor, which stays; true when any went.
    bool DeleteChars(int32_t count);
    void NotifyChange();
    bool InputRunning() const { return inputRunning_; }
    bool ReadOnly = false;
    std::function<void()> OnChange;

    // ================= deleting the selection (RtRTFTextInputDelete.cpp)
    // True when a selection was deleted.
    bool DeleteSelection() override { return DeleteSelectionFor(false); }
    bool DeleteSelectionFor(bool keyPressed);
    // Clears the marked cells (the editor's cell clearing).
    std::function<void()> OnClearSelectedCells;

    // ================= cursor movement (RtRTFTextInputCursor.cpp)
    void CursorLeft(int32_t count, bool extend, bool scroll);
    void CursorRight(int32_t count, bool extend, bool scroll);
    void CursorUp(int32_t count, bool extend, bool rowWise, bool scroll);
    void CursorDown(int32_t count, bool extend, bool rowWise, bool scroll);
    void WordLeft(int32_t count, bool extend, bool scroll);
    void WordRight(int32_t count, bool extend, bool scroll);
    // Codes: 0 line start, 1 line end, 2 page up, 3 page down, 4 text start,
    // 5 text end, 6/7 character left/right, 8/9 line up/down, 10/11 word
    // left/right, 12/13 window top/bottom line, 14/15 selection end/start.
    void MoveCursor(int32_t code, bool extend);
    void StartSelectionAtCursor(bool extend);
    // Mode 0 drops the selection and sets the anchor at the place; mode 1 moves the end there.
    void UpdateSelection(TParagraph* par, TLine* line, bool repaint, int32_t mode, int32_t offset);
    int32_t GoalColumn = 0;  // layout x that vertical moves keep to

private:
    bool inputRunning_ = false;
    bool extending_ = false;
    bool numberingDirty_ = false;
    bool pagesDirty_ = false;
    bool deletingSelection_ = false;
    uint8_t level_ = rlNothing;

    void TypeChar(char ch, bool lastOfRun);
    void Backspace();
    void DeleteAtCursor();
    void NewParagraph(bool pageBreak);
    void PageBreak();
    void RelayoutPar(TParagraph* par);
    void RepaintAfterTyping(uint8_t level);
    void ResetEmptyLastParagraph(TParagraph* par);
    void RecoverFromFailure(const char* what);
    void EmptyCoveredParagraphs(const TRtPosition& first, const TRtPosition& last);
    template <typename Move>
    void CursorMove(bool extend, bool scroll, Move&& move);
    bool SkipsLanding() const;
    TParagraph* NextVisiblePar(TParagraph* par) const;
    TParagraph* PrevVisiblePar(TParagraph* par) const;
    bool LineUp();
    bool LineDown();
    int32_t OffsetAtGoal();
    void PageMove(bool down);
};
