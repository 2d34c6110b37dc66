#include "figures/FigureDialogs.h"

#include "foundation/Debug.h"

#include <utility>

namespace {
TPositionDialogFunc& PositionDialog() {
    static TPositionDialogFunc dialog;
    return dialog;
}

TBarcodeDialogFunc& BarcodeDialog() {
    static TBarcodeDialogFunc dialog;
    return dialog;
}

TTrackTableDialogFunc& TrackTableDialog() {
    static TTrackTableDialogFunc dialog;
    return dialog;
}

TFigureWarningFunc& FigureWarning() {
    static TFigureWarningFunc warning;
    return warning;
}
}  // namespace

void SetPositionDialog(TPositionDialogFunc dialog) {
    PositionDialog() = std::move(dialog);
}

bool RunPositionDialog(TPositionValues& values) {
    const TPositionDialogFunc& dialog = PositionDialog();
    return dialog && dialog(values);
}

void SetBarcodeDialog(TBarcodeDialogFunc dialog) {
    BarcodeDialog() = std::move(dialog);
}

bool RunBarcodeDialog(TZRBarcode& barcode, TDataSet* dataSet) {
    const TBarcodeDialogFunc& dialog = BarcodeDialog();
    return dialog && dialog(barcode, dataSet);
}

void SetTrackTableDialog(TTrackTableDialogFunc dialog) {
    TrackTableDialog() = std::move(dialog);
}

bool RunTrackTableDialog(TZRTrackTabelleData& tracks) {
    const TTrackTableDialogFunc& dialog = TrackTableDialog();
    return dialog && dialog(tracks);
}

void SetFigureWarning(TFigureWarningFunc warning) {
    FigureWarning() = std::move(warning);
}

void ShowFigureWarning(const QString& text) {
    if (const TFigureWarningFunc& warning = FigureWarning())
        warning(text);
    else
        Debug().Log(text);
}
