// Every popup of the tool-bar controls closes the same ways: a press outside
// it (which still reaches the widget under the cursor), Escape, and the
// application losing the activation. The document keeps the focus all the
// while, and a button whose drop-down closed draws itself closed again.
#include "PopupTesting.h"

#include "controls/ColorToolbar.h"
#include "controls/DropMenu.h"
#include "controls/ZRColorPopupButton.h"
#include "controls/ZRPenWidthButton.h"
#include "controls/ZRRastenButton2.h"

#include <QtCore/QObject>

#include <functional>

namespace {

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

enum class Closing { OutsidePress, Escape, Deactivation };

struct PopupCase {
    const char* name;
    QWidget* control;
    std::function<void()> open;
    std::function<QWidget*()> popup;
    std::function<bool()> isOpen;
    bool redrawsWhenClosed;  // the strip keeps its pressed cell
};

class PopupClosing : public ::testing::Test {
protected:
    void SetUp() override {
        window.layout->addWidget(strip, 0, Qt::AlignTop);
        auto* buttons = new QVBoxLayout;
        for (QWidget* w : std::initializer_list<QWidget*>{colour, pen, grid}) buttons->addWidget(w);
        buttons->addStretch();
        window.layout->insertLayout(0, buttons);
        window.Show();
    }
    void Click(QWidget* w, const QPoint& local) { SystemClick(w->mapToGlobal(local)); }

    PopupHostWindow window;
    TQDXColorToolbar* strip = new TQDXColorToolbar(&window);
    TZRColorPopupButton* colour = new TZRColorPopupButton(&window);
    TZRPenWidthButton* pen = new TZRPenWidthButton(&window);
    TZRRastenButton2* grid = new TZRRastenButton2(&window);
};

}  // namespace

TEST_F(PopupClosing, EveryPopupClosesByOutsidePressEscapeAndDeactivation) {
    const QPoint stripCell(8, 4 * 14 + 7);
    const PopupCase cases[] = {
        {"colour strip", strip,
         [&] {
             SystemPress(strip->mapToGlobal(stripCell));
             SystemRelease(strip->mapToGlobal(stripCell));
         },
         [&] { return strip->Popup(); }, [&] { return strip->PopupActive(); }, false},
        {"colour palette", colour, [&] { Click(colour, colour->ArrowPart().center()); },
         [&] { return colour->Palette(); }, [&] { return colour->PaletteOpen(); }, true},
        {"pen-width menu", pen, [&] { Click(pen, pen->ArrowPart().center()); }, [&] { return pen->Menu(); },
         [&] { return pen->Menu()->IsOpen(); }, true},
        {"grid-step menu", grid, [&] { Click(grid, {10, 10}); }, [&] { return grid->Menu(); },
         [&] { return grid->Menu()->IsOpen(); }, true},
    };
    const std::pair<Closing, const char*> closings[] = {
        {Closing::OutsidePress, "press outside"}, {Closing::Escape, "Escape"}, {Closing::Deactivation, "deactivation"}};
    for (const PopupCase& c : cases) {
        for (const auto& [closing, how] : closings) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << how);
            c.open();
            ASSERT_TRUE(c.isOpen());
            EXPECT_TRUE(c.popup()->isVisible());
            EXPECT_EQ(QApplication::focusWidget(), window.document);
            QCoreApplication::processEvents();
            PaintCounter counter(c.control);
            const int clicksBefore = window.otherClicks;
            switch (closing) {
                case Closing::OutsidePress: SystemClick(window.GlobalCentre(window.other)); break;
                case Closing::Escape: SystemKey(Qt::Key_Escape); break;
                case Closing::Deactivation:
                    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
                    break;
            }
            QCoreApplication::processEvents();
            EXPECT_FALSE(c.isOpen());
            EXPECT_FALSE(c.popup()->isVisible());
            EXPECT_EQ(QApplication::focusWidget(), window.document);
            EXPECT_EQ(window.otherClicks - clicksBefore, closing == Closing::OutsidePress ? 1 : 0);
            if (c.redrawsWhenClosed) {
                EXPECT_GT(counter.paints, 0) << "the control still draws its drop-down open";
            }
        }
    }
}
