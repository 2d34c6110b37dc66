#pragma once
// A list of the mounted volumes of chosen types, each line with the type's
// picture and the volume's name ("DATEN (/media/anna/DATEN)", the root path
// alone without a label). Drive is the root path of the selected line.

#include "controls/DriveLines.h"

#include <cstdint>
#include <functional>
#include <initializer_list>

// A set of volume types, one bit per type.
class TDrivesType {
public:
    constexpr TDrivesType() = default;
    constexpr TDrivesType(std::initializer_list<shell::VolumeType> types) {
        for (const shell::VolumeType t : types) bits_ |= Bit(t);
    }
    constexpr bool Contains(shell::VolumeType t) const { return (bits_ & Bit(t)) != 0; }
    constexpr bool operator==(const TDrivesType&) const = default;

private:
    static constexpr uint8_t Bit(shell::VolumeType t) { return static_cast<uint8_t>(1u << static_cast<int>(t)); }
    uint8_t bits_ = 0;
};

class TZRDrivesList : public TDriveListBase {
public:
    static constexpr TDrivesType kDefaultDrivesType{shell::VolumeType::Removable, shell::VolumeType::Fixed,
                                                    shell::VolumeType::Remote, shell::VolumeType::CdRom,
                                                    shell::VolumeType::RamDisk};

    explicit TZRDrivesList(QWidget* parent = nullptr, TVolumeSource source = SystemVolumeSource());

    QString Drive() const { return drive_; }
    // Selects the line of that root path, if listed, and raises OnClick.
    void SetDrive(const QString& rootPath);
    TDrivesType DrivesType() const { return drivesType_; }
    void SetDrivesType(TDrivesType types);
    // Rebuilds the lines and selects the drive selected before, or the
    // first line when it is gone.
    void UpdateDrives();
    // The name a line shows for a volume.
    static QString DisplayName(const shell::Volume& volume);

    std::function<void(TZRDrivesList&)> OnClick;

private:
    void Rebuild();

    TDrivesType drivesType_ = kDefaultDrivesType;
    QString drive_;
};
