#include "figures/widgets/FigureDialogs.h"

#include "cd/widgets/CddbDialogs.h"
#include "cd/widgets/DlgTrackTabelle.h"
#include "content/widgets/BarcodeDlg.h"
#include "controls/ValidateEdit.h"
#include "figures/FigureDialogs.h"
#include "figures/widgets/DlgPosition.h"
#include "foundation/GeneralHelpers.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace {

bool RunDlgPosition(TPositionValues& v) {
    TDlgPosition dialog(QApplication::activeWindow());
    dialog.SetFlags(v.Flags);
    dialog.edHori->SetValue(v.CenterX);
    dialog.edVert->SetValue(v.CenterY);
    dialog.edWidth->SetValue(v.Width);
    dialog.edHeight->SetValue(v.Height);
    dialog.edWinkel->SetValue(v.Angle);
    if (dialog.exec() != QDialog::Accepted) return false;
    v.CenterX = dialog.edHori->Value();
    v.CenterY = dialog.edVert->Value();
    v.Width = dialog.edWidth->Value();
    v.Height = dialog.edHeight->Value();
    v.Angle = dialog.edWinkel->Value();
    return true;
}

bool RunBarcodeDlg(TZRBarcode& barcode, TDataSet* dataSet) {
    return EditBarcodeDialog(barcode, dataSet, QApplication::activeWindow());
}

bool RunTrackTableDlg(TZRTrackTabelleData& tracks) {
    return EditTrackTable(tracks, QApplication::activeWindow());
}

void ShowWarningBox(const QString& text) {
    QMessageBox::warning(QApplication::activeWindow(), ApplicationTitle(), text, QMessageBox::Ok);
}

}  // namespace

void InstallFigureDialogs() {
    SetPositionDialog(RunDlgPosition);
    SetBarcodeDialog(RunBarcodeDlg);
    SetTrackTableDialog(RunTrackTableDlg);
    InstallCddbDialogs();
    SetFigureWarning(ShowWarningBox);
}
