// The header control: height, geometry, the sticky layout, painting a
// section, and the mouse: clicks, drags, resizing, the section buttons,
// the lookup box and popup menus, all with synthesized events.
#include "MouseTesting.h"

#include "treectl/header/McHeader.h"

#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A header in a window, with sections of the given widths and a log of its events.
struct HeaderWindow {
    QWidget window;
    TMcHeader* header;
    std::vector<std::string> log;

    explicit HeaderWindow(std::initializer_list<int32_t> widths, int32_t width = 400) {
        window.resize(width, 120);
        header = new TMcHeader(&window);
        header->setGeometry(0, 0, width, 19);
        int n = 0;
        for (int32_t w : widths) {
            TMcHeaderSection* s = header->Sections().AddSection();
            s->SetText("S" + std::to_string(n++));
            s->SetWidth(w);
        }
        auto name = [](TMcHeaderSection* s) { return s ? s->Text() : std::string("-"); };
        header->OnSectionClick = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("click " + name(s)); };
        header->OnSectionMove = [this, name](TCustomMcHeader&, TMcHeaderSection* s, int32_t from, int32_t to) {
            log.push_back("move " + name(s) + " " + std::to_string(from) + ">" + std::to_string(to));
        };
        header->OnSectionResize = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("resize " + name(s)); };
        header->OnSectionResizing = [this, name](TCustomMcHeader&, TMcHeaderSection* s, TMcHResizingStates state, int32_t w) {
            log.push_back("resizing " + name(s) + " " + std::to_string(static_cast<int>(state)) + " " + std::to_string(w));
        };
        header->OnSectionExpand = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("expand " + name(s)); };
        header->OnSectionCollapse = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("collapse " + name(s)); };
        header->OnFilterCall = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("filter " + name(s)); };
        header->OnSectionAutoSize = [this, name](TCustomMcHeader&, TMcHeaderSection* s) { log.push_back("autosize " + name(s)); };
        header->OnMouseDown = [this](TCustomMcHeader&, Qt::MouseButton b, Qt::KeyboardModifiers, int32_t, int32_t) {
            log.push_back(b == Qt::RightButton ? "down right" : "down");
        };
        window.show();
    }
    TMcHeaderSection* At(int i) { return header->Sections().Item(i); }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }
};

TEST(McHeader, Height) {
    TMcHeader header;
    EXPECT_EQ(header.height(), 11 + 2 + 6) << "font height 11, two borders, 6";
    header.AdjustHeight();
    EXPECT_EQ(header.height(), 19) << "max(17, 11 + 8)";
    header.show();
    header.resize(200, 15);
    EXPECT_EQ(header.height(), 19) << "15 < 11 + 6: raised again";
    header.SetLockHeight(true);
    header.resize(200, 10);
    EXPECT_EQ(header.height(), 10);
    header.Sections().AddSection()->SetLookupEnabled(true);
    EXPECT_EQ(header.height(), 17) << "a lookup button needs 17 pixels";
}

TEST(McHeader, Geometry) {
    HeaderWindow w({100, 30, 80});
    TCustomMcHeader& h = *w.header;
    EXPECT_EQ(h.SectionsWidth(), 210);
    EXPECT_EQ(h.SectionAtPoint(99, 0), w.At(0));
    EXPECT_EQ(h.SectionAtPoint(100, 0), w.At(1));
    EXPECT_EQ(h.SectionAtPoint(210, 0), nullptr);
    h.SetLeftPos(50);
    EXPECT_EQ(h.SectionAtPoint(0, 0), w.At(0)) << "x 0 is header x 50";
    EXPECT_EQ(h.SectionAtPoint(55, 0), w.At(1));
    h.SetLeftPos(0);
    w.At(1)->SetVisible(false);
    EXPECT_EQ(h.SectionAtPoint(100, 0), w.At(2));
    EXPECT_EQ(h.GetSectionRect(2), (gdi::Rect{100, 0, 180, h.height()}));
    EXPECT_THROW(h.InvalidateFrom(3), EMcError);
    int32_t textWidth = 0;
    const int32_t measured = h.MeasureSectionWidth(w.At(0), textWidth);
    EXPECT_GT(textWidth, 5);
    EXPECT_EQ(measured, 10 + 17 + textWidth);
    w.At(0)->SetMinWidth(200);
    EXPECT_EQ(h.MeasureSectionWidth(w.At(0), textWidth), 200);
}

