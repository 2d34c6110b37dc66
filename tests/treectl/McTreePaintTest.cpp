// Painting the rows of the tree: connector lines, plus/minus buttons,
// check boxes, pictures, texts, the focus rectangle and columns, through a
// recording canvas and on a bitmap.
#include "TreeTesting.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

using gdi::RecordedCall;

std::vector<RecordedCall> Record(TreeWindow& w) {
    gdi::RecordingCanvas canvas(gdi::ScreenCaps(), gdi::DeviceKind::Bitmap);
    canvas.IntersectClipRect(0, 0, w.View().width(), w.View().height());
    w.View().Paint(canvas);
    return canvas.Calls();
}

std::vector<const RecordedCall*> Calls(const std::vector<RecordedCall>& calls, RecordedCall::Op op) {
    std::vector<const RecordedCall*> found;
    for (const RecordedCall& c : calls) {
        if (c.op == op) found.push_back(&c);
    }
    return found;
}

std::vector<std::string> Texts(const std::vector<RecordedCall>& calls) {
    std::vector<std::string> texts;
    for (const RecordedCall* c : Calls(calls, RecordedCall::Op::Text)) texts.push_back(WideToAnsi(c->text));
    return texts;
}

gdi::Bitmap PaintOnBitmap(TreeWindow& w) {
    gdi::BitmapCanvas canvas(w.View().width(), w.View().height());
    w.View().Paint(canvas);
    return canvas.bitmap();
}

// A 16 x 16 picture list with one picture.
std::unique_ptr<gdi::ImageList> OnePicture() {
    auto list = std::make_unique<gdi::ImageList>(16, 16);
    gdi::Bitmap picture(16, 16);
    picture.Fill(gdi::Rgb(0, 0, 200));
    list->Add(picture);
    return list;
}

}  // namespace

TEST(McTreePaint, LinesButtonsPicturesTextsAndFocus) {
    TreeWindow w;
    auto pictures = OnePicture();
    w.tree->SetShowRoot(true);
    w.tree->SetLinesColor(gdi::Rgb(0, 0, 0));
    w.tree->SetImages(pictures.get());
    w.Build({"A", "  B", "  C", "D-", "  E"});
    for (TMcTreeItem* item : w.tree->AllItems()) item->SetImageIndex(0);
    w.tree->SetFocusedItem(w.Find("B"));
    const std::vector<RecordedCall> calls = Record(w);

    EXPECT_EQ(Texts(calls), (std::vector<std::string>{"A", "B", "C", "D"}));

    // Dotted connector lines: every dot on a pixel whose x + y is even. B's
    // row has the root column's line (A has a next sibling) and its own.
    const auto dots = Calls(calls, RecordedCall::Op::SetPixel);
    ASSERT_FALSE(dots.empty());
    for (const RecordedCall* dot : dots) EXPECT_EQ((dot->points[0].x + dot->points[0].y) % 2, 0);
    auto dotAt = [&](int x, int y) {
        return std::any_of(dots.begin(), dots.end(), [&](const RecordedCall* d) {
            return d->points[0].x == x && d->points[0].y == y;
        });
    };
    EXPECT_TRUE(dotAt(8, 18) && dotAt(8, 32)) << "the root column's line through B's row";
    EXPECT_TRUE(dotAt(25, 17)) << "B's own vertical line";
    EXPECT_TRUE(dotAt(27, 25) && dotAt(33, 25)) << "B's connector to its picture";
    EXPECT_FALSE(dotAt(8, 60)) << "D is the last top-level item: no line below it";

    // Buttons: A open (minus), D closed (plus), 9 x 9 pictures centred in 17 x 17.
    std::vector<gdi::Rect> buttons, pictureBoxes;
    for (const RecordedCall* blit : Calls(calls, RecordedCall::Op::StretchBlt)) {
        if (blit->bitmap->Width() == 9) buttons.push_back(blit->rect);
        if (blit->bitmap->Width() == 16 && blit->rop == gdi::SRCCOPY) pictureBoxes.push_back(blit->rect);
    }
    EXPECT_EQ(buttons, (std::vector<gdi::Rect>{{3, 3, 12, 12}, {3, 54, 12, 63}}));
    EXPECT_EQ(pictureBoxes, (std::vector<gdi::Rect>{{17, 0, 33, 16}, {34, 17, 50, 33}, {34, 34, 50, 50},
                                                    {17, 51, 33, 67}}));
    EXPECT_TRUE(w.Find("B")->ImageDrawn);

    // The focus rectangle: inverted over B's row.
    bool focus = false;
    for (const RecordedCall* fill : Calls(calls, RecordedCall::Op::FillRegion)) {
        if (fill->rop == gdi::PATINVERT && fill->region.Box().top == 17) focus = true;
    }
    EXPECT_TRUE(focus);
    EXPECT_EQ(w.Find("B")->TextLeft, 50 + 5 - 2) << "text left: after the picture, the gap, less 2";
}

