#include "platform/shell/DesktopRegistration.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>

namespace shell {

namespace {

// The escapes of a string value in a desktop entry.
QString EscapeDesktopString(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// One argument of an Exec line in double quotes; "%" is doubled because
// field codes start with it.
QString QuoteExecArgument(const QString& argument) {
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') out += u'\\';
        if (c == u'%') out += u'%';
        out += c;
    }
    out += u'"';
    return out;
}

QString EscapeXml(const QString& text) {
    return text.toHtmlEscaped();
}

QString FileBaseName(const QString& extension) {
    return QStringLiteral("zorbit-") + extension.toLower();
}

bool SameContent(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.size() == content.size() && file.readAll() == content;
}

// Writes the file when it is missing or differs. False in ok when it could
// not be written.
bool WriteIfChanged(const QString& path, const QString& text, RegistrationResult& result) {
    const QByteArray content = text.toUtf8();
    if (SameContent(path, content)) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        result.ok = false;
        return false;
    }
    result.changed = true;
    return true;
}

void RunToolIfInstalled(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

}  // namespace

QString DocumentMimeType(const QString& extension) {
    return QStringLiteral("application/x-zorbit-") + extension.toLower();
}

QString DesktopExecLine(const QString& programPath) {
    return EscapeDesktopString(QuoteExecArgument(programPath) + QStringLiteral(" %f"));
}

QString DesktopEntryText(const DocumentType& type) {
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n");
    text += QStringLiteral("Name=") + EscapeDesktopString(type.applicationName) + u'\n';
    text += QStringLiteral("Comment=") + EscapeDesktopString(type.description) + u'\n';
    if (!type.englishDescription.isEmpty())
        text += QStringLiteral("Comment[en]=") + EscapeDesktopString(type.englishDescription) + u'\n';
    text += QStringLiteral("Exec=") + DesktopExecLine(type.programPath) + u'\n';
    if (!type.iconName.isEmpty()) text += QStringLiteral("Icon=") + EscapeDesktopString(type.iconName) + u'\n';
    text += QStringLiteral("Terminal=false\n"
                           "Categories=Graphics;Office;\n");
    text += QStringLiteral("MimeType=") + DocumentMimeType(type.extension) + QStringLiteral(";\n");
    return text;
}

QString MimeTypeText(const DocumentType& type) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    text += QStringLiteral("  <mime-type type=\"") + DocumentMimeType(type.extension) + QStringLiteral("\">\n");
    text += QStringLiteral("    <comment>") + EscapeXml(type.description) + QStringLiteral("</comment>\n");
    if (!type.englishDescription.isEmpty())
        text += QStringLiteral("    <comment xml:lang=\"en\">") + EscapeXml(type.englishDescription) +
                QStringLiteral("</comment>\n");
    if (!type.iconName.isEmpty())
        text += QStringLiteral("    <icon name=\"") + EscapeXml(type.iconName) + QStringLiteral("\"/>\n");
    text += QStringLiteral("    <glob pattern=\"*.") + EscapeXml(type.extension.toLower()) + QStringLiteral("\"/>\n");
    text += QStringLiteral("  </mime-type>\n"
                           "</mime-info>\n");
    return text;
}

RegistrationResult RegisterDocumentType(const DocumentType& type, const QString& dataHome) {
    RegistrationResult result;
    if (type.extension.isEmpty() || dataHome.isEmpty()) {
        result.ok = false;
        return result;
    }
    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString applicationsFolder = dataHome + QStringLiteral("/applications");
    const QString base = FileBaseName(type.extension);
    if (WriteIfChanged(mimeFolder + QStringLiteral("/packages/") + base + QStringLiteral(".xml"), MimeTypeText(type),
                       result))
        RunToolIfInstalled(QStringLiteral("update-mime-database"), mimeFolder);
    if (WriteIfChanged(applicationsFolder + u'/' + base + QStringLiteral(".desktop"), DesktopEntryText(type), result))
        RunToolIfInstalled(QStringLiteral("update-desktop-database"), applicationsFolder);
    return result;
}

QString UserDataHome() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_DATA_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment)) return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

}  // namespace shell
