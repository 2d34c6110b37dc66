#pragma once
// Writes small language resources (UTF-16 LE with byte-order mark, CR LF) into
// a test folder.

#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QStringList>

inline void WriteLanguageFile(const QString& folder, const char* code, const QStringList& lines) {
    QFile file(folder + QLatin1Char('/') + QString::fromLatin1(code) + QStringLiteral(".ini"));
    if (!file.open(QIODevice::WriteOnly)) return;
    QByteArray bytes("\xFF\xFE", 2);
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    file.write(bytes);
}

inline void WriteRawFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}
