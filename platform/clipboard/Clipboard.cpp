#include "platform/clipboard/Clipboard.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include <memory>

namespace clipboard {

namespace {

const QMimeData* CurrentData() {
    QClipboard* board = QGuiApplication::clipboard();
    return board ? board->mimeData() : nullptr;
}

}  // namespace

QString PrivateFormatMimeType(const QString& formatName) {
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(formatName);
}

QStringList Formats() {
    const QMimeData* data = CurrentData();
    return data ? data->formats() : QStringList();
}

bool HasFormat(const QString& mimeType) {
    const QMimeData* data = CurrentData();
    return data && data->hasFormat(mimeType);
}

bool HasImage() {
    const QMimeData* data = CurrentData();
    return data && data->hasImage();
}

bool Data(const QString& mimeType, int64_t maxBytes, QByteArray& bytes) {
    bytes.clear();
    const QMimeData* data = CurrentData();
    if (!data || !data->hasFormat(mimeType)) return false;
    QByteArray read = data->data(mimeType);
    if (read.size() > maxBytes) return false;
    bytes = std::move(read);
    return true;
}

QImage Image(int64_t maxPixels) {
    const QMimeData* data = CurrentData();
    if (!data || !data->hasImage()) return {};
    QImage image = qvariant_cast<QImage>(data->imageData());
    if (int64_t{image.width()} * image.height() > maxPixels) return {};
    return image;
}

void SetContent(const Content& content) {
    auto data = std::make_unique<QMimeData>();
    for (const auto& [mimeType, bytes] : content.formats) data->setData(mimeType, bytes);
    if (!content.image.isNull()) data->setImageData(content.image);
    if (QClipboard* board = QGuiApplication::clipboard()) board->setMimeData(data.release());
}

void Clear() {
    if (QClipboard* board = QGuiApplication::clipboard()) board->clear();
}

}  // namespace clipboard
