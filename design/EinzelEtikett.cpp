#include "design/EinzelEtikett.h"

#include "document/ChildBase.h"
#include "document/EtikettFiler.h"
#include "document/MMWindowBase.h"
#include "figures/Figure.h"
#include "figures/Tracker.h"
#include "figures/ZRUndo.h"
#include "foundation/ExportCanvas.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/MMCalcScaleCanvas.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr gdi::Color kOutlineSilver = 0xC0C0C0;
constexpr gdi::Color kBlack = 0x000000;

int KindIndex(TFigureKind kind) {
    const int k = static_cast<int>(kind);
    return k >= 1 && k <= TEinzelEtikett::kKindCount ? k - 1 : -1;
}

// True when the canvas draws on the printer's canvas and the job was aborted.
bool PrintJobAborted(TScaleCanvas& canvas) {
    if (!canvas.Canvas().IsPrinter()) return false;
    gdi::Printer& printer = gdi::CurrentPrinter();
    return &printer.GetCanvas() == &canvas.Canvas() && printer.Aborted();
}

}  // namespace

// ---- creation and content

TEinzelEtikett::TEinzelEtikett(TChildBase& owner)
    : Placeholders(CreateDefaultPlaceholderTable()), owner_(owner) {}

TEinzelEtikett::~TEinzelEtikett() {
    UndoList.clear();
    for (TFigure* figure : Figures) delete figure;
}

TFigure* TEinzelEtikett::AddFigure(std::unique_ptr<TFigure> figure, bool select) {
    if (!figure) return nullptr;
    PushCreateUndo("IDS_UNDONEWELEMENT");
    TFigure* added = figure.release();
    Figures.Add(added);
    if (select) {
        DeselectAll();
        SelectFigure(Figures.Count() - 1);
        SetModified(true);
    }
    return added;
}

int32_t TEinzelEtikett::GetSelectionState() const {
    const int32_t n = SelectedFigures.Count();
    return n == 0 ? 0 : n == 1 ? 1 : 2;
}

void TEinzelEtikett::SetModified(bool modified) {
    if (modified == Modified) return;
    Modified = modified;
    if (modified) owner_.SetModified(true);
}

// ---- selection bookkeeping

void TEinzelEtikett::CountKind(const TFigure& figure, int32_t delta) {
    const int i = KindIndex(figure.Kind);
    if (i >= 0) KindCounts[static_cast<size_t>(i)] += delta;
}

void TEinzelEtikett::AddToSelection(TFigure* figure) {
    SelectedFigures.Add(figure);
    figure->SetSelected(true);
    CountKind(*figure, 1);
}

void TEinzelEtikett::RemoveFromSelection(int32_t selectionIndex) {
    TFigure* figure = SelectedFigures.Items(selectionIndex);
    figure->SetSelected(false);
    figure->Deselect();
    CountKind(*figure, -1);
    SelectedFigures.Delete(selectionIndex);
    if (SelectedFigures.Count() == 0) SetHandlesVisible(0);
}

void TEinzelEtikett::ClearSelection() {
    SetHandlesVisible(0);
    for (TFigure* figure : SelectedFigures) {
        figure->SetSelected(false);
        figure->Deselect();
    }
    SelectedFigures.Clear();
    KindCounts.fill(0);
}

void TEinzelEtikett::SelectionChanged() {
    owner_.RequestToolStateRefresh();
    if (OnSelectionChanged) OnSelectionChanged(*this);
}

int32_t TEinzelEtikett::KindCount(TFigureKind kind) const {
    const int i = KindIndex(kind);
    return i >= 0 ? KindCounts[static_cast<size_t>(i)] : 0;
}

// ---- selection

void TEinzelEtikett::SelectFigure(int32_t index) {
    TFigure* figure = Figures.Items(index);
    if (!IsSelected(figure)) AddToSelection(figure);
    SelectionChanged();
}

