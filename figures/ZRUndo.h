#pragma once
// Undo records: what a design keeps of each editing step so that it can be
// reverted. The design's undo manager creates a record, fills it and reads it
// back; a record does nothing beyond owning (and freeing) what it holds.
//
// Who owns what while a record exists:
//   property, create, layer records  figures stay with the design
//   delete record                    owns the figures its entries still
//                                    reference; the undo takes each entry's
//                                    figure out before it goes back into the
//                                    design
//   selection-to-group record        owns neither the group nor its members
//   group-to-selection record        owns the dissolved group while Group is
//                                    set, not its former members (they live
//                                    on in the design)
//   picture-filter record            owns only its picture stream

#include "foundation/Stream.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFigure;
class TFigureGroup;

// Holds one figure snapshot or one picture.
class TZRUndoStream : public TMemoryStream {};

struct TZRUndoFigureData {
    TFigure* Figure = nullptr;  // not owned (but see the delete record)
    TZRUndoStream Snapshot;     // filled only by property records
    // The figure's index in the design's list when the entry was made.
    int32_t Position = 0;
};

// Owns its entries (and their snapshots), never the figures.
class TZRUndoFigureList {
public:
    TZRUndoFigureData& Add();
    TZRUndoFigureData& Items(int32_t index);
    const TZRUndoFigureData& Items(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    void Delete(int32_t index);
    void Clear() { entries_.clear(); }

private:
    std::vector<std::unique_ptr<TZRUndoFigureData>> entries_;
};

class TZRUndoItem {
public:
    TZRUndoItem() = default;
    virtual ~TZRUndoItem() = default;
    TZRUndoItem(const TZRUndoItem&) = delete;
    TZRUndoItem& operator=(const TZRUndoItem&) = delete;

    // The text key of the step's name in the Undo menu entry: the name is
    // looked up when it is shown, so it follows the language.
    std::string CaptionKey;
};

// One entry per selected figure with its snapshot.
class TZRUndoPropertyItem : public TZRUndoItem {
public:
    TZRUndoFigureList Figures;
};

// The figures above FirstIndex were created by the step.
class TZRUndoCreateItem : public TZRUndoItem {
public:
    int32_t FirstIndex = 0;
};

// Layers: every figure of the design in z-order.
class TZRUndoSchichtenItem : public TZRUndoItem {
public:
    std::vector<TFigure*> Order;
};

// The deleted figures with their former positions; frees the figures its
// entries still reference.
class TZRUndoDeleteItem : public TZRUndoItem {
public:
    ~TZRUndoDeleteItem() override;
    TZRUndoFigureList Figures;
};

// The group made from the selection and its members' former positions.
class TZRUndoSelectionToGroupItem : public TZRUndoItem {
public:
    TZRUndoFigureList Figures;
    TFigureGroup* Group = nullptr;  // not owned
};

// The dissolved group (owned while set) and its former index. Freeing the
// record empties the group's member list without freeing the members.
class TZRUndoGroupToSelectionItem : public TZRUndoItem {
public:
    ~TZRUndoGroupToSelectionItem() override;
    TFigureGroup* Group = nullptr;
    int32_t Index = 0;
};

// A picture figure and its picture before a filter.
class TZRUndoBitmapEffektItem : public TZRUndoItem {
public:
    TFigure* Figure = nullptr;  // not owned
    TZRUndoStream Picture;
};
