#pragma once
// The system clipboard as the program uses it. A private format keeps the
// name it has on systems with named clipboard formats and travels under the
// MIME type that Qt gives such a name; pictures travel as images. Reads are
// bounded: a format larger than the caller allows is treated as missing.

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <cstdint>
#include <utility>
#include <vector>

namespace clipboard {

// The MIME type of a named private format ("Brimwell Figur32").
QString PrivateFormatMimeType(const QString& formatName);

// The formats the clipboard offers now.
QStringList Formats();
bool HasFormat(const QString& mimeType);
bool HasImage();

// The bytes of a format; false, and nothing, when the format is missing or
// larger than maxBytes.
bool Data(const QString& mimeType, int64_t maxBytes, QByteArray& bytes);
// The picture on the clipboard; a null image when there is none or when it
// has more than maxPixels pixels.
QImage Image(int64_t maxPixels);

struct Content {
    std::vector<std::pair<QString, QByteArray>> formats;
    QImage image;  // left out when null
};
// Replaces what the clipboard holds.
void SetContent(const Content& content);
void Clear();

}  // namespace clipboard
