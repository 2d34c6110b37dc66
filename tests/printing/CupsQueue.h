#pragma once
// The tests' print queue: scripts/test starts a private print server with a
// queue that writes each job as a PDF file, and names the queue in
// ZORBIT_CUPS_QUEUE and its output folder in ZORBIT_CUPS_PDF_DIR.

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QThread>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>

namespace test {

struct Queue {
    std::string name;
    QDir output;
};

inline std::optional<Queue> TestQueue() {
    const char* name = std::getenv("ZORBIT_CUPS_QUEUE");
    const char* folder = std::getenv("ZORBIT_CUPS_PDF_DIR");
    if (!name || !folder) return std::nullopt;
    return Queue{name, QDir(QString::fromLocal8Bit(folder))};
}

inline std::set<QString> PdfFiles(const QDir& dir) {
    const QStringList names = dir.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return {names.begin(), names.end()};
}

// True once the PDF writer has finished the file: its trailer comes last.
inline bool IsCompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
    file.seek(file.size() - 16);
    return file.read(16).trimmed().endsWith("%%EOF");
}

// The PDF that the queue writes for the next job, once it is complete; empty
// when none comes within 90 seconds.
inline QString AwaitNewPdf(const QDir& dir, const std::set<QString>& before) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 90000) {
        for (const QString& name : PdfFiles(dir)) {
            if (!before.count(name) && IsCompletePdf(dir.filePath(name))) return dir.filePath(name);
        }
        QThread::msleep(20);
    }
    return {};
}

}  // namespace test
