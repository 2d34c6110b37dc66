#pragma once
// How a data-set value is printed in a label text: the field's format code
// (its tag, 0 to 13) selects a number format or a way of trimming spaces.
// A field whose code was never set shows its value as the data set gives it.

#include <QtCore/QLocale>

#include <array>
#include <cstdint>
#include <string>

class TDataSet;
struct TDataSetField;

// 1 the value as text unchanged, 2 a number format, 3 a trimming rule.
constexpr uint8_t kColFormatText = 1;
constexpr uint8_t kColFormatNumber = 2;
constexpr uint8_t kColFormatTrim = 3;

struct TColFormat {
    uint8_t Kind = kColFormatText;
    const char* Caption = "";  // as offered to a user, with the German separators
};

// The format codes 0 to 13.
extern const std::array<TColFormat, 14> ColFormats;
// The row of a code; a code outside the table is code 0.
const TColFormat& ColFormatOf(int32_t code);

class TDBValueFormatter {
public:
    // The field's value in the current record, formatted by its code. A
    // number format on a value that is no number shows the value's text.
    std::string FormatField(const TDataSet& dataSet, const TDataSetField& field) const;
    // Codes 1 to 8 with their patterns ("0", "0.0" ... "#,##0.000", halves
    // rounded away from zero); any other code gives the general form.
    std::string FormatNumber(int32_t code, double value) const;
    std::string FormatNumber(int32_t code, double value, const QLocale& locale) const;
    // Codes 9 to 13 trim as their captions show (every byte up to 32 counts
    // as a space); any other code gives the text unchanged.
    std::string FormatText(const std::string& text, int32_t code) const;
};

// The one formatter of the program.
TDBValueFormatter& DBValueFormatter();
