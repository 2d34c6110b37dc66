#pragma once
// The hint window of the tree view and the scroll bar: a small borderless
// window in the hint colours that shows a text in its own font, broken into
// lines at the width it was measured for.

#include "platform/gdi/GdiTypes.h"
#include "treectl/support/McPaintBuffer.h"

#include <QtWidgets/QWidget>

#include <string>

class TMcHintWindow : public QWidget {
public:
    explicit TMcHintWindow(QWidget* parent = nullptr);

    const gdi::LogFont& Font() const { return font_; }
    void SetFont(const gdi::LogFont& font);
    const std::string& Text() const { return text_; }

    // The window's size for the text, at most maxWidth wide (text measured
    // with word breaks, plus the frame and margins), at (0, 0).
    gdi::Rect CalcHintRect(int32_t maxWidth, const std::string& text);
    // Shows the text in the rectangle (screen coordinates).
    void ActivateHint(const gdi::Rect& rect, const std::string& text);

    gdi::Color Color = gdi::SystemColor(gdi::COLOR_INFOBK);
    gdi::Color FontColor = gdi::SystemColor(gdi::COLOR_INFOTEXT);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Paint(gdi::Canvas& canvas);

    gdi::LogFont font_;
    std::string text_;
    TMcPaintBuffer buffer_;
};
