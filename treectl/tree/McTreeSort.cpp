// Tree control: sorting (the comparison the items' quicksort calls, the
// sort on a section click), the vertical bar's default hint and the
// header's lookup box.
#include "treectl/tree/McTree.h"

#include "treectl/items/McUpdateBracket.h"
#include "treectl/support/McStrUtils.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QCollator>
#include <QtCore/QLocale>

#include <cmath>

void TCustomMcTree::SortItems(bool recursive) {
    DoSortBegin();
    ++sortingCount_;
    struct Lower {
        int32_t& count;
        ~Lower() { --count; }
    } lower{sortingCount_};
    RootItem()->Sort(recursive);
    DoSortEnd();
}

int32_t TCustomMcTree::CompareByHandler(TMcTreeItem* a, TMcTreeItem* b) {
    int32_t res = 0;
    if (OnCompareItems) OnCompareItems(*this, a, b, res);
    return res;
}

namespace {

int32_t Sign(double v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
template <typename T>
int32_t Order(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int32_t CompareTexts(const std::string& a, const std::string& b) {
    static thread_local QCollator collator = [] {
        QCollator c{QLocale()};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return Sign(collator.compare(AnsiToUnicode(a), AnsiToUnicode(b)));
}

// Two prepared keys of the same kind by the sort type.
int32_t CompareKeys(const TMcSortKey& a, const TMcSortKey& b, TSortTypes sortType) {
    switch (sortType) {
    case TSortTypes::stText: return CompareTexts(a.Text(), b.Text());
    case TSortTypes::stNumber: return Order(a.Number(), b.Number());
    case TSortTypes::stFloating:
    case TSortTypes::stDateTime: return Order(a.Floating(), b.Floating());
    case TSortTypes::stDate: return Order(std::trunc(a.Floating()), std::trunc(b.Floating()));
    case TSortTypes::stTime: {
        double whole = 0;
        const double fa = std::fabs(std::modf(a.Floating(), &whole));
        const double fb = std::fabs(std::modf(b.Floating(), &whole));
        return Order(fa, fb);
    }
    case TSortTypes::stBoolean: return Order(a.Whole() > 0, b.Whole() > 0);
    case TSortTypes::stCurrency: return Order(a.Whole(), b.Whole());
    case TSortTypes::stCustom: break;
    }
    return 0;
}

}  // namespace

int32_t TCustomMcTree::CompareItems(TMcTreeItem* a, TMcTreeItem* b, int32_t column, TSortTypes sortType,
                                    TMcSSortMode sectionSortMode) {
    const bool descending = sectionSortMode == TMcSSortMode::hsmDescend ||
                            (sectionSortMode == TMcSSortMode::hsmNone && settings_.SortDir == TSortDirs::sdDescend);
    int32_t res;
    if (column == -1) {
        res = CompareByHandler(a, b);
        return settings_.SortDir == TSortDirs::sdDescend ? -res : res;
    }
    if (sortType == TSortTypes::stCustom) {
        res = CompareByHandler(a, b);
    } else {
        const TMcSortKey& ka = a->SortKey();
        const TMcSortKey& kb = b->SortKey();
        const bool noneA = ka.GetKind() == TMcSortKey::Kind::None, noneB = kb.GetKind() == TMcSortKey::Kind::None;
        if (noneA || noneB) res = noneA && noneB ? 0 : noneA ? -1 : 1;
        else if (ka.GetKind() != kb.GetKind()) res = 0;
        else res = CompareKeys(ka, kb, sortType);
    }
    return descending ? -res : res;
}

void TCustomMcTree::SectionClicked(TMcHeaderSection* section) {
    if (options_.SortMode == TSortModes::smClick || options_.SortMode == TSortModes::smAddClick) {
        TMcUpdateBracket bracket(*this);
        options_.SortSection = section->Index();
        if (section->SortMode() == TMcSSortMode::hsmNone) {
            section->SetSortMode(settings_.SortDir == TSortDirs::sdAscend ? TMcSSortMode::hsmDescend
                                                                          : TMcSSortMode::hsmAscend);
        }
        section->SetSortMode(section->SortMode() == TMcSSortMode::hsmAscend ? TMcSSortMode::hsmDescend
                                                                            : TMcSSortMode::hsmAscend);
        options_.SortType = SortTypeOfField(section->FieldType());
        SortItems(true);
        changed_ = true;
        view_->rowsRepaint = view_->countStale = true;
    }
    if (OnHeaderColumnClick) OnHeaderColumnClick(*this, section->Index());
}

void TCustomMcTree::VertScrollHint(int32_t trackPosition, std::string& hint) {
    if (OnVertScrollHintNeeded) OnVertScrollHintNeeded(this, trackPosition, hint);
    if (!hint.empty() || options_.SortSection == -1) return;
    try {
        if (TMcTreeItem* item = items_->GetVisItem(trackPosition)) {
            const int32_t main = options_.MainTreeColumn, section = options_.SortSection;
            if (section == main) {
                hint = item->Text();
            } else {
                const size_t entry = static_cast<size_t>(section > main ? section - 1 : section);
                if (entry < item->ColumnText().size()) hint = item->ColumnText()[entry];
            }
        }
    } catch (const std::exception&) {
        // a hint that cannot be read stays as it was
    }
}

void TCustomMcTree::HeaderLookup(TMcHeaderSection* section, std::string& text) {
    if (OnHeaderLookup) OnHeaderLookup(*this, section, text);
    if (!settings_.AutoLookup || !section) return;
    const QString wanted = QLocale().toUpper(AnsiToUnicode(text));
    const int32_t column = section->Index();
    TMcTreeItem* found = items_->LookForItem(
        FocusedItem(), column,
        [&](TMcTreeItem* item, void*) {
            return QLocale().toUpper(AnsiToUnicode(item->CellText(column))).startsWith(wanted);
        },
        nullptr, true, false, false);
    if (!found) return;
    MakeItemVisible(found);
    SetFocusedItem(found);
}