TEST(McHeader, StickySectionsKeepTheirProportions) {
    HeaderWindow w({150, 50, 100}, 301);
    w.At(1)->SetResizable(false);
    w.header->SetStickySections(true);
    w.header->resize(401, w.header->height());
    EXPECT_EQ(w.At(0)->Width(), 210);
    EXPECT_EQ(w.At(1)->Width(), 50);
    EXPECT_EQ(w.At(2)->Width(), 140);
    EXPECT_EQ(w.header->SectionsWidth(), 400);
    w.At(2)->SetWidth(100);
    EXPECT_EQ(w.At(2)->Width(), 140) << "the last section's width does not change";
    EXPECT_FLOAT_EQ(w.At(0)->Proportion(), 210.0f / 351.0f) << "only the proportions are saved";
    w.At(0)->SetWidth(110);
    EXPECT_EQ(w.header->SectionsWidth(), 400) << "the others follow";
    EXPECT_EQ(w.At(0)->Width(), 110);
}

TEST(McHeader, RightAlignedOrderWaitsForLoaded) {
    HeaderWindow w({10, 20, 30});
    w.header->BeginLoad();
    w.header->SetRightAlignedOrder(true);
    EXPECT_EQ(w.header->Sections().ItemByPos(0), w.At(0));
    w.header->Loaded();
    EXPECT_EQ(w.header->Sections().ItemByPos(0), w.At(2));
    EXPECT_EQ(w.header->Sections().ItemByPos(2), w.At(0));
    w.header->SetRightAlignedOrder(false);
    EXPECT_EQ(w.header->Sections().ItemByPos(0), w.At(0));
}

// A section drawn alone on a white bitmap.
gdi::Bitmap Drawn(TCustomMcHeader& h, TMcHeaderSection* s, int32_t width, bool pressed = false) {
    gdi::BitmapCanvas canvas(width, 19);
    h.DrawSection(canvas, s, {0, 0, width, 19}, pressed);
    return canvas.bitmap();
}

TEST(McHeader, NarrowSectionWithArrowAndSortMark) {
    HeaderWindow w({20});
    TMcHeaderSection* s = w.At(0);
    s->SetText("");
    s->SetExpandable(true);
    s->SetSortMode(TMcSSortMode::hsmAscend);
    const gdi::Bitmap canvas = Drawn(*w.header, s, 20);
    const gdi::Color face = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNFACE));
    const gdi::Color text = gdi::ResolveColor(gdi::SystemColor(gdi::COLOR_BTNTEXT));
    // The arrow (right: collapsed) stands in x 9 .. 14; nothing else is drawn inside the frame.
    int32_t arrowLeft = 100, arrowRight = -1;
    for (int32_t y = 2; y < 16; ++y) {
        for (int32_t x = 2; x < 17; ++x) {
            const gdi::Color c = canvas.Pixel(x, y);
            if (c == text) {
                arrowLeft = std::min(arrowLeft, x);
                arrowRight = std::max(arrowRight, x);
            } else {
                EXPECT_EQ(c, face) << "at " << x << "," << y;
            }
        }
    }
    EXPECT_GE(arrowLeft, 9);
    EXPECT_LE(arrowRight, 14);
}

TEST(McHeader, SortMarkPictures) {
    HeaderWindow w({120});
    TMcHeaderSection* s = w.At(0);
    s->SetSortMode(TMcSSortMode::hsmAscend);
    auto markRow = [&](bool invert) {
        w.header->SetInvertSortArrows(invert);
        const gdi::Bitmap canvas = Drawn(*w.header, s, 120);
        // The mark box: T.Right = 120 - 2 - 4 - 9 = 105, m = 9: rows 6 .. 11.
        std::string row;
        for (int32_t x = 105; x < 114; ++x) {
            row += canvas.Pixel(x, 6) == gdi::Rgb(128, 128, 128) ? 'G'
                   : canvas.Pixel(x, 6) == gdi::Rgb(255, 255, 255) ? 'W' : '.';
        }
        return row;
    };
    EXPECT_EQ(markRow(false), "GGGGGGGGW") << "ascending: the point down";
    EXPECT_EQ(markRow(true), "....G....") << "inverted: the descending picture";
    EXPECT_EQ(TCustomMcHeader::PictureOf(TCustomMcHeader::Picture::Point).Width(), 5);
}

