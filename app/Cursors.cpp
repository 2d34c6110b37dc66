#include "app/Cursors.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QHash>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>

namespace {

constexpr int kCursorSize = 32;

void ClearInstalled();

QHash<int, QCursor>& Installed() {
    // Cursors hold pixmaps: they go with the application object.
    static QHash<int, QCursor>* cursors = [] {
        qAddPostRoutine(ClearInstalled);
        return new QHash<int, QCursor>;
    }();
    return *cursors;
}

void ClearInstalled() { Installed().clear(); }

}  // namespace

std::span<const TCursorResource> CursorResources() {
    static constexpr TCursorResource kResources[] = {
        {1, "kopieren.svg", 1, 1},        {4, "fadenkreuz.svg", 15, 15},   {101, "linie.svg", 9, 9},
        {102, "rechteck.svg", 9, 9},      {103, "ellipse.svg", 9, 9},      {104, "text.svg", 9, 9},
        {105, "rundrechteck.svg", 9, 9},  {106, "rahmen.svg", 9, 9},       {107, "bild.svg", 9, 9},
        {109, "rundtext.svg", 9, 9},      {110, "verzeichnis.svg", 9, 9},  {111, "zoomin.svg", 11, 11},
        {112, "feld.svg", 9, 9},          {113, "verboten.svg", 1, 1},     {114, "autoform.svg", 9, 9},
        {115, "wordart.svg", 9, 9},       {116, "barcode.svg", 9, 9},      {117, "zoomout.svg", 11, 11},
        {118, "symbol.svg", 9, 9},        {119, "titelliste.svg", 9, 9},   {120, "tabelle.svg", 9, 9},
        {121, "zaehler.svg", 9, 9},       {122, "bewegen.svg", 16, 16},    {200, "drehen.svg", 16, 16},
        {201, "drehen-15.svg", 11, 11},   {202, "drehen-10.svg", 11, 11},  {203, "drehen-5.svg", 11, 11},
        {204, "drehen-1.svg", 11, 11},    {205, "drehen-0.1.svg", 11, 11}, {210, "anfasser.svg", 1, 1},
        {211, "groesse-ns.svg", 16, 16},  {212, "groesse-nwse.svg", 16, 16}, {213, "groesse-we.svg", 16, 16},
        {214, "groesse-nesw.svg", 16, 16},
    };
    return kResources;
}

std::span<const TScreenCursorEntry> ScreenCursorTable() {
    // Cursor 11 is the barcode cursor (116).
    static constexpr TScreenCursorEntry kTable[] = {
        {2, 1},    {3, 4},    {4, 101},  {5, 102},  {6, 103},  {7, 104},  {8, 105},  {9, 106},
        {10, 107}, {11, 116}, {12, 109}, {13, 110}, {14, 111}, {15, 112}, {16, 113}, {17, 122},
        {18, 114}, {19, 115}, {20, 117}, {21, 118}, {22, 119}, {23, 120}, {24, 121},
    };
    return kTable;
}

QCursor LoadCursorResource(int resourceId) {
    for (const TCursorResource& r : CursorResources()) {
        if (r.id != resourceId) continue;
        QSvgRenderer svg(QStringLiteral(":/cursors/") + QString::fromLatin1(r.file));
        if (!svg.isValid()) break;
        QPixmap pixmap(kCursorSize, kCursorSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        return QCursor(pixmap, r.hotX, r.hotY);
    }
    return QCursor(Qt::ArrowCursor);
}

void LoadScreenCursors() {
    SetScreenCursor(1, QCursor(Qt::PointingHandCursor));
    for (const TScreenCursorEntry& e : ScreenCursorTable()) SetScreenCursor(e.number, LoadCursorResource(e.resourceId));
}

void SetScreenCursor(int number, const QCursor& cursor) { Installed().insert(number, cursor); }

QCursor ScreenCursor(int number) { return Installed().value(number, QCursor(Qt::ArrowCursor)); }

bool HasScreenCursor(int number) { return Installed().contains(number); }
