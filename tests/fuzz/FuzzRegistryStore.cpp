// Reads any bytes as a settings store file. Half of the inputs get a valid
// header and checksum around them, so the key and value records themselves
// are explored. A file the reader accepts must open, list every key and value,
// and write back into bytes that the reader accepts again.
// fuzz-max-len: 1048576 (room for 100,000 values)
#include "platform/registry/RegistryStore.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

QByteArray WithValidHeader(const uint8_t* data, size_t size) {
    const QByteArray payload(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray file("ZRSTORE1");
    const auto put32 = [&file](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    put32(static_cast<uint32_t>(payload.size()));
    put32(static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(payload.constData()),
                                      static_cast<uInt>(payload.size()))));
    return file + payload;
}

void Walk(const registry::Store& store, const QString& path, int depth) {
    if (depth > 70) std::abort();  // the reader limits nesting
    for (const QString& name : store.ValueNames(path))
        if (!store.ReadValue(path, name)) std::abort();  // every listed value can be read
    for (const QString& sub : store.SubKeyNames(path)) Walk(store, path + QLatin1Char('\\') + sub, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const QByteArray bytes = (data[0] & 1) ? WithValidHeader(data + 1, size - 1)
                                           : QByteArray(reinterpret_cast<const char*>(data + 1),
                                                        static_cast<qsizetype>(size - 1));
    try {
        registry::Store::Validate(bytes);
    } catch (const std::runtime_error&) {
        return 0;  // refused: the store would set the file aside
    }
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(bytes);
    }
    registry::Store store(path);
    if (store.Problem()) std::abort();  // accepted bytes must open
    Walk(store, QString(), 0);
    registry::Store::Validate(store.Serialize());  // throws (and the fuzzer reports) if the round trip breaks
    return 0;
}
