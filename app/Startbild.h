#pragma once
// The start picture: a borderless window on top of all others, centred on
// the screen, with the program picture and the version.

#include "foundation/widgets/LocalizerForm.h"

class QLabel;

class TStartbild : public TLocalizerWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    explicit TStartbild(QWidget* parent = nullptr);

    QString VersionText() const;

protected:
    void BeforeLocalize() override;
    void AfterLocalize() override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* lbVersion_;
};
