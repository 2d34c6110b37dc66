// Reads arbitrary bytes as a delimited text file: the first byte chooses the
// separator kind, the rest is split line by line and read as a record set.
// Every field is a part of its line, and the record set walks its records.
// fuzz-max-len: 4096
#include "document/CsvRecordSet.h"
#include "document/WpsCsvParser.h"
#include "foundation/Exceptions.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

QString InputFile() {
    static const QString path = QDir::temp().filePath(QStringLiteral("zorbit-fuzz-csv-%1.csv").arg(::getpid()));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t kind = data[0] % 3;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const char separator = kind == kCsvSeparatorComma ? ',' : kind == kCsvSeparatorTab ? '\t' : ';';

    size_t total = 0;
    const auto fields = SplitCsvLine(text, separator);
    for (const std::string& field : fields) total += field.size();
    if (total > text.size() || fields.size() > text.size() + 1) std::abort();

    QFile file(InputFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    TCsvRecordSet records;
    records.Open(InputFile(), kind);
    int32_t walked = 0;
    for (records.First(); !records.Eof(); records.Next()) {
        for (const TDataSetField& field : records.Fields()) records.FieldValue(field.name);
        ++walked;
    }
    if (walked != records.RecordCount()) std::abort();
    return 0;
}
