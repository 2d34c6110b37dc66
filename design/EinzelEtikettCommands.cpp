// The commands of a design: every change to its figures, each recorded as
// one undo step first. They work through the figures' virtual operations,
// so they serve every figure class.
#include "design/EinzelEtikett.h"

#include "design/DesignDialogs.h"
#include "design/FigureClipboard.h"
#include "document/ChildBase.h"
#include "figures/Bild32.h"
#include "figures/Figure.h"
#include "figures/FigureGroup.h"
#include "figures/Tracker.h"
#include "figures/ZRUndo.h"
#include "foundation/Debug.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "pictures/QDXRotate90DIB.h"
#include "platform/imaging/PictureFile.h"

#include <QtCore/QFile>

#include <initializer_list>

namespace {

bool IsOneOf(const TFigure& figure, std::initializer_list<TFigureKind> kinds) {
    for (TFigureKind k : kinds)
        if (figure.Kind == k) return true;
    return false;
}

// Writes the filtered picture as a new file of the kind the picture came
// from and gives the picture what that file holds, with the file as its kept
// copy; so what is shown is what a document saves (a JPEG loses a little).
// False, with no file left behind, when the kind cannot be written (GIF) or
// the file fails: a kept copy that is not the filtered picture would be saved
// in its place.
bool KeepFilteredAsFile(TQDXRotate90DIB& picture, const imaging::Dib& filtered, const QString& extension) {
    QString name;
    try {
        name = UniqueTempFileName(extension);
        if (ExportDIBToFile(filtered, name)) {
            if (imaging::DibHandle written = imaging::ImportPictureFile(name.toStdString())) {
                picture.SetDIBWithFile(std::move(written), name);  // the picture owns the file now
                return true;
            }
        }
        Debug().Log(QStringLiteral("Filtered picture not kept as %1").arg(extension));
    } catch (const std::exception& e) {
        Debug().Log(QString::fromUtf8(e.what()));
    }
    if (!name.isEmpty()) QFile::remove(name);
    return false;
}

}  // namespace

// ---- helpers

bool TEinzelEtikett::BeepUnless(bool condition) {
    if (!condition) owner_.Beep();
    return condition;
}

TFigure* TEinzelEtikett::FirstSelectedOfKind(TFigureKind kind) const {
    for (TFigure* figure : SelectedFigures)
        if (figure->Kind == kind) return figure;
    return nullptr;
}

template <class Apply>
void TEinzelEtikett::ApplyProperty(const char* captionKey, bool refreshAfter, Apply apply) {
    const TZRUndoItem* before = UndoList.empty() ? nullptr : UndoList.back().get();
    if (SelectedFigures.Count() > 0) BeginPropertyUndo(captionKey);
    const TZRUndoItem* recorded = !UndoList.empty() && UndoList.back().get() != before ? UndoList.back().get() : nullptr;
    bool taken = false;
    for (TFigure* figure : SelectedFigures)
        if (apply(*figure)) taken = true;
    if (taken) {
        SetModified(true);
    } else {
        owner_.Beep();
        if (recorded && UndoList.back().get() == recorded) DiscardLastUndo();
    }
    if (refreshAfter) owner_.RequestToolStateRefresh();
}

template <class Dialog>
bool TEinzelEtikett::RunRecordedDialog(const char* captionKey, bool suspend, Dialog dialog) {
    const TZRUndoItem* before = UndoList.empty() ? nullptr : UndoList.back().get();
    BeginPropertyUndo(captionKey);
    const TZRUndoItem* recorded = !UndoList.empty() && UndoList.back().get() != before ? UndoList.back().get() : nullptr;
    bool confirmed = false;
    if (suspend) {
        TUndoSuspension suspension(*this);
        confirmed = dialog();
    } else {
        confirmed = dialog();
    }
    // A dialog that raises leaves its step: the figure may have changed.
    if (!confirmed && recorded && !UndoList.empty() && UndoList.back().get() == recorded) DiscardLastUndo();
    return confirmed;
}

