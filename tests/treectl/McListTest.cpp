// The pointer list and the pointer stack of the tree control: growth and
// shrinking in their steps, index errors, moves of single items and blocks,
// ranges leaving with their delete events, owned objects.
#include "treectl/support/McList.h"
#include "treectl/support/McStack.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A list of the letters a, b, c ... as pointers into one string.
class Letters {
public:
    explicit Letters(const std::string& letters) : text_(letters) {
        for (char& c : text_) list.Add(&c);
    }
    std::string Order() const {
        std::string s;
        for (void* p : list) s += *static_cast<char*>(p);
        return s;
    }
    void* At(char c) { return &text_[text_.find(c)]; }
    TMcList list;

private:
    std::string text_;
};

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EMcListError& e) {
        return e.Message();
    }
    return "no error";
}

TEST(McList, GrowsAndShrinksInStepsOf256) {
    TMcList list;
    int dummy = 0;
    for (int i = 0; i < 256; ++i) list.Add(&dummy);
    EXPECT_EQ(list.Capacity(), 256);
    list.Add(&dummy);
    EXPECT_EQ(list.Capacity(), 512);
    list.Delete(0);
    EXPECT_EQ(list.Capacity(), 512) << "256 items: not below 512 - 256";
    list.Remove(&dummy);
    EXPECT_EQ(list.Count(), 255);
    EXPECT_EQ(list.Capacity(), 256);
    list.DeleteRange(0, 199);  // 55 items are not below 256 - 256
    EXPECT_EQ(list.Capacity(), 256);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(McList, IndexErrorsNameTheOffendingIndex) {
    Letters l("abc");
    int x = 0;
    l.list.Insert(3, &x);  // Insert(Count) appends
    EXPECT_EQ(l.list.Last(), &x);
    const struct {
        const char* what;
        std::function<void()> action;
        std::string message;
    } cases[] = {
        {"insert past the end", [&] { l.list.Insert(5, &x); }, "List index [5] out of bounds..."},
        {"get", [&] { l.list.Get(4); }, "List index [4] out of bounds..."},
        {"negative put", [&] { l.list.Put(-1, &x); }, "List index [-1] out of bounds..."},
        {"search start", [&] { l.list.IndexOfFrom(4, &x); }, "List index [4] out of bounds..."},
        {"move target", [&] { l.list.Move(0, 4); }, "List index [4] out of bounds..."},
        {"range last", [&] { l.list.DeleteRange(1, 7); }, "List index [7] out of bounds..."},
        {"range last before first", [&] { l.list.DeleteRange(2, 1); }, "List index [1] out of bounds..."},
        {"capacity below count", [&] { l.list.SetCapacity(2); }, "List index [2] out of bounds..."},
        {"count too large", [&] { l.list.SetCount(TMcList::kMaxCapacity + 1); },
         "List index [134217728] out of bounds..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageOf(c.action), c.message) << c.what;
        EXPECT_EQ(l.Order().size(), 4u) << c.what << ": the list is unchanged";
    }
}

TEST(McList, MoveRangeTable) {
    const struct {
        int first, last, dest;
        std::string after;
    } cases[] = {
        {2, 4, 7, "abfgcdeh"},  // forward: the block stands before h
        {5, 6, 1, "afgbcdeh"},  // backward: the block stands before b
        {3, 3, 0, "dabcefgh"},
        {0, 6, 7, "abcdefgh"},  // before the item just after: nothing moves
        {4, 4, 4, "abcdefgh"},  // first = dest
    };
    for (const auto& c : cases) {
        Letters l("abcdefgh");
        l.list.MoveRange(c.first, c.last, c.dest);
        EXPECT_EQ(l.Order(), c.after) << c.first << ".." << c.last << " -> " << c.dest;
    }
    Letters l("abcdefgh");
    EXPECT_EQ(MessageOf([&] { l.list.MoveRange(2, 4, 3); }), "List index [3] out of bounds...");
    EXPECT_EQ(MessageOf([&] { l.list.MoveRange(2, 9, 0); }), "List index [9] out of bounds...");
    EXPECT_EQ(l.Order(), "abcdefgh");
    l.list.Move(0, 7);
    EXPECT_EQ(l.Order(), "bcdefgha");
}

TEST(McList, ItemsLeaveWithTheirDeleteEvent) {
    Letters l("abcde");
    std::string left;
    l.list.OnDelete = [&](TMcList& sender, void* item) {
        EXPECT_EQ(&sender, &l.list);
        left += *static_cast<char*>(item);
    };
    l.list.DeleteRange(1, 2);
    EXPECT_EQ(left, "bc");
    EXPECT_EQ(l.Order(), "ade");
    left.clear();
    l.list.Put(0, l.At('b'));
    l.list.Put(1, nullptr);
    l.list.Put(1, l.At('c'));  // nil leaves without an event
    EXPECT_EQ(left, "ad");
    int absent = 0;
    EXPECT_EQ(l.list.Remove(&absent), -1);
    left.clear();
    l.list.Clear();
    EXPECT_EQ(left, "bce");
}

struct Counted {
    explicit Counted(int& alive, bool raise = false) : alive_(alive), raise_(raise) { ++alive_; }
    ~Counted() noexcept(false) {
        --alive_;
        if (raise_) throw std::runtime_error("failing object");
    }
    int& alive_;
    bool raise_;
};

TEST(McList, OwnedObjectsAreFreedByDeleteAndClearOnly) {
    int alive = 0;
    TMcList list;
    list.OwnObjects<Counted>();
    for (int i = 0; i < 5; ++i) list.Add(new Counted(alive, i == 1));
    void* kept = list.Get(4);
    list.Remove(kept);  // Remove never frees
    void* ranged = list.Get(3);
    list.DeleteRange(3, 3);  // nor does DeleteRange
    EXPECT_EQ(alive, 5);
    delete static_cast<Counted*>(kept);
    delete static_cast<Counted*>(ranged);
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    list.Clear();  // one destructor raises; the other is still freed
    EXPECT_EQ(alive, 0);
}

TEST(McList, SetCountAndAssign) {
    Letters l("abc");
    l.list.SetCount(5);
    EXPECT_EQ(l.list.Get(4), nullptr);
    l.list.SetCount(2);
    EXPECT_EQ(l.Order(), "ab");
    TMcList copy;
    int x = 0;
    copy.Add(&x);
    copy.Assign(l.list);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Capacity(), l.list.Capacity());
    EXPECT_EQ(copy.IndexOf(l.At('b')), 1);
    EXPECT_EQ(copy.IndexOfFrom(1, l.At('a')), -1);
}

TEST(McStack, GrowsByItsRuleAndHalvesWhenLessThanHalfIsUsed) {
    TMcStack stack;
    int items[9];
    std::vector<int32_t> capacities;
    for (int& i : items) {
        stack.Push(&i);
        capacities.push_back(stack.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{4, 4, 4, 4, 8, 8, 8, 8, 12}));
    EXPECT_EQ(stack.Pop(), &items[8]);
    EXPECT_EQ(stack.Capacity(), 12) << "8 of 12 is not below half";
    for (int i = 7; i >= 5; --i) EXPECT_EQ(stack.Pop(), &items[i]);
    EXPECT_EQ(stack.Count(), 5);
    EXPECT_EQ(stack.Capacity(), 6);
    for (int i = 0; i < 100; ++i) stack.Push(items);
    EXPECT_EQ(stack.Capacity(), 115) << "6 +4 +16 +16 +16 +16, then a quarter: +18 +23";
    while (stack.Count() > 0) stack.Pop();
    try {
        stack.Pop();
        ADD_FAILURE() << "no error";
    } catch (const EMcStackError& e) {
        EXPECT_STREQ(e.Message(), "McStack is empty.");
    }
    stack.Push(items);
    EXPECT_THROW(stack.SetCapacity(0), EMcStackError);
    EXPECT_THROW(stack.SetCapacity(TMcStack::kMaxCapacity + 1), EMcStackError);
}

}  // namespace