TEST(McHeader, ClickAndDrag) {
    HeaderWindow w({100, 100, 100});
    QWidget* h = w.header;
    Press(h, {50, 8});
    EXPECT_EQ(w.header->PressedSection(), w.At(0));
    EXPECT_TRUE(w.header->IsPressed());
    MoveTo(h, {54, 8});
    Release(h, {54, 8});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"down", "click S0"})) << "4 pixels is a click";

    Press(h, {50, 8});
    MoveTo(h, {55, 8});
    EXPECT_EQ(w.header->DraggedSection(), w.At(0)) << "5 pixels is a drag";
    MoveTo(h, {250, 8});
    Release(h, {250, 8});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"down", "move S0 0>2"}));
    EXPECT_EQ(w.header->Sections().ItemByPos(2), w.At(0));
    EXPECT_EQ(w.At(0)->Index(), 0);

    w.header->SetAllowDrag(false);
    Press(h, {50, 8});
    MoveTo(h, {150, 8});
    Release(h, {150, 8});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"down"})) << "released over another section: no click";
    w.At(1)->SetAllowClick(false);
    Click(h, {50, 8});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"down"}));
}

TEST(McHeader, ResizeZones) {
    HeaderWindow w({100, 100, 14});
    TMcHeaderSection* zone = nullptr;
    EXPECT_TRUE(w.header->InResizeArea(102, zone));
    EXPECT_EQ(zone, w.At(0)) << "the first 5 pixels belong to the section before";
    EXPECT_TRUE(w.header->InResizeArea(95, zone));
    EXPECT_EQ(zone, w.At(0));
    EXPECT_FALSE(w.header->InResizeArea(94, zone));
    EXPECT_FALSE(w.header->InResizeArea(201, zone)) << "a section of 14 pixels has no zone";
    EXPECT_TRUE(w.header->InResizeArea(216, zone));
    EXPECT_EQ(zone, w.At(2)) << "right of all sections, 5 pixels more";
    EXPECT_FALSE(w.header->InResizeArea(219, zone));
}

TEST(McHeader, ResizingWithTheLine) {
    HeaderWindow w({100, 100});
    QWidget* h = w.header;
    Press(h, {98, 8});
    EXPECT_EQ(w.header->ResizeSection(), w.At(0));
    EXPECT_EQ(w.header->ResizeLineX(), 100);
    MoveTo(h, {128, 8});
    EXPECT_EQ(w.At(0)->Width(), 100) << "without ResizeOnDrag only the line moves";
    EXPECT_EQ(w.header->ResizeLineX(), 130);
    MoveTo(h, {-20, 8});  // past the section's left edge: ignored
    EXPECT_EQ(w.header->ResizeLineX(), 130);
    Release(h, {-20, 8});
    EXPECT_EQ(w.At(0)->Width(), 130) << "the last accepted width";
    EXPECT_EQ(w.header->ResizeLineX(), -1);
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"resizing S0 0 100", "down", "resizing S0 1 130", "resizing S0 2 130",
                                                  "resize S0"}));
    w.header->SetResizeOnDrag(true);
    w.At(0)->SetMaxWidth(140);
    Press(h, {128, 8});
    MoveTo(h, {138, 8});
    EXPECT_EQ(w.At(0)->Width(), 140) << "ResizeOnDrag: the width follows";
    MoveTo(h, {160, 8});
    EXPECT_EQ(w.At(0)->Width(), 140) << "beyond the largest width: ignored";
    Release(h, {160, 8});
    w.At(1)->SetResizable(false);
    w.Take();
    Press(h, {238, 8});
    EXPECT_EQ(w.header->ResizeSection(), nullptr) << "a fixed section does not resize";
    Release(h, {238, 8});
    DoubleClick(h, {98, 8});
    EXPECT_EQ(w.Take().back(), "down");
    DoubleClick(h, {138, 8});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"autosize S0", "down"}));
}

