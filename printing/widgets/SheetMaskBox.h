#pragma once
// The first sheet of a print dialog: the page with every label, where the
// user marks the labels already missing on the sheet. A click on a label
// toggles it; missing labels are drawn grey and crossed out. The mask holds
// one character per position ('1' present, '0' missing); positions past its
// end count as present, and a click there makes the mask long enough.

#include "platform/gdi/Bitmap.h"

#include <QtWidgets/QWidget>

#include <memory>
#include <string>

class TEtikett;
class TCustomScaler;

class TSheetMaskBox : public QWidget {
    Q_OBJECT
public:
    explicit TSheetMaskBox(QWidget* parent = nullptr);
    ~TSheetMaskBox() override;

    // Copies the sheet and fits the page into the box.
    void SetSheet(const TEtikett& sheet);
    const TEtikett& Sheet() const { return *sheet_; }

    const std::string& Mask() const { return mask_; }
    void SetMask(std::string mask);
    // Every character of the mask := c.
    void FillMask(char c);
    // The position under the point (from 1); 0 for none.
    int32_t PositionAt(QPoint point) const;
    // The rectangle where a click toggles the position.
    QRect PositionRect(int32_t position) const;
    void TogglePosition(int32_t position);

    // The picture at the box's size.
    gdi::Bitmap Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Zoom of the page into the box (screen pixels, zoom 1 first).
    float FittedZoom() const;
    void Configure(TCustomScaler& scaler) const;
    QRect LabelRect(const TCustomScaler& scaler, int32_t row, int32_t column, bool keepSquare) const;

    std::unique_ptr<TEtikett> sheet_;
    std::string mask_;
};
