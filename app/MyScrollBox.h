#pragma once
// The scroll box of the field panel: a press on it takes the focus (it is a
// tab stop), and it reports its scrolling and every change of its size.

#include <QtWidgets/QScrollArea>

#include <functional>

class TMyScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TMyScrollBox(QWidget* parent = nullptr);

    // After the position of either scroll bar changed.
    std::function<void()> OnScroll;
    // After each change of size.
    std::function<void()> OnAfterResize;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
