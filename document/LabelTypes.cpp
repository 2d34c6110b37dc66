#include "document/LabelTypes.h"

#include "document/Etikett.h"
#include "document/Stationery.h"
#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/FormatText.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <algorithm>
#include <charconv>

namespace {

// Address and shipping labels on A4 and Letter, CD labels, business cards,
// name badges, folder spines, whole pages and cards. The spines are designed
// standing, as they sit on the folder.
const TBuiltInLabelType kBuiltInTypes[] = {
    {"L7160", "Avery", "L7160", 0},
    {"L7163", "Avery", "L7163", 0},
    {"3475", "Zweckform", "3475", 0},
    {"L7651", "Avery", "L7651", 0},
    {"L7165", "Avery", "L7165", 0},
    {"L7169", "Avery", "L7169", 0},
    {"5160", "Avery", "5160", 0},
    {"5167", "Avery", "5167", 0},
    {"5163", "Avery", "5163", 0},
    {"5164", "Avery", "5164", 0},
    {"5168", "Avery", "5168", 0},
    {"L6015", "Avery", "L6015", 0},
    {"L7676", "Avery", "L7676", 0},
    {"5824", "Avery", "5824", 0},
    {"C32015", "Avery", "C32015", 0},
    {"5371", "Avery", "5371", 0},
    {"L4785", "Avery", "L4785", 0},
    {"5395", "Avery", "5395", 0},
    {"4760", "Zweckform", "4760", 1},
    {"50460", "Hama", "50460", 0},
    {"5165", "Avery", "5165", 0},
    {"50440", "Hama", "50440", 0},
    {"5389", "Avery", "5389", 0},
};

}  // namespace

std::span<const TBuiltInLabelType> BuiltInLabelTypes() { return kBuiltInTypes; }

bool ParseLabelTypeNumber(const std::string& text, int32_t& number) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, number);
    return !text.empty() && error == std::errc() && last == end;
}

std::string BuiltInLabelTypeName(const TBuiltInLabelType& type) {
    const std::string key = std::string("ID_") + type.ArticleNumber;
    return std::string(type.ArticleNumber) + " " +
           UnicodeToAnsi(LocalizedSectionText(kLabelTypeDescriptionSection, key));
}

void AssignBuiltInLabelType(TEtikett& sheet, const TBuiltInLabelType& type) {
    const TStationeryProduct* product = FindStationeryProduct(type.Brand, type.Part);
    if (!product) throw Exception("label type without catalogue product: " + std::string(type.ArticleNumber));
    AssignStationeryProduct(sheet, *product);
    sheet.SetName(BuiltInLabelTypeName(type));
    sheet.SetOrientation(type.Orientation);
}

int32_t NextUserLabelTypeNumber() {
    std::vector<std::string> names;
    Settings().ReadSection(kUserLabelTypeSection, names);
    int32_t largest = kFirstUserLabelTypeNumber - 1;
    for (const std::string& name : names) {
        int32_t number = 0;
        if (ParseLabelTypeNumber(name, number)) largest = std::max(largest, number);
    }
    return largest < INT32_MAX ? largest + 1 : INT32_MAX;
}

std::vector<const char*> LabelTypeDefinitionProblems(const TLabelTypeDefinition& d) {
    std::vector<const char*> problems;
    if (d.Across == 0 || d.Down == 0) problems.push_back("IDS_DLGDEFETIKETTMSG1");
    if (!(d.LabelWidth > 0) || !(d.LabelHeight > 0)) problems.push_back("IDS_DLGDEFETIKETTMSG2");
    // Totals in extended precision, compared as singles: 3 x 70 mm from a
    // margin of 1 mm come to exactly 211.
    const auto total = [](double margin, int32_t count, double size, double gap) {
        return static_cast<float>(static_cast<long double>(margin) + static_cast<long double>(count) * size +
                                  static_cast<long double>(count - 1) * gap);
    };
    if (total(d.MarginLeft, d.Across, d.LabelWidth, d.GapX) > kDefinitionPageWidth)
        problems.push_back("IDS_DLGDEFETIKETTMSG3");
    if (total(d.MarginTop, d.Down, d.LabelHeight, d.GapY) > kDefinitionPageHeight)
        problems.push_back("IDS_DLGDEFETIKETTMSG4");
    if (int64_t{d.Across} * d.Down > kMaxDefinitionLabels) problems.push_back("IDS_DLGDEFETIKETTMSG5");
    return problems;
}

TLabelTypeDefinition LabelTypeDefinitionOf(const TEtikett& sheet) {
    TLabelTypeDefinition d;
    d.LabelWidth = ShortestDouble(sheet.LabelWidth);
    d.LabelHeight = ShortestDouble(sheet.LabelHeight);
    d.MarginLeft = ShortestDouble(sheet.MarginLeft);
    d.MarginTop = ShortestDouble(sheet.MarginTop);
    d.GapX = ShortestDouble(sheet.GapX);
    d.GapY = ShortestDouble(sheet.GapY);
    d.Across = sheet.Columns;
    d.Down = sheet.Rows;
    d.Name = sheet.Name;
    return d;
}

void ApplyLabelTypeDefinition(TEtikett& sheet, const TLabelTypeDefinition& d) {
    sheet.SetLabelWidth(static_cast<float>(d.LabelWidth));
    sheet.SetLabelHeight(static_cast<float>(d.LabelHeight));
    sheet.SetMarginLeft(static_cast<float>(d.MarginLeft));
    sheet.SetMarginTop(static_cast<float>(d.MarginTop));
    sheet.SetGapX(static_cast<float>(d.GapX));
    sheet.SetGapY(static_cast<float>(d.GapY));
    sheet.SetColumns(d.Across);
    sheet.SetRows(d.Down);
    sheet.SetName(d.Name);
    sheet.SetArtikel(LabelSizeText(d.LabelWidth, d.LabelHeight));
}

std::string LabelSizeText(double width, double height) {
    return FormatAnsi("%.1f x %.1f mm", {width, height});
}
