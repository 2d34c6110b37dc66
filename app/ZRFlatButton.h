#pragma once
// A push button drawn flat, optionally with a drop-down part: fbButton is a
// plain button, fbDropDown shows an arrow after its caption and opens its
// menu on a click, fbCombo has a separate arrow part at the right that opens
// the menu while the main part clicks.

#include <QtCore/QPointer>
#include <QtGui/QColor>
#include <QtWidgets/QMenu>
#include <QtWidgets/QWidget>


enum class TZRFlatButtonStyle { fbButton = 0, fbDropDown = 1, fbCombo = 2 };

class TZRFlatButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    // State bits.
    static constexpr int kMouseOver = 1;
    static constexpr int kMainPressed = 2;
    static constexpr int kDropPressed = 4;
    static constexpr int kFocused = 8;

    explicit TZRFlatButton(QWidget* parent = nullptr);

    TZRFlatButtonStyle Style() const { return style_; }
    void SetStyle(TZRFlatButtonStyle style);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int width);
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& color);
    QColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(const QColor& color);
    QColor HighlightColorText() const { return highlightColorText_; }
    void SetHighlightColorText(const QColor& color);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // The menu of the drop-down part; cleared when the menu is destroyed.
    QMenu* ComboPopupMenu() const { return menu_; }
    void SetComboPopupMenu(QMenu* menu) { menu_ = menu; }

    int State() const { return state_; }
    // The main part; for fbCombo without the drop-down part, which starts
    // one pixel left of the main part's right edge.
    QRect MainRect() const;
    QRect DropDownRect() const;

    // Opens ComboPopupMenu below the button (nothing without a menu).
    virtual void DropDown();

    QSize sizeHint() const override { return {40, 20}; }

signals:
    void clicked();

protected:
    void Click();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void SetStateBit(int bit, bool on);
    void Press(const QPoint& pos);
    void Release(const QPoint& pos);
    void DrawArrow(QPainter& painter, const QRect& area, const QColor& color) const;
    void UpdateMnemonic();

    TZRFlatButtonStyle style_ = TZRFlatButtonStyle::fbButton;
    bool flat_ = true;
    int dropDownWidth_ = 12;
    QColor borderColor_ = Qt::black;
    QColor highlightColor_ = QColor(0x80, 0x80, 0x80);
    QColor highlightColorText_ = Qt::white;
    QColor color_;
    QString caption_;
    QPointer<QMenu> menu_;
    int state_ = 0;
    bool mouseDown_ = false;
    int pressPart_ = 0;  // 0 none, 1 main part, 2 drop-down part
    int mnemonicId_ = 0;
};
