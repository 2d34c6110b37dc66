#pragma once
// Whole files read and written in one call.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::vector<uint8_t> FileBytes(const QString& path) {
    const QByteArray all = ReadFile(path);
    return std::vector<uint8_t>(all.begin(), all.end());
}

// A file of tests/fixtures.
inline QString FixturePath(const QString& relative) {
    return QStringLiteral(ZORBIT_FIXTURES_DIR "/") + relative;
}

// Writes the bytes as the whole file; a file that cannot be written fails the test.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

inline void WriteFile(const QString& path, const std::vector<uint8_t>& bytes) {
    WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

// Writes the file of the name in the folder; its path.
inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& content) {
    const QString path = dir.filePath(name);
    WriteFile(path, QByteArray::fromStdString(content));
    return path;
}