void TEinzelEtikett::DeselectAt(int32_t selectionIndex) {
    RemoveFromSelection(selectionIndex);
    SelectionChanged();
}

void TEinzelEtikett::ToggleSelection(int32_t index) {
    TFigure* figure = Figures.Items(index);
    const int32_t at = SelectedFigures.IndexOf(figure);
    if (at >= 0)
        RemoveFromSelection(at);
    else
        AddToSelection(figure);
    SelectionChanged();
}

void TEinzelEtikett::DeselectAll() {
    ClearSelection();
    SelectionChanged();
}

void TEinzelEtikett::SelectInRect(const TRect& deviceRect) {
    const TRect band = NormalizeRect(deviceRect);
    for (TFigure* figure : Figures) {
        if (!RectContainsRect(band, figure->GetPixelExtent())) continue;
        const int32_t at = SelectedFigures.IndexOf(figure);
        if (at >= 0)
            RemoveFromSelection(at);
        else
            AddToSelection(figure);
    }
    SelectionChanged();
}

void TEinzelEtikett::SelectAll() {
    owner_.SwitchToSelectTool();
    ClearSelection();
    for (TFigure* figure : Figures) AddToSelection(figure);
    SetHandlesVisible(1);
    SelectionChanged();
}

void TEinzelEtikett::SelectOnly(int32_t index) {
    ClearSelection();
    AddToSelection(Figures.Items(index));
    SetHandlesVisible(1);
    SelectionChanged();
}

void TEinzelEtikett::SelectNext() {
    const int32_t n = Figures.Count();
    if (n == 0) return;
    int32_t next = 0;
    if (SelectedFigures.Count() > 0) next = (Figures.IndexOf(SelectedFigures.Items(0)) + 1) % n;
    SelectOnly(next);
}

void TEinzelEtikett::SelectPrevious() {
    const int32_t n = Figures.Count();
    if (n == 0) return;
    int32_t previous = n - 1;
    if (SelectedFigures.Count() > 0) {
        const int32_t i = Figures.IndexOf(SelectedFigures.Items(0));
        previous = i > 0 ? i - 1 : n - 1;
    }
    SelectOnly(previous);
}

void TEinzelEtikett::SetHandlesVisible(uint8_t mode) {
    if (mode != 0 && SelectedFigures.Count() == 0) return;
    if (mode == 0 && HandlesVisible == 0) return;
    HandlesVisible = mode;
    if (mode == 0)
        for (TFigure* figure : SelectedFigures) figure->Deselect();
    else if (mode == 1)
        for (TFigure* figure : SelectedFigures) figure->Select();
}

// ---- capabilities

bool TEinzelEtikett::AnySelectedOf(std::initializer_list<TFigureKind> kinds) const {
    return std::any_of(kinds.begin(), kinds.end(), [this](TFigureKind k) { return KindCount(k) > 0; });
}

bool TEinzelEtikett::CanSetPen() const {
    using K = TFigureKind;
    return AnySelectedOf({K::Linie, K::Rechteck, K::Ellipse, K::RTFText, K::DirOutline, K::DirOutline2, K::AutoForm,
                          K::Wordart, K::CharSymbol, K::Tracktabelle, K::RTFTabelle, K::Zaehlerfeld});
}

bool TEinzelEtikett::CanFill() const {
    using K = TFigureKind;
    return AnySelectedOf({K::Rechteck, K::Ellipse, K::RTFText, K::AutoForm, K::Wordart, K::CharSymbol, K::Tracktabelle,
                          K::RTFTabelle, K::Zaehlerfeld});
}

bool TEinzelEtikett::CanSetFont() const {
    using K = TFigureKind;
    return AnySelectedOf({K::Text, K::RotateText, K::FieldText, K::RTFText, K::RotateRTFText, K::DirOutline,
                          K::DirOutline2, K::Tracktabelle, K::Zaehlerfeld});
}

