#include "pictures/widgets/DlgFilter.h"

#include "foundation/WaitCursor.h"
#include "foundation/widgets/DialogStyle.h"
#include "pictures/widgets/FilterPic.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QScopeGuard>
#include <QtGui/QCloseEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>

#include <algorithm>
#include <optional>

namespace {

constexpr int kClientWidth = 625;
constexpr int kClientHeight = 445;
constexpr int kChangeDelay = 40;

QFrame* PreviewPanel(QWidget* parent, const char* name, int left, TFilterPic*& picture) {
    QFrame* panel = Named(new QFrame(parent), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(left, 8, 300, 225);
    picture = new TFilterPic(panel);
    picture->setGeometry(panel->contentsRect());
    picture->SetColor(Qt::black);
    return panel;
}

}  // namespace

// A button of the bottom row: 75 pixels wide at its place, or as wide as its
// text needs, growing away from the nearer side of the dialog and pushing
// its neighbours along.
QPushButton* TDlgFilter::AddButton(const char* name, const QString& text, int left) {
    QPushButton* button = Named(new QPushButton(text, this), name);
    button->setAutoDefault(false);
    bottomButtons_.push_back({button, left});
    return button;
}

void TDlgFilter::PlaceButtons() {
    static constexpr int kWidth = 75, kGap = 5;
    std::vector<std::pair<QPushButton*, int>> row = bottomButtons_;
    std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    auto width = [](QPushButton* button) { return std::max(kWidth, button->sizeHint().width()); };
    int rightOfLast = 0;
    for (const auto& [button, left] : row) {
        if (left > kClientWidth / 2) continue;
        const int x = std::max(left, rightOfLast + kGap);
        button->setGeometry(x, 404, width(button), 25);
        rightOfLast = x + width(button);
    }
    int leftOfNext = kClientWidth;
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
        const auto& [button, left] = *it;
        if (left <= kClientWidth / 2) continue;
        const int right = std::min(left + kWidth, leftOfNext - kGap);
        button->setGeometry(right - width(button), 404, width(button), 25);
        leftOfNext = right - width(button);
    }
}

TDlgFilter::TDlgFilter(QWidget* parent, std::span<const TFilterSliderInfo> sliders)
    : TLocalizerDialog(parent), sliderInfo_(sliders.begin(), sliders.end()) {
    BuildLayout();
}

TDlgFilter::~TDlgFilter() = default;

void TDlgFilter::BuildLayout() {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Bildnachbearbeitung"));
    setFixedSize(kClientWidth, kClientHeight);
    panAlt = PreviewPanel(this, "panAlt", 8, PicAlt);
    panNeu = PreviewPanel(this, "panNeu", 317, PicNeu);
    for (const TFilterSliderInfo& info : sliderInfo_) {
        auto* slider = new TFilterSlider(this);
        slider->setGeometry(90, info.top, 510, 30);
        slider->SetSliderMode(info.mode);
        slider->SetPosition(info.start);
        slider->SetChangeDelay(kChangeDelay);
        slider->OnChange = [this](TFilterSlider&) { SliderChange(); };
        QLabel* label = Named(new QLabel(QString::fromUtf8(info.label), this), info.labelName);
        label->setGeometry(8, info.top, 80, slider->height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setBuddy(slider);
        Labels.push_back(label);
        Sliders.push_back(slider);
    }
    BtnZuruecksetzen = AddButton("BtnZuruecksetzen", QStringLiteral("Zurücksetzen"), 8);
    BtnOK = AddButton("BtnOK", QStringLiteral("OK"), 464);
    BtnOK->setDefault(true);
    Button2 = AddButton("Button2", QStringLiteral("Abbrechen"), 544);
    PlaceButtons();
    ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(0, kClientHeight - 10, kClientWidth, 10);
    connect(BtnZuruecksetzen, &QPushButton::clicked, this, [this] { BtnZuruecksetzenClick(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { reject(); });
}

void TDlgFilter::SetDIB(imaging::DibHandle dib) { PicAlt->Dib().SetDIB(std::move(dib)); }

imaging::Dib* TDlgFilter::GetDIB() const { return PicAlt->Dib().Handle(); }

void TDlgFilter::SliderChange() {
    if (filtering_) return;  // a change still pending when OK began
    imaging::DibHandle preview = PicAlt->PreviewDIB();
    if (!preview) return;
    if (preview->BitCount() < 24) imaging::ConvertDIB(preview, 24);
    Filter(*preview, {});
    PicNeu->Dib().SetDIB(std::move(preview));
    PicNeu->repaint();
}

void TDlgFilter::ResetSliders() {
    for (size_t i = 0; i < Sliders.size(); ++i) Sliders[i]->SetPosition(sliderInfo_[i].start);
}

void TDlgFilter::BtnZuruecksetzenClick() {
    ResetSliders();
    SliderChange();
}

void TDlgFilter::SetControlsEnabled(bool enabled) {
    for (TFilterSlider* slider : Sliders) slider->setEnabled(enabled);
    for (QPushButton* button : findChildren<QPushButton*>()) button->setEnabled(enabled);
}

void TDlgFilter::BtnOKClick() {
    if (filtering_) return;
    if (imaging::Dib* picture = GetDIB()) {
        filtering_ = true;
        SetControlsEnabled(false);
        const auto restore = qScopeGuard([this] {
            filtering_ = false;
            SetControlsEnabled(true);
        });
        std::optional<TWaitCursor> wait;
        if (ShowsWaitCursor()) wait.emplace();
        TZRDib& full = PicAlt->Dib();
        if (picture->BitCount() < 24) full.ConvertDIB(24);
        // The event loop runs now and then from the progress report: the
        // window repaints and moves, while its controls wait.
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        Filter(*full.Handle(), [this, &sinceEvents](int32_t percent) {
            if (ProgressBar1->value() != percent) ProgressBar1->setValue(percent);
            if (sinceEvents.elapsed() >= EventInterval) {
                QCoreApplication::processEvents();
                sinceEvents.restart();
            }
        });
        full.PixelsChanged();
    }
    accept();
}

void TDlgFilter::reject() {
    if (!filtering_) TLocalizerDialog::reject();
}

void TDlgFilter::closeEvent(QCloseEvent* event) {
    if (filtering_) {
        event->ignore();
        return;
    }
    TLocalizerDialog::closeEvent(event);
}

void TDlgFilter::showEvent(QShowEvent* event) {
    TLocalizerDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

imaging::DibHandle RunFilterDialog(TDlgFilter& dialog, const imaging::Dib& picture) {
    dialog.SetDIB(imaging::CopyHandle(picture));
    if (dialog.exec() != QDialog::Accepted || !dialog.GetDIB()) return nullptr;
    return imaging::CopyHandle(*dialog.GetDIB());
}
