#pragma once
// The drop-down menu of a tool-bar button: a column of text items drawn by
// the program, opened below the button. The item under the mouse is
// highlighted; releasing the left button on an item chooses it; Up, Down,
// Home and End move the highlight and Enter or Space choose it. It closes
// like the other popups of controls (see PopupCapture.h).

#include "controls/PopupCapture.h"

#include <QtCore/QList>
#include <QtCore/QString>

#include <functional>

class TDropMenu : public TPopupWindow {
    Q_OBJECT
public:
    static constexpr int kFrame = 2;
    static constexpr int kTextMargin = 8;

    // The button that opens it holds the capture while it is open.
    explicit TDropMenu(QWidget* button);
    ~TDropMenu() override;

    void Clear();
    void AddItem(const QString& caption, int tag);
    int Count() const { return int(items_.size()); }
    QString Caption(int index) const { return items_.at(index).caption; }
    int Tag(int index) const { return items_.at(index).tag; }

    // Opens below the screen rectangle of the button (above it or moved left
    // near the screen's edges).
    void Popup(const QRect& buttonOnScreen);
    void Close();
    bool IsOpen() const { return capture_->Active(); }

    int ItemHeight() const;
    QRect ItemRect(int index) const;
    int ItemAt(const QPoint& point) const;
    int Highlighted() const { return highlighted_; }

    // The tag of the chosen item, after the menu closed.
    std::function<void(int tag)> OnItemClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Item {
        QString caption;
        int tag;
    };
    void Highlight(int index);
    void Choose(int index);

    QWidget* button_;
    TPopupCapture* capture_;
    QList<Item> items_;
    int highlighted_ = -1;
};