bool TEinzelEtikett::CanEditText() const {
    using K = TFigureKind;
    return AnySelectedOf({K::Text, K::RotateText, K::RTFText, K::RotateRTFText});
}

bool TEinzelEtikett::CanAlignText() const {
    using K = TFigureKind;
    return AnySelectedOf({K::Text, K::FieldText, K::RTFText, K::Zaehlerfeld});
}

bool TEinzelEtikett::CanEditProperties() const {
    using K = TFigureKind;
    if (KindCount(K::Zaehlerfeld) > 0) return true;
    if (SelectedFigures.Count() != 1) return false;
    for (K k : {K::Wordart, K::Barcode, K::DirOutline, K::DirOutline2, K::Tracktabelle, K::RTFTabelle})
        if (KindCount(k) == 1) return true;
    return false;
}

bool TEinzelEtikett::CanFilterPicture() const {
    if (SelectedFigures.Count() != 1) return false;
    const TFigure* figure = SelectedFigures.Items(0);
    return figure->Kind == TFigureKind::Bild32 && figure->HasBitmapPicture();
}

// ---- hit tests and the pointer

int32_t TEinzelEtikett::HitTestSelected(int32_t x, int32_t y) {
    for (int32_t i = SelectedFigures.Count() - 1; i >= 0; --i)
        if (SelectedFigures.Items(i)->HitTest({x, y})) return i;
    return -1;
}

int32_t TEinzelEtikett::HitTestFigures(int32_t x, int32_t y) {
    for (int32_t i = Figures.Count() - 1; i >= 0; --i)
        if (Figures.Items(i)->HitTest({x, y})) return i;
    return -1;
}

int32_t TEinzelEtikett::FigureAt(int32_t x, int32_t y, bool& isSelected) {
    const int32_t index = HitTestFigures(x, y);
    isSelected = index >= 0 && IsSelected(Figures.Items(index));
    return index;
}

bool TEinzelEtikett::TrackerMouseDown(int32_t x, int32_t y) {
    for (int32_t i = SelectedFigures.Count() - 1; i >= 0; --i) {
        TFigure* figure = SelectedFigures.Items(i);
        const int32_t undoBefore = UndoCount();
        if (!figure->TrackerMouseDown(x, y)) continue;
        if (figure->Tracker && figure->Tracker->Abandoned) {
            if (UndoCount() > undoBefore) DiscardLastUndo();
        } else {
            SetModified(true);
        }
        return true;
    }
    return false;
}

void TEinzelEtikett::UpdateCursor(int32_t x, int32_t y) {
    int32_t cursor = 0;
    for (int32_t i = SelectedFigures.Count() - 1; i >= 0 && cursor == 0; --i)
        cursor = SelectedFigures.Items(i)->GetTrackerCursor(x, y);
    if (cursor == 0) {
        const int32_t index = HitTestFigures(x, y);
        if (index >= 0) cursor = Figures.Items(index)->HitTestCode(x, y);
    }
    if (TMMWindowBase* view = owner_.GetMMWindow()) view->SetCursor(cursor);
}

// ---- geometry

TRect TEinzelEtikett::GetSelectionBounds() {
    TRect r;
    for (TFigure* figure : SelectedFigures) r = gdi::UnionRect(r, figure->GetBoundsRect());
    return r;
}

TRect TEinzelEtikett::GetSelectionPixelRect() {
    TRect r;
    for (TFigure* figure : SelectedFigures) r = gdi::UnionRect(r, figure->GetPixelExtent());
    return r;
}

TRect TEinzelEtikett::GetSelectionExtentOn(const TCustomScaler& scaler) const {
    if (SelectedFigures.Count() == 0) return {0, 0, 1, 1};
    TRect r;
    for (TFigure* figure : SelectedFigures) r = gdi::UnionRect(r, figure->GetExtent(scaler));
    return r;
}

