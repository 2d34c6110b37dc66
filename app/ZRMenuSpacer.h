#pragma once
// A thin engraved line between groups of tool-bar buttons.

#include <QtWidgets/QWidget>

enum class TZRSpacerOrientation { soVert = 0, soHorz = 1 };

class TZRMenuSpacer : public QWidget {
    Q_OBJECT
public:
    explicit TZRMenuSpacer(QWidget* parent = nullptr, TZRSpacerOrientation orientation = TZRSpacerOrientation::soVert);

    TZRSpacerOrientation Orientation() const { return orientation_; }
    void SetOrientation(TZRSpacerOrientation orientation);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZRSpacerOrientation orientation_;
};
