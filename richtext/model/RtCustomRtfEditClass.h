#pragma once
// The bases from which the editor control, its style collection and its tool
// controls derive. The model knows the editor only through this interface;
// the editor library makes the window (a Qt widget that also derives from
// TRtCustomRtfEditClass) and installs it on its text.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;
class TTextHeader;
class TRtRTFText;
class TRtObjectBase;
class TRtObjectField;
class TRtCustomStyleCollection;

class TRtCustomRtfEditClass {
public:
    virtual ~TRtCustomRtfEditClass();

    // ---- virtual operations, in the order of the editor classes
    virtual void SetRtStyleCollection(TRtCustomStyleCollection* collection);
    virtual void InputCharAt(bool toEnd, int32_t index, TRtCustomRtfEditClass* source, char ch) = 0;
    virtual void SaveToStreamAndClear(bool clear, TStream& stream) = 0;
    virtual bool ExecuteCommand(int32_t command) = 0;
    virtual void DoChangePageSize() = 0;
    virtual bool ExecuteValueCommand(int32_t command, int32_t value) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    virtual void UpdateClientSize() = 0;
    virtual void Clear() = 0;
    virtual TTextHeader* GetHeader() = 0;
    virtual TRtRTFText* GetTextInput() = 0;
    virtual void UpdateTools() {}

    // ---- component state the text reads
    virtual bool IsLoading() const { return false; }
    virtual bool IsDestroying() const { return false; }
    virtual bool IsDesigning() const { return false; }

    TRtCustomStyleCollection* RtStyleCollection() const { return styleCollection_; }
    // Called by a collection that goes away.
    void StyleCollectionFreed(TRtCustomStyleCollection* collection);

    // ---- the editor's events that the model fires
    // The text of a field: set text and done.
    std::function<void(TRtCustomRtfEditClass*, TRtObjectField&, std::string& text, bool& done)> OnTextFieldGetText;
    // The size of a field; each value is -1 until answered.
    std::function<void(TRtCustomRtfEditClass*, TRtObjectField&, int32_t& width, int32_t& height, int32_t& baseLine)>
        OnTextFieldGetBounds;

private:
    TRtCustomStyleCollection* styleCollection_ = nullptr;
};

// The editor's style collection: knows the editors linked to it.
class TRtCustomStyleCollection {
public:
    TRtCustomStyleCollection() = default;
    virtual ~TRtCustomStyleCollection();
    TRtCustomStyleCollection(const TRtCustomStyleCollection&) = delete;
    TRtCustomStyleCollection& operator=(const TRtCustomStyleCollection&) = delete;

    const std::vector<TRtCustomRtfEditClass*>& Editors() const { return editors_; }
    void AddEditor(TRtCustomRtfEditClass* editor);
    void RemoveEditor(TRtCustomRtfEditClass* editor);
    // The collection written to and read from a stream (undo kind 17).
    virtual void WriteToStream(TStream& stream) = 0;
    virtual void ReadFromStream(TStream& stream) = 0;

private:
    std::vector<TRtCustomRtfEditClass*> editors_;
};

// Base of tool controls tied to an editor.
class TRtCustomToolCtrl {
public:
    virtual ~TRtCustomToolCtrl() = default;
    std::function<void(TRtCustomToolCtrl*, int32_t code)> RTFEditChanged;
    virtual void EditChanged(int32_t code) {
        if (RTFEditChanged) RTFEditChanged(this, code);
    }
    virtual void ToolOperationA() {}
    virtual void ToolOperationB() {}
};
