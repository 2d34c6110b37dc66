#pragma once
// The about box: the program picture, the version, the maker's credits and a
// link to the maker's web page. Shift + click on the picture shows the
// credits of the people behind the program.

#include "foundation/widgets/LocalizerForm.h"

class QLabel;
class QPushButton;

class TDlgInfo : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr const char* kMakerWebAddress = "https://www.kroxa.example/zorbit";

    explicit TDlgInfo(QWidget* parent = nullptr);

    QString VersionText() const;
    void Label6Click();
    void ProductNameMouseDown(Qt::KeyboardModifiers modifiers);

protected:
    void BeforeLocalize() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* image_;
    QLabel* version_;
    QLabel* link_;
    QPushButton* ok_;
};
