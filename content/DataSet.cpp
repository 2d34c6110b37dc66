#include "content/DataSet.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"

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
