#pragma once
// Put on a form, makes Enter move the focus to the next control like Tab.
// Enter keeps its own meaning on push buttons (they are clicked), on flat
// buttons, in multi-line text editors and with Shift, Ctrl or Alt held;
// check boxes and radio buttons pass it on like edit fields.

#include <QtCore/QObject>
#include <QtCore/QPointer>

class QWidget;

class TZREnterAsTab : public QObject {
    Q_OBJECT
public:
    explicit TZREnterAsTab(QWidget* form);

    bool EnterAsTab() const { return enterAsTab_; }
    void SetEnterAsTab(bool on) { enterAsTab_ = on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TakesEnterAsTab(QWidget* control) const;

    QPointer<QWidget> form_;
    bool enterAsTab_ = true;
};
