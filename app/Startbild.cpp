#include "app/Startbild.h"

#include "app/FileInfo.h"

#include "foundation/FormatText.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtSvg/QSvgRenderer>
#include <QtWidgets/QLabel>

TStartbild::TStartbild(QWidget* parent)
    : TLocalizerWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      lbVersion_(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    lbVersion_->setObjectName(QStringLiteral("lbVersion"));
    // The picture leaves the area right of x 220 above the baseline 280 free
    // for this line.
    lbVersion_->setGeometry(220, 266, 166, 18);
    lbVersion_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = lbVersion_->font();
    font.setPixelSize(11);
    lbVersion_->setFont(font);
    lbVersion_->setStyleSheet(QStringLiteral("color: #28313c; background: transparent;"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - kWidth) / 2, area.top() + (area.height() - kHeight) / 2);
    }
    Localize();
}

void TStartbild::BeforeLocalize() { RegisterText(QStringLiteral("VersionFormat"), QStringLiteral("Version %d.%.2d")); }

void TStartbild::AfterLocalize() {
    const TProjVersion& version = FileInfo().fileVersion;
    lbVersion_->setText(FormatText(GetText(QStringLiteral("VersionFormat")), {int(version.vv), int(version.rr)}));
}

QString TStartbild::VersionText() const { return lbVersion_->text(); }

void TStartbild::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QSvgRenderer picture(QStringLiteral(":/pictures/splash.svg"));
    picture.render(&painter, QRectF(rect()));
}
