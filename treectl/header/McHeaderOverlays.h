#pragma once
// The two pictures the header shows over its neighbours while the mouse
// works: the line of a border being dragged and the section being dragged.

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

#include <cstdint>

// The line that shows where the dragged border will be: the pixels under
// it inverted, across the header's parent (so it crosses the rows below).
class TMcResizeLine : public QWidget {
public:
    explicit TMcResizeLine(QWidget* area) : QWidget(area) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }
    void ShowAt(int32_t x, QWidget& header) {
        QWidget* area = parentWidget();
        const QPoint at = header.mapTo(area, QPoint(x, 0));
        const QRect strip(at.x(), at.y(), 1, area->height() - at.y());
        hide();
        QImage under = area->grab(strip).toImage();
        under.invertPixels();
        picture_ = under;
        setGeometry(strip);
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};

// The dragged section's picture, following the pointer; pixels of the
// header's colour let the header show through.
class TMcDragImage : public QWidget {
public:
    TMcDragImage(QWidget* header, const QImage& image) : QWidget(header), image_(image) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        resize(image.size());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

