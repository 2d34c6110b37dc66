#include "foundation/Font.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"


TFont::TFont(int32_t pixelsPerInch) : pixelsPerInch_(pixelsPerInch) {}

void TFont::Changed() {
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int32_t height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int32_t TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int32_t points) {
    SetHeight(-MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(gdi::Color color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(uint8_t charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetEscapement(int32_t escapement, int32_t orientation) {
    if (escapement == escapement_ && orientation == orientation_) return;
    escapement_ = escapement;
    orientation_ = orientation;
    Changed();
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    escapement_ = other.escapement_;
    orientation_ = other.orientation_;
    Changed();
}

gdi::LogFont TFont::ToLogFont() const {
    gdi::LogFont f;
    f.height = height_;
    f.weight = (style_ & fsBold) ? gdi::FW_BOLD : gdi::FW_NORMAL;
    f.italic = style_ & fsItalic;
    f.underline = style_ & fsUnderline;
    f.strikeOut = style_ & fsStrikeOut;
    f.charSet = charset_;
    f.escapement = escapement_;
    f.orientation = orientation_;
    f.faceName = AnsiToUnicode(name_).toStdString();
    return f;
}

void TFont::AssignLogFont(const gdi::LogFont& font) {
    name_ = UnicodeToAnsi(QString::fromStdString(font.faceName));
    style_ = static_cast<TFontStyles>((font.weight >= gdi::FW_BOLD ? fsBold : 0) | (font.italic ? fsItalic : 0) |
                                      (font.underline ? fsUnderline : 0) | (font.strikeOut ? fsStrikeOut : 0));
    charset_ = font.charSet;
    escapement_ = font.escapement;
    orientation_ = font.orientation;
    Changed();
}
