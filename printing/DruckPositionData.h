#pragma once
// The user's print offset: one pair of values for the whole program that
// shifts every printed sheet, so that a printer that feeds the paper slightly
// off still hits the labels. Kept in the settings, section "Drucker", values
// "OffsetX" and "OffsetY" (mm as text).

#include <QtCore/QString>

class TDruckPositionData {
public:
    // Values beyond this (or no numbers) count as no offset.
    static constexpr double kMostOffset = 1000;

    // Loads at once. With rotate, the offsets are turned by the printer's
    // landscape rotation on loading and turned back on saving.
    explicit TDruckPositionData(bool rotate = false);

    void Load();
    void Save() const;
    // A line for the user: "1,5 mm nach rechts", "keine Verschiebung", ...
    QString DescribeX() const;
    QString DescribeY() const;

    bool Rotate;
    double X = 0;  // mm; positive moves the print to the right
    double Y = 0;  // mm; positive moves the print down
};