void TEinzelEtikett::ChangeSelection(const char* captionKey, bool hideFirst, const std::function<void()>& change) {
    if (SelectedFigures.Count() == 0) return;
    if (hideFirst) SetHandlesVisible(0);
    BeginPropertyUndo(captionKey);
    if (!hideFirst) SetHandlesVisible(0);
    change();
    SetModified(true);
    SetHandlesVisible(1);
}

template <class Change>
void TEinzelEtikett::ChangeGeometry(const char* captionKey, bool hideFirst, Change change) {
    ChangeSelection(captionKey, hideFirst, [&] {
        for (TFigure* figure : SelectedFigures) change(*figure);
    });
}

// ---- property commands

void TEinzelEtikett::SetPenColor(gdi::Color color) {
    ApplyProperty("IDS_UNDOPENCOLOR", false, [&](TFigure& f) { return f.SetPenColor(color); });
}

void TEinzelEtikett::SetPenWidth(float mm) {
    ApplyProperty("IDS_UNDOPENWIDTH", false, [&](TFigure& f) { return f.SetPenWidth(mm); });
}

void TEinzelEtikett::SetFillColor(gdi::Color color) {
    ApplyProperty("IDS_UNDOFILLCOLOR", false, [&](TFigure& f) { return f.SetFillColor(color); });
}

void TEinzelEtikett::SetBrushStyle(uint8_t style) {
    ApplyProperty("IDS_UNDOFILLSTYLE", false, [&](TFigure& f) { return f.SetBrushStyle(style); });
}

void TEinzelEtikett::SetFillData(const TFillData& fill) {
    ApplyProperty("IDS_UNDOFILL", false, [&](TFigure& f) { return f.SetFillData(fill); });
}

void TEinzelEtikett::SetFontName(const std::string& name) {
    ApplyProperty("IDS_UNDOFONTNAME", true, [&](TFigure& f) { return f.SetFontName(name); });
}

void TEinzelEtikett::SetFontSize(int32_t points) {
    ApplyProperty("IDS_UNDOFONTSIZE", true, [&](TFigure& f) { return f.SetFontSize(points); });
}

void TEinzelEtikett::SetFontStyle(uint8_t style, int32_t element) {
    ApplyProperty("IDS_UNDOFONTSTYLE", true, [&](TFigure& f) { return f.SetFontStyle(style, element); });
}

void TEinzelEtikett::SetFontColor(gdi::Color color) {
    ApplyProperty("IDS_UNDOFONTCOLOR", true, [&](TFigure& f) { return f.SetFontColor(color); });
}

void TEinzelEtikett::SetAlignment(uint8_t horizontal, uint8_t vertical) {
    ApplyProperty("IDS_UNDOTEXTALIGN", true, [&](TFigure& f) { return f.SetAlignment(horizontal, vertical); });
}

// ---- dialog commands

void TEinzelEtikett::EditSelectedText() {
    using K = TFigureKind;
    if (SelectedFigures.Count() != 1 || !CanEditText()) return;
    TFigure* figure = SelectedFigures.Items(0);
    if (!IsOneOf(*figure, {K::Text, K::RotateText, K::RTFText, K::RotateRTFText})) return;
    if (!RunRecordedDialog("IDS_UNDOCHANGETEXT", false, [&] { return figure->EditText(); })) return;
    SetModified(true);
    figure->Invalidate();
}

void TEinzelEtikett::EditSelectedFieldText() {
    if (KindCount(TFigureKind::FieldText) != 1) return;
    TFigure* figure = FirstSelectedOfKind(TFigureKind::FieldText);
    if (RunRecordedDialog("IDS_UNDOFIELDTEXT", false, [&] { return figure->EditText(); })) {
        SetModified(true);
        figure->Invalidate();
    }
    owner_.BuildFieldPanel();
}

void TEinzelEtikett::EditSelectedPosition() {
    if (SelectedFigures.Count() != 1) return;
    TFigure* figure = SelectedFigures.Items(0);
    if (RunRecordedDialog("IDS_UNDOPOSITION", false, [&] { return figure->EditPosition(); }))
        SetModified(true);
    owner_.SwitchToSelectTool();
    SetHandlesVisible(1);
}

