#pragma once
// The tree's update bracket for one scope: opened on construction, closed
// on destruction, also when an exception passes.

#include "treectl/items/McTreeHost.h"

class TMcUpdateBracket {
public:
    explicit TMcUpdateBracket(TMcTreeHost& tree) : tree_(tree) { tree_.SetUpdating(true); }
    ~TMcUpdateBracket() { tree_.SetUpdating(false); }
    TMcUpdateBracket(const TMcUpdateBracket&) = delete;
    TMcUpdateBracket& operator=(const TMcUpdateBracket&) = delete;

private:
    TMcTreeHost& tree_;
};
