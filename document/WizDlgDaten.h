#pragma once
// The design-wizard data of a CD or DVD sheet: for each kind of printable part
// (a ring label with its hole, a square cover card, an inlay card) its size,
// where each instance lies on the sheet, its localised caption, and the
// folders a design assistant takes background pictures and text blocks from.
// The sheet definition rebuilds the list whenever its article changes.
//
// Also here: the background picture holder of a sheet, an empty holder for
// two bitmaps and a file name that the sheet creates and clears.

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Region.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TMMPoint {
    float X = 0;
    float Y = 0;
};

class TWizDlgData {
public:
    static constexpr uint8_t kKindBase = 0;
    static constexpr uint8_t kKindRing = 1;
    static constexpr uint8_t kKindCovercard = 2;
    static constexpr uint8_t kKindInlaycard = 3;

    TWizDlgData() = default;
    virtual ~TWizDlgData() = default;

    // The settings section of the kind ("Designwizzard\CDLabel", ...); empty for the base.
    virtual std::string GetSettingsSection() const { return {}; }
    // The part's shape at the origin in mm: filled with the current brush, or
    // only its outline (clear brush).
    virtual void DrawFilled(TScaleCanvas& canvas) const;
    virtual void DrawOutline(TScaleCanvas& canvas) const;
    // The device region of the shape at the origin.
    virtual gdi::Region CreateRegion(TScaleCanvas& canvas) const;
    // The folders of background pictures and text blocks, each ending in "/":
    // the setting "BackgroundDir" or "TextDir" of the kind's section, else a
    // folder below the program folder. Empty for the base.
    virtual QString GetBackgroundDir() const { return {}; }
    virtual QString GetTextDir() const { return {}; }

    float Height = 100;
    float Width = 100;
    uint8_t Kind = kKindBase;
    QString Caption;
    // The top-left corner of each instance of the part on the sheet (mm).
    std::vector<TMMPoint> Positions{TMMPoint{}};

protected:
    // The folder of a setting of the kind's section, or the default below the
    // program folder ("Wizzard/Labels/JPG" ...), with a trailing "/".
    QString FolderSetting(const char* ident, const QString& defaultBelowProgram) const;
};

// A ring label of Diameter with a centre hole of HoleDiameter.
class TWizDlgRingData : public TWizDlgData {
public:
    TWizDlgRingData(float diameter, float holeDiameter);
    std::string GetSettingsSection() const override { return "Designwizzard\\CDLabel"; }
    void DrawFilled(TScaleCanvas& canvas) const override;
    void DrawOutline(TScaleCanvas& canvas) const override;
    gdi::Region CreateRegion(TScaleCanvas& canvas) const override;
    QString GetBackgroundDir() const override;
    QString GetTextDir() const override;

    float Diameter;
    float HoleDiameter;

private:
    // The two circles as one path of Bezier ellipses (the hole inside the ring).
    void AddRingPath(TScaleCanvas& canvas) const;
};

// The rectangular parts share their drawing: the rectangle with the current
// brush, its region made from the rectangle as a path.
class TWizDlgCardData : public TWizDlgData {
public:
    void DrawFilled(TScaleCanvas& canvas) const override;
    gdi::Region CreateRegion(TScaleCanvas& canvas) const override;

protected:
    TWizDlgCardData(float width, float height, uint8_t kind);
};

class TWizDlgCovercardData : public TWizDlgCardData {
public:
    TWizDlgCovercardData(float width, float height);
    std::string GetSettingsSection() const override { return "Designwizzard\\Covercard"; }
    QString GetBackgroundDir() const override;
    QString GetTextDir() const override;
};

class TWizDlgInlaycardData : public TWizDlgCardData {
public:
    TWizDlgInlaycardData(float width, float height, float spineWidth);
    std::string GetSettingsSection() const override { return "Designwizzard\\Inlaycard"; }
    QString GetBackgroundDir() const override;
    QString GetTextDir() const override;

    // The spine on either side of the card; kept for the assistant, the shape
    // does not use it.
    float SpineWidth;
};

// Owns its entries.
class TWizDlgDaten {
public:
    int32_t Add(std::unique_ptr<TWizDlgData> data);
    void Clear() { items_.clear(); }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    const TWizDlgData& GetItem(int32_t index) const { return *items_.at(static_cast<size_t>(index)); }

private:
    std::vector<std::unique_ptr<TWizDlgData>> items_;
};

// The background picture holder of a sheet. Clear frees the bitmaps, empties
// the file name, sets the number to 0 and the mode to 1; destroying clears.
class TWasserzeichenDIB {
public:
    void Clear();

    uint8_t Mode = 0;
    int32_t Value = 0;
    std::unique_ptr<gdi::Bitmap> Picture;
    std::unique_ptr<gdi::Bitmap> Picture2;
    QString FileName;
};
