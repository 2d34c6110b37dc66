#include "printing/widgets/PreviewProgressDlg.h"

#include "controls/StatusFont.h"

#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <utility>

TPreviewProgressDlg::TPreviewProgressDlg(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Druckvorschau"));
    auto* note = new QLabel(QStringLiteral(
        "Die Vorschauseiten werden generiert. Dies kann je nach Umfang einige Zeit benötigen. Sie können aber "
        "jederzeit das Erzeugen abbrechen und nur die bisher erzeugten Seiten anzeigen."), this);
    note->setObjectName(QStringLiteral("lblHinweis"));
    note->setWordWrap(true);
    note->setFixedWidth(320);
    lblSeiten_ = new QLabel(this);
    lblSeiten_->setObjectName(QStringLiteral("lblSeiten"));
    auto* now = new QPushButton(QStringLiteral("Sofort anzeigen"), this);
    now->setObjectName(QStringLiteral("BtnSofort"));
    connect(now, &QPushButton::clicked, this, [this] { BtnSofortClick(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(lblSeiten_);
    layout->addWidget(now, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Localize();
}

void TPreviewProgressDlg::Run(Builder builder) {
    builder_ = std::move(builder);
    showNow_ = false;
    started_ = false;
    failure_ = nullptr;
    exec();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TPreviewProgressDlg::SetText(const QString& text) {
    lblSeiten_->setText(text);
    lblSeiten_->repaint();
}

QString TPreviewProgressDlg::Text() const { return lblSeiten_->text(); }

void TPreviewProgressDlg::showEvent(QShowEvent* event) {
    TLocalizerDialog::showEvent(event);
    // Once per Run, however often the window is shown or activated.
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, [this] { RunBuilder(); });
}

void TPreviewProgressDlg::RunBuilder() {
    try {
        if (builder_) builder_(*this);
    } catch (...) {
        failure_ = std::current_exception();  // Run raises it once the window is closed
    }
    QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
}
