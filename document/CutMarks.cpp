#include "document/CutMarks.h"

#include <initializer_list>

namespace {

constexpr gdi::Color kCutMarkColor = 0x404040;

void HorizontalLines(TScaleCanvas& canvas, std::initializer_list<float> ys) {
    for (float y : ys) canvas.Line(0, y, 210, y);
}

void VerticalLines(TScaleCanvas& canvas, std::initializer_list<float> xs) {
    for (float x : xs) canvas.Line(x, 0, x, 297);
}

void DrawScheme(TScaleCanvas& canvas, std::string_view scheme) {
    if (scheme == "TA_DINA5") {
        HorizontalLines(canvas, {148.5f});
    } else if (scheme == "TA_DINA6") {
        HorizontalLines(canvas, {148.5f});
        VerticalLines(canvas, {105});
    } else if (scheme == "TA_DINA7") {
        HorizontalLines(canvas, {74, 148, 222, 296});
        VerticalLines(canvas, {105});
    } else if (scheme == "TA_DINA8") {
        HorizontalLines(canvas, {74, 148, 222, 296});
        VerticalLines(canvas, {1, 53, 105, 157, 209});
    } else if (scheme == "TA_DINA9") {
        HorizontalLines(canvas, {37, 74, 111, 148, 185, 222, 259, 296});
        VerticalLines(canvas, {1, 53, 105, 157, 209});
    } else if (scheme == "TA_DINLANG") {
        HorizontalLines(canvas, {43.5f, 253.5f});
        canvas.Line(105, 43.5f, 105, 253.5f);
    } else if (scheme == "TA_100x60") {
        canvas.Rectangle(55, 15, 155, 135);
        canvas.Rectangle(55, 163.5f, 155, 283.5f);
    } else if (scheme == "TA_95x42") {
        DrawCutMarkGrid(canvas, 2, 2, 85, 95, 20, 26.75f, 0, 53.5f);
    } else if (scheme == "TA_240x90") {
        DrawCutMarkGrid(canvas, 1, 1, 180, 240, 15, 28.5f, 0, 0);
    } else if (scheme == "TA_190x60") {
        DrawCutMarkGrid(canvas, 1, 2, 190, 120, 10, 15, 0, 28.5f);
    } else if (scheme == "TA_145x60") {
        DrawCutMarkGrid(canvas, 1, 2, 145, 120, 32.5f, 15, 0, 28.5f);
    } else if (scheme == "TA_60x90") {
        DrawCutMarkGrid(canvas, 3, 3, 60, 90, 15, 13.5f, 0, 0);
    }
}

// Sets the pen style back to solid however the drawing ends.
struct SolidPenAfterwards {
    gdi::Pen& pen;
    ~SolidPenAfterwards() { pen.style = gdi::PenStyle::Solid; }
};

}  // namespace

void DrawCutMarkScheme(TScaleCanvas& canvas, std::string_view scheme) {
    canvas.Brush().style = gdi::BrushStyle::Null;
    gdi::Pen& pen = canvas.Pen();
    pen.color = kCutMarkColor;
    pen.style = gdi::PenStyle::Dot;
    pen.width = 0;
    SolidPenAfterwards restore{pen};
    DrawScheme(canvas, scheme);
}

void DrawCutMarkGrid(TScaleCanvas& canvas, int32_t columns, int32_t rows, float width, float height, float left,
                     float top, float gapX, float gapY) {
    for (int32_t j = 0; j < rows; ++j) {
        for (int32_t i = 0; i < columns; ++i) {
            const float x1 = left + static_cast<float>(i) * (width + gapX);
            const float y1 = top + static_cast<float>(j) * (height + gapY);
            canvas.Rectangle(x1, y1, x1 + width, y1 + height);
        }
    }
}
