#pragma once
// Chooses a line width in millimetres: the value part shows a sample line of
// the width with its number and applies the width again when clicked; the
// arrow part drops a menu of eleven standard widths. Always 58 x 22.

#include "controls/FlatPartButton.h"

#include <array>
#include <functional>
#include <optional>

#include <QtCore/QLocale>

class TDropMenu;

class TZRPenWidthButton : public TFlatPartButton {
    Q_OBJECT
public:
    static constexpr QSize kSize{58, 22};
    static constexpr int kArrowLeft = 46;
    static constexpr std::array<double, 11> kWidths = {0.1, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.5, 2.0, 3.5, 5.0};

    explicit TZRPenWidthButton(QWidget* parent = nullptr);

    double PenWidth() const { return penWidth_; }
    // Rounded to two decimals (ties to even).
    void SetPenWidth(double millimetres);
    // Shows and offers inches instead of millimetres.
    bool ShowInch() const { return showInch_; }
    void SetShowInch(bool showInch);
    // The locale of the numbers on the button and in its menu; without one
    // they follow the default locale.
    void SetLocale(const QLocale& locale);

    // "0,18" (the shortest form, the locale's separator), or "0.007\"" in
    // inches.
    QString ValueText() const;
    // The item caption of a standard width: "3,5 mm", or its inch value.
    QString ItemCaption(size_t index) const;
    // The thickness of the sample line in pixels (0: the "no width" sign).
    static int SampleLineWidth(double millimetres);
    // A standard width in inches, rounded to a multiple of 0.1 (from 1"),
    // 0.05 (from 0.1"), 0.005 (from 0.01") or left as it is.
    static double InchValue(double millimetres);

    TDropMenu* Menu() const { return menu_; }
    // What choosing the standard width with the index does.
    void ItemChosen(int index);

    std::function<void(double newWidth)> OnPenWidthChange;

protected:
    void MainClicked() override;
    void ArrowClicked() override;
    void PaintFace(QPainter& painter) override;
    bool DropDownOpen() const override;

private:
    double penWidth_ = 0.18;
    bool showInch_ = false;
    std::optional<QLocale> locale_;
    TDropMenu* menu_;
};
