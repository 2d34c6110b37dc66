// Tree view: the incremental search. Typed characters build a text; the
// first item (in display order, collapsed branches included) whose text
// begins with it is brought into view and focused. The text is forgotten
// between 500 and 1000 ms after the last key: a 500-ms tick that saw no key
// since the previous one ends the search.
#include "treectl/view/McTreeView.h"

#include "treectl/support/McStrUtils.h"
#include "treectl/support/McTimer.h"
#include "treectl/tree/McTree.h"

#include "foundation/Codepage1252.h"

bool TMcTreeView::SearchKey(char16_t key) {
    if (key == 27) {
        searchText_.clear();
        if (tree_.MultiSelect()) tree_.UnselectShownItems();
        return false;
    }
    if (key == 8) {
        if (searchText_.empty()) return false;
        searchText_.pop_back();
    } else if (key <= 32) {
        return false;
    } else {
        searchText_ += UnicodeToCp1252(key);
    }
    if (!searchText_.empty()) SearchFor();
    KeepSearchAlive();
    return false;
}

void TMcTreeView::SearchFor() {
    const size_t length = searchText_.size();
    for (TMcTreeItem* item : tree_.AllItems()) {
        const std::string& text = item->Text();
        if (text.size() < length || !TextEqualsNoCase(text.substr(0, length), searchText_)) continue;
        tree_.MakeItemVisible(item);
        item->SetState(TMcTreeItem::kFocused, true);
        item->SetSelected(false);
        return;
    }
}

void TMcTreeView::KeepSearchAlive() {
    if (searchTimer_ && searchTimer_->IsActive()) {
        searchKeepAlive_ = true;
        return;
    }
    if (!searchTimer_) {
        searchTimer_ = NewMcTimer();
        searchTimer_->OnTimeout = [this] { SearchTick(); };
    }
    searchKeepAlive_ = false;
    searchTimer_->Start(500);
}

void TMcTreeView::SearchTick() {
    if (searchKeepAlive_) {
        searchKeepAlive_ = false;
        return;
    }
    searchTimer_->Stop();
    searchText_.clear();
}

void TMcTreeView::StopSearch() {
    if (searchTimer_) searchTimer_->Stop();
}
