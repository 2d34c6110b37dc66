// The undo manager of a design: the push operations and the undo of each
// kind of step. Steps are undone strictly in reverse order, so a step always
// finds the figures it names as they were when it was recorded.
#include "design/EinzelEtikett.h"

#include "document/ChildBase.h"
#include "document/MMWindowBase.h"
#include "figures/Bild32.h"
#include "figures/Figure.h"
#include "figures/FigureGroup.h"
#include "figures/ZRUndo.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "pictures/QDXRotate90DIB.h"

#include <algorithm>

void TEinzelEtikett::BeginPropertyUndo(const char* captionKey) {
    if (UndoSuspended) return;
    auto item = std::make_unique<TZRUndoPropertyItem>();
    item->CaptionKey = captionKey;
    for (TFigure* figure : SelectedFigures) {
        TZRUndoFigureData& entry = item->Figures.Add();
        entry.Figure = figure;
        entry.Position = Figures.IndexOf(figure);
        figure->SaveToStream(entry.Snapshot);
    }
    UndoList.push_back(std::move(item));
    owner_.RequestToolStateRefresh();
}

void TEinzelEtikett::PushCreateUndo(const char* captionKey) {
    if (UndoSuspended) return;
    auto item = std::make_unique<TZRUndoCreateItem>();
    item->CaptionKey = captionKey;
    item->FirstIndex = Figures.Count();
    UndoList.push_back(std::move(item));
}

void TEinzelEtikett::PushLayerUndo(const char* captionKey) {
    if (UndoSuspended) return;
    auto item = std::make_unique<TZRUndoSchichtenItem>();
    item->CaptionKey = captionKey;
    item->Order.assign(Figures.begin(), Figures.end());
    UndoList.push_back(std::move(item));
}

void TEinzelEtikett::SaveUndoBitmapEffekt(const char* captionKey) {
    Debug().Log(QStringLiteral("TEinzelEtikett.SaveUndoBitmapEffekt"));
    if (UndoSuspended || SelectedFigures.Count() == 0) return;
    auto* figure = dynamic_cast<TBild32*>(SelectedFigures.Items(0));
    if (!figure || !figure->HasBitmapPicture()) return;
    auto item = std::make_unique<TZRUndoBitmapEffektItem>();
    item->CaptionKey = captionKey;
    item->Figure = figure;
    figure->DIB->SaveToStream(item->Picture);
    item->Picture.SetPosition(0);
    UndoList.push_back(std::move(item));
    Debug().Log(QStringLiteral("TEinzelEtikett.SaveUndoBitmapEffekt Ende"));
}

void TEinzelEtikett::DiscardLastUndo() {
    if (!UndoList.empty()) UndoList.pop_back();
}

void TEinzelEtikett::ClearUndo() {
    UndoList.clear();
}

QString TEinzelEtikett::GetUndoCaption() const {
    return UndoList.empty() ? QString() : LocalizedText(UndoList.back()->CaptionKey);
}

void TEinzelEtikett::Undo() {
    if (UndoList.empty()) return;
    // The step stays on the list while it is undone: a figure it still owns
    // is freed with it should the undo fail half-way.
    TZRUndoItem& item = *UndoList.back();
    bool changed = true;
    if (dynamic_cast<TZRUndoPropertyItem*>(&item))
        UndoProperty(item);
    else if (dynamic_cast<TZRUndoCreateItem*>(&item))
        UndoCreate(item);
    else if (dynamic_cast<TZRUndoSchichtenItem*>(&item))
        UndoLayers(item);
    else if (dynamic_cast<TZRUndoDeleteItem*>(&item))
        UndoDelete(item);
    else if (dynamic_cast<TZRUndoSelectionToGroupItem*>(&item))
        UndoGroup(item);
    else if (dynamic_cast<TZRUndoGroupToSelectionItem*>(&item))
        UndoUngroup(item);
    else if (dynamic_cast<TZRUndoBitmapEffektItem*>(&item))
        UndoBitmapEffekt(item);
    else
        changed = false;
    UndoList.pop_back();
    if (changed) SetModified(true);
    owner_.RequestToolStateRefresh();
}

