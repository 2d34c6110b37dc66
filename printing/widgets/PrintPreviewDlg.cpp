#include "printing/widgets/PrintPreviewDlg.h"

#include "controls/StatusFont.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"
#include "pictures/ZRMetaFile.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <cmath>

// One page, drawn at the size it is shown: metafiles are played at that
// size, raster pictures are stretched.
class TPreviewPage : public QWidget {
public:
    explicit TPreviewPage(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("img"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // The picture's own size; 1 x 1 when the file cannot be loaded.
    QSize Load(const QString& file) {
        metafile_.reset();
        raster_ = QImage();
        rendered_ = QImage();
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QLatin1String("emf") || suffix == QLatin1String("wmf")) {
            try {
                auto metafile = std::make_unique<TZRMetaFile>();
                metafile->LoadFromFile(file);
                if (!metafile->IsEmpty()) {
                    metafile_ = std::move(metafile);
                    return {std::max(1, metafile_->GetWidth()), std::max(1, metafile_->GetHeight())};
                }
            } catch (const std::exception&) {
            }
            return {1, 1};
        }
        if (!raster_.load(file)) return {1, 1};
        return raster_.size();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (rendered_.size() != size()) Render();
        QPainter painter(this);
        painter.drawImage(0, 0, rendered_);
    }

private:
    void Render() {
        const int w = std::max(1, width()), h = std::max(1, height());
        gdi::BitmapCanvas canvas(w, h);
        canvas.FillRect({0, 0, w, h}, gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
        if (metafile_) {
            try {
                metafile_->Draw(canvas, w / 2, h / 2, w, h, 0);
            } catch (const std::exception&) {
            }
        }
        rendered_ = canvas.bitmap().image().copy();
        if (!raster_.isNull()) {
            QPainter painter(&rendered_);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(0, 0, w, h), raster_);
        }
    }

    std::unique_ptr<TZRMetaFile> metafile_;
    QImage raster_;
    QImage rendered_;
};


TPrintPreviewDlg::TPrintPreviewDlg(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setSizeGripEnabled(true);
    // A tool bar, so that a narrow window offers the buttons that do not fit.
    auto* panToolbar = new QToolBar(this);
    panToolbar->setObjectName(QStringLiteral("panToolbar"));
    panToolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    panToolbar->setMovable(false);
    auto add = [&](const char* name, const QString& text, void (TPrintPreviewDlg::*handler)()) {
        QAction* action = panToolbar->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        QString hint = text;  // hints begin with a capital: the status bar shows them
        hint[0] = hint[0].toUpper();
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    add("BtnPrevious", QStringLiteral("vorherige Seite"), &TPrintPreviewDlg::BtnPreviousClick);
    lblSeitenzahl_ = new QLabel(panToolbar);
    lblSeitenzahl_->setObjectName(QStringLiteral("lblSeitenzahl"));
    lblSeitenzahl_->setMinimumWidth(50);
    lblSeitenzahl_->setAlignment(Qt::AlignCenter);
    panToolbar->addWidget(lblSeitenzahl_);
    add("BtnNext", QStringLiteral("nächste Seite"), &TPrintPreviewDlg::BtnNextClick);
    panToolbar->addSeparator();
    add("BtnZoomHoehe", QStringLiteral("Zoom auf Höhe"), &TPrintPreviewDlg::BtnZoomHoeheClick);
    add("BtnZoomBreite", QStringLiteral("Zoom auf Breite"), &TPrintPreviewDlg::BtnZoomBreiteClick);
    add("BtnZoomGanzeSeite", QStringLiteral("Ganze Vorlage"), &TPrintPreviewDlg::BtnZoomGanzeSeiteClick);
    add("BtnZoomOut", QStringLiteral("Ansicht verkleinern"), &TPrintPreviewDlg::BtnZoomOutClick);
    add("BtnZoomIn", QStringLiteral("Ansicht vergrößern"), &TPrintPreviewDlg::BtnZoomInClick);
    add("Btn1zu1", QStringLiteral("Ansicht 1:1"), &TPrintPreviewDlg::Btn1zu1Click);
    panToolbar->addSeparator();
    add("BtnSchliessen", QStringLiteral("Schließen"), &TPrintPreviewDlg::BtnSchliessenClick);

    sb_ = new QScrollArea(this);
    sb_->setObjectName(QStringLiteral("sb"));
    sb_->setBackgroundRole(QPalette::Dark);
    content_ = new QWidget;
    img_ = new TPreviewPage(content_);
    img_->move(kMargin, kMargin);
    bev_ = new QFrame(content_);
    bev_->setObjectName(QStringLiteral("bev"));
    bev_->resize(kMargin, kMargin);
    sb_->setWidget(content_);
    sb_->viewport()->installEventFilter(this);
    sb_->installEventFilter(this);  // Page Up and Down turn pages, also in the scroll box

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panToolbar);
    layout->addWidget(sb_, 1);

    if (parent) setGeometry(parent->window()->geometry());
    PlaceImage({1, 1});
    Localize();
}

TPrintPreviewDlg::~TPrintPreviewDlg() = default;

void TPrintPreviewDlg::SetFiles(std::vector<QString> files) { files_ = std::move(files); }

QSize TPrintPreviewDlg::ImageSize() const { return img_->size(); }

QString TPrintPreviewDlg::PageNumberText() const { return lblSeitenzahl_->text(); }

void TPrintPreviewDlg::ShowPage(int index) {
    if (index < 0 || index >= PageCount()) return;
    page_ = index;
    picture_ = img_->Load(files_[static_cast<size_t>(index)]);
    lblSeitenzahl_->setText(QStringLiteral("%1/%2").arg(index + 1).arg(PageCount()));
    img_->update();
}

void TPrintPreviewDlg::PlaceImage(QSize size) {
    size = size.expandedTo({1, 1});
    img_->resize(size);
    bev_->move(kMargin + size.width(), kMargin + size.height());
    content_->resize(size.width() + 2 * kMargin, size.height() + 2 * kMargin);
    img_->update();
}

void TPrintPreviewDlg::SetImageWidth(int width) {
    if (picture_.isEmpty()) return;
    width = std::max(width, 1);
    PlaceImage({width, MulDiv(width, picture_.height(), picture_.width())});
}

void TPrintPreviewDlg::SetImageHeight(int height) {
    if (picture_.isEmpty()) return;
    height = std::max(height, 1);
    PlaceImage({MulDiv(height, picture_.width(), picture_.height()), height});
}

void TPrintPreviewDlg::BtnZoomInClick() {
    fit_ = Fit::None;
    SetImageWidth(Round(std::min(4.0L * picture_.width(), img_->width() * 1.1L)));
}

void TPrintPreviewDlg::BtnZoomOutClick() {
    fit_ = Fit::None;
    SetImageWidth(Round(std::max(0.1L * picture_.width(), img_->width() / 1.1L)));
}

void TPrintPreviewDlg::Btn1zu1Click() {
    fit_ = Fit::None;
    PlaceImage(picture_);
}

void TPrintPreviewDlg::BtnZoomGanzeSeiteClick() {
    fit_ = Fit::WholePage;
    Refit();
}

void TPrintPreviewDlg::BtnZoomBreiteClick() {
    fit_ = Fit::Width;
    Refit();
}

void TPrintPreviewDlg::BtnZoomHoeheClick() {
    fit_ = Fit::Height;
    Refit();
}

void TPrintPreviewDlg::Refit() {
    if (picture_.isEmpty()) return;
    const QSize client = sb_->maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    switch (fit_) {
    case Fit::None: return;
    case Fit::WholePage: {
        int32_t w = picture_.width() + 2 * kMargin, h = picture_.height() + 2 * kMargin;
        FitSizeInto(w, h, client.width(), client.height());
        PlaceImage({w - 2 * kMargin, h - 2 * kMargin});
        return;
    }
    case Fit::Width: SetImageWidth(client.width() - 2 * kMargin - bar); return;
    case Fit::Height: SetImageHeight(client.height() - 2 * kMargin - bar); return;
    }
}

void TPrintPreviewDlg::showEvent(QShowEvent* event) {
    TLocalizerDialog::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    ShowPage(0);
    BtnZoomGanzeSeiteClick();
}

void TPrintPreviewDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp) return BtnPreviousClick();
    if (event->key() == Qt::Key_PageDown) return BtnNextClick();
    TLocalizerDialog::keyPressEvent(event);
}

bool TPrintPreviewDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sb_->viewport() && event->type() == QEvent::Resize) Refit();
    if (watched == sb_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return TLocalizerDialog::eventFilter(watched, event);
}

int ShowPrintPreview(const std::vector<QString>& files, QWidget* parent) {
    TPrintPreviewDlg dialog(parent);
    dialog.SetFiles(files);
    return dialog.exec();
}
