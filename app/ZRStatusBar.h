#pragma once
// The main window's status bar: one simple text panel; it may carry child
// controls (buttons placed on it by the window).

#include <QtWidgets/QStatusBar>

class QLabel;

class TZRStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TZRStatusBar(QWidget* parent = nullptr);

    QString SimpleText() const;
    void SetSimpleText(const QString& text);

private:
    QLabel* simple_;
};
