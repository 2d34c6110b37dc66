// zorbit-treectl-demo --tree [folder] [--screenshot picture.png]: the tree
// control filled with the folders below a folder of this machine (the home
// folder unless named), see FolderTreeDemo.cpp.
//
// zorbit-treectl-demo [--pressed] [--zoom n] [--screenshot picture.png]: the tree
// control's header and scroll bars in a small window, set up as the
// directory listing's wizard uses them (five columns: name, size, type,
// date and time changed), with a line that tells what the controls report.
// --pressed holds the mouse down on a column and on the thumb of the
// horizontal bar (moved a little) and over the vertical bar's arrow. With
// --screenshot the window is saved as a picture once it has been painted
// (n times larger with --zoom, pixel for pixel), and the program ends.
#include "FolderTreeDemo.h"

#include "treectl/header/McHeader.h"
#include "treectl/header/McScrollBar.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QEnterEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <string>

namespace {

struct Column {
    const char* text;
    int32_t width, minWidth, maxWidth;
    TMcSAlignment alignment;
    TFieldTypes field;
};

void AddColumns(TMcHeader& header) {
    const Column columns[] = {
        {"Name", 220, 100, 300, TMcSAlignment::hsaLeft, TFieldTypes::sftCustom},
        {"Gr\xF6\xDF" "e", 80, 0, 10000, TMcSAlignment::hsaRight, TFieldTypes::sftNumber},
        {"Typ", 130, 0, 10000, TMcSAlignment::hsaLeft, TFieldTypes::sftText},
        {"Ge\xE4ndert am", 60, 50, 120, TMcSAlignment::hsaLeft, TFieldTypes::sftDate},
        {"Uhrzeit", 60, 50, 120, TMcSAlignment::hsaLeft, TFieldTypes::sftDate},
    };
    for (const Column& c : columns) {
        TMcHeaderSection* s = header.Sections().AddSection();
        s->SetText(c.text);
        s->SetMinWidth(c.minWidth);
        s->SetMaxWidth(c.maxWidth);
        s->SetWidth(c.width);
        s->SetAlignment(c.alignment);
        s->SetFieldType(c.field);
    }
    header.Sections().Item(0)->SetSortMode(TMcSSortMode::hsmAscend);
    header.Sections().Item(1)->SetFilterEnabled(true);
    header.Sections().Item(2)->SetLookupEnabled(true);
    header.Sections().Item(2)->SetLookupHistory({"Ordner", "Textdokument", "Bild"});
    header.Sections().Item(3)->SetExpandable(true);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint p) {
    QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// The controls as they look while the mouse works on them.
void Press(TMcHeader* header, TMcScrollBar* horizontal, TMcScrollBar* vertical) {
    Mouse(header, QEvent::MouseButtonPress, {340, 8});
    const int32_t thumb = horizontal->ThumbPos();
    Mouse(horizontal, QEvent::MouseButtonPress, {thumb + 10, 8});
    Mouse(horizontal, QEvent::MouseMove, {thumb + 70, 8});
    QEnterEvent enter(QPointF(8, 8), QPointF(8, 8), QPointF(vertical->mapToGlobal(QPoint(8, 8))));
    QCoreApplication::sendEvent(vertical, &enter);
    QMouseEvent hover(QEvent::MouseMove, QPointF(8, vertical->height() - 8),
                      QPointF(vertical->mapToGlobal(QPoint(8, vertical->height() - 8))), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(vertical, &hover);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    bool pressed = false;
    bool folders = false;
    QString root = QDir::homePath();
    int zoom = 1;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--tree") {
            folders = true;
            if (i + 1 < argc && argv[i + 1][0] != '-') root = QString::fromLocal8Bit(argv[++i]);
        }
        if (arg == "--pressed") pressed = true;
        if (arg == "--zoom" && i + 1 < argc) zoom = std::max(1, QString::fromLocal8Bit(argv[++i]).toInt());
        if (arg == "--screenshot" && i + 1 < argc) screenshot = QString::fromLocal8Bit(argv[++i]);
    }
    if (folders) return RunFolderTree(app, root, screenshot);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kopfzeile und Bildlaufleisten"));
    auto* grid = new QGridLayout(&window);
    auto* header = new TMcHeader(&window);
    header->setFixedWidth(560);
    AddColumns(*header);
    header->SetFlat(false);
    auto* horizontal = new TMcScrollBar(&window);
    horizontal->setFixedSize(560, 17);
    horizontal->SetMax(1000);
    horizontal->SetPage(200);
    horizontal->SetPosition(300);
    horizontal->SetSecondaryButtons(true);
    horizontal->SetSecondBtnKind(TMcSecButtonsKind::sbkPage);
    auto* vertical = new TMcScrollBar(&window);
    vertical->SetKind(TScrollBarKind::sbVertical);
    vertical->setFixedWidth(17);
    vertical->SetMax(99);
    vertical->SetPage(10);
    vertical->SetPosition(40);
    vertical->SetShowTrackHint(true);
    vertical->SetFlat(false);
    vertical->OnScrollHintNeeded = [](QObject*, int32_t position, std::string& hint) {
        hint = "Zeile " + std::to_string(position + 1);
    };
    auto* status = new QLabel(QStringLiteral("Klicken, ziehen, scrollen ..."), &window);
    auto report = [status](const QString& text) { status->setText(text); };
    header->OnSectionClick = [report](TCustomMcHeader&, TMcHeaderSection* s) {
        report(QStringLiteral("Spalte geklickt: %1").arg(AnsiToUnicode(s->Text())));
    };
    header->OnSectionResize = [report](TCustomMcHeader&, TMcHeaderSection* s) {
        report(QStringLiteral("Spaltenbreite: %1").arg(s->Width()));
    };
    header->OnFilterCall = [report](TCustomMcHeader&, TMcHeaderSection*) { report(QStringLiteral("Filter")); };
    auto scrolled = [report](const char* which) {
        return [report, which](QObject* bar, TMcScrollCode, int32_t& position, bool&) {
            report(QStringLiteral("%1: %2").arg(QString::fromLatin1(which)).arg(position));
            Q_UNUSED(bar);
        };
    };
    horizontal->OnScroll = scrolled("waagerecht");
    vertical->OnScroll = scrolled("senkrecht");
    grid->addWidget(header, 0, 0);
    grid->addWidget(vertical, 0, 1, 3, 1);
    grid->addWidget(horizontal, 1, 0);
    grid->addWidget(status, 2, 0);
    window.resize(620, 200);
    window.show();
    if (pressed) QTimer::singleShot(100, [&] { Press(header, horizontal, vertical); });
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, [&] {
            const QPixmap picture = window.grab();
            picture.scaled(picture.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(screenshot);
            app.quit();
        });
    }
    return app.exec();
}