void TEinzelEtikett::EditFill() {
    if (!BeepUnless(CanFill())) return;
    const auto& dialog = DesignDialogs().EditFill;
    if (!dialog) return;
    TFillData fill;
    fill.Assign(owner_.MainFillData());
    if (SelectedFigures.Count() == 1)
        if (auto* box = dynamic_cast<TRechteck*>(SelectedFigures.Items(0)); box && box->Fill) fill.Assign(*box->Fill);
    const bool gradientFirst = fill.Kind() == 2;
    if (RunRecordedDialog("IDS_UNDOFILL", true, [&] { return dialog(fill, gradientFirst); })) {
        TUndoSuspension suspension(*this);
        SetFillData(fill);
    }
}

void TEinzelEtikett::EditPen() {
    if (!BeepUnless(CanSetPen())) return;
    const auto& dialog = DesignDialogs().PenWidth;
    if (!dialog) return;
    float width = 0.25f;
    if (SelectedFigures.Count() == 1)
        if (auto* line = dynamic_cast<TLinie*>(SelectedFigures.Items(0))) width = line->PenWidth;
    if (RunRecordedDialog("IDS_UNDOPEN", true, [&] { return dialog(width); })) {
        TUndoSuspension suspension(*this);
        SetPenWidth(static_cast<float>(RoundToDecimals(width, 2)));
        SetModified(true);
    }
}

void TEinzelEtikett::EditPenColor() {
    if (!BeepUnless(CanSetPen())) return;
    const auto& dialog = DesignDialogs().PickColor;
    if (!dialog) return;
    gdi::Color color = owner_.MainPenColor();
    if (SelectedFigures.Count() == 1)
        if (auto* line = dynamic_cast<TLinie*>(SelectedFigures.Items(0))) color = line->PenColor;
    if (RunRecordedDialog("IDS_UNDOPEN", true, [&] { return dialog(color); })) {
        TUndoSuspension suspension(*this);
        SetPenColor(color);
        SetModified(true);
    }
}

void TEinzelEtikett::EditFont() {
    using K = TFigureKind;
    if (!BeepUnless(CanSetFont())) return;
    const auto& dialog = DesignDialogs().Font;
    if (!dialog) return;
    TFont font;
    font.SetName("Arial");
    if (SelectedFigures.Count() > 0) {
        const TFigure* first = SelectedFigures.Items(0);
        if (IsOneOf(*first, {K::DirOutline2, K::Tracktabelle, K::RTFText})) first->GetFont(font);
    }
    if (!RunRecordedDialog("IDS_UNDOFONTNAME", false, [&] { return dialog(font); })) return;
    for (TFigure* figure : SelectedFigures) {
        SetModified(true);
        figure->SetFontName(font.Name());
        figure->SetFontStyle(font.Style(), 0);
        figure->SetFontSize(font.Size());
        figure->SetFontColor(font.Color());
    }
    owner_.RequestToolStateRefresh();
}

void TEinzelEtikett::EditTextAlignment() {
    using K = TFigureKind;
    if (!BeepUnless(CanAlignText())) return;
    const auto& dialog = DesignDialogs().TextAlignment;
    if (!dialog) return;
    uint8_t horizontal = 0, vertical = 0;
    if (SelectedFigures.Count() == 1) {
        const TFigure* figure = SelectedFigures.Items(0);
        if (IsOneOf(*figure, {K::Text, K::RTFText})) figure->GetAlignment(horizontal, vertical);
    }
    if (!RunRecordedDialog("IDS_UNDOTEXTALIGN", false,
                           [&] { return dialog(horizontal, vertical); }))
        return;
    SetModified(true);
    for (TFigure* figure : SelectedFigures) figure->SetAlignment(horizontal, vertical);
}

