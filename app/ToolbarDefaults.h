#pragma once
// The style a new figure takes from the main window's tool bar: pen colour
// and width, fill, font and text alignment, as the tools show them at the
// moment the figure is created. The tools set the style of the next figure.

#include "controls/ZRColorPopupButton.h"
#include "foundation/Font.h"
#include "platform/gdi/GdiTypes.h"

#include <QtCore/QString>

#include <cstdint>
#include <optional>
#include <string>

struct TFontStyleButton {
    const char* Name;
    TFontStyles Style;
};
// The tool bar's text buttons: the style buttons, and the alignment buttons
// in the order of their values.
inline constexpr TFontStyleButton kFontStyleButtons[] = {
    {"cmdFett", fsBold}, {"cmdKursiv", fsItalic}, {"cmdUnderline", fsUnderline}};
inline constexpr const char* kHorizontalAlignButtons[] = {"cmdHLeft", "cmdHCenter", "cmdHRight", "cmdHFull"};
inline constexpr const char* kVerticalAlignButtons[] = {"cmdVTop", "cmdVCenter", "cmdVBottom"};

class QWidget;
class TFillData;

struct TToolbarDefaults {
    gdi::Color PenColor = 0;
    float PenWidth = 0.18f;
    // clNoColor: no fill.
    gdi::Color FillColor = clNoColor;
    std::string FontName = "Arial";
    int32_t FontSize = 12;
    gdi::Color FontColor = 0;
    TFontStyles FontStyle = 0;
    // 0 left, 1 centred, 2 right, 3 justified; none while no button is down.
    std::optional<uint8_t> HorizontalAlignment;
    // 0 top, 1 centred, 2 bottom; none while no button is down.
    std::optional<uint8_t> VerticalAlignment;

    // The fill button's value as a fill: no fill for clNoColor, a solid
    // fill of the colour otherwise.
    void ApplyFill(TFillData& fill) const;
};

// The tool bar's values; the size box's text counts whichever entry it is
// (also the first, "2") and is read as the size command reads it. Controls that the window lacks leave the defaults
// above (black pen of 0.18 mm, no fill, Arial 12, black text).
TToolbarDefaults ReadToolbarDefaults(const QWidget* mainWindow);
