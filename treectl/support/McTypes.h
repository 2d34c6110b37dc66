#pragma once
// Value types that the tree's items, cell styles, header sections and the
// tree itself share.

#include <cstdint>

// The type of a column's data (a header section's FieldType, a cell style's CellKind).
enum class TFieldTypes : uint8_t {
    sftCustom, sftText, sftNumber, sftFloating, sftDateTime, sftDate, sftTime, sftPicture, sftEnum, sftBLOB,
    sftUndef, sftBool, sftCurrency,
};
constexpr uint8_t kFieldTypeCount = 13;

// How a header section or a cell is drawn.
enum class TMcSectionStyle : uint8_t { MchsText = 0, MchsOwnerDraw = 1, MchsPictureOnly = 2 };

// A header section's sort mark.
enum class TMcSSortMode : uint8_t { hsmNone = 0, hsmAscend = 1, hsmDescend = 2 };

enum class TSortModes : uint8_t { smNone, smAdd, smClick, smAddClick };
enum class TSortTypes : uint8_t { stCustom, stText, stNumber, stFloating, stDateTime, stDate, stTime, stBoolean, stCurrency };
enum class TSortDirs : uint8_t { sdAscend, sdDescend };

enum class TCheckBoxState : uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };
enum class TMcCheckBoxType : uint8_t { ectCheckBox = 0, ect3SCheckBox = 1, ectRadioButton = 2 };

// The font style bits of a cell style.
constexpr uint8_t fsBold = 0x01;
constexpr uint8_t fsItalic = 0x02;
constexpr uint8_t fsUnderline = 0x04;
constexpr uint8_t fsStrikeOut = 0x08;

// The sort type that sorts a column of the field type.
TSortTypes SortTypeOfField(TFieldTypes field);
