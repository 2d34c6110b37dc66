#pragma once
// The slider of the picture post-processing: one filter value on a drawn
// track with thumb and tick marks, beside an edit field that shows and takes
// the value. Linear mode runs from -100 to 100, exponential mode from 0.1 to
// 10 (1 in the middle). Changes are reported ChangeDelay milliseconds after
// the last one of a burst (at once with a delay of 0).

#include <QtWidgets/QWidget>

#include <functional>
#include <memory>

class QLineEdit;
class TViewTimer;

enum class TSliderMode { smLinear, smExpo };

class TFilterSlider : public QWidget {
    Q_OBJECT
public:
    explicit TFilterSlider(QWidget* parent = nullptr);
    ~TFilterSlider() override;

    TSliderMode SliderMode() const { return mode_; }
    // Keeps the position, brought into the new mode's range.
    void SetSliderMode(TSliderMode value);
    float Position() const { return position_; }
    // Clamps into the mode's range, rewrites the edit text and signals a change.
    void SetPosition(float value);
    int ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(int milliseconds);
    // The timer of the delayed change; tests give one they drive themselves.
    void SetChangeTimer(std::unique_ptr<TViewTimer> timer);

    float Minimum() const;
    float Maximum() const;
    // 0 in linear mode, 1 in exponential mode.
    float Neutral() const;

    QLineEdit* Edit() const { return edit_; }
    // In client pixels.
    QRect EditRect() const;
    QRect TrackRect() const;
    int ThumbX() const;
    float PositionFromX(int x) const;

    std::function<void(TFilterSlider& sender)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitHeightToFont();
    void PlaceEdit();
    float Clamped(float value) const;
    // Stores the position, repainting when it changed.
    void StorePosition(float value);
    void SignalChange();
    void FireChange();
    QString PositionText() const;
    void WriteEditText();
    void EditTextChanged();
    bool EditKey(QKeyEvent* key);
    void PaintTicks(QPainter& painter, const QRect& track) const;

    QLineEdit* edit_;
    std::unique_ptr<TViewTimer> timer_;
    TSliderMode mode_ = TSliderMode::smLinear;
    float position_ = 0;
    int changeDelay_ = 0;
    bool focused_ = false;
    bool dragging_ = false;
    bool writingEdit_ = false;
};
