#pragma once
// The print-position dialog ("Druckposition"): moves the whole print by the
// user's offset in half-millimetre steps, shows the sheet with arrows for the
// offset, and prints the sheet's outlines with the offset not yet saved (the
// test print). OK saves the offset; "Abbrechen" leaves it as it was.

#include "foundation/widgets/LocalizerForm.h"
#include "printing/DruckPositionData.h"
#include "printing/PrintSheetPicture.h"

#include "platform/gdi/Bitmap.h"

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QToolButton;
class TSheetPaintBox;

// What the dialog takes from the layers above it.
struct TDruckPositionHooks {
    // The sheet of the active document window (portrait), or none.
    std::function<std::optional<TPrintSheetPicture>()> ActiveSheet;
    // Prints the sheet's outlines shifted by the offsets. The print engine
    // installs it; until then the test print button is disabled.
    std::function<void(QWidget* owner, const TPrintSheetPicture& sheet, double offsetX, double offsetY)> TestPrint;
};
TDruckPositionHooks& DruckPositionHooks();

class TDlgDruckPosition2 : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr double kStep = 0.5;

    explicit TDlgDruckPosition2(QWidget* parent = nullptr);

    const TDruckPositionData& Offsets() const { return offsets_; }
    const TPrintSheetPicture& Sheet() const { return sheet_; }

    // The sheet picture with its arrows at the given size, on the background.
    gdi::Bitmap RenderPicture(int width, int height, gdi::Color background = gdi::Rgb(255, 255, 255)) const;

    void sbLeftClick() { Move(-kStep, 0); }
    void sbRightClick() { Move(kStep, 0); }
    void sbUpClick() { Move(0, -kStep); }
    void sbDownClick() { Move(0, kStep); }
    void cmdOKClick();
    void BtnTestdruckClick();

protected:
    void AfterLocalize() override { ShowTexts(); }

private:
    void Move(double dx, double dy);
    void ShowTexts();

    TDruckPositionData offsets_;
    TPrintSheetPicture sheet_;
    TSheetPaintBox* pbBogen_;
    QLabel* labHori_;
    QLabel* labVert_;
    QPushButton* btnTestdruck_;
};

// Shows the dialog modally; true when the offset was saved.
bool ShowDruckPositionDialog(QWidget* parent = nullptr);