TEST(McHeader, SectionButtons) {
    HeaderWindow w({100, 100});
    TMcHeaderSection* a = w.At(0);
    a->SetExpandable(true);
    QWidget* h = w.header;
    const int32_t right = a->Right() - 4;  // 96
    Click(h, {right - 3, 5});
    EXPECT_TRUE(a->Expanded());
    Click(h, {right - 3, 5});
    EXPECT_FALSE(a->Expanded());
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"expand S0", "down", "collapse S0", "down"})) << "and no click";
    a->SetFilterEnabled(true);
    Click(h, {right - 2, 14});
    EXPECT_EQ(w.Take(), (std::vector<std::string>{"filter S0", "down", "click S0"}));
    TMcHeaderSection* part = nullptr;
    EXPECT_EQ(w.header->GetSectionPart(right - 2, 14, part), 4);
    EXPECT_EQ(w.header->GetSectionPart(right - 2, 5, part), 2);
    EXPECT_EQ(w.header->GetSectionPart(50, 5, part), 1);
    EXPECT_EQ(w.header->GetSectionPart(99, 5, part), 0);
}

TEST(McHeader, LookupBox) {
    HeaderWindow w({100, 100});
    TMcHeaderSection* a = w.At(0);
    a->SetLookupEnabled(true);
    a->SetLookupHistory({"eins", "zwei", "drei"});
    std::vector<std::string> done;
    w.header->OnHeaderLookup = [&](TCustomMcHeader&, TMcHeaderSection*, std::string& text) {
        if (text == "xx") text = "x";
    };
    w.header->OnHeaderLookupDone = [&](TCustomMcHeader&, TMcHeaderSection*, const std::string& text, bool accepted) {
        done.push_back(text + (accepted ? " ok" : " cancel"));
    };
    auto key = [&](int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w.header->LookupCombo()->lineEdit(), &press);
    };
    Click(w.header, {93, 14});
    ASSERT_NE(w.header->LookupCombo(), nullptr);
    EXPECT_TRUE(w.header->LookupCombo()->isVisible());
    EXPECT_EQ(w.header->LookupCombo()->count(), 3);
    w.header->LookupCombo()->setEditText("xx");
    EXPECT_EQ(w.header->LookupCombo()->currentText(), "x") << "the handler changed the text";
    w.header->LookupCombo()->setEditText("zwei");
    key(Qt::Key_Return);
    EXPECT_FALSE(w.header->LookupCombo()->isVisible());
    EXPECT_EQ(a->LookupHistory(), (std::vector<std::string>{"zwei", "eins", "drei"})) << "to the top, once";
    Click(w.header, {93, 14});
    w.header->LookupCombo()->setEditText("neu");
    key(Qt::Key_Escape);
    EXPECT_EQ(done, (std::vector<std::string>{"zwei ok", "neu cancel"}));
    EXPECT_EQ(a->LookupHistory().size(), 3u);
}

TEST(McHeader, RightClickShowsTheHeadersMenu) {
    HeaderWindow w({100});
    QMenu menu;
    menu.addAction("Spalten");
    w.header->SetPopupMenu(&menu);
    bool shown = false;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        shown = true;
        QTimer::singleShot(0, &menu, &QMenu::close);
    });
    Press(w.header, {40, 8}, Qt::RightButton);
    Release(w.header, {40, 8}, Qt::RightButton);
    EXPECT_TRUE(shown);
    menu.close();
    EXPECT_TRUE(w.Take().empty()) << "no mouse-down event for the right button";
}

TEST(McHeader, HotTrackingAndLeaving) {
    HeaderWindow w({100, 100});
    MoveTo(w.header, {150, 8});
    EXPECT_EQ(w.header->HotSection(), w.At(1));
    w.header->SetTracking(false);
    EXPECT_EQ(w.header->HotSection(), nullptr);
    w.header->SetTracking(true);
    MoveTo(w.header, {99, 8});
    EXPECT_EQ(w.header->cursor().shape(), Qt::SplitHCursor);
    MoveTo(w.header, {50, 8});
    EXPECT_NE(w.header->cursor().shape(), Qt::SplitHCursor);
    Press(w.header, {50, 8});
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w.header, &leave);
    EXPECT_FALSE(w.header->IsPressed());
    EXPECT_EQ(w.header->PressedSection(), w.At(0)) << "it stays the pressed section";
    EXPECT_EQ(w.header->HotSection(), nullptr);
}

}  // namespace
