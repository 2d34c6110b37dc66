#pragma once
// The folder outline that shows only the chosen folders, drawn as the
// listing will look: solid branch lines, a marker beside folders whose
// subfolders are hidden and folder pictures, each on request.

#include "controls/ZRBaseOutline.h"

class TZRPreviewOutline : public TZRBaseOutline {
public:
    explicit TZRPreviewOutline(QWidget* parent = nullptr);

    void Rebuild() override;
    void SetShowPlusMinus(bool show);
    void SetShowFolderIcons(bool show);
    void SetShowLines(bool show);
    bool ShowPlusMinus() const { return showPlusMinus_; }
    bool ShowFolderIcons() const { return showFolderIcons_; }
    bool ShowLines() const { return showLines_; }

protected:
    void DrawVertLine(QPainter& p, int column, int top, int bottom) override;
    void DrawHalfVertLine(QPainter& p, int column, int top) override;
    void DrawHorzLine(QPainter& p, int column, const QRect& rect) override;
    void DrawPlusMinus(QPainter& p, int column, const QRect& rect, bool collapsed) override;
    void DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) override;

private:
    QPixmap marker_;
    bool showPlusMinus_ = false;
    bool showFolderIcons_ = false;
    bool showLines_ = false;
};
