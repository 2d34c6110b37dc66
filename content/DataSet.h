#pragma once
// What content objects need of a linked data set: its fields with their
// types and format codes, whether it is open, a way to the first record, and
// a field's value in the current record. The document's record sets
// implement it.

#include "foundation/Exceptions.h"

#include <QtCore/QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A field name the data set does not know.
ZORBIT_DECLARE_EXCEPTION(EDatabaseError, Exception);

enum class TFieldType {
    Unknown, String, SmallInt, Integer, Word, Boolean, Float, Currency, BCD, Date, Time, DateTime,
    Bytes, AutoInc, Blob, Memo, Graphic, FixedChar, WideString, LargeInt,
};

struct TDataSetField {
    std::string name;  // Windows-1252
    TFieldType type = TFieldType::String;
    // The field's format code for printed values (0: the value as the data
    // set gives it); set by whoever opens the data set for serial printing.
    int32_t tag = 0;
};

class TDataSet {
public:
    virtual ~TDataSet() = default;
    // In field order.
    virtual std::vector<TDataSetField> Fields() const = 0;
    virtual void First() = 0;
    // The value as text; raises EDatabaseError (RaiseFieldNotFound) for a
    // name the data set does not know.
    virtual std::string FieldValue(const std::string& name) const = 0;
    // A closed data set has no current record.
    virtual bool Active() const { return true; }
    // The value as a number; nothing when it is none. By default the text
    // read as a number in the C locale or in the current one.
    virtual std::optional<double> FieldValueAsFloat(const std::string& name) const;
    // The field of that name (without regard to case), or none. By default
    // the fields are searched in order; data sets with many fields keep an
    // index.
    virtual std::optional<TDataSetField> FindField(const std::string& name) const;
};

// The field of that name (without regard to case), or none.
std::optional<TDataSetField> FindDataSetField(const TDataSet& dataSet, const std::string& name);

// The key under which a field name is found: the name with its letter case
// folded, so that names equal without regard to case have one key.
QString FieldNameKey(const std::string& name);

// Whether a field's values can be a barcode's text: texts and numbers.
bool IsBarcodeFieldType(TFieldType type);
[[noreturn]] void RaiseFieldNotFound(const std::string& name);
