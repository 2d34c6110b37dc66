#include "app/ToolbarDefaults.h"

#include "app/FontSizeText.h"
#include "app/SpeedButton.h"
#include "controls/ZRColorPopupButton.h"
#include "controls/ZRPenWidthButton.h"

#include "foundation/Codepage1252.h"
#include "foundation/FillData.h"

#include <QtWidgets/QComboBox>

#include <span>

namespace {

template <class T>
const T* Find(const QWidget* window, const char* name) {
    return window ? window->findChild<const T*>(QString::fromLatin1(name)) : nullptr;
}

void ReadColour(const QWidget* window, const char* name, gdi::Color& colour) {
    if (const auto* button = Find<TZRColorPopupButton>(window, name)) colour = static_cast<gdi::Color>(button->Color());
}

bool IsDown(const QWidget* window, const char* name) {
    const auto* button = Find<TSpeedButton>(window, name);
    return button && button->Down();
}

// The index of the first button that is down; none when none is.
std::optional<uint8_t> FirstDown(const QWidget* window, std::span<const char* const> names) {
    uint8_t index = 0;
    for (const char* name : names) {
        if (IsDown(window, name)) return index;
        ++index;
    }
    return std::nullopt;
}

}  // namespace

void TToolbarDefaults::ApplyFill(TFillData& fill) const {
    if (FillColor == clNoColor) {
        fill.SetKind(fkNone);
        return;
    }
    fill.SetKind(fkColor);
    fill.SetColor(FillColor);
}

TToolbarDefaults ReadToolbarDefaults(const QWidget* mainWindow) {
    TToolbarDefaults d;
    ReadColour(mainWindow, "colpopPen", d.PenColor);
    ReadColour(mainWindow, "colpopBrush", d.FillColor);
    ReadColour(mainWindow, "colpopFont", d.FontColor);
    if (const auto* width = Find<TZRPenWidthButton>(mainWindow, "ZRPenWidthButton1"))
        d.PenWidth = static_cast<float>(width->PenWidth());
    if (const auto* name = Find<QComboBox>(mainWindow, "cbFontName"); name && name->currentIndex() >= 0)
        d.FontName = UnicodeToAnsi(name->currentText());
    if (const auto* size = Find<QComboBox>(mainWindow, "cbFontSize")) d.FontSize = FontSizeFromText(size->currentText());
    for (const TFontStyleButton& button : kFontStyleButtons)
        if (IsDown(mainWindow, button.Name)) d.FontStyle |= button.Style;
    d.HorizontalAlignment = FirstDown(mainWindow, kHorizontalAlignButtons);
    d.VerticalAlignment = FirstDown(mainWindow, kVerticalAlignButtons);
    return d;
}
