#pragma once
// A list of the mounted volumes with a picture of each type and its root
// path, followed by its label in brackets ("[DATEN]", empty brackets without
// one) or, for a network volume, its share. The current drive is a root path.

#include "controls/DriveLines.h"

#include <functional>

class TZRDriveListBox : public TDriveListBase {
public:
    explicit TZRDriveListBox(QWidget* parent = nullptr, TVolumeSource source = SystemVolumeSource());

    // Fills the lines from the volume source, then selects the current drive.
    virtual void BuildList();
    // The root path of the current drive; at first the volume of the
    // current folder.
    QString Drive() const { return drive_; }
    // Makes the volume of that root current, selects its line and raises
    // OnChange; nothing happens when it is current already.
    void SetDrive(const QString& rootPath);
    // The text of a volume's line; empty for a type that is not listed.
    static QString LineText(const shell::Volume& volume);

    std::function<void(TZRDriveListBox&)> OnChange;

private:
    QString drive_;
};
