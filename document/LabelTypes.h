#pragma once
// The label types a new document starts from: the built-in ones, each a
// product of the stationery catalogue under its article number, and the
// user's own, kept in the settings section "Vorlagen" as one comma text per
// type under its number (101 and up).
//
// A user's type is defined by a label size, margins, gaps, the labels across
// and down and a name (TLabelTypeDefinition); a definition that does not fit
// an A4 page or holds more than 1024 labels is refused with the reasons in
// the order the definition dialog shows them.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TEtikett;

// One built-in label type: a catalogue product under its article number.
struct TBuiltInLabelType {
    // The short code in the sheet's name; its description is the text of key
    // "ID_" + article number in the language section "TemplateKroxa".
    const char* ArticleNumber;
    const char* Brand;
    const char* Part;
    uint8_t Orientation;  // 1: landscape
};

inline constexpr const char* kLabelTypeDescriptionSection = "TemplateKroxa";

// The 23 built-in types in list order.
std::span<const TBuiltInLabelType> BuiltInLabelTypes();
// Article number, a blank and the description in the current language.
std::string BuiltInLabelTypeName(const TBuiltInLabelType& type);
// Makes the sheet that of the type: the catalogue product's page, grid and
// article key, the type's name and orientation.
void AssignBuiltInLabelType(TEtikett& sheet, const TBuiltInLabelType& type);

// ---- the user's own types

inline constexpr const char* kUserLabelTypeSection = "Vorlagen";
inline constexpr int32_t kFirstUserLabelTypeNumber = 101;

// The number a list entry's text or a value name stands for; false when it
// is no number.
bool ParseLabelTypeNumber(const std::string& text, int32_t& number);
// The number of a new type: one above the largest number that names a value
// of "Vorlagen" (also one whose text no longer reads as a sheet), at least
// 101. So a new type never takes the place of a stored one.
int32_t NextUserLabelTypeNumber();

// ---- the definition of a user's type

struct TLabelTypeDefinition {
    double LabelWidth = 0;
    double LabelHeight = 0;
    double MarginLeft = 0;
    double MarginTop = 0;
    double GapX = 0;
    double GapY = 0;
    int32_t Across = 1;
    int32_t Down = 1;
    std::string Name;
};

// The limits of the definition's fields.
inline constexpr double kMaxDefinitionLength = 297;
inline constexpr int32_t kMaxDefinitionCount = 100;
// The page the definition must fit: one millimetre of tolerance each way.
inline constexpr float kDefinitionPageWidth = 211;
inline constexpr float kDefinitionPageHeight = 298;
inline constexpr int32_t kMaxDefinitionLabels = 1024;

// The message keys of every check the definition fails, in order
// ("IDS_DLGDEFETIKETTMSG1" .. "IDS_DLGDEFETIKETTMSG5"); empty when it passes.
std::vector<const char*> LabelTypeDefinitionProblems(const TLabelTypeDefinition& definition);

TLabelTypeDefinition LabelTypeDefinitionOf(const TEtikett& sheet);
// Writes the definition into the sheet; its article becomes the label size
// as text (LabelSizeText). The page stays.
void ApplyLabelTypeDefinition(TEtikett& sheet, const TLabelTypeDefinition& definition);
// "105.0 x 38.0 mm": width and height with one decimal and the user's
// decimal separator.
std::string LabelSizeText(double width, double height);
