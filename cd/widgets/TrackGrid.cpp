#include "cd/widgets/TrackGrid.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>

void SetUpTrackGrid(QTableWidget& grid, bool withHeader) {
    const QFontMetrics metrics(grid.font());
    QHeaderView& columns = *grid.horizontalHeader();
    columns.setSectionResizeMode(0, QHeaderView::Fixed);
    columns.setSectionResizeMode(1, QHeaderView::Stretch);
    columns.setSectionResizeMode(2, QHeaderView::Fixed);
    grid.setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral(" 888 ")));
    grid.setColumnWidth(2, metrics.horizontalAdvance(QStringLiteral("55:55    ")));
    grid.verticalHeader()->hide();
    grid.verticalHeader()->setDefaultSectionSize(std::max(16, metrics.height() + 2));
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!withHeader) columns.hide();
}

void SetGridText(QTableWidget& grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid.item(row, column))
        item->setText(text);
    else
        grid.setItem(row, column, new QTableWidgetItem(text));
}

QString GridText(const QTableWidget& grid, int row, int column) {
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text() : QString();
}
