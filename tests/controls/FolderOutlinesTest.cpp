#include "controls/ZRLayoutOutline.h"
#include "controls/ZRPreviewOutline.h"
#include "controls/ZRSelectOutline.h"

#include "ControlsTesting.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

namespace {

// A (B (C), D), E on disk.
struct OutlineFolders {
    QTemporaryDir dir;
    OutlineFolders() {
        for (const char* path : {"A/B/C", "A/D", "E"}) QDir(dir.path()).mkpath(QString::fromUtf8(path));
    }
};

QStringList LineNames(const TZRBaseOutline& outline) {
    QStringList names;
    for (int line = 0; line < outline.count(); ++line)
        names << QDir(QString::fromStdString(outline.Data().GetItem(outline.EntryOfLine(line)).Path)).dirName();
    return names;
}

void Press(QWidget* viewport, QPoint at, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent press(type, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
}

// The centre of the box in a column of a line.
QPoint BoxPoint(int column, int line) {
    return {column * TZRBaseOutline::kColumnWidth + 9, line * TZRBaseOutline::kLineHeight + 9};
}

}  // namespace

TEST(FolderOutlines, TheLayoutOutlineExpandsByBoxKeypadAndDoubleClick) {
    OutlineFolders folders;
    TZRLayoutOutline outline;
    outline.resize(300, 200);
    outline.show();
    int progress = 0, expands = 0, collapses = 0;
    outline.OnProgress = [&](TZRLayoutOutline&) { ++progress; };
    outline.OnExpand = [&](TZRLayoutOutline&) { ++expands; };
    outline.OnCollapse = [&](TZRLayoutOutline&) { ++collapses; };
    outline.ReadDrive(folders.dir.path());
    EXPECT_EQ(progress, 5);
    EXPECT_EQ(LineNames(outline), QStringList({"A", "E"}));

    Press(outline.viewport(), BoxPoint(0, 0));
    EXPECT_EQ(LineNames(outline), QStringList({"A", "B", "D", "E"}));
    EXPECT_EQ(expands, 1);

    // A press beside the box only selects.
    Press(outline.viewport(), BoxPoint(3, 1));
    EXPECT_EQ(outline.currentRow(), 1);
    EXPECT_EQ(LineNames(outline).size(), 4);

    Key(&outline, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(LineNames(outline), QStringList({"A", "B", "C", "D", "E"}));
    Key(&outline, Qt::Key_Plus, Qt::KeypadModifier);  // already open
    EXPECT_EQ(expands, 2);

    outline.setCurrentRow(0);
    Key(&outline, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(LineNames(outline), QStringList({"A", "E"}));
    EXPECT_EQ(collapses, 1);
    // Collapsing closed B too: opening A again shows B closed.
    Press(outline.viewport(), BoxPoint(2, 0), QEvent::MouseButtonDblClick);
    EXPECT_EQ(LineNames(outline), QStringList({"A", "B", "D", "E"}));
}

TEST(FolderOutlines, TheSelectOutlineTogglesByBoxAndSpaceAndThePreviewShowsTheChosen) {
    OutlineFolders folders;
    TZROutlDataList read;
    read.ReadTree(folders.dir.path());
    for (int32_t i = 0; i < read.Count(); ++i) read.GetItem(i).Visible = 1;

    TZRSelectOutline select;
    select.resize(300, 200);
    select.show();
    select.AssignData(read);
    ASSERT_EQ(LineNames(select), QStringList({"A", "B", "C", "D", "E"}));

    // Unchecking B unchecks C; Space on D unchecks it; a press on C's box
    // checks C and B again.
    Press(select.viewport(), BoxPoint(1, 1));
    select.setCurrentRow(3);
    Key(&select, Qt::Key_Space);
    std::string states;
    for (int32_t i = 0; i < select.Data().Count(); ++i) states += char('0' + select.Data().GetItem(i).CheckState);
    EXPECT_EQ(states, "20002");
    Press(select.viewport(), BoxPoint(2, 2));
    EXPECT_EQ(select.Data().GetItem(1).CheckState, 2);
    EXPECT_EQ(select.Data().GetItem(2).CheckState, 2);

    TZRPreviewOutline preview;
    preview.AssignData(select.Data());
    EXPECT_EQ(LineNames(preview), QStringList({"A", "B", "C", "E"}));
    // D is unchecked, so B is the last shown child of A.
    EXPECT_EQ(preview.Data().GetItem(1).IsLastShown, 1);
    EXPECT_EQ(preview.Data().GetItem(0).IsLastShown, 0);
}

TEST(FolderOutlines, ThePreviewDrawsSolidLinesOnlyWhenAsked) {
    TZROutlDataList list;
    list.Add(std::make_unique<TZROutlData>(TZROutlData{.Path = "/m/A", .Level = 0, .Visible = 1}));
    list.Add(std::make_unique<TZROutlData>(TZROutlData{.Path = "/m/A/B", .Level = 1, .Visible = 1}));
    TZRPreviewOutline preview;
    preview.resize(200, 100);
    preview.AssignData(list);

    auto lineImage = [&](int line) {
        QImage image(200, TZRBaseOutline::kLineHeight, QImage::Format_RGB32);
        QPainter p(&image);
        preview.PaintLine(p, line, image.rect(), false);
        return image;
    };
    // B's own column 1: its half line from the top and its branch to the right.
    EXPECT_EQ(lineImage(1).pixel(27, 2), qRgb(255, 255, 255));
    preview.SetShowLines(true);
    const QImage b = lineImage(1);
    EXPECT_EQ(b.pixel(27, 2), qRgb(0, 0, 0));
    EXPECT_EQ(b.pixel(27, 9), qRgb(0, 0, 0));
    EXPECT_EQ(b.pixel(27, 14), qRgb(255, 255, 255));  // B is the last: half line
    EXPECT_EQ(b.pixel(40, 9), qRgb(0, 0, 0));
}
