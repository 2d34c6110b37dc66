#pragma once
// What the header shows over its neighbours while the mouse works: a
// picture in a window of its own that lets the mouse through. The line of
// a border being dragged is the strip under it, inverted; the dragged
// section is its own picture, with see-through pixels where the header's
// colour was.

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

#include <cstdint>

class TMcOverlay : public QWidget {
public:
    explicit TMcOverlay(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        hide();
    }
    void ShowPicture(const QImage& picture, const QPoint& at) {
        picture_ = picture;
        setGeometry(QRect(at, picture.size()));
        raise();
        show();
        update();
    }
    // The one-pixel strip at header x of the overlay's parent, from the
    // header's top down, inverted.
    void ShowInvertedStrip(int32_t x, QWidget& header) {
        QWidget* area = parentWidget();
        const QPoint at = header.mapTo(area, QPoint(x, 0));
        const QRect strip(at.x(), at.y(), 1, area->height() - at.y());
        hide();
        QImage under = area->grab(strip).toImage();
        under.invertPixels();
        ShowPicture(under, strip.topLeft());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};
