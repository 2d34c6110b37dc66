#include "richtext/model/RtUndoStack.h"

#include "foundation/Debug.h"
#include "foundation/WaitCursor.h"

#include <algorithm>
#include <optional>

namespace {

constexpr size_t kHourglassRecords = 20;

const char* const kOperationTexts[] = {
    "Change", "Checkpoint", "Change", "Deletion", "Input", "Text Change", "Data Change", "Data Change",
};

bool IsCheckpoint(const TRtUndoObject& r) { return r.Operation == uopCheckpoint; }

}  // namespace

// ---- TRtUndoObject

std::string TRtUndoObject::GetDescription() const {
    return Operation < std::size(kOperationTexts) ? kOperationTexts[Operation] : kOperationTexts[0];
}

TMemoryStream& TRtUndoObject::GetStream() {
    if (!stream_) stream_ = std::make_unique<TMemoryStream>();
    return *stream_;
}

void TRtUndoObject::Apply() {
    if (IsCheckpoint(*this) || !Owner) return;
    TRtUndoStack& stack = *Owner;
    TRtUndoObject* record = this;
    if (OnApply) OnApply(stack, Source, record);
    if (!record) return;
    if (Operation == uopString && stack.OnUndoStringAction) {
        stack.OnUndoStringAction(stack, Source, record, ID, Text);
    } else if (Operation == uopInteger && stack.OnUndoIntegerAction) {
        stack.OnUndoIntegerAction(stack, Source, record, ID, Value);
    } else if (Operation == uopStream && stack.OnUndoStreamAction) {
        GetStream().SetPosition(0);
        stack.OnUndoStreamAction(stack, Source, record, ID, GetStream());
    }
    if (record) stack.ApplyUndoAction(record);
}

bool TRtUndoObject::Merge(const TRtUndoObject& other) const {
    return Owner && !Owner->NewGroupPending() && Operation == other.Operation && Element == other.Element &&
           Source == other.Source && ID == other.ID && typeid(*this) == typeid(other);
}

// ---- TRtUndoStack

TRtUndoStack::TRtUndoStack() = default;

TRtUndoStack::~TRtUndoStack() { ClearAll(); }

void TRtUndoStack::DoChange() {
    if (OnChange) OnChange(*this);
}

void TRtUndoStack::FreeRecord(TRecord record) {
    if (!record) return;
    if (IsCheckpoint(*record)) --checkpointCount_;
    std::shared_ptr<TRtUndoPayload> shared = record->StackObject();
    record.reset();
    if (!shared) return;
    const auto it = std::find(stackObjects_.begin(), stackObjects_.end(), shared);
    shared.reset();
    if (it != stackObjects_.end() && it->use_count() == 1) stackObjects_.erase(it);
}

bool TRtUndoStack::Add(TRecord record, bool toRedo) {
    if (!record) return false;
    if (IsCheckpoint(*record)) ++checkpointCount_;
    record->Owner = this;
    record->IsRedo = toRedo;
    record->Group = (undoing_ || redoing_ || (groupOpen_ && !toRedo)) ? groupCounter_ : 0;
    const std::shared_ptr<TRtUndoPayload> shared = record->StackObject();
    if (toRedo) {
        redo_.push_back(std::move(record));
    } else {
        if (maxCount_ > 0) {
            while (!undo_.empty() && UndoGroupCount() >= maxCount_) RemoveOldestGroup();
        }
        if (!redoing_) ClearRedo();
        undo_.push_back(std::move(record));
        newGroupPending_ = false;
    }
    if (shared && std::find(stackObjects_.begin(), stackObjects_.end(), shared) == stackObjects_.end()) {
        stackObjects_.push_back(shared);
    }
    DoChange();
    return true;
}

bool TRtUndoStack::AddOrMerge(bool toRedo, TRecord record) {
    if (!record) return false;
    const std::vector<TRecord>& list = toRedo ? redo_ : undo_;
    if (!list.empty() && list.back()->Merge(*record)) {
        FreeRecord(std::move(record));
        return false;
    }
    return Add(std::move(record), toRedo);
}

TRtUndoObject* TRtUndoStack::GetLastRecord(bool forRedo) const {
    if (newGroupPending_) return nullptr;
    if (forRedo && !redo_.empty()) return redo_.back().get();
    return undo_.empty() ? nullptr : undo_.back().get();
}

void TRtUndoStack::ClearRedo() {
    while (!redo_.empty()) {
        TRecord r = std::move(redo_.back());
        redo_.pop_back();
        FreeRecord(std::move(r));
    }
}

void TRtUndoStack::RemoveOldestGroup() {
    const int32_t group = undo_.front()->Group;
    size_t count = 1;
    if (group != 0) {
        while (count < undo_.size() && undo_[count]->Group == group) ++count;
    }
    std::vector<TRecord> removed(std::make_move_iterator(undo_.begin()),
                                 std::make_move_iterator(undo_.begin() + static_cast<ptrdiff_t>(count)));
    undo_.erase(undo_.begin(), undo_.begin() + static_cast<ptrdiff_t>(count));
    for (TRecord& r : removed) FreeRecord(std::move(r));
}

void TRtUndoStack::SetMaxCount(int32_t count) {
    maxCount_ = count;
    if (maxCount_ <= 0) return;
    while (!undo_.empty() && UndoGroupCount() >= maxCount_) RemoveOldestGroup();
}

