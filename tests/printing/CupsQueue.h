#pragma once
// The tests' print queue: scripts/test starts a private print server with a
// queue that writes each job as a PDF file, and names the queue in
// ZORBIT_CUPS_QUEUE and its output folder in ZORBIT_CUPS_PDF_DIR.

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
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

// The PDF that the queue writes for the next job: a new file whose size has
// stopped growing.
inline QString AwaitNewPdf(const QDir& dir, const std::set<QString>& before) {
    QElapsedTimer clock;
    clock.start();
    qint64 lastSize = -1;
    while (clock.elapsed() < 90000) {
        for (const QString& name : PdfFiles(dir)) {
            if (before.count(name)) continue;
            const QFileInfo file(dir.filePath(name));
            if (file.size() > 0 && file.size() == lastSize) return file.filePath();
            lastSize = file.size();
        }
        QThread::msleep(250);
    }
    return {};
}

}  // namespace test
