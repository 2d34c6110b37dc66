#pragma once
// What the two track dialogs share of their grids: three columns (number,
// title, time), the number and time columns as wide as " 888 " and
// "55:55    ", the title column the rest, rows 16 pixels high.

class QString;
class QTableWidget;

void SetUpTrackGrid(QTableWidget& grid, bool withHeader);
// Sets the cell's text, making its item when there is none.
void SetGridText(QTableWidget& grid, int row, int column, const QString& text);
QString GridText(const QTableWidget& grid, int row, int column);
