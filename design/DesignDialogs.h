#pragma once
// The dialogs that the design's commands open, reached through functions
// that the dialog layers install at start-up (InstallDesignDialogs in
// design/widgets/DesignDialogs.h installs those that exist), so
// that the model stays free of widgets. A command whose dialog is not
// installed does nothing and records no undo step.

#include "foundation/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/imaging/Dib.h"

#include <cstdint>
#include <functional>

class TFillData;

// A picture post-processing dialog ("Bildnachbearbeitung") on a copy of
// the picture: the filtered picture on OK, none on Cancel.
using TPictureFilterDialog = std::function<imaging::DibHandle(const imaging::Dib& picture)>;

struct TDesignDialogs {
    // The pen-width dialog on a width in mm; true and the width on OK.
    std::function<bool(float& widthMM)> PenWidth;
    // The text-alignment dialog (horizontal 0-3, vertical 0-2); true on OK.
    std::function<bool(uint8_t& horizontal, uint8_t& vertical)> TextAlignment;
    // The system's font dialog, listing only scalable fonts; true and the
    // chosen name, size, style and colour on OK.
    std::function<bool(TFont& font)> Font;
    // The colour dialog; true and the colour on OK.
    std::function<bool(gdi::Color& color)> PickColor;
    // The fill dialog, with its gradient page first when asked; true and the
    // fill on OK.
    std::function<bool(TFillData& fill, bool gradientPageFirst)> EditFill;
    // The element-alignment dialog for that many selected figures; true and
    // the alignment code (foundation/ElementAlignFlags.h) on OK.
    std::function<bool(int32_t& code, int32_t selectedCount)> AlignElements;
    // Brightness, contrast, intensity and gamma.
    TPictureFilterDialog FilterBrightness;
    // Hue, saturation and lightness.
    TPictureFilterDialog FilterHueSaturation;
    // Black and white, or tinted.
    TPictureFilterDialog FilterBlackWhite;
};

// The installed dialogs; a member left empty is not there.
TDesignDialogs& DesignDialogs();
