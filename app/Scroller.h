#pragma once
// The two-arrow scroller of the tab strip: the left half steps Position
// down by Change, the right half up. A half is drawn disabled at its end of
// the range and pressed while the mouse holds it.

#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include <functional>

class TScroller : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 23;
    static constexpr int kHeight = 13;

    explicit TScroller(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Min is taken only below Max, Max only above Min.
    void SetMin(int value);
    void SetMax(int value);
    // Kept within Min..Max; a change repaints and reports a click.
    void SetPosition(int value);
    int Change = 1;

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Half { None, Left, Right };
    Half HalfAt(QPoint p) const;
    bool Enabled(Half h) const;
    QPixmap Picture(Half h) const;

    int min_ = 0;
    int max_ = 0;
    int position_ = 0;
    Half held_ = Half::None;   // the half the mouse went down on
    bool pressed_ = false;     // shown pressed: the mouse is over the held half
};
