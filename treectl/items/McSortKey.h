#pragma once
// The value of an item's sort column, prepared once for a sort and
// compared many times: a text, a whole number, a floating value (also dates
// and times, in days since 30 December 1899), a length (for Booleans) or a
// currency amount times 10000. A text that does not convert has no key.

#include "treectl/support/McTypes.h"

#include <cstdint>
#include <string>
#include <variant>

class TMcSortKey {
public:
    enum class Kind : uint8_t { None, Text, Number, Floating, Length, Currency };

    Kind GetKind() const { return kind_; }
    int32_t UseCount() const { return useCount_; }
    // Converts text by the sort type when the key is not prepared yet (and
    // convert is set: a sort without a column has no key); counts the use.
    void Prepare(const std::string& text, TSortTypes sortType, bool convert);
    // Counts one use down; the last one drops the value.
    void Release();

    const std::string& Text() const { return std::get<std::string>(value_); }
    int32_t Number() const { return std::get<int32_t>(value_); }
    double Floating() const { return std::get<double>(value_); }
    int64_t Whole() const { return std::get<int64_t>(value_); }  // length or currency

private:
    std::variant<std::monostate, std::string, int32_t, double, int64_t> value_;
    Kind kind_ = Kind::None;
    int32_t useCount_ = 0;
};

// The conversions of the sort types; false when the text does not convert.
bool TextToInteger(const std::string& text, int32_t& value);
bool TextToFloating(const std::string& text, double& value);
// Date and time by the locale's short formats (or ISO 8601), in days since 30 December 1899.
bool TextToDateTime(const std::string& text, TSortTypes sortType, double& value);
