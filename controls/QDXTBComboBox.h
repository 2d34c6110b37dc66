#pragma once
// Combo boxes for tool bars. TQDXTBComboBox is flat: a thin frame and its
// own drop-down button appear only while the mouse is over it or it has the
// focus. TQDXTBFontComboBox lists the installed outline fonts, each name
// once, drawn with a small font sign; while its list is open a preview
// window beside it shows the highlighted font.

#include <QtWidgets/QComboBox>

#include <functional>

class TQDXTBFontWindow;

class TQDXTBComboBox : public QComboBox {
    Q_OBJECT
public:
    // Bits of State().
    enum : int { kHover = 1, kPressed = 2, kFocused = 4 };

    explicit TQDXTBComboBox(QWidget* parent = nullptr);

    int State() const { return state_; }
    // The rectangle of the drop-down button.
    QRect ButtonRect() const;

    void hidePopup() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The list closed.
    std::function<void()> OnCloseUp;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetBit(int bit, bool on);
    void FitHeight();

    int state_ = 0;
};

class TQDXTBFontComboBox : public TQDXTBComboBox {
    Q_OBJECT
    Q_PROPERTY(QString PreviewText READ PreviewText WRITE SetPreviewText)
public:
    explicit TQDXTBFontComboBox(QWidget* parent = nullptr);

    // The selected font name; empty when none is selected.
    QString GetFontName() const;
    // Selects the item of that name (any case); no item when it is missing.
    void SetFontName(const QString& name);

    QString PreviewText() const { return previewText_; }
    void SetPreviewText(const QString& text) { previewText_ = text; }
    TQDXTBFontWindow* Preview() const { return preview_; }

    // Takes the font list again, keeping the selected name (the first item
    // when it is gone). Runs when the installed fonts change.
    void Refill();

    // The names of a font list: outline fonts only (by the test), the
    // foundry in brackets left out, each name once regardless of case,
    // sorted without regard to case.
    static QStringList FontNames(const QStringList& families, const std::function<bool(const QString&)>& isOutline);
    // Where Refill takes the families and the outline test from; tests
    // replace them. By default the system's font database.
    static std::function<QStringList()> InstalledFamilies;
    static std::function<bool(const QString&)> IsOutlineFont;

    void showPopup() override;
    void hidePopup() override;

private:
    void ShowPreview(int index);

    QString previewText_ = QStringLiteral("Franz jagt im komplett ...");
    TQDXTBFontWindow* preview_;
};

// The preview beside an open font list: one line of text in a font, centred.
class TQDXTBFontWindow : public QWidget {
    Q_OBJECT
public:
    explicit TQDXTBFontWindow(QWidget* owner);

    // The text in the font of that family and the window's width.
    void SetPreview(const QString& text, const QString& family, int width);
    QString Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};
