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

private:
    bool inputRunning_ = false;
    bool numberingDirty_ = false;
    bool pagesDirty_ = false;
    bool deletingSelection_ = false;
    uint8_t level_ = rlNothing;

    void TypeChar(char ch, bool lastOfRun);
    void Backspace();
    void DeleteAtCursor();
    void NewParagraph(bool pageBreak);
    void PageBreak();
    void Relayout(TParagraph* par);
    void RepaintAfterTyping(uint8_t level);
    void ResetEmptyLastParagraph(TParagraph* par);
    void RecoverFromFailure(const char* what);
};