TFloatRect TEinzelEtikett::ExtentInMM(const TFigureList& figures) const {
    TScaleCanvas& measure = GetMMCalcScaleCanvas();
    TRect r;
    for (TFigure* figure : figures) r = gdi::UnionRect(r, figure->GetExtent(measure));
    if (r.IsEmpty()) return {};
    return {measure.PixelToMMX(r.left), measure.PixelToMMY(r.top), measure.PixelToMMX(r.right),
            measure.PixelToMMY(r.bottom)};
}

TFloatRect TEinzelEtikett::GetSelectionExtent() const {
    return ExtentInMM(SelectedFigures);
}

TFloatRect TEinzelEtikett::GetFiguresExtent() const {
    return ExtentInMM(Figures);
}

// ---- drawing

void TEinzelEtikett::PaintFigures() {
    TMMWindowBase* view = owner_.GetMMWindow();
    for (TFigure* figure : Figures) {
        figure->Paint();
        if (view) view->AfterFigurePainted();
    }
}

void TEinzelEtikett::PaintHandles() {
    for (TFigure* figure : SelectedFigures) figure->PaintTracker();
}

void TEinzelEtikett::DrawOutlines(TScaleCanvas& canvas) {
    canvas.Pen().color = kOutlineSilver;
    for (TFigure* figure : Figures) figure->DrawMask(canvas);
    canvas.Pen().color = kBlack;
}

void TEinzelEtikett::DrawSelectionOutlines(TScaleCanvas& canvas) {
    for (TFigure* figure : SelectedFigures) figure->DrawMask(canvas);
}

void TEinzelEtikett::ExportSelection(TExportCanvas& canvas) {
    for (TFigure* figure : Figures)
        if (figure->Selected) figure->ExportTo(canvas);
}

// ---- printing, filling and saving

void TEinzelEtikett::PrintAllFigures(TRegionScaleCanvas& canvas) {
    for (TFigure* figure : Figures) {
        figure->DrawToSheetCanvas(canvas);
        if (PrintJobAborted(canvas)) return;
    }
}

void TEinzelEtikett::PrintSelectedFigures(TRegionScaleCanvas& canvas) {
    for (TFigure* figure : Figures) {
        if (!figure->Selected) continue;
        figure->DrawToSheetCanvas(canvas);
        if (PrintJobAborted(canvas)) return;
    }
}

void TEinzelEtikett::ResolveFields(TDataSet* record) {
    for (TFigure* figure : Figures) figure->FillFromDataSet(record);
}

void TEinzelEtikett::NotifyPrintJobStart(int32_t) {
    for (TFigure* figure : Figures) figure->BeginPrintJob();
}

void TEinzelEtikett::NotifyPrintJobEnd(int32_t flag) {
    for (TFigure* figure : Figures) figure->EndPrintJob(flag != 0);
}

void TEinzelEtikett::NotifyLabelStart(int32_t) {
    for (TFigure* figure : Figures) figure->BeforePrintLabel();
}

void TEinzelEtikett::NotifyLabelEnd(int32_t) {
    for (TFigure* figure : Figures) figure->AfterPrintLabel();
}

void TEinzelEtikett::SaveFigures(TEtikettFiler& filer) {
    for (TFigure* figure : Figures) figure->SaveToFiler(filer);
}

void TEinzelEtikett::SaveSelectedFigures(TEtikettFiler& filer) {
    for (TFigure* figure : SelectedFigures) figure->SaveToFiler(filer);
}

void TEinzelEtikett::ExportTextFiguresToIni(TMyMemIniFile& ini) {
    int32_t written = 0;
    for (TFigure* figure : Figures) {
        if (figure->Kind != TFigureKind::RTFText && figure->Kind != TFigureKind::RotateRTFText) continue;
        figure->WriteToIni(ini, QStringLiteral("Fig%1").arg(written));
        ++written;
    }
    ini.WriteInteger(QStringLiteral("Template"), QStringLiteral("FigCount"), written);
}
