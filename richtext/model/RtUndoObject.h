#pragma once
// TRtUndoObject: one undo record of a TRtUndoStack. Records of one group are
// undone and redone together; applying a record first records the reverse
// change, so undo feeds the redo list and redo the undo list.

#include "foundation/Stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TRtUndoStack;

// Objects that records own or share (freed with the record, or kept by the
// stack until no record refers to them).
class TRtUndoPayload {
public:
    virtual ~TRtUndoPayload() = default;
};

// Operations of a record.
constexpr uint8_t uopChange = 0;
constexpr uint8_t uopCheckpoint = 1;
constexpr uint8_t uopChange2 = 2;
constexpr uint8_t uopDeletion = 3;
constexpr uint8_t uopInput = 4;
constexpr uint8_t uopString = 5;
constexpr uint8_t uopInteger = 6;
constexpr uint8_t uopStream = 7;

class TRtUndoObject {
public:
    TRtUndoObject() = default;
    virtual ~TRtUndoObject() = default;
    TRtUndoObject(const TRtUndoObject&) = delete;
    TRtUndoObject& operator=(const TRtUndoObject&) = delete;

    TRtUndoStack* Owner = nullptr;
    int32_t Group = 0;  // 0: a record of its own
    bool IsRedo = false;
    const void* Source = nullptr;   // the editor (or text) that made it
    const void* Element = nullptr;  // what the record is about
    int32_t ID = 0;
    uint8_t Operation = uopChange;
    std::string Text;
    int32_t Value = 0;
    // Replaces the record or, set to null, cancels it.
    std::function<void(TRtUndoStack&, const void* source, TRtUndoObject*& record)> OnApply;

    // ---- virtual operations
    virtual std::string GetDescription() const;
    virtual void Apply();
    virtual bool Merge(const TRtUndoObject& other) const;

    TMemoryStream& GetStream();
    bool HasStream() const { return stream_ != nullptr; }
    void ResetStream() { stream_.reset(); }
    void SetOwnedObject(std::unique_ptr<TRtUndoPayload> object) { owned_ = std::move(object); }
    TRtUndoPayload* OwnedObject() const { return owned_.get(); }
    void SetStackObject(std::shared_ptr<TRtUndoPayload> object) { stackObject_ = std::move(object); }
    const std::shared_ptr<TRtUndoPayload>& StackObject() const { return stackObject_; }

private:
    std::unique_ptr<TMemoryStream> stream_;
    std::unique_ptr<TRtUndoPayload> owned_;
    std::shared_ptr<TRtUndoPayload> stackObject_;
};