void TEinzelEtikett::EditProperties() {
    using K = TFigureKind;
    if (!BeepUnless(CanEditProperties())) return;
    TFigure* figure = SelectedFigures.Items(0);
    if (IsOneOf(*figure, {K::Wordart, K::Barcode, K::DirOutline, K::DirOutline2, K::Tracktabelle, K::RTFTabelle,
                          K::Zaehlerfeld})) {
        if (figure->Kind == K::Tracktabelle) figure->Invalidate();
        if (RunRecordedDialog("IDS_UNDOPROPERTIES", true, [&] { return figure->EditProperties(); })) {
            SetModified(true);
            figure->Invalidate();
            // The handles take the figure's new geometry.
            if (figure->Selected) {
                figure->Deselect();
                figure->Select();
            }
        }
    }
    owner_.RequestToolStateRefresh();
}

// ---- geometry commands

void TEinzelEtikett::MoveSelectionByPixels(TPoint from, TPoint to) {
    BeginPropertyUndo("IDS_UNDOPOSITION");
    for (TFigure* figure : SelectedFigures) figure->MoveByPixels(to, from);
    if (SelectedFigures.Count() > 0) SetModified(true);
}

void TEinzelEtikett::MoveSelectionBy(double dx, double dy) {
    ChangeGeometry("IDS_UNDOPOSITION", true, [&](TFigure& f) { f.MoveBy(dx, dy); });
}

void TEinzelEtikett::SetSelectionCenter(double x, double y) {
    ChangeGeometry("IDS_UNDOPOSITION", true, [&](TFigure& f) {
        f.Invalidate();
        f.SetCenterX(x);
        f.SetCenterY(y);
        f.Invalidate();
    });
}

void TEinzelEtikett::RotateSelection(double degrees) {
    ChangeGeometry("IDS_UNDOANGLE", true, [&](TFigure& f) { f.RotateBy(degrees); });
}

void TEinzelEtikett::ResizeSelection(double dWidth, double dHeight) {
    ChangeGeometry("IDS_UNDOSIZE", false, [&](TFigure& f) { f.ResizeBy(dWidth, dHeight); });
}

// ---- stacking order

void TEinzelEtikett::MoveLayer(int32_t from, int32_t to) {
    TFigure* figure = Figures.Items(from);
    Figures.Move(from, to);
    figure->Invalidate();
}

void TEinzelEtikett::BringForward() {
    PushLayerUndo("IDS_UNDOONEUP");
    if (SelectedFigures.Count() == 0) return;
    SetModified(true);
    int32_t limit = Figures.Count() - 1;
    for (int32_t i = Figures.Count() - 1; i >= 0; --i) {
        if (!IsSelected(Figures.Items(i))) continue;
        if (i == limit)
            --limit;
        else
            MoveLayer(i, i + 1);
    }
}

void TEinzelEtikett::SendBackward() {
    PushLayerUndo("IDS_UNDOONEDOWN");
    if (SelectedFigures.Count() == 0) return;
    SetModified(true);
    int32_t limit = 0;
    for (int32_t i = 0; i < Figures.Count(); ++i) {
        if (!IsSelected(Figures.Items(i))) continue;
        if (i == limit)
            ++limit;
        else
            MoveLayer(i, i - 1);
    }
}

void TEinzelEtikett::BringToFront() {
    PushLayerUndo("IDS_UNDOTOFRONT");
    if (SelectedFigures.Count() == 0) return;
    SetModified(true);
    const int32_t count = Figures.Count();
    int32_t k = 0;
    for (int32_t i = count - 1; i >= 0; --i)
        if (IsSelected(Figures.Items(i))) MoveLayer(i, count - ++k);
}

void TEinzelEtikett::SendToBack() {
    PushLayerUndo("IDS_UNDOTOBACK");
    if (SelectedFigures.Count() == 0) return;
    SetModified(true);
    int32_t k = 0;
    for (int32_t i = 0; i < Figures.Count(); ++i)
        if (IsSelected(Figures.Items(i))) MoveLayer(i, k++);
}

// ---- deletion, duplication, grouping

