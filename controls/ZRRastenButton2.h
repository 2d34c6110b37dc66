#pragma once
// The grid-step button of the main tool bar: it shows the step of the
// snapping grid next to a small grid sign and drops a menu of fixed steps in
// millimetres or, with ShowInch, in inches. The step is kept in millimetres.

#include "controls/FlatPartButton.h"

#include <QtCore/QLocale>

#include <array>
#include <functional>
#include <optional>

class TDropMenu;

class TZRRastenButton2 : public TFlatPartButton {
    Q_OBJECT
public:
    static constexpr std::array<double, 6> kMillimetres = {0.1, 0.2, 0.5, 1.0, 2.0, 5.0};
    static constexpr std::array<double, 6> kInches = {0.005, 0.01, 0.02, 0.05, 0.1, 0.2};
    // The menu item that asks OnGitterDlg for a step.
    static constexpr int kDialogTag = 6;

    explicit TZRRastenButton2(QWidget* parent = nullptr, QSize size = QSize(60, 22));

    double GitterWeite() const { return gitterWeite_; }
    void SetGitterWeite(double millimetres);
    bool ShowInch() const { return showInch_; }
    // Switching to inches at exactly 1 mm makes the step 1.27 mm (0.05").
    void SetShowInch(bool showInch);

    // The locale of the numbers on the button and in its menu; without one
    // they follow the default locale.
    void SetLocale(const QLocale& locale);
    // "1,0 mm", or "0,050\"" in inches (with the locale's separator).
    QString CaptionText() const;
    // Fills the menu with the steps of the current unit (and "weitere..."
    // when OnGitterDlg is set).
    void BuildMenu();
    TDropMenu* Menu() const { return menu_; }
    // What choosing the menu item with the tag does.
    void ItemChosen(int tag);

    std::function<void(double value)> OnGWChange;
    // Asked for a step (in millimetres); leaving it at -1 changes nothing.
    std::function<void(double& value)> OnGitterDlg;

protected:
    void MainClicked() override;
    void PaintFace(QPainter& painter) override;
    bool DropDownOpen() const override;

private:
    QString NumberText(double value, int decimals) const;

    std::optional<QLocale> locale_;
    double gitterWeite_ = 1.0;
    bool showInch_ = false;
    TDropMenu* menu_;
};
