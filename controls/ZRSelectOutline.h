#pragma once
// The folder outline with check boxes: checking a folder checks the folders
// above it, unchecking it unchecks the folders below it.

#include "controls/ZRBaseOutline.h"

class TZRSelectOutline : public TZRBaseOutline {
public:
    explicit TZRSelectOutline(QWidget* parent = nullptr) : TZRBaseOutline(parent) {}

    void Rebuild() override;
    void CheckLine(int line);
    void UncheckLine(int line);

protected:
    void DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChangeLine(int line, bool check);
    void ToggleLine(int line);
};
