#include "treectl/support/McTypes.h"

TSortTypes SortTypeOfField(TFieldTypes field) {
    switch (field) {
    case TFieldTypes::sftText: return TSortTypes::stText;
    case TFieldTypes::sftNumber: return TSortTypes::stNumber;
    case TFieldTypes::sftFloating: return TSortTypes::stFloating;
    case TFieldTypes::sftDateTime: return TSortTypes::stDateTime;
    case TFieldTypes::sftDate: return TSortTypes::stDate;
    case TFieldTypes::sftTime: return TSortTypes::stTime;
    case TFieldTypes::sftBool: return TSortTypes::stBoolean;
    case TFieldTypes::sftCurrency: return TSortTypes::stCurrency;
    default: return TSortTypes::stCustom;
    }
}
