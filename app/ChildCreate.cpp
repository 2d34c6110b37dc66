// Figure creation from the tools: when a drag in a creation mode ends, the
// mode's creator makes its figure in the rubber band's rectangle with the
// style of the main window's tool bar and appends it to the current design.
// Kinds with a dialog are not created when it is cancelled.

#include "app/Child.h"

#include "app/DrawModes.h"
#include "app/FigureMakers.h"
#include "app/Master.h"
#include "app/MMWindow.h"
#include "app/PictureChoice.h"
#include "app/ToolbarDefaults.h"

#include "design/EinzelEtikett.h"
#include "figures/Barcode.h"
#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/Linie.h"
#include "figures/Rechteck.h"
#include "figures/Tracktabelle.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"
#include "foundation/WaitCursor.h"
#include "pictures/PictureHelpers.h"

#include <QtCore/QFile>

namespace {

// The part of the view's client area that an inserted picture fills.
constexpr double kInsertMarginShare = 0.1;

TFieldTextMaker& FieldTextMakerSlot() {
    static TFieldTextMaker maker;
    return maker;
}

TIndexPrintWindow& IndexPrintWindowSlot() {
    static TIndexPrintWindow window;
    return window;
}

// The pen fields are written directly, without an undo step. The pen button's
// "no colour" gives no pen.
void ApplyPen(TLinie& figure, const TToolbarDefaults& style) {
    figure.PenColor = style.PenColor;
    figure.PenWidth = style.PenWidth;
    if (IsNoColor(style.PenColor)) figure.PenStyle = kPenClear;
}

void ApplyPenAndFill(TRechteck& figure, const TToolbarDefaults& style) {
    ApplyPen(figure, style);
    style.ApplyFill(*figure.Fill);
}

// Appends the new figure to the current design (one undo step) and shows it;
// with select it becomes the only selected figure and the design is modified.
TFigure* AddCreatedFigure(TChild& window, std::unique_ptr<TFigure> figure, bool select) {
    TFigure* added = window.CurrentDesign()->AddFigure(std::move(figure), select);
    if (added) added->Invalidate();
    return added;
}

// The picture file loaded into a new picture figure with the hourglass shown,
// after the area under the closed dialog has been drawn; none when it cannot
// be read (the figure has said so).
std::unique_ptr<TBild32> LoadPicture(TChild& window, const QString& fileName) {
    window.MMWin().UpdateNow();
    const TWaitCursor busy;
    return CreatePictureFigure(fileName, &window);
}

bool CreatePicture(TChild& window, bool clipart, TPoint p1, TPoint p2) {
    QString fileName;
    if (!(clipart ? SelectClipart(fileName, &window) : SelectPicture(fileName, &window))) return false;
    std::unique_ptr<TBild32> picture = LoadPicture(window, fileName);
    if (!picture) return false;
    picture->SetFromPixelRect(p1, p2);
    picture->FitToPictureAspect();
    AddCreatedFigure(window, std::move(picture), true);
    return true;
}

bool CreateIndexPrint(TChild& window, TPoint p1, TPoint p2) {
    const TIndexPrintWindow& indexPrint = IndexPrintWindow();
    if (!indexPrint) return false;
    const std::optional<TIndexPrintResult> result = indexPrint(Master);
    if (!result) return false;
    window.MMWin().UpdateNow();
    // The picture travels through a file of our own, which goes in every case.
    const QString file = UniqueTempFileName(QStringLiteral("jpg"));
    struct RemoveFile {
        QString name;
        ~RemoveFile() { QFile::remove(name); }
    } removeFile{file};
    SaveBitmapAsJpeg(result->Picture, file);
    std::unique_ptr<TBild32> picture = LoadPicture(window, file);
    if (!picture) return false;
    picture->SetFromPixelRect(p1, p2);
    picture->FitToPictureAspect();
    picture->SetWidth(result->WidthMM);
    picture->SetHeight(result->HeightMM);
    AddCreatedFigure(window, std::move(picture), true);
    return true;
}

// The track list gets its place before its dialog, then the tool bar's pen,
// fill and font; a list that would show neither fill nor pen gets a black
// pen, so that it can be seen.
bool CreateTrackTable(TChild& window, const TToolbarDefaults& style, TPoint p1, TPoint p2) {
    auto table = std::make_unique<TTracktabelle>(&window);
    table->SetFromPixelRect(p1, p2);
    if (!table->EditTracks()) return false;
    table->PenWidth = style.PenWidth;
    table->SetPenColor(style.PenColor);
    style.ApplyFill(*table->Fill);
    if (table->Fill->Kind() == fkNone && table->PenStyle == kPenClear) {
        table->PenStyle = kPenSolid;
        table->PenColor = 0;
    }
    table->Font.SetName(style.FontName);
    table->Font.SetSize(style.FontSize);
    table->Font.SetColor(style.FontColor);
    table->Font.SetStyle(style.FontStyle);
    AddCreatedFigure(window, std::move(table), true);
    return true;
}

template <class Box>
std::unique_ptr<TFigure> MakeBox(TChild& window, const TToolbarDefaults& style) {
    auto figure = std::make_unique<Box>(&window);
    ApplyPenAndFill(*figure, style);
    return figure;
}

}  // namespace

