#include "printing/widgets/DlgDruckPosition2.h"

#include "controls/StatusFont.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QPainter>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <functional>

namespace {

constexpr float kCentredPageWidth = 210;  // the A4 width, whatever the sheet's page width
constexpr gdi::Color kArrowColor = gdi::Rgb(255, 0, 0);

enum class Arrow { Right, Left, Down, Up };

// An arrow of 30 pixels from the centre with a white band behind it.
void DrawArrow(gdi::Canvas& canvas, int32_t cx, int32_t cy, Arrow arrow) {
    // Along the arrow's axis a, across it b; (a, b) -> device.
    const int32_t sign = arrow == Arrow::Right || arrow == Arrow::Down ? 1 : -1;
    const bool horizontal = arrow == Arrow::Right || arrow == Arrow::Left;
    auto at = [&](int32_t a, int32_t b) {
        return horizontal ? gdi::Point{cx + sign * a, cy + b} : gdi::Point{cx + b, cy + sign * a};
    };
    const gdi::Point bandFrom = at(-2, -8), bandTo = at(32, 8);
    canvas.FillRect({std::min(bandFrom.x, bandTo.x), std::min(bandFrom.y, bandTo.y), std::max(bandFrom.x, bandTo.x),
                     std::max(bandFrom.y, bandTo.y)},
                    gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
    const gdi::Point tip = at(30, 0);
    for (const gdi::Point from : {at(0, 0), at(20, -4), at(20, 4)}) {
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(tip.x, tip.y);
    }
}

void PaintPicture(gdi::Canvas& canvas, int32_t width, int32_t height, const TPrintSheetPicture& sheet, double x,
                  double y) {
    {
        // Until reset, one device unit is one millimetre: the zoom alone scales.
        TScaleCanvas scale(&canvas);
        scale.Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
        scale.SetZoom(static_cast<float>((height - 1) / static_cast<double>(sheet.PageHeight)));
        scale.SetPhysicalOffsetX((scale.MMToPixel(kCentredPageWidth) - width) / 2);
        DrawSheetPicture(scale, sheet);
    }
    const int32_t cx = width / 2, cy = height / 2;
    gdi::Pen arrowPen;
    arrowPen.width = 2;
    arrowPen.color = kArrowColor;
    canvas.SetPen(arrowPen);
    if (x > 0) DrawArrow(canvas, cx, cy, Arrow::Right);
    if (x < 0) DrawArrow(canvas, cx, cy, Arrow::Left);
    if (y > 0) DrawArrow(canvas, cx, cy, Arrow::Down);
    if (y < 0) DrawArrow(canvas, cx, cy, Arrow::Up);
    canvas.SetPen(gdi::Pen{});
}

QToolButton* ArrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, std::function<void()> click) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setMinimumSize(28, 28);
    QObject::connect(button, &QToolButton::clicked, parent, std::move(click));
    return button;
}

struct OffsetGroupNames {
    const char* group;
    const char* caption;
    const char* less;
    Qt::ArrowType lessArrow;
    const char* more;
    Qt::ArrowType moreArrow;
    const char* label;
};

// One axis: its two arrow buttons and the offset in words below them.
QGroupBox* OffsetGroup(QWidget* parent, const OffsetGroupNames& names, std::function<void()> less,
                       std::function<void()> more, QLabel*& label) {
    auto* group = new QGroupBox(QString::fromUtf8(names.caption), parent);
    group->setObjectName(QString::fromLatin1(names.group));
    label = new QLabel(group);
    label->setObjectName(QString::fromLatin1(names.label));
    label->setMinimumWidth(170);
    auto* grid = new QGridLayout(group);
    grid->addWidget(ArrowButton(group, names.less, names.lessArrow, std::move(less)), 0, 0);
    grid->addWidget(ArrowButton(group, names.more, names.moreArrow, std::move(more)), 0, 1);
    grid->addWidget(label, 1, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return group;
}

}  // namespace

// The sheet picture: rendered off-screen, then shown.
class TSheetPaintBox : public QWidget {
public:
    explicit TSheetPaintBox(TDlgDruckPosition2* dialog) : QWidget(dialog), dialog_(dialog) {
        setObjectName(QStringLiteral("pbBogen"));
        setFixedSize(190, 250);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QColor window = palette().color(QPalette::Window);
        const gdi::Bitmap picture =
            dialog_->RenderPicture(width(), height(), gdi::Rgb(window.red(), window.green(), window.blue()));
        QPainter painter(this);
        painter.drawImage(0, 0, picture.image());
    }

private:
    TDlgDruckPosition2* dialog_;
};

TDruckPositionHooks& DruckPositionHooks() {
    static TDruckPositionHooks hooks;
    return hooks;
}

TDlgDruckPosition2::TDlgDruckPosition2(QWidget* parent) : TLocalizerDialog(parent), offsets_(false) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Druckposition"));
    if (DruckPositionHooks().ActiveSheet) {
        if (std::optional<TPrintSheetPicture> sheet = DruckPositionHooks().ActiveSheet()) sheet_ = std::move(*sheet);
    }

    pbBogen_ = new TSheetPaintBox(this);

    QWidget* gbHori = OffsetGroup(this, {"gbHori", "waagrechte Verschiebung", "sbLeft", Qt::LeftArrow, "sbRight",
                                         Qt::RightArrow, "labHori"},
                                  [this] { sbLeftClick(); }, [this] { sbRightClick(); }, labHori_);
    QWidget* gbVert = OffsetGroup(this, {"gbVert", "senkrechte Verschiebung", "sbUp", Qt::UpArrow, "sbDown",
                                         Qt::DownArrow, "labVert"},
                                  [this] { sbUpClick(); }, [this] { sbDownClick(); }, labVert_);

    btnTestdruck_ = new QPushButton(QStringLiteral("Testdruck"), this);
    btnTestdruck_->setObjectName(QStringLiteral("BtnTestdruck"));
    btnTestdruck_->setEnabled(static_cast<bool>(DruckPositionHooks().TestPrint));
    auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("BtnOK"));
    btnOK->setDefault(true);
    auto* btnAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    btnAbbrechen->setObjectName(QStringLiteral("BtnAbbrechen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnTestdruck_);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnAbbrechen);
    auto* side = new QVBoxLayout;
    side->addWidget(gbHori);
    side->addWidget(gbVert);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(pbBogen_);
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnTestdruck_, &QPushButton::clicked, this, [this] { BtnTestdruckClick(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { cmdOKClick(); });
    connect(btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    Localize();
}

gdi::Bitmap TDlgDruckPosition2::RenderPicture(int width, int height, gdi::Color background) const {
    gdi::BitmapCanvas canvas(width, height);
    canvas.FillRect({0, 0, width, height}, gdi::SolidBrush(background));
    PaintPicture(canvas, width, height, sheet_, offsets_.X, offsets_.Y);
    return canvas.bitmap();
}

void TDlgDruckPosition2::Move(double dx, double dy) {
    offsets_.X += dx;
    offsets_.Y += dy;
    ShowTexts();
}

void TDlgDruckPosition2::ShowTexts() {
    labHori_->setText(offsets_.DescribeX());
    labVert_->setText(offsets_.DescribeY());
    pbBogen_->update();
}

void TDlgDruckPosition2::cmdOKClick() {
    offsets_.Save();
    accept();
}

void TDlgDruckPosition2::BtnTestdruckClick() {
    if (DruckPositionHooks().TestPrint) DruckPositionHooks().TestPrint(this, sheet_, offsets_.X, offsets_.Y);
}

bool ShowDruckPositionDialog(QWidget* parent) {
    TDlgDruckPosition2 dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}
