#include "printing/widgets/SheetMaskBox.h"

#include "document/Etikett.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"
#include "printing/LabelPlacement.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>

namespace {

constexpr gdi::Color kMissingGrey = 0xF3F3F3;

}  // namespace

TSheetMaskBox::TSheetMaskBox(QWidget* parent) : QWidget(parent), sheet_(std::make_unique<TEtikett>()) {
    setObjectName(QStringLiteral("pbPreview"));
    setMinimumSize(160, 220);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TSheetMaskBox::~TSheetMaskBox() = default;

void TSheetMaskBox::SetSheet(const TEtikett& sheet) {
    sheet_->Assign(sheet);
    update();
}

void TSheetMaskBox::SetMask(std::string mask) {
    mask_ = std::move(mask);
    update();
}

void TSheetMaskBox::FillMask(char c) {
    std::fill(mask_.begin(), mask_.end(), c);
    update();
}

float TSheetMaskBox::FittedZoom() const {
    TScaler screen;
    screen.Reset(kResetScreen);
    const int32_t pageW = std::max(1, screen.MMToPixelW(sheet_->PageWidth));
    const int32_t pageH = std::max(1, screen.MMToPixelH(sheet_->PageHeight));
    return std::min((height() - 1) / static_cast<float>(pageH), (width() - 1) / static_cast<float>(pageW));
}

void TSheetMaskBox::Configure(TCustomScaler& scaler) const {
    scaler.Reset(kResetScreen);
    scaler.SetZoom(FittedZoom());
}

QRect TSheetMaskBox::LabelRect(const TCustomScaler& canvas, int32_t row, int32_t column, bool keepSquare) const {
    const TEtikett& s = *sheet_;
    const float left = s.MarginLeft + column * (s.LabelWidth + s.GapX);
    const float top = s.MarginTop + row * (s.LabelHeight + s.GapY);
    const int32_t l = canvas.MMToPixelX(left), t = canvas.MMToPixelY(top);
    int32_t r = canvas.MMToPixelX(left + s.LabelWidth), b = canvas.MMToPixelY(top + s.LabelHeight);
    // Square labels stay exactly square.
    if (keepSquare && s.LabelWidth == s.LabelHeight && canvas.ScaleX == canvas.ScaleY) {
        r = l + canvas.MMToPixel(s.LabelWidth);
        b = t + canvas.MMToPixel(s.LabelHeight);
    }
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

gdi::Bitmap TSheetMaskBox::Render() const {
    const int w = std::max(1, width()), h = std::max(1, height());
    gdi::BitmapCanvas device(w, h);
    const QColor window = palette().color(QPalette::Window);
    device.FillRect({0, 0, w, h}, gdi::SolidBrush(gdi::Rgb(window.red(), window.green(), window.blue())));
    TScaleCanvas canvas(&device);
    Configure(canvas);
    device.SetPen(gdi::Pen{});
    device.SetBrush(gdi::SolidBrush(kMissingGrey));
    canvas.Rectangle(0, 0, sheet_->PageWidth, sheet_->PageHeight);
    if (sheet_->GeometryProblem().empty()) {
        const uint8_t orientation = sheet_->Orientation;
        sheet_->Orientation = 0;
        for (int32_t r = 0; r < sheet_->Rows; ++r)
            for (int32_t c = 0; c < sheet_->Columns; ++c) {
                const QRect q = LabelRect(canvas, r, c, true);
                const gdi::Rect cell{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
                device.SetPen(gdi::Pen{});
                if (MaskPositionFree(mask_, r * sheet_->Columns + c + 1)) {
                    sheet_->DrawLabelCell(device, cell);
                    continue;
                }
                device.SetBrush(gdi::SolidBrush(kMissingGrey));
                device.Rectangle(cell.left, cell.top, cell.right + 1, cell.bottom + 1);
                device.MoveTo(cell.left, cell.top);
                device.LineTo(cell.right, cell.bottom);
                device.MoveTo(cell.right, cell.top);
                device.LineTo(cell.left, cell.bottom);
            }
        sheet_->Orientation = orientation;
    }
    device.SetPen(gdi::Pen{});
    device.SetBrush(gdi::NullBrush());
    canvas.Rectangle(0, 0, sheet_->PageWidth, sheet_->PageHeight);
    return device.bitmap();
}

int32_t TSheetMaskBox::PositionAt(QPoint point) const {
    if (!sheet_->GeometryProblem().empty()) return 0;
    TScaler canvas;
    Configure(canvas);
    for (int32_t r = 0; r < sheet_->Rows; ++r)
        for (int32_t c = 0; c < sheet_->Columns; ++c)
            if (LabelRect(canvas, r, c, false).contains(point)) return r * sheet_->Columns + c + 1;
    return 0;
}

QRect TSheetMaskBox::PositionRect(int32_t position) const {
    if (position < 1 || sheet_->Columns < 1) return {};
    TScaler scaler;
    Configure(scaler);
    return LabelRect(scaler, (position - 1) / sheet_->Columns, (position - 1) % sheet_->Columns, false);
}

void TSheetMaskBox::TogglePosition(int32_t position) {
    if (position < 1) return;
    if (mask_.size() < static_cast<size_t>(position)) mask_.resize(static_cast<size_t>(position), '1');
    char& c = mask_[static_cast<size_t>(position) - 1];
    c = c == '0' ? '1' : '0';
    update();
}

void TSheetMaskBox::paintEvent(QPaintEvent*) {
    const gdi::Bitmap picture = Render();
    QPainter painter(this);
    painter.drawImage(0, 0, picture.image());
}

void TSheetMaskBox::mousePressEvent(QMouseEvent* event) {
    TogglePosition(PositionAt(event->position().toPoint()));
}

void TSheetMaskBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}
