// The view, a pair of rulers and the tab strip together, as a document
// window lays them out: the rulers follow the view's zoom and scroll. With
// ZORBIT_SCREENSHOTS set to a folder, the window is saved there at each zoom.
#include "app/DottedLine.h"
#include "app/MMWindow.h"
#include "app/QDXTabSet.h"
#include "app/QNLineal.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRuler = 20;

// A label of 100 x 60 mm: face and shadow, a 5-mm grid and a frame.
void PaintLabel(TMMWindow& view) {
    TScaleCanvas& c = view.GetScaleCanvas();
    c.Pen() = gdi::Pen{};
    c.Pen().style = gdi::PenStyle::Null;
    c.Brush() = gdi::SolidBrush(gdi::Rgb(0x80, 0x80, 0x80));
    c.FillRect(1.5f, 1.5f, 101.5f, 61.5f);
    c.Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
    c.FillRect(0, 0, 100, 60);
    c.Pen() = gdi::Pen{};
    c.Pen().color = gdi::Rgb(0xE0, 0xE0, 0xE0);
    for (int x = 0; x <= 100; x += 5) c.Line(static_cast<float>(x), 0, static_cast<float>(x), 60);
    for (int y = 0; y <= 60; y += 5) c.Line(0, static_cast<float>(y), 100, static_cast<float>(y));
    c.Pen().color = gdi::Rgb(0, 0, 0);
    c.Brush().style = gdi::BrushStyle::Null;
    c.Rectangle(0, 0, 100, 60);
}

class PartsWindow : public QWidget {
public:
    PartsWindow() {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        auto* corner = new QWidget(this);
        corner->setFixedSize(kRuler, kRuler);
        horizontal = new TQNLineal(this);
        horizontal->setFixedHeight(kRuler);
        vertical = new TQNLineal(this);
        vertical->setFixedWidth(kRuler);
        vertical->SetOrientation(TLinealOrientation::LOVertikal);
        view = new TMMWindow(this);
        view->SetTemplateWidth(100);
        view->SetTemplateHeight(60);
        view->SetWorldWidth(1000);
        view->SetWorldHeight(1000);
        view->SetColor(gdi::Rgb(0xD4, 0xD0, 0xC8));
        view->OnPaint = [this] { PaintLabel(*view); };
        view->OnScroll = [this] { FollowView(); };
        tabs = new TQDXTabSet(this);
        tabs->setFixedHeight(21);
        tabs->SetSelectedColor(gdi::SystemColor(gdi::COLOR_WINDOW));
        tabs->SetUnselectedColor(gdi::SystemColor(gdi::COLOR_BTNFACE));
        tabs->SetTabHeight(19);
        for (int i = 1; i <= 4; ++i) tabs->Tabs().Add(QStringLiteral("Design %1").arg(i));
        tabs->SetTabIndex(1);
        grid->addWidget(corner, 0, 0);
        grid->addWidget(horizontal, 0, 1);
        grid->addWidget(vertical, 1, 0);
        grid->addWidget(view, 1, 1);
        grid->addWidget(tabs, 2, 0, 1, 2);
        resize(560, 420);
    }

    // The rulers' zero lies where the view shows the label's corner.
    void FollowView() {
        const TScaleCanvas& c = view->WindowCanvas();
        horizontal->SetPixPerdm(c.ScaleX * 100.0);
        vertical->SetPixPerdm(c.ScaleY * 100.0);
        horizontal->SetStartNull(c.MMToPixelX(0));
        vertical->SetStartNull(c.MMToPixelY(0));
    }

    TQNLineal* horizontal;
    TQNLineal* vertical;
    TMMWindow* view;
    TQDXTabSet* tabs;
};

}  // namespace

TEST(DocWindowParts, RulersFollowTheViewAtEveryZoom) {
    PartsWindow window;
    window.show();
    QCoreApplication::processEvents();
    const char* folder = std::getenv("ZORBIT_SCREENSHOTS");
    for (const double zoom : {0.5, 1.0, 4.0}) {
        window.view->ZoomAt(zoom, zoom > 2 ? 20.0f : 50.0f, zoom > 2 ? 15.0f : 30.0f);
        QCoreApplication::processEvents();
        const TScaleCanvas& c = window.view->WindowCanvas();
        // A labelled tick at the label's left edge and at each whole centimetre (5 cm at 0.5).
        const TRulerScale h = ComputeRulerScale(window.horizontal->PixPerdm(), window.horizontal->StartNull(), false,
                                                window.horizontal->width());
        const float step = zoom < 0.6 ? 50.0f : 10.0f;
        for (const float mm : {0.0f, step}) {
            const int32_t at = c.MMToPixelX(mm);
            if (at < 0 || at >= window.horizontal->width()) continue;
            EXPECT_TRUE(std::any_of(h.majorTicks.begin(), h.majorTicks.end(), [&](int32_t t) { return std::abs(t - at) <= 1; }))
                << zoom << " " << mm;
        }
        const TRulerScale v = ComputeRulerScale(window.vertical->PixPerdm(), window.vertical->StartNull(), false,
                                                window.vertical->height());
        const int32_t top = c.MMToPixelY(0);
        if (top >= 0 && top < window.vertical->height()) {
            EXPECT_TRUE(std::any_of(v.majorTicks.begin(), v.majorTicks.end(), [&](int32_t t) { return std::abs(t - top) <= 1; }));
        }
        // The mark follows the pointer over the view.
        window.horizontal->UpdateCursorMarkAt(QPoint(c.MMToPixelX(5), 0));
        window.vertical->UpdateCursorMarkAt(QPoint(0, c.MMToPixelY(5)));
        DrawDottedRect(window.view->DrawCanvas(), c.MMToPixelX(5), c.MMToPixelY(5), c.MMToPixelX(30), c.MMToPixelY(20));
        QCoreApplication::processEvents();
        if (folder) window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("docwindow-zoom-%1.png").arg(zoom)));
        DrawDottedRect(window.view->DrawCanvas(), c.MMToPixelX(5), c.MMToPixelY(5), c.MMToPixelX(30), c.MMToPixelY(20));
    }
    // More designs than the bar can show: the scroller appears.
    for (int i = 5; i <= 12; ++i) window.tabs->Tabs().Add(QStringLiteral("Design %1").arg(i));
    window.tabs->SetTabIndex(11);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.tabs->Scroller().isVisible());
    if (folder) window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("docwindow-tabs.png")));
}
