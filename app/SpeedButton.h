#pragma once
// A flat tool-bar button. Buttons of one parent with the same group index
// (> 0) form a group in which at most one is down; unless AllowAllUp is set,
// a group always keeps one button down (pressing the down button again, or
// releasing it by code, changes nothing). A group of one button with
// AllowAllUp is a toggle button. Group index 0 is a plain push button.
//
// The hint has the form "short text|long text": the short text is the tool
// tip, the long text goes to the status bar while the mouse is over the
// button. Tag carries the button's number (the drawing mode of the tools).

#include <QtWidgets/QToolButton>

class TSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp) { allowAllUp_ = allowAllUp; }

    bool Down() const { return isChecked(); }
    void SetDown(bool down);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);

    static QString ShortHint(const QString& hint);
    static QString LongHint(const QString& hint);

protected:
    void nextCheckState() override;

private:
    int tag_ = 0;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    QString hint_;
};
