#pragma once
// The value tip: a small tooltip window that shows a value next to the mouse
// while something is dragged (the position of a gradient stop, a size). One
// process-wide instance, DataTip(). It never takes the activation; near the
// right or bottom edge of the screen it opens to the left of or above the
// point.

#include "foundation/FormatText.h"

#include <QtWidgets/QWidget>

#include <initializer_list>

class TQNDataTip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxTextWidth = 300;

    TQNDataTip();

    // A disabled tip shows nothing.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // At the mouse position + (12, 10).
    virtual void ShowAtCursor(const QString& text);
    // With its top-left corner at the screen point (x, y), one blank before
    // the text.
    virtual void ShowAt(int x, int y, const QString& text);
    void ShowFormatted(int x, int y, QStringView format, std::initializer_list<FormatArg> args);
    // Hides the tip without activating anything.
    void HideTip() { hide(); }

    QString Text() const { return text_; }
    // Changes the text and repaints, keeping the size.
    void SetText(const QString& text);

    // The rectangle of the text wrapped at maxWidth, with room for the
    // frame, at (0, 0).
    QRect CalcHintRect(int maxWidth, const QString& text) const;
    // Shows the tip for the hint rectangle (screen coordinates).
    void ActivateHint(const QRect& hintRect, const QString& text);
    // Where the tip of a hint rectangle goes on the screen: 4 pixels larger,
    // moved left by its width + 24 when its right edge + 4 passes the
    // screen's, up by its height + 20 when its bottom + 4 passes the screen's.
    static QRect PlaceTip(const QRect& hintRect, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool enabled_ = true;
    QString text_;
};

// The process-wide tip, created on first use and freed when the application
// ends.
TQNDataTip& DataTip();