void TEinzelEtikett::DeleteSelection() {
    if (!BeepUnless(SelectedFigures.Count() > 0)) return;
    const std::vector<TFigure*> deleted(SelectedFigures.begin(), SelectedFigures.end());
    auto record = std::make_unique<TZRUndoDeleteItem>();
    record->CaptionKey = "IDS_UNDODELETE";
    TZRUndoDeleteItem& item = *record;
    UndoList.push_back(std::move(record));
    SetModified(true);
    ClearSelection();
    for (TFigure* figure : deleted) {
        figure->Invalidate();
        TZRUndoFigureData& entry = item.Figures.Add();
        entry.Position = Figures.IndexOf(figure);
        Figures.Delete(entry.Position);
        entry.Figure = figure;  // the step owns it now
    }
    SelectionChanged();
}

void TEinzelEtikett::Duplicate() {
    if (SelectedFigures.Count() == 0) return;
    PushCreateUndo("IDS_UNDODUPLICATE");
    {
        TUndoSuspension suspension(*this);
        std::vector<TFigure*> copies;
        for (TFigure* figure : SelectedFigures)
            if (TFigure* copy = AddFigure(figure->Clone(), false)) copies.push_back(copy);
        ClearSelection();
        for (TFigure* copy : copies) {
            AddToSelection(copy);
            copy->Invalidate();
        }
        SetHandlesVisible(1);
        SetModified(true);
    }
    SelectionChanged();
}

void TEinzelEtikett::GroupSelection() {
    if (SelectedFigures.Count() < 2) return;
    auto record = std::make_unique<TZRUndoSelectionToGroupItem>();
    record->CaptionKey = "IDS_UNDOGROUP";
    auto group = std::make_unique<TFigureGroup>(&owner_);
    const TFloatRect e = GetSelectionExtent();
    group->SetCenterX((static_cast<double>(e.Left) + e.Right) / 2);
    group->SetCenterY((static_cast<double>(e.Top) + e.Bottom) / 2);
    group->SetWidth(static_cast<double>(e.Right) - e.Left);
    group->SetHeight(static_cast<double>(e.Bottom) - e.Top);
    group->FreeRotation = true;
    int32_t topmost = -1;
    for (int32_t i = 0; i < Figures.Count(); ++i) {
        TFigure* figure = Figures.Items(i);
        if (!IsSelected(figure)) continue;
        group->Members.Add(figure);
        if (figure->Kind == TFigureKind::Bild) group->FreeRotation = false;
        if (auto* inner = dynamic_cast<TFigureGroup*>(figure); inner && !inner->FreeRotation)
            group->FreeRotation = false;
        TZRUndoFigureData& entry = record->Figures.Add();
        entry.Figure = figure;
        entry.Position = i;
        topmost = i;
    }
    ClearSelection();
    TFigureGroup* made = group.release();
    Figures.Insert(topmost + 1, made);
    record->Group = made;
    for (int32_t i = made->Members.Count() - 1; i >= 0; --i) Figures.Remove(made->Members.Items(i));
    UndoList.push_back(std::move(record));
    AddToSelection(made);
    made->Invalidate();
    SetHandlesVisible(1);
    SetModified(true);
    SelectionChanged();
}

void TEinzelEtikett::UngroupSelection() {
    if (SelectedFigures.Count() != 1) return;
    auto* group = dynamic_cast<TFigureGroup*>(SelectedFigures.Items(0));
    if (!group) return;
    const int32_t index = Figures.IndexOf(group);
    auto record = std::make_unique<TZRUndoGroupToSelectionItem>();
    record->CaptionKey = "IDS_UNDOUNGROUP";
    record->Index = index;
    ClearSelection();
    group->Invalidate();
    for (int32_t k = 0; k < group->Members.Count(); ++k) {
        TFigure* member = group->Members.Items(k);
        Figures.Insert(index + 1 + k, member);
        AddToSelection(member);
    }
    Figures.Delete(index);
    record->Group = group;  // the step owns the group, the design its members
    UndoList.push_back(std::move(record));
    SetModified(true);
    SetHandlesVisible(1);
    SelectionChanged();
}

