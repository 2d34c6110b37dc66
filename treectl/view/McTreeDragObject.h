#pragma once
// What a drag out of a tree carries: the tree it started from and the
// position where it started. The tree makes one per drag unless its
// OnStartDrag handler supplies its own.

#include <QtCore/QPoint>
#include <QtCore/Qt>

class QObject;
class TCustomMcTree;

class TMcTreeDragObject {
public:
    explicit TMcTreeDragObject(TCustomMcTree& control) : control_(control) {}
    virtual ~TMcTreeDragObject() = default;
    TMcTreeDragObject(const TMcTreeDragObject&) = delete;
    TMcTreeDragObject& operator=(const TMcTreeDragObject&) = delete;

    TCustomMcTree& Control() const { return control_; }
    QPoint DragPos() const { return dragPos_; }
    void SetDragPos(QPoint p) { dragPos_ = p; }
    void MoveDragPos(QPoint by) { dragPos_ += by; }

    // The tree's drag cursor over a tree that accepts, else the refusing cursor.
    virtual Qt::CursorShape GetDragCursor(bool accepted, QObject* target, int32_t x, int32_t y) const;
    // The end of the drag; the object is freed after this (by its owner).
    virtual void Finished(QObject* target, int32_t x, int32_t y, bool accepted);

private:
    TCustomMcTree& control_;
    QPoint dragPos_;
};
