#pragma once
// The folder outline that reads a volume and expands and collapses folders:
// dotted branch lines, plus and minus boxes, folder pictures and names.

#include "controls/ZRBaseOutline.h"

class TZRLayoutOutline : public TZRBaseOutline {
public:
    explicit TZRLayoutOutline(QWidget* parent = nullptr);

    // Reads the folder tree of the volume with that root path (hourglass
    // meanwhile, the window kept alive) and rebuilds the lines.
    void ReadDrive(const QString& rootPath);
    void Rebuild() override;
    void ExpandLine(int line);
    void CollapseLine(int line);

    std::function<void(TZRLayoutOutline&)> OnExpand;
    std::function<void(TZRLayoutOutline&)> OnCollapse;
    std::function<void(TZRLayoutOutline&)> OnProgress;

protected:
    void DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChangeLine(int line, bool expand);
    void ToggleLine(int line);
};