void TEinzelEtikett::UndoProperty(TZRUndoItem& item) {
    auto& property = static_cast<TZRUndoPropertyItem&>(item);
    DeselectAll();
    for (int32_t i = 0; i < property.Figures.Count(); ++i) {
        TZRUndoFigureData& entry = property.Figures.Items(i);
        const int32_t index = Figures.IndexOf(entry.Figure);
        if (index < 0) continue;
        entry.Snapshot.SetPosition(0);
        entry.Figure->Invalidate();
        entry.Figure->LoadFromStream(entry.Snapshot);
        SelectFigure(index);
        entry.Figure->Invalidate();
    }
    SetHandlesVisible(1);
}

void TEinzelEtikett::UndoCreate(TZRUndoItem& item) {
    auto& create = static_cast<TZRUndoCreateItem&>(item);
    DeselectAll();
    for (int32_t i = Figures.Count() - 1; i >= create.FirstIndex && i >= 0; --i) {
        TFigure* figure = Figures.Items(i);
        figure->Invalidate();
        Figures.Delete(i);
        delete figure;
    }
}

void TEinzelEtikett::UndoLayers(TZRUndoItem& item) {
    auto& layers = static_cast<TZRUndoSchichtenItem&>(item);
    // Only an order of the very figures the design holds now is taken.
    if (static_cast<int32_t>(layers.Order.size()) != Figures.Count()) return;
    for (TFigure* figure : layers.Order)
        if (Figures.IndexOf(figure) < 0) return;
    Figures.Clear();
    for (TFigure* figure : layers.Order) Figures.Add(figure);
    if (TMMWindowBase* view = owner_.GetMMWindow()) view->InvalidateAll();
}

void TEinzelEtikett::UndoDelete(TZRUndoItem& item) {
    auto& deleted = static_cast<TZRUndoDeleteItem&>(item);
    DeselectAll();
    for (int32_t i = deleted.Figures.Count() - 1; i >= 0; --i) {
        TZRUndoFigureData& entry = deleted.Figures.Items(i);
        TFigure* figure = entry.Figure;
        Figures.Insert(std::min(entry.Position, Figures.Count()), figure);
        entry.Figure = nullptr;  // the design owns it again
        figure->Invalidate();
        SelectFigure(Figures.IndexOf(figure));
    }
    SetHandlesVisible(1);
}

void TEinzelEtikett::UndoGroup(TZRUndoItem& item) {
    auto& grouped = static_cast<TZRUndoSelectionToGroupItem&>(item);
    DeselectAll();
    if (TFigureGroup* group = grouped.Group) {
        group->Invalidate();
        Figures.Remove(group);
        group->Members.Clear();  // the members go back into the design
        grouped.Group = nullptr;
        delete group;
    }
    for (int32_t i = 0; i < grouped.Figures.Count(); ++i) {
        TZRUndoFigureData& entry = grouped.Figures.Items(i);
        Figures.Insert(std::min(entry.Position, Figures.Count()), entry.Figure);
        entry.Figure->Invalidate();
        SelectFigure(Figures.IndexOf(entry.Figure));
    }
    grouped.Figures.Clear();
    SetHandlesVisible(1);
}

void TEinzelEtikett::UndoUngroup(TZRUndoItem& item) {
    auto& ungrouped = static_cast<TZRUndoGroupToSelectionItem&>(item);
    DeselectAll();
    TFigureGroup* group = ungrouped.Group;
    if (!group) return;
    for (int32_t i = group->Members.Count() - 1; i >= 0; --i) {
        TFigure* member = group->Members.Items(i);
        member->Invalidate();
        Figures.Remove(member);
    }
    Figures.Insert(std::min(ungrouped.Index, Figures.Count()), group);
    ungrouped.Group = nullptr;  // the design owns the group again
    group->Invalidate();
    SelectFigure(Figures.IndexOf(group));
    SetHandlesVisible(1);
}

void TEinzelEtikett::UndoBitmapEffekt(TZRUndoItem& item) {
    auto& effect = static_cast<TZRUndoBitmapEffektItem&>(item);
    DeselectAll();
    if (Figures.IndexOf(effect.Figure) < 0) return;
    auto* figure = dynamic_cast<TBild32*>(effect.Figure);
    if (!figure) return;
    // Read into a picture object of its own first, so that the figure keeps
    // its picture should the stream not read.
    auto restored = std::make_unique<TQDXRotate90DIB>();
    effect.Picture.SetPosition(0);
    restored->LoadFromStream(effect.Picture);
    figure->DIB = std::move(restored);
    figure->PictureKind = TBild32::kPictureRaster;
    figure->Invalidate();
}
