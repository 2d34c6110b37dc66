#pragma once
// The small dialogs that figures open, reached through functions that the
// dialog layer installs at start-up (InstallFigureDialogs in
// figures/widgets/FigureDialogs.h), so that the model stays free of
// widgets. Without an installed dialog the request ends as if cancelled.

#include <QtCore/QString>

#include <cstdint>
#include <functional>

class TDataSet;
class TZRBarcode;
class TZRTrackTabelleData;

// Bits of the position dialog's flags.
inline constexpr uint8_t kPositionEditable = 1;
inline constexpr uint8_t kSizeEditable = 2;
inline constexpr uint8_t kSizeProportional = 4;
inline constexpr uint8_t kAngleEditable = 8;

struct TPositionValues {
    uint8_t Flags = 0;
    double CenterX = 0, CenterY = 0;
    double Width = 0, Height = 0;
    double Angle = 0;
};

// Shows the values (each rounded to 1 decimal) and, on OK, hands back what
// was entered; true on OK.
using TPositionDialogFunc = std::function<bool(TPositionValues& values)>;
void SetPositionDialog(TPositionDialogFunc dialog);
bool RunPositionDialog(TPositionValues& values);

// Edits the barcode's settings (symbology, text, add-on, options, data
// field) with the fields of the data set to choose from (none: no field
// row); on OK the settings are taken over and the answer is true.
using TBarcodeDialogFunc = std::function<bool(TZRBarcode& barcode, TDataSet* dataSet)>;
void SetBarcodeDialog(TBarcodeDialogFunc dialog);
bool RunBarcodeDialog(TZRBarcode& barcode, TDataSet* dataSet);
// Edits the track table's tracks and columns; on OK the table takes the
// dialog's content and the answer is true.
using TTrackTableDialogFunc = std::function<bool(TZRTrackTabelleData& tracks)>;
void SetTrackTableDialog(TTrackTableDialogFunc dialog);
bool RunTrackTableDialog(TZRTrackTabelleData& tracks);
// A warning with an OK button (a picture that cannot be loaded); without an
// installed one the text goes to the trace output.
using TFigureWarningFunc = std::function<void(const QString& text)>;
void SetFigureWarning(TFigureWarningFunc warning);
void ShowFigureWarning(const QString& text);
