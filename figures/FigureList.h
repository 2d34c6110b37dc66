#pragma once
// An ordered list of figure references; it never owns or frees them. A
// design's list is its drawing order: index 0 is drawn first and lies lowest.

#include "foundation/Exceptions.h"

#include <cstdint>
#include <functional>
#include <vector>

class TFigure;

// An index outside 0 .. Count() - 1 ("IDS_LISTINDEXERROR").
ZORBIT_DECLARE_EXCEPTION(EListError, Exception);

class TFigureList {
public:
    // Negative when a lies before b.
    using CompareFunc = std::function<int(const TFigure* a, const TFigure* b)>;

    int32_t Add(TFigure* figure);
    // index may be Count() (appends).
    void Insert(int32_t index, TFigure* figure);
    void Delete(int32_t index);
    // Removes the first entry of the figure; returns its index or -1.
    int32_t Remove(TFigure* figure);
    int32_t IndexOf(const TFigure* figure) const;
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    TFigure* Items(int32_t index) const;
    TFigure* operator[](int32_t index) const { return Items(index); }
    // Takes the entry out at from and puts it in at to.
    void Move(int32_t from, int32_t to);
    void Clear() { items_.clear(); }
    // A stable sort.
    void Sort(const CompareFunc& compare);
    // This list becomes a copy of the source's entries in their order.
    void Assign(const TFigureList& source);

    std::vector<TFigure*>::const_iterator begin() const { return items_.begin(); }
    std::vector<TFigure*>::const_iterator end() const { return items_.end(); }

private:
    void CheckIndex(int32_t index, int32_t count) const;
    std::vector<TFigure*> items_;
};
