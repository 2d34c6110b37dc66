#pragma once
// A font description with a change notification, in the manner of a GUI
// library's font object: name (8-bit), height at its own pixels per inch
// (negative: character height, positive: cell height), size in points,
// style, colour (the text colour), character set, escapement and
// orientation (tenths of a degree counter-clockwise).

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <functional>
#include <string>

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

class TFont {
public:
    explicit TFont(int32_t pixelsPerInch = 96);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int32_t Height() const { return height_; }
    void SetHeight(int32_t height);
    int32_t Size() const;  // points: -MulDiv(Height, 72, PixelsPerInch)
    void SetSize(int32_t points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color color);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t charset);
    int32_t Escapement() const { return escapement_; }
    int32_t Orientation() const { return orientation_; }
    void SetEscapement(int32_t escapement, int32_t orientation);
    int32_t PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int32_t ppi) { pixelsPerInch_ = ppi; }  // no notification, as the height keeps its value

    // Copies every attribute but the pixels per inch; notifies once.
    void Assign(const TFont& other);
    // The logical font of these attributes (face name converted to UTF-8).
    gdi::LogFont ToLogFont() const;
    // Takes the attributes of a logical font (its height unchanged).
    void AssignLogFont(const gdi::LogFont& font);

    std::function<void()> OnChange;

private:
    void Changed();
    std::string name_ = "Arial";
    int32_t height_ = -11;
    TFontStyles style_ = 0;
    gdi::Color color_ = 0;
    uint8_t charset_ = gdi::DEFAULT_CHARSET;
    int32_t escapement_ = 0;
    int32_t orientation_ = 0;
    int32_t pixelsPerInch_;
};
