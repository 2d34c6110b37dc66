#include "treectl/support/McHintWindow.h"

#include "treectl/support/McGuiUtils.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/DrawText.h"

#include <QtGui/QPaintEvent>

namespace {

constexpr uint32_t kHintFormat = gdi::DT_NOPREFIX | gdi::DT_WORDBREAK;

}  // namespace

TMcHintWindow::TMcHintWindow(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TMcHintWindow::SetFont(const gdi::LogFont& font) {
    font_ = font;
    update();
}

gdi::Rect TMcHintWindow::CalcHintRect(int32_t maxWidth, const std::string& text) {
    gdi::BitmapCanvas measure(1, 1);
    measure.SetFont(font_);
    gdi::Rect r{0, 0, maxWidth, 0};
    gdi::DrawText(measure, AnsiToWide(text), r, kHintFormat | gdi::DT_CALCRECT | gdi::DT_LEFT);
    r.right += 6;
    r.bottom += 2;
    return r;
}

void TMcHintWindow::ActivateHint(const gdi::Rect& rect, const std::string& text) {
    text_ = text;
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    show();
    update();
}

void TMcHintWindow::paintEvent(QPaintEvent* event) {
    buffer_.Paint(*this, *event, [this](gdi::Canvas& canvas) { Paint(canvas); });
}

void TMcHintWindow::Paint(gdi::Canvas& canvas) {
    const gdi::Rect client{0, 0, width(), height()};
    canvas.FillRect(client, gdi::SolidBrush(Color));
    canvas.FrameRect(client, gdi::SolidBrush(clWindowFrame));
    gdi::Rect r = client;
    r.left += 2;
    r.top += 2;
    canvas.SetFont(font_);
    canvas.SetTextColor(FontColor);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    gdi::DrawText(canvas, AnsiToWide(text_), r, kHintFormat);
}
