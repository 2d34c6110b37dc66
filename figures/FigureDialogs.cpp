#include "figures/FigureDialogs.h"

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
