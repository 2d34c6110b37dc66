#pragma once
// The captions of a tab strip with one object per tab (the document window
// keeps its designs there). The list tells its strip about every change:
// adding or renaming repaints it, inserting before the selected tab keeps
// that tab selected, deleting keeps the selected number but limits it to the
// last tab (and reports a click when the selected tab itself went), clearing
// selects nothing.

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <vector>

class TQDXTabSet;

class TTabList {
public:
    explicit TTabList(TQDXTabSet* strip = nullptr) : strip_(strip) {}
    TTabList(const TTabList& other) : items_(other.items_) {}
    TTabList& operator=(const TTabList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Indexes out of range raise EStringListError.
    QString Strings(int index) const;
    void* Objects(int index) const;
    int IndexOf(const QString& caption) const;
    int IndexOfObject(const void* object) const;

    int Add(const QString& caption, void* object = nullptr);
    void Put(int index, const QString& caption);
    void PutObject(int index, void* object);
    void Insert(int index, const QString& caption, void* object = nullptr);
    void Delete(int index);
    void Clear();
    // Adds all, repainting the strip once.
    void AddStrings(const QStringList& captions);
    // Moves a tab with its object; a selected tab stays selected.
    void Move(int from, int to);
    QStringList Captions() const;

private:
    friend class TQDXTabSet;
    struct Item {
        QString caption;
        void* object;
    };
    void CheckIndex(int index, int count) const;
    void Changed();

    std::vector<Item> items_;
    TQDXTabSet* strip_;
};
