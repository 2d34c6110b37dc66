#pragma once
// Makers of the figures and windows that the document window's tools need
// but that come with later work: the field text that a field name dropped on
// the view becomes, and the index-print window whose composed picture the
// index-print tool places. Until one is installed its tool creates nothing.

#include "app/ToolbarDefaults.h"
#include "platform/gdi/Bitmap.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;
class TChildBase;
class TFigure;

// A field text of the owner bound to the field id, in the tool bar's font
// and alignment; its geometry is set by the caller.
using TFieldTextMaker =
    std::function<std::unique_ptr<TFigure>(TChildBase& owner, const std::string& fieldId, const TToolbarDefaults& style)>;
void SetFieldTextMaker(TFieldTextMaker maker);
const TFieldTextMaker& FieldTextMaker();

// What the index-print window gives after OK: the composed picture and the
// size it is to have on the label.
struct TIndexPrintResult {
    gdi::Bitmap Picture;
    double WidthMM = 0;
    double HeightMM = 0;
};
// Shows the index-print window modally; none when it was not closed with OK.
using TIndexPrintWindow = std::function<std::optional<TIndexPrintResult>(QWidget* owner)>;
void SetIndexPrintWindow(TIndexPrintWindow window);
const TIndexPrintWindow& IndexPrintWindow();