int32_t TRtUndoStack::UndoGroupCount() const {
    int32_t count = 0;
    int32_t lastGroup = 0;
    for (const TRecord& r : undo_) {
        if (r->Group == 0) {
            if (!IsCheckpoint(*r)) ++count;
        } else if (r->Group != lastGroup) {
            ++count;
        }
        lastGroup = r->Group;
    }
    return count;
}

void TRtUndoStack::BeginGroup() {
    if (depth_++ == 0) {
        ++groupCounter_;
        DoChange();
    }
    groupOpen_ = true;
}

bool TRtUndoStack::EndGroup() {
    if (depth_ > 0) --depth_;
    if (depth_ == 0) {
        groupOpen_ = false;
        DoChange();
    }
    return depth_ > 0;
}

void TRtUndoStack::NewGroup() {
    if (!groupOpen_) newGroupPending_ = true;
}

void TRtUndoStack::ForceNewGroup() { newGroupPending_ = true; }

bool TRtUndoStack::CanUndo() const {
    return std::any_of(undo_.begin(), undo_.end(), [](const TRecord& r) { return !IsCheckpoint(*r); });
}

void TRtUndoStack::ApplyNewestGroup(std::vector<TRecord>& list, bool nested) {
    const int32_t group = list.back()->Group;
    size_t inGroup = 0;
    for (auto it = list.rbegin(); it != list.rend() && (*it)->Group == group; ++it) {
        if (group != 0 || IsCheckpoint(**it)) ++inGroup;
    }
    std::optional<TWaitCursor> hourglass;
    if (inGroup > kHourglassRecords) hourglass.emplace();
    while (!list.empty() && list.back()->Group == group) {
        TRecord record = std::move(list.back());
        list.pop_back();
        if (IsCheckpoint(*record)) {
            // Never applied; inside a nested undo it stays where it was.
            if (nested) {
                list.push_back(std::move(record));
                break;
            }
            FreeRecord(std::move(record));
            continue;
        }
        if (record->Source) BeginApplyFor(record->Source);
        record->Apply();
        FreeRecord(std::move(record));
        if (group == 0) break;
    }
}

bool TRtUndoStack::Undo() {
    if (undo_.empty()) return false;
    const bool wasUndoing = undoing_;
    if (!wasUndoing) {
        for (auto& link : links_) link->Applied = false;
        ++groupCounter_;
        groupOpen_ = false;
    }
    undoing_ = true;
    ApplyNewestGroup(undo_, wasUndoing);
    undoing_ = wasUndoing;
    if (!undoing_) {
        EndApplyAll();
        DoChange();
    }
    return !undo_.empty();
}

bool TRtUndoStack::Redo() {
    if (redo_.empty()) return false;
    const bool wasRedoing = redoing_;
    if (!wasRedoing) {
        for (auto& link : links_) link->Applied = false;
        ++groupCounter_;
        groupOpen_ = false;
    }
    redoing_ = true;
    ApplyNewestGroup(redo_, wasRedoing);
    redoing_ = wasRedoing;
    EndApplyAll();
    DoChange();
    return !redo_.empty();
}

void TRtUndoStack::ClearAll() {
    // Records go without touching the lists.
    std::vector<TRecord> undo = std::move(undo_);
    std::vector<TRecord> redo = std::move(redo_);
    undo_.clear();
    redo_.clear();
    undo.clear();
    redo.clear();
    stackObjects_.clear();
    DisabledEditors.clear();
    DisableCount = 0;
    groupCounter_ = 1;
    checkpointCount_ = 0;
    resetValue_ = 0;
    newGroupPending_ = false;
}

void TRtUndoStack::RemoveEditor(const void* editor) {
    for (std::vector<TRecord>* list : {&undo_, &redo_}) {
        std::vector<TRecord> kept;
        for (TRecord& r : *list) {
            if (r->Source == editor) {
                FreeRecord(std::move(r));
            } else {
                kept.push_back(std::move(r));
            }
        }
        *list = std::move(kept);
    }
    PurgeStackObjects();
    std::erase(DisabledEditors, editor);
    DoChange();
}

void TRtUndoStack::PurgeStackObjects() {
    std::erase_if(stackObjects_, [](const std::shared_ptr<TRtUndoPayload>& o) { return o.use_count() == 1; });
}

void TRtUndoStack::ApplyUndoAction(TRtUndoObject*& record) {
    if (OnApplyUndoAction && record) OnApplyUndoAction(*this, record->Source, record);
}

void TRtUndoStack::BeginApplyFor(const void* source) {
    for (auto& link : links_) {
        if (link->Source != source || link->Applied) continue;
        if (BeforeApply) BeforeApply(*this, source);
        if (link->BeforeApply) link->BeforeApply();
        link->Applied = true;
    }
}

void TRtUndoStack::EndApplyAll() {
    for (auto& link : links_) {
        if (!link->Applied) continue;
        link->Applied = false;
        if (link->AfterApply) link->AfterApply();
        if (AfterApply) AfterApply(*this, link->Source);
    }
}

bool TRtUndoStack::IsDisabledFor(const void* editor) const {
    return DisableCount >= 1 || std::find(DisabledEditors.begin(), DisabledEditors.end(), editor) != DisabledEditors.end();
}

TRtUndoManagerLink& TRtUndoStack::LinkEditor(const void* editor) {
    UnlinkComponent(editor);
    links_.push_back(std::make_unique<TRtUndoManagerLink>());
    links_.back()->Source = editor;
    return *links_.back();
}

void TRtUndoStack::UnlinkComponent(const void* component) {
    std::erase_if(links_, [component](const auto& link) { return link->Source == component; });
}
