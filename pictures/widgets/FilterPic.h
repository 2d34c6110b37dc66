#pragma once
// The preview of the picture post-processing: shows its DIB fitted into the
// client area (touching it on one side, keeping the aspect), centred on a
// background colour, and hands out copies at the displayed size for fast
// previews. Every new DIB sets the zoom back to 1.

#include "pictures/ZRDib.h"

#include <QtGui/QColor>
#include <QtWidgets/QWidget>

class TFilterPic : public QWidget {
    Q_OBJECT
public:
    explicit TFilterPic(QWidget* parent = nullptr);

    // The held DIB; set a new one through its SetDIB.
    TZRDib& Dib() { return dib_; }
    const TZRDib& Dib() const { return dib_; }

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    float Zoom() const { return zoom_; }
    void SetZoom(float value);

    // Where the DIB is drawn: the fitted size centred in the client area.
    QRect PictureRect() const;
    // A new DIB at the displayed size; none without DIB.
    imaging::DibHandle PreviewDIB() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZRDib dib_;
    QColor color_ = Qt::black;
    float zoom_ = 1.0f;
};

// The picture's size fitted into the client size keeping its aspect, times
// zoom, rounded.
QSize FitPictureSize(QSize picture, QSize client, float zoom);