// ---- picture filters

void TEinzelEtikett::FilterBrightness() {
    FilterPicture(DesignDialogs().FilterBrightness);
}

void TEinzelEtikett::FilterHueSaturation() {
    FilterPicture(DesignDialogs().FilterHueSaturation);
}

void TEinzelEtikett::FilterBlackWhite() {
    FilterPicture(DesignDialogs().FilterBlackWhite);
}

void TEinzelEtikett::FilterPicture(const std::function<imaging::DibHandle(const imaging::Dib&)>& dialog) {
    if (!BeepUnless(CanFilterPicture())) return;
    auto* figure = dynamic_cast<TBild32*>(SelectedFigures.Items(0));
    if (!dialog || !figure) return;
    const imaging::DibHandle filtered = dialog(*figure->DIB->DIB());
    if (!filtered) return;  // cancelled
    const TZRUndoItem* before = UndoList.empty() ? nullptr : UndoList.back().get();
    SaveUndoBitmapEffekt("IDS_UNDOPICTURE");
    try {
        ApplyFilteredPicture(*filtered, *figure);
    } catch (...) {
        // The picture is as it was: its step goes again.
        if (!UndoList.empty() && UndoList.back().get() != before) DiscardLastUndo();
        throw;
    }
    figure->Invalidate();
    owner_.RequestToolStateRefresh();  // the Undo entry names the step
}

void TEinzelEtikett::ApplyFilteredPicture(const imaging::Dib& bitmap, TBild32& figure) {
    TQDXRotate90DIB& picture = *figure.DIB;
    const QString extension = picture.Extension();
    bool kept = false;
    if (!extension.isEmpty()) {
        TBusyCursor busy(owner_);
        kept = KeepFilteredAsFile(picture, bitmap, extension);
    }
    if (!kept) picture.SetDIB(imaging::CopyHandle(bitmap));
    figure.PictureKind = TBild32::kPictureRaster;
    SetModified(true);
}

// ---- clipboard commands

void TEinzelEtikett::CopySelection() {
    TBusyCursor busy(owner_);
    CopyToClipboard(*this);
}

void TEinzelEtikett::CutSelection() {
    CopySelection();
    DeleteSelection();
}

void TEinzelEtikett::Paste() {
    const int32_t before = Figures.Count();
    PushCreateUndo("IDS_UNDOPASTE");
    const TZRUndoItem* recorded = UndoSuspended ? nullptr : UndoList.back().get();
    {
        TUndoSuspension suspension(*this);
        TBusyCursor busy(owner_);
        PasteFromClipboard(*this);
    }
    if (Figures.Count() != before)
        SetModified(true);
    else if (recorded && UndoList.back().get() == recorded)
        DiscardLastUndo();  // nothing was pasted
}

// ---- field commands

void TEinzelEtikett::EditFieldList() {
    FieldList.EditFields();
    owner_.BuildFieldPanel();
    SetModified(true);
}

void TEinzelEtikett::BuildFieldTypeMenu() {
    owner_.SetFieldTypeMenu(FieldList.Names);
}

void TEinzelEtikett::FieldTypeMenuClick(int32_t position) {
    if (SelectedFigures.Count() == 0 || position < 0 || position >= FieldList.Count()) return;
    TFigure* figure = SelectedFigures.Items(0);
    if (figure->Kind != TFigureKind::FieldText) return;
    if (!figure->SetFieldId(FieldList.Ids[static_cast<size_t>(position)])) return;
    figure->Invalidate();
    SetModified(true);
}

void TEinzelEtikett::RefreshFieldTexts(const std::string& fieldId) {
    bool any = false;
    for (TFigure* figure : Figures) {
        if (figure->Kind != TFigureKind::FieldText) continue;
        any = true;
        if (fieldId.empty() || figure->GetFieldId() == fieldId) figure->Invalidate();
    }
    if (any) SetModified(true);
}
