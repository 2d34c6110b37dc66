#pragma once
// The paths of the last four saved documents, newest first, shown as the
// numbered items at the end of the main window's File menu. Choosing an item
// opens its document through the callback the main window installs, or says
// that the file is missing (the entry stays).
//
// Paths are kept as they are given, letter case included, and every item
// carries its whole path; the caption only shows it. The list is read from
// the settings section "RecentFiles" ("File0" .. "File3") when it is created
// and written back when it is destroyed. Opening a document does not add it;
// saving does (AddFile).

#include <QtCore/QMetaObject>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <array>
#include <functional>

class QAction;

class TLast4Files {
public:
    static constexpr int kMaxFiles = 4;
    static constexpr const char* kSection = "RecentFiles";

    // The separator and the four items of the File menu.
    struct TMenuItems {
        QAction* Separator = nullptr;
        std::array<QAction*, kMaxFiles> Items{};
    };
    using OpenDocumentCallback = std::function<void(const QString& path)>;

    // Loads the list; the menu follows once SetMenu gives it one.
    TLast4Files();
    // Saves the list; a failure to write is traced and dropped.
    ~TLast4Files();
    TLast4Files(const TLast4Files&) = delete;
    TLast4Files& operator=(const TLast4Files&) = delete;

    void SetMenu(const TMenuItems& items);
    void SetOpenDocument(OpenDocumentCallback open) { openDocument_ = std::move(open); }

    const QStringList& Files() const { return files_; }

    void Load();
    void Save() const;
    // Puts the path first: a new one pushes out the fifth entry, a known
    // one moves up from its place.
    void Insert(const QString& path);
    // Insert, then Refresh.
    void AddFile(const QString& path);
    // Shows the list in the menu.
    void Refresh() { UpdateMenu(); }
    // Captions "&1 " .. "&4 " + path for the entries (ampersands of the path
    // doubled); items beyond the entries keep what they show.
    void UpdateMenu();
    // Opens the item's document, or warns when the file is missing.
    void MenuItemClick(QAction* item);

private:
    QStringList files_;
    TMenuItems menu_;
    std::array<QMetaObject::Connection, kMaxFiles> clicks_;
    OpenDocumentCallback openDocument_;
};
