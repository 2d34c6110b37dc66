#include "content/DataSet.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"

#include <QtCore/QLocale>

bool IsBarcodeFieldType(TFieldType type) {
    switch (type) {
    case TFieldType::String:
    case TFieldType::SmallInt:
    case TFieldType::Integer:
    case TFieldType::Word:
    case TFieldType::Float:
    case TFieldType::Currency:
    case TFieldType::BCD:
    case TFieldType::AutoInc:
    case TFieldType::Memo:
    case TFieldType::FixedChar:
    case TFieldType::WideString:
    case TFieldType::LargeInt: return true;
    default: return false;
    }
}

void RaiseFieldNotFound(const std::string& name) {
    throw EDatabaseError(LocalizedFormat("IDS_FIELDNOTFOUND", {AnsiToUnicode(name)}));
}

std::optional<double> TDataSet::FieldValueAsFloat(const std::string& name) const {
    const QString text = AnsiToUnicode(FieldValue(name)).trimmed();
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok) value = QLocale().toDouble(text, &ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<TDataSetField> TDataSet::FindField(const std::string& name) const {
    const QString wanted = FieldNameKey(name);
    for (const TDataSetField& field : Fields())
        if (FieldNameKey(field.name) == wanted) return field;
    return std::nullopt;
}

std::optional<TDataSetField> FindDataSetField(const TDataSet& dataSet, const std::string& name) {
    return dataSet.FindField(name);
}

QString FieldNameKey(const std::string& name) {
    return AnsiToUnicode(name).toCaseFolded();
}
