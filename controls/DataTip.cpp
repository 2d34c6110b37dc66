#include "controls/DataTip.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QScreen>

TQNDataTip::TQNDataTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TQNDataTip::ShowAtCursor(const QString& text) {
    const QPoint cursor = QCursor::pos();
    ShowAt(cursor.x() + 12, cursor.y() + 10, text);
}

void TQNDataTip::ShowAt(int x, int y, const QString& text) {
    if (!enabled_) return;
    const QString shown = QLatin1Char(' ') + text;
    ActivateHint(CalcHintRect(kMaxTextWidth, shown).translated(x, y), shown);
}

void TQNDataTip::ShowFormatted(int x, int y, QStringView format, std::initializer_list<FormatArg> args) {
    ShowAt(x, y, FormatText(format, args));
}

void TQNDataTip::SetText(const QString& text) {
    text_ = text;
    update();
}

QRect TQNDataTip::CalcHintRect(int maxWidth, const QString& text) const {
    QRect r = fontMetrics().boundingRect(QRect(0, 0, maxWidth, 0), Qt::AlignLeft | Qt::TextWordWrap, text);
    return QRect(0, 0, r.width() + 6, r.height() + 2);
}

QRect TQNDataTip::PlaceTip(const QRect& hintRect, const QRect& screen) {
    QRect tip(hintRect.topLeft(), hintRect.size() + QSize(4, 4));
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (hintRect.x() + hintRect.width() + 4 > screenRight) tip.moveLeft(hintRect.x() - tip.width() - 24);
    if (hintRect.y() + hintRect.height() + 4 > screenBottom) tip.moveTop(hintRect.y() - tip.height() - 20);
    return tip;
}

void TQNDataTip::ActivateHint(const QRect& hintRect, const QString& text) {
    text_ = text;
    QScreen* screen = QGuiApplication::screenAt(hintRect.topLeft());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
    setGeometry(PlaceTip(hintRect, screenRect));
    show();
    raise();
    update();
}

void TQNDataTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
}

TQNDataTip& DataTip() {
    static QPointer<TQNDataTip> tip;
    if (!tip) {
        tip = new TQNDataTip;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] { delete tip.data(); });
    }
    return *tip;
}
