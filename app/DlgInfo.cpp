#include "app/DlgInfo.h"

#include "app/FileInfo.h"
#include "app/MessageBoxes.h"

#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPixmap AboutPicture() {
    QSvgRenderer svg(QStringLiteral(":/pictures/about.svg"));
    QPixmap pixmap(360, 140);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

}  // namespace

TDlgInfo::TDlgInfo(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Infos"));
    image_ = NamedLabel("Image1", QString(), this);
    image_->setPixmap(AboutPicture());
    image_->installEventFilter(this);
    auto* product = NamedLabel("Label1", QStringLiteral("Zorbit Etiketten-Designer"), this);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto* versionCaption = NamedLabel("Label2", QStringLiteral("Version:"), this);
    version_ = NamedLabel("Version", QString(), this);
    version_->setText(FileInfo().FullVersionText());
    auto* purpose = NamedLabel("Label3", QStringLiteral("Etiketten, Karten und CD-Beschriftungen gestalten und drucken."), this);
    purpose->setWordWrap(true);
    auto* copyright = NamedLabel("Label4", QStringLiteral("© Kroxa. Alle Rechte vorbehalten."), this);
    auto* web = NamedLabel("Label5", QStringLiteral("Im Internet:"), this);
    link_ = NamedLabel("Label6", QStringLiteral("www.kroxa.example"), this);
    link_->setCursor(Qt::PointingHandCursor);
    QFont underlined = link_->font();
    underlined.setUnderline(true);
    link_->setFont(underlined);
    link_->setStyleSheet(QStringLiteral("color: #2f6fc4;"));
    link_->installEventFilter(this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(image_, 0, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(product, 1, 0, 1, 2);
    grid->addWidget(versionCaption, 2, 0);
    grid->addWidget(version_, 2, 1);
    grid->addWidget(purpose, 3, 0, 1, 2);
    grid->addWidget(copyright, 4, 0, 1, 2);
    grid->addWidget(web, 5, 0);
    grid->addWidget(link_, 5, 1);
    grid->addWidget(ok_, 6, 0, 1, 2, Qt::AlignCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    Localize();
}

void TDlgInfo::BeforeLocalize() {
    RegisterText(QStringLiteral("NoBrowser"), QStringLiteral("Der Internet-Browser konnte nicht geöffnet werden"));
    RegisterText(QStringLiteral("Credits"),
                 QStringLiteral("Zorbit Etiketten-Designer\n\nEntwurf, Programmierung und Bilder: das Zorbit-Team bei Kroxa.\n"
                                "Danke an alle, die das Programm getestet haben."));
}

QString TDlgInfo::VersionText() const { return version_->text(); }

void TDlgInfo::Label6Click() {
    if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerWebAddress))))
        ShowMessageBox(TMessageKind::Plain, GetText(QStringLiteral("NoBrowser")), this);
}

void TDlgInfo::ProductNameMouseDown(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) ShowMessageBox(TMessageKind::Plain, GetText(QStringLiteral("Credits")), this);
}

bool TDlgInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == image_) ProductNameMouseDown(mouse->modifiers());
        if (watched == link_ && mouse->button() == Qt::LeftButton) Label6Click();
    }
    return TLocalizerDialog::eventFilter(watched, event);
}
