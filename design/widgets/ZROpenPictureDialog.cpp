#include "design/widgets/ZROpenPictureDialog.h"

#include "design/widgets/CanvasPanel.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/ViewTimer.h"

#include <QtCore/QFileInfo>
#include <QtCore/QSize>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kPaneBorder = 6;
constexpr int kCheckPanelHeight = 30;
constexpr int kPaneWidth = 200;
// Room for the file list's name, size and date columns beside the preview.
constexpr QSize kStartSize(860, 500);
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
constexpr const char* kSection = "TZROpenPictureDialog";

// The file dialog's own controls carry Qt's texts; the translators' export
// leaves them out.
void ExcludeDialogControls(QWidget* dialog, const QWidget* ownPane) {
    const QStringList properties = {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Text"),
                                    QStringLiteral("Items")};
    for (QObject* child : dialog->findChildren<QObject*>()) {
        if (child->objectName().isEmpty() || child == ownPane || ownPane->isAncestorOf(qobject_cast<QWidget*>(child)))
            continue;
        for (const QString& property : properties)
            Localizer().AddExportExclusion(QString::fromLatin1(kSection), child->objectName(), property);
    }
    Localizer().AddExportExclusion(QString::fromLatin1(kSection), QStringLiteral("ZROpenPictureDialog"),
                                   QStringLiteral("Caption"));
}

}  // namespace

TZROpenPictureDialog::TZROpenPictureDialog(QWidget* parent)
    : TLocalizedWindow<QFileDialog>(parent, {}), timer_(std::make_unique<TQtViewTimer>()) {
    setObjectName(QStringLiteral("ZROpenPictureDialog"));
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    timer_->OnTimeout = [this] { PreviewTimerFired(); };
    BuildPreviewPane();
    ExcludeDialogControls(this, panel1_);
    resize(sizeHint().expandedTo(kStartSize));
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) { SelectionChanged(path); });
}

TZROpenPictureDialog::~TZROpenPictureDialog() { timer_->Stop(); }

void TZROpenPictureDialog::BuildPreviewPane() {
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFixedWidth(kPaneWidth);
    cliPanel_ = new TCanvasPanel(panel1_);
    cliPanel_->setObjectName(QStringLiteral("CliPanel"));
    cliPanel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    cliPanel_->setMinimumHeight(kPaneWidth - 2 * kPaneBorder);
    cliPanel_->SetOnPaint([this](TCanvasPanel& panel, QPainter& painter) {
        const QRect area = panel.contentsRect();
        painter.fillRect(area, Qt::white);
        if (!bitmap_.IsEmpty()) painter.drawImage(area.topLeft(), bitmap_.image());
    });
    auto* checkPanel = new QWidget(panel1_);
    checkPanel->setObjectName(QStringLiteral("CheckPanel"));
    checkPanel->setFixedHeight(kCheckPanelHeight);
    cbVorschau_ = new QCheckBox(checkPanel);
    cbVorschau_->setObjectName(QStringLiteral("cbVorschau"));
    cbVorschau_->setGeometry(kPaneBorder, 0, kPaneWidth - 2 * kPaneBorder - kPaneBorder, kCheckPanelHeight);
    cbVorschau_->setChecked(true);
    connect(cbVorschau_, &QCheckBox::clicked, this, [this] { PreviewCheckClicked(); });

    auto* pane = new QVBoxLayout(panel1_);
    pane->setContentsMargins(kPaneBorder, kPaneBorder, kPaneBorder, kPaneBorder);
    pane->setSpacing(0);
    pane->addWidget(cliPanel_, 1);
    pane->addWidget(checkPanel);
    // The file dialog's grid gets a column of its own at the right.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(panel1_, 0, grid->columnCount(), grid->rowCount(), 1);
    ResetBitmap();
}

void TZROpenPictureDialog::SetPreviewTimer(std::unique_ptr<TViewTimer> timer) {
    timer_->Stop();
    timer_ = std::move(timer);
    timer_->OnTimeout = [this] { PreviewTimerFired(); };
}

void TZROpenPictureDialog::SetPreviewEnabled(bool enabled) {
    cbVorschau_->setChecked(enabled);
    PreviewCheckClicked();
}

bool TZROpenPictureDialog::GetPreviewEnabled() const { return cbVorschau_->isChecked(); }

void TZROpenPictureDialog::AfterLocalize() { cbVorschau_->setText(LocalizedText("IDS_OPVorschau")); }

void TZROpenPictureDialog::showEvent(QShowEvent* event) {
    TLocalizedWindow<QFileDialog>::showEvent(event);
    ResetBitmap();
}

void TZROpenPictureDialog::ResetBitmap() {
    const QSize size = cliPanel_->contentsRect().size();
    bitmap_ = gdi::Bitmap(std::max(size.width(), 1), std::max(size.height(), 1));
}

void TZROpenPictureDialog::ClearPreview() {
    bitmap_.Fill(kWhite);
    cliPanel_->update();
}

void TZROpenPictureDialog::SelectionChanged(const QString& path) {
    timer_->Stop();
    currentPath_ = path;
    const QFileInfo file(path);
    if (!path.isEmpty() && file.isFile() && file.isReadable()) {
        timer_->Start(kPreviewDelayMs);
    } else {
        ClearPreview();
    }
}

void TZROpenPictureDialog::PreviewTimerFired() {
    timer_->Stop();
    if (cbVorschau_->isChecked()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        bool success = true;
        try {
            if (onPreview_) onPreview_(*this, bitmap_, success, currentPath_);
        } catch (const std::exception& e) {
            Debug().Log(QStringLiteral("No preview of %1: %2").arg(currentPath_, QString::fromUtf8(e.what())));
            success = false;
        } catch (...) {
            success = false;
        }
        if (!success) bitmap_.Fill(kWhite);
        QGuiApplication::restoreOverrideCursor();
    }
    cliPanel_->update();
}

void TZROpenPictureDialog::PreviewCheckClicked() {
    if (cbVorschau_->isChecked()) {
        SelectionChanged(currentPath_);
    } else {
        timer_->Stop();
        ClearPreview();
    }
}

void TZROpenPictureDialog::done(int result) {
    timer_->Stop();
    TLocalizedWindow<QFileDialog>::done(result);
}
