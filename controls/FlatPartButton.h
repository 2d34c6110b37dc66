#pragma once
// The flat look of the tool-bar buttons that drop something down: a main
// part and, at its right, an optional narrow arrow part. While the mouse is
// over the control a raised frame surrounds it, with a divider before the
// arrow part, unless themed drawing is on (ThemeServices); a pressed part is
// drawn sunken, and so is the arrow part while its drop-down is open. A part is clicked when the left button is released
// over the part it was pressed on.

#include <QtWidgets/QWidget>

class TFlatPartButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    enum class Part { None, Main, Arrow };

    QRect MainPart() const;
    // Empty without an arrow part.
    QRect ArrowPart() const;
    Part PartAt(const QPoint& point) const;
    bool Hovered() const { return hover_; }

    // "short text|long text": the tool tip and the status-bar text.
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);

    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

protected:
    // A control of a fixed size; the arrow part starts at arrowLeft.
    TFlatPartButton(QWidget* parent, QSize size, int arrowLeft);

    void SetArrowShown(bool shown);
    virtual void MainClicked() = 0;
    virtual void ArrowClicked() {}
    // The picture of the main part (greyed by the caller when disabled).
    virtual void PaintFace(QPainter& painter) = 0;
    virtual bool DropDownOpen() const { return false; }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString hint_;
    QSize size_;
    int arrowLeft_;
    bool arrowShown_ = true;
    Part pressed_ = Part::None;
    bool hover_ = false;
};
