#pragma once
// The user's templates: ordinary document files named "STIL<n>.sty" in the
// template folder, and the index "styles.ini" beside them that gives each
// its description:
//   [Allgemein]  Max=<the number of the last template file made>
//   [Styles]     STIL<n>.sty=<description>   (in the order they were added)
// Numbers are never used twice, also after a template was deleted.
//
// A template is written first and registered after, so a save that fails
// leaves neither an index entry nor a file. Every operation reads the index
// anew and writes it back at once (whole, replacing the old file), so what
// another running instance wrote is kept. An index that does not exist
// reads as empty.

#include <QtCore/QString>

#include <functional>
#include <vector>

// Writes the document to the file (the document file's SaveToFile); raises
// when it cannot.
using TTemplateWriter = std::function<void(const QString& path)>;

struct TTemplateEntry {
    QString FileName;  // without folder, the key in "styles.ini"
    QString Description;
};

class TTemplateIndex {
public:
    static constexpr const char* kIndexFileName = "styles.ini";

    // A separator is appended to the folder when it lacks one.
    explicit TTemplateIndex(const QString& folder);

    const QString& Folder() const { return folder_; }
    QString IndexPath() const { return folder_ + kIndexFileName; }

    // Takes the next template number (the first after "Max" whose file
    // neither exists nor is registered), writes it as "Max" at once and
    // returns the full path of its file. Creates the folder when needed.
    // A "Max" that is no number, negative or beyond the largest Integer
    // counts as 0; after the largest Integer the numbering starts again at 1.
    QString NewTemplateFileName();
    // The description under the file name (without folder). Line breaks in
    // the description become blanks; an empty description is kept.
    void RegisterTemplate(const QString& fileName, const QString& description);
    // The registered templates in the order of the index.
    std::vector<TTemplateEntry> Templates() const;
    void RenameTemplate(const QString& fileName, const QString& description);
    // Deletes the template's file (a failure is ignored) and its entry. Only
    // a plain file name in the template folder is ever deleted.
    void DeleteTemplate(const QString& fileName);

    // A new template: its file written by write, then registered with the
    // description. When write or the registration fails, the file goes
    // again and the error is raised on. Returns the file's full path.
    QString SaveTemplate(const QString& description, const TTemplateWriter& write);

private:
    QString folder_;
};

// The template folder, ending with "/": the setting "StyleDir" of the
// section "StyleDir", else "Styles" in the user's data folder.
QString GetTemplateFolder();
QString TemplateFolderFrom(const QString& setting, const QString& dataFolder);
// The process-wide index; its folder is fixed on first use.
TTemplateIndex& TemplateIndex();

// What the document window's "save as template" asks of the user.
struct TSaveTemplateUi {
    // A one-line input dialog; true and the text on OK.
    std::function<bool(const QString& caption, const QString& prompt, QString& text)> InputQuery;
    std::function<void(const QString& text)> ShowError;
    std::function<void(const QString& text)> ShowInformation;
};

// The document window's "save as template": asks for the description
// (the default "Neu"), refuses an empty one with an error, saves the
// template with write and says so. True when a template was saved; false
// when the user cancelled or gave no description. Errors of the save are
// raised on.
bool SaveAsTemplateCommand(TTemplateIndex& index, const TSaveTemplateUi& ui, const TTemplateWriter& write);
