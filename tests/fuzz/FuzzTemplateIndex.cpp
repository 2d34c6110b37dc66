// Reads any bytes as the template index "styles.ini": lists the templates and
// takes a new template number. The new file must be one that neither exists
// nor is registered, and "Max" must then name its number.
// fuzz-max-len: 8192
#include "design/TemplateIndex.h"
#include "foundation/MyMemIniFile.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    TTemplateIndex index(dir.path());
    {
        QFile file(index.IndexPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const std::vector<TTemplateEntry> before = index.Templates();
    for (const TTemplateEntry& entry : before)
        if (entry.FileName.isEmpty()) std::abort();

    const QString path = index.NewTemplateFileName();
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo::exists(path) || !name.startsWith(QStringLiteral("STIL")) || !name.endsWith(QStringLiteral(".sty")))
        std::abort();
    for (const TTemplateEntry& entry : before)
        if (entry.FileName == name) std::abort();  // a registered number is never taken again

    TMyMemIniFile ini;
    ini.LoadFromFile(QFile::encodeName(index.IndexPath()).toStdString());
    bool ok = false;
    const int number = ini.ReadString(QStringLiteral("Allgemein"), QStringLiteral("Max"), QString()).toInt(&ok);
    if (!ok || number < 1 || name != QStringLiteral("STIL%1.sty").arg(number)) std::abort();
    if (index.Templates().size() != before.size()) std::abort();  // taking a number registers nothing
    return 0;
}
