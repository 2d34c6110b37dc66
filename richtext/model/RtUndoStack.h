#pragma once
// TRtUndoStack: the undo and redo lists of undo records in numbered groups.
// Several editors may share one stack; each is linked by a
// TRtUndoManagerLink whose callbacks run around the application of its
// records. Records made while a record is applied join one new group on the
// other list.

#include "richtext/model/RtUndoObject.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TRtUndoManagerLink {
public:
    const void* Source = nullptr;
    std::function<void()> TakeSnapshot;
    std::function<void()> BeforeApply;
    std::function<void()> AfterApply;
    bool Applied = false;
};

class TRtUndoStack {
public:
    using TRecord = std::unique_ptr<TRtUndoObject>;

    TRtUndoStack();
    virtual ~TRtUndoStack();
    TRtUndoStack(const TRtUndoStack&) = delete;
    TRtUndoStack& operator=(const TRtUndoStack&) = delete;

    // ---- events
    std::function<void(TRtUndoStack&)> OnTakeSnapshot;
    std::function<void(TRtUndoStack&, const void* source, TRtUndoObject*& record)> OnApplyUndoAction;
    std::function<void(TRtUndoStack&)> OnChange;
    std::function<void(TRtUndoStack&, const void* source, TRtUndoObject*& record, int32_t id, const std::string&)>
        OnUndoStringAction;
    std::function<void(TRtUndoStack&, const void* source, TRtUndoObject*& record, int32_t id, int32_t)>
        OnUndoIntegerAction;
    std::function<void(TRtUndoStack&, const void* source, TRtUndoObject*& record, int32_t id, TMemoryStream&)>
        OnUndoStreamAction;
    std::function<void(TRtUndoStack&, const void* source)> BeforeApply;
    std::function<void(TRtUndoStack&, const void* source)> AfterApply;

    // ---- virtual operations
    virtual void DoChange();
    virtual bool Add(TRecord record, bool toRedo);
    virtual bool Undo();
    virtual bool Redo();

    bool AddOrMerge(bool toRedo, TRecord record);
    TRtUndoObject* GetLastRecord(bool forRedo) const;
    void BeginGroup();
    bool EndGroup();
    void NewGroup();
    void ForceNewGroup();
    bool CanUndo() const;
    bool CanRedo() const { return !redo_.empty(); }
    int32_t UndoGroupCount() const;
    void ClearAll();
    void RemoveEditor(const void* editor);
    void PurgeStackObjects();
    void ApplyUndoAction(TRtUndoObject*& record);
    void BeginApplyFor(const void* source);
    void EndApplyAll();
    bool IsDisabledFor(const void* editor) const;
    TRtUndoManagerLink& LinkEditor(const void* editor);
    void UnlinkComponent(const void* component);

    int32_t MaxCount() const { return maxCount_; }
    void SetMaxCount(int32_t count);

    // Set from outside the stack: editors whose records are not taken.
    std::vector<const void*> DisabledEditors;
    int32_t DisableCount = 0;

    const std::vector<TRecord>& UndoList() const { return undo_; }
    const std::vector<TRecord>& RedoList() const { return redo_; }
    int32_t CheckpointCount() const { return checkpointCount_; }
    int32_t GroupCounter() const { return groupCounter_; }
    bool GroupOpen() const { return groupOpen_; }
    bool NewGroupPending() const { return newGroupPending_; }
    bool Undoing() const { return undoing_; }
    bool Redoing() const { return redoing_; }
    size_t StackObjectCount() const { return stackObjects_.size(); }

private:
    std::vector<TRecord> undo_;
    std::vector<TRecord> redo_;
    std::vector<std::unique_ptr<TRtUndoManagerLink>> links_;
    std::vector<std::shared_ptr<TRtUndoPayload>> stackObjects_;
    bool newGroupPending_ = false;
    int32_t groupCounter_ = 1;
    bool groupOpen_ = false;
    int32_t resetValue_ = 0;
    int32_t checkpointCount_ = 0;
    int32_t depth_ = 0;
    bool undoing_ = false;
    bool redoing_ = false;
    int32_t maxCount_ = -1;

    void FreeRecord(TRecord record);
    void ApplyNewestGroup(std::vector<TRecord>& list, bool nested);
    void RemoveOldestGroup();
    void ClearRedo();
};
