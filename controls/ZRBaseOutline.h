#pragma once
// The base of the three folder outlines: a list whose lines stand for the
// entries of its own folder list, drawn on a grid of 18-pixel columns per
// depth step with our small pictures (plus and minus box, closed and open
// folder, three check boxes). Each view decides which entries are lines and
// how a line looks.

#include "foundation/ZROutlData.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QListWidget>

#include <functional>

class QMouseEvent;

class TZRBaseOutline : public QListWidget {
public:
    static constexpr int kColumnWidth = 18;
    static constexpr int kLineHeight = 18;

    explicit TZRBaseOutline(QWidget* parent = nullptr);

    TZROutlDataList& Data() { return data_; }
    const TZROutlDataList& Data() const { return data_; }
    // Copies the list into the own one, then rebuilds the lines.
    void AssignData(const TZROutlDataList& list);
    // Fills the lines from the folder list.
    virtual void Rebuild() = 0;
    // The index in the folder list of a line's entry; -1 for no line.
    int32_t EntryOfLine(int line) const;

    // Draws one line, as the list asks for it: white, then the entry.
    void PaintLine(QPainter& p, int line, const QRect& rect, bool selected);

protected:
    virtual void DrawVertLine(QPainter& p, int column, int top, int bottom);
    virtual void DrawHalfVertLine(QPainter& p, int column, int top);
    virtual void DrawHorzLine(QPainter& p, int column, const QRect& rect);
    virtual void DrawEntryText(QPainter& p, int column, const QRect& rect, bool selected, const QString& text);
    virtual void DrawPlusMinus(QPainter& p, int column, const QRect& rect, bool collapsed);
    virtual void DrawFolderIcon(QPainter& p, int column, const QRect& rect, bool collapsed);
    virtual void DrawEntry(QPainter& p, int line, const QRect& rect, bool selected) = 0;
    void DrawCheckBox(QPainter& p, int column, const QRect& rect, int state);
    // Draws a picture in a column, centred like the boxes.
    void DrawBoxPicture(QPainter& p, int column, const QRect& rect, const QPixmap& picture, int offset);

    // Refills the lines with the entries the filter accepts, keeping the
    // selected entry and the top line.
    void FillLines(const std::function<bool(const TZROutlData&)>& shown);
    // The line whose box (of that width, in the entry's own column) a mouse
    // press hits; -1 when it hits none.
    int LineOfBoxPress(const QMouseEvent& event, int boxWidth) const;
    // The last name of an entry's path, for its line.
    static QString EntryName(const TZROutlData& entry);

    QPixmap plus_, minus_, closedFolder_, openFolder_;
    QPixmap checkBoxes_[3];

private:
    TZROutlDataList data_;
};
