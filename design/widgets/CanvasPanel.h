#pragma once
// A framed panel that its owner paints: with a paint handler set, painting
// the panel calls it (with a painter on the panel) instead of the panel's own
// painting.

#include <QtWidgets/QFrame>

#include <functional>

class QPainter;

class TCanvasPanel : public QFrame {
    Q_OBJECT
public:
    using PaintHandler = std::function<void(TCanvasPanel& sender, QPainter& painter)>;

    explicit TCanvasPanel(QWidget* parent = nullptr);

    void SetOnPaint(PaintHandler handler) { onPaint_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler onPaint_;
};