void SetFieldTextMaker(TFieldTextMaker maker) { FieldTextMakerSlot() = std::move(maker); }
const TFieldTextMaker& FieldTextMaker() { return FieldTextMakerSlot(); }
void SetIndexPrintWindow(TIndexPrintWindow window) { IndexPrintWindowSlot() = std::move(window); }
const TIndexPrintWindow& IndexPrintWindow() { return IndexPrintWindowSlot(); }

bool DrawModeAvailable(uint8_t mode) {
    switch (mode) {
    case kModeSelect:
    case kModeZoom:
    case kModeLine:
    case kModeRectangle:
    case kModeEllipse:
    case kModePicture:
    case kModeBarcode:
    case kModeClipart:
    case kModeTrackTable:
        return true;
    case kModeIndexPrint:
        return static_cast<bool>(IndexPrintWindow());
    default:
        return false;
    }
}

bool TChild::CreateFigure(uint8_t mode, TPoint p1, TPoint p2) {
    if (!currentDesign_) return false;
    const TToolbarDefaults style = ReadToolbarDefaults(Master);
    std::unique_ptr<TFigure> figure;
    switch (mode) {
    case kModeLine: {
        auto line = std::make_unique<TLinie>(this);
        ApplyPen(*line, style);
        figure = std::move(line);
        break;
    }
    case kModeRectangle:
        figure = MakeBox<TRechteck>(*this, style);
        break;
    case kModeEllipse:
        figure = MakeBox<TEllipse>(*this, style);
        break;
    case kModeBarcode:
        // The barcode dialog sees the figure's place.
        figure = CreateBarcodeFigure(this, p1, p2);
        if (!figure) return false;
        AddCreatedFigure(*this, std::move(figure), true);
        return true;
    case kModeTrackTable:
        return CreateTrackTable(*this, style, p1, p2);
    case kModePicture:
    case kModeClipart:
        return CreatePicture(*this, mode == kModeClipart, p1, p2);
    case kModeIndexPrint:
        return CreateIndexPrint(*this, p1, p2);
    default:
        return false;
    }
    figure->SetFromPixelRect(p1, p2);
    AddCreatedFigure(*this, std::move(figure), true);
    return true;
}

void TChild::InsertPictureFile() {
    if (!currentDesign_) return;
    QString fileName;
    if (!SelectPicture(fileName, this)) return;
    std::unique_ptr<TBild32> picture = LoadPicture(*this, fileName);
    if (!picture) return;
    const int w = mmWin_->ClientWidth();
    const int h = mmWin_->ClientHeight();
    picture->SetFromPixelRect({Round(w * kInsertMarginShare), Round(h * kInsertMarginShare)},
                              {Round(w * (1 - kInsertMarginShare)), Round(h * (1 - kInsertMarginShare))});
    picture->FitToPictureAspect();
    AddCreatedFigure(*this, std::move(picture), false);
    // The document holds a new figure that a save must not miss.
    SetModified(true);
}
