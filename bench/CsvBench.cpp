// A CSV data set of 1,000 and of 8,000 columns: every field of every record
// read by name, as a serial print reads the fields of its texts. The time per
// field must stay the same as the columns grow (constant-time lookup).
#include "document/CsvRecordSet.h"
#include "document/WpsCsvParser.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <string>
#include <vector>

namespace {

constexpr int kRecords = 20;

QString WriteWideCsv(const QTemporaryDir& dir, int columns) {
    std::string text;
    for (int c = 0; c < columns; ++c) text += (c ? ";Feld" : "Feld") + std::to_string(c);
    text += '\n';
    for (int r = 0; r < kRecords; ++r) {
        for (int c = 0; c < columns; ++c) text += (c ? ";" : "") + std::to_string(r * columns + c);
        text += '\n';
    }
    const QString path = dir.filePath(QStringLiteral("breit.csv"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

void BM_CsvEveryFieldByName(benchmark::State& state) {
    const int columns = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    TCsvRecordSet records;
    records.Open(WriteWideCsv(dir, columns), kCsvSeparatorSemicolon);
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c) names.push_back("FELD" + std::to_string(c));
    size_t bytes = 0;
    for (auto _ : state) {
        for (records.First(); !records.Eof(); records.Next())
            for (const std::string& name : names) bytes += records.FieldValue(name).size();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations() * kRecords * columns);
}

}  // namespace

BENCHMARK(BM_CsvEveryFieldByName)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond);