TEST(McTreePaint, DottedLinesContinueAcrossRows) {
    for (int32_t lineHeight : {17, 18}) {
        TreeWindow w;
        w.tree->SetAutoLineHeight(false);
        w.tree->SetLineHeight(lineHeight);
        w.tree->SetShowRoot(true);
        w.tree->SetLinesColor(gdi::Rgb(0, 0, 0));
        w.Build({"A", "  B", "  C", "  D", "E"});
        const gdi::Bitmap b = PaintOnBitmap(w);
        // From below A's button down to E's connector.
        for (int32_t y = 13; y <= 4 * lineHeight + lineHeight / 2; ++y) {
            EXPECT_EQ(b.Pixel(8, y) == gdi::Rgb(0, 0, 0), (8 + y) % 2 == 0) << "line height " << lineHeight << ", y " << y;
        }
    }
}

TEST(McTreePaint, CheckBoxesAndTheirStates) {
    TreeWindow w;
    w.tree->SetShowCheckboxes(true);
    w.Build({"plain", "checked", "grayed", "radio"});
    for (TMcTreeItem* item : w.tree->AllItems()) item->SetShowCheckBox(true);
    w.Find("checked")->SetChecked(true);
    w.Find("grayed")->SetCheckBoxType(TMcCheckBoxType::ect3SCheckBox);
    w.Find("grayed")->SetCheckBoxState(TCheckBoxState::cbGrayed);
    w.Find("radio")->SetCheckBoxType(TMcCheckBoxType::ectRadioButton);
    w.Find("radio")->SetChecked(true);
    const gdi::Bitmap b = PaintOnBitmap(w);
    // The box is ItemIndent - 4 = 13 pixels square, 2 pixels after the button column.
    const gdi::Color window = gdi::ResolveColor(clWindow), text = gdi::ResolveColor(clWindowText);
    const gdi::Color face = gdi::ResolveColor(clBtnFace);
    EXPECT_EQ(b.Pixel(19, 2), gdi::ResolveColor(clBtnShadow)) << "the box's sunken frame";
    EXPECT_EQ(b.Pixel(25, 8), window) << "an unchecked box is empty";
    EXPECT_EQ(b.Pixel(23, 17 + 9), text) << "the check mark";
    EXPECT_EQ(b.Pixel(22, 34 + 4), face) << "a grayed box is filled with the face colour";
    EXPECT_EQ(b.Pixel(25, 51 + 8), text) << "the radio button's dot";
    EXPECT_EQ(w.Find("plain")->TextLeft, 17 + 2 + 15 + 5 - 2) << "button column, gap, box slot, text gap";
}

TEST(McTreePaint, ColumnsPasswordsAndTheMainColumn) {
    TreeWindow w(304);
    for (const char* caption : {"Name", "Secret", "Extra"}) {
        TMcHeaderSection* s = w.tree->HeaderSections().AddSection();
        s->SetText(caption);
        s->SetWidth(90);
    }
    w.tree->HeaderSections().Item(1)->SetPassword(true);
    w.tree->SetShowColumns(true);
    w.Build({"A", "B"});
    w.Find("A")->SetColumnText({"long password", "x"});
    w.Find("B")->SetColumnText({"pw"});
    EXPECT_EQ(Texts(Record(w)), (std::vector<std::string>{"A", "******", "x", "B", "******"}))
        << "a password shows six stars, a missing column text nothing";

    w.tree->SetMainTreeColumn(1);
    EXPECT_EQ(Texts(Record(w)), (std::vector<std::string>{"long password", "A", "x", "pw", "B"}))
        << "column 0 shows entry 0 now, the main column the item's text";
}

TEST(McTreePaint, AnEmptyTreeShowsItsBackgroundOnly) {
    TreeWindow w;
    w.tree->SetBkColor(gdi::Rgb(10, 200, 30));
    const gdi::Bitmap b = PaintOnBitmap(w);
    for (int32_t y = 0; y < b.Height(); y += 7) {
        for (int32_t x = 0; x < b.Width(); x += 7) ASSERT_EQ(b.Pixel(x, y), gdi::Rgb(10, 200, 30));
    }
}

TEST(McTreePaint, SelectionColoursFollowTheFocus) {
    TreeWindow w;
    w.tree->SetHideSelection(true);
    w.tree->SetFocusedSelectColor(gdi::Rgb(200, 0, 0));
    w.tree->SetHideSelectColor(gdi::Rgb(0, 200, 0));
    w.Build({"A", "B"});
    w.tree->SetFocusedItem(w.Find("B"));
    w.View().setFocus();
    const bool active = w.View().IsActiveControl();
    const gdi::Bitmap focused = PaintOnBitmap(w);
    EXPECT_EQ(focused.Pixel(150, 25), active ? gdi::Rgb(200, 0, 0) : gdi::Rgb(0, 200, 0));
    w.View().clearFocus();
    w.window.setFocus();
    if (active) {
        EXPECT_EQ(PaintOnBitmap(w).Pixel(150, 25), gdi::Rgb(0, 200, 0)) << "hidden selection colour";
    }
}
