#pragma once
// Registers a document type with the desktop: a shared-mime-info type that
// recognises the documents by their extension and a desktop entry that opens
// them with the program, the document as its only argument. Both files live
// below the user's XDG data folder and are rewritten only when their content
// differs, so that calling this at every start costs two file reads.

#include <QtCore/QString>

namespace shell {

struct DocumentType {
    QString extension;        // without dot, e.g. "qem"
    QString applicationName;  // the entry's name, e.g. "Zorbit"
    QString description;      // the type's comment, e.g. "Zorbit Datei"
    QString englishDescription;  // the comment for English desktops; empty for none
    QString programPath;  // the absolute path of the program file
    QString iconName;     // an icon of the theme; empty for none
};

// The MIME type name of the documents: "application/x-zorbit-" + extension.
QString DocumentMimeType(const QString& extension);
// The texts of the two files.
QString DesktopEntryText(const DocumentType& type);
QString MimeTypeText(const DocumentType& type);
// The Exec value that starts the program with one file: the quoted program
// path and "%f", escaped as a desktop entry requires.
QString DesktopExecLine(const QString& programPath);

struct RegistrationResult {
    bool changed = false;  // at least one file was written
    bool ok = true;        // false when a file could not be written
};

// Writes "<dataHome>/mime/packages/zorbit-<ext>.xml" and
// "<dataHome>/applications/zorbit-<ext>.desktop" where they are missing or
// differ; after a change runs update-mime-database and
// update-desktop-database on those folders when the tools are installed.
RegistrationResult RegisterDocumentType(const DocumentType& type, const QString& dataHome);

// The user's XDG data folder ($XDG_DATA_HOME, else ~/.local/share).
QString UserDataHome();

}  // namespace shell
