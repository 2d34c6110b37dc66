#include "foundation/Localizer.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/Stream.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>
#include <QtGui/QCursor>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>

#include <map>

const std::array<TLangData, kLanguageCount> LangDataTable = {{
    {"deu", 0x07, "de", u"FKU"},
    {"eng", 0x09, "en", u"BIU"},
    {"fra", 0x0C, "fr", u"GIS"},
    {"ita", 0x10, "it", u"GCS"},
    {"spa", 0x0A, "es", u"NKS"},
    {"por", 0x16, "pt", u"NIS"},
    {"pol", 0x15, "pl", u"BIU"},
    {"ung", 0x0E, "hu", u"FDA"},
    {"cze", 0x05, "cs", u"TKP"},
    {"ned", 0x13, "nl", u"VCO"},
    {"fin", 0x0B, "fi", u"LKA"},
    {"cro", 0x1A, "hr", u"BIU"},
    {"ser", 0x1A, "sr", u"BIU"},
    {"rum", 0x18, "ro", u"BIU"},
    {"gre", 0x08, "el", u"BIU"},
    {"rus", 0x19, "ru", u"\u0416\u041A\u0427"},
    {"swe", 0x1D, "sv", u"FKU"},
    {"nor", 0x14, "nb", u"FKU"},
    {"dan", 0x06, "da", u"FKU"},
    {"slo", 0x24, "sl", u"BIU"},
    {"slk", 0x1B, "sk", u"BIU"},
    {"trk", 0x1F, "tr", u"BIU"},
}};

uint8_t PrimaryLanguageId(int qtLanguage) {
    switch (static_cast<QLocale::Language>(qtLanguage)) {
    case QLocale::German: return 0x07;
    case QLocale::English: return 0x09;
    case QLocale::French: return 0x0C;
    case QLocale::Italian: return 0x10;
    case QLocale::Spanish: return 0x0A;
    case QLocale::Portuguese: return 0x16;
    case QLocale::Polish: return 0x15;
    case QLocale::Hungarian: return 0x0E;
    case QLocale::Czech: return 0x05;
    case QLocale::Dutch: return 0x13;
    case QLocale::Finnish: return 0x0B;
    case QLocale::Croatian:
    case QLocale::Serbian:
    case QLocale::Bosnian: return 0x1A;
    case QLocale::Romanian: return 0x18;
    case QLocale::Greek: return 0x08;
    case QLocale::Russian: return 0x19;
    case QLocale::Swedish: return 0x1D;
    case QLocale::NorwegianBokmal:
    case QLocale::NorwegianNynorsk: return 0x14;
    case QLocale::Danish: return 0x06;
    case QLocale::Slovenian: return 0x24;
    case QLocale::Slovak: return 0x1B;
    case QLocale::Turkish: return 0x1F;
    default: return 0;
    }
}

namespace {

const QString kDefaultSection = QStringLiteral("Default");
const QString kLocalizerSection = QStringLiteral("Localizer");

QString KeyString(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// Shows the wait cursor while a language is switched.
class WaitCursor {
public:
    WaitCursor() : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (active_) QGuiApplication::restoreOverrideCursor();
    }

private:
    bool active_;
};

// Qt's own texts that the program words itself: the key names of shortcuts
// and the buttons of message boxes and dialog button boxes. Everything else
// falls through to Qt's translation of the language.
class PlatformTextTranslator : public QTranslator {
public:
    explicit PlatformTextTranslator(const TLocalizer& localizer) : localizer_(localizer) {}

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override {
        if (!context || !sourceText) return {};
        const std::string_view ctx(context);
        const std::string_view src(sourceText);
        if (ctx == "QShortcut") return ShortcutText(src);
        if (ctx == "QPlatformTheme") return ButtonText(src);
        return {};
    }

private:
    QString Text(const char* key) const {
        const QString text = localizer_.GetGlobalText(QString::fromLatin1(key));
        return text == QLatin1String(TLocalizer::kNoDefault) ? QString() : text;
    }

    QString ShortcutText(std::string_view src) const {
        static const std::map<std::string_view, const char*> keys = {
            {"Backspace", "XSmkcBkSp"}, {"Tab", "XSmkcTab"},     {"Esc", "XSmkcEsc"},     {"Return", "XSmkcEnter"},
            {"Enter", "XSmkcEnter"},    {"Space", "XSmkcSpace"}, {"PgUp", "XSmkcPgUp"},   {"PgDown", "XSmkcPgDn"},
            {"End", "XSmkcEnd"},        {"Home", "XSmkcHome"},   {"Left", "XSmkcLeft"},   {"Up", "XSmkcUp"},
            {"Right", "XSmkcRight"},    {"Down", "XSmkcDown"},   {"Ins", "XSmkcIns"},     {"Del", "XSmkcDel"},
            {"Shift", "XSmkcShift"},    {"Ctrl", "XSmkcCtrl"},   {"Alt", "XSmkcAlt"},
        };
        const auto it = keys.find(src);
        if (it == keys.end()) return {};
        QString text = Text(it->second);
        // Modifier names carry their "+"; Qt adds its own.
        if (text.size() > 1 && text.endsWith(QLatin1Char('+'))) text.chop(1);
        return text;
    }

    QString ButtonText(std::string_view src) const {
        struct Button {
            const char* key;
            bool mnemonic;
        };
        static const std::map<std::string_view, Button> buttons = {
            {"OK", {"IDS_mbOK", false}},          {"Cancel", {"IDS_mbCancel", false}},
            {"&Yes", {"IDS_mbYes", true}},        {"&No", {"IDS_mbNo", true}},
            {"Help", {"IDS_mbHelp", false}},      {"Abort", {"IDS_mbAbort", false}},
            {"Retry", {"IDS_mbRetry", false}},    {"Ignore", {"IDS_mbIgnore", false}},
            {"Yes to &All", {"IDS_mbYesToAll", true}}, {"N&o to All", {"IDS_mbNoToAll", true}},
        };
        const auto it = buttons.find(src);
        if (it == buttons.end()) return {};
        const QString text = Text(it->second.key);
        if (text.isEmpty() || !it->second.mnemonic || text.contains(QLatin1Char('&'))) return text;
        return QLatin1Char('&') + text;
    }

    const TLocalizer& localizer_;
};

}  // namespace

QString ProgramBaseName() {
    QString program = QCoreApplication::instance() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                                                   : QStringLiteral("zorbit");
    const qsizetype dot = program.indexOf(QLatin1Char('.'));
    if (dot >= 0) program.truncate(dot);
    return program;
}

QString ManualFileName(const QString& folder, const QString& program, const QString& code) {
    return folder + program + QLatin1Char('_') + code + QStringLiteral(".htm");
}

// ---- TLocalizer

TLocalizer::TLocalizer(const QStringList& arguments, QObject* parent)
    : QObject(parent), languageFile_(std::make_unique<TMyMemIniFile>()), defaults_(std::make_unique<TMyMemIniFile>()) {
    exportMode_ = arguments.size() > 1 && arguments[1].compare(QLatin1String("/RESWRITE"), Qt::CaseInsensitive) == 0;
    // The file is written when the localizer goes, after the application
    // object: the program's folder and name are known only now.
    if (exportMode_) exportFileName_ = ExportFileName();
    RegisterShortcutNames();
    RegisterLocalizerTexts();
}

TLocalizer::~TLocalizer() {
    if (exportMode_ && !exportWritten_) {
        try {
            WriteExportFile();
        } catch (const std::exception& e) {
            Debug().Log(QStringLiteral("Export file not written: ") + QString::fromUtf8(e.what()));
        }
    }
    RemoveQtTranslations();
}

void TLocalizer::RegisterShortcutNames() {
    static const std::pair<const char*, const char16_t*> names[] = {
        {"XSmkcBkSp", u"Rück"},       {"XSmkcTab", u"Tab"},          {"XSmkcEsc", u"Esc"},
        {"XSmkcEnter", u"Enter"},     {"XSmkcSpace", u"Leertaste"},  {"XSmkcPgUp", u"BildAuf"},
        {"XSmkcPgDn", u"BildAb"},     {"XSmkcEnd", u"Ende"},         {"XSmkcHome", u"Pos1"},
        {"XSmkcLeft", u"Links"},      {"XSmkcUp", u"Nach oben"},     {"XSmkcRight", u"Rechts"},
        {"XSmkcDown", u"Nach unten"}, {"XSmkcIns", u"Einfg"},        {"XSmkcDel", u"Entf"},
        {"XSmkcShift", u"Umsch+"},    {"XSmkcCtrl", u"Strg+"},       {"XSmkcAlt", u"Alt+"},
    };
    for (const auto& [key, text] : names) RegisterGlobalDefault(QString::fromLatin1(key), QString::fromUtf16(text));
}

void TLocalizer::RegisterLocalizerTexts() {
    RegisterDefault(kLocalizerSection, QStringLiteral("NoLanguageFile"), QStringLiteral("Die Sprache wird nicht unterstützt"));
    RegisterDefault(kLocalizerSection, QStringLiteral("ExportModeActive"),
                    QStringLiteral("Sprachumschaltung nicht möglich, da Resourcenschreibmodus aktiviert ist"));
    RegisterDefault(kLocalizerSection, QStringLiteral("LanguageNotAvailable"),
                    QStringLiteral("Ausgewählte Sprache steht nicht zur Verfügung"));
}

QString TLocalizer::EscapeText(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1String("#13#"));
    text.replace(QLatin1Char('\n'), QLatin1String("#10#"));
    return text;
}

QString TLocalizer::UnescapeText(QString text) {
    text.replace(QLatin1String("#10#"), QLatin1String("\n"));
    text.replace(QLatin1String("#13#"), QLatin1String("\r"));
    return text;
}

bool TLocalizer::FindLanguageText(const QString& section, const QString& key, QString& text) const {
    const QString sentinel = QString::fromLatin1(kSentinel);
    const QString v = languageFile_->ReadString(section, key, sentinel);
    if (v == sentinel) return false;
    text = v;
    return true;
}

QString TLocalizer::GetText(const QString& section, const QString& key) const {
    const QString sentinel = QString::fromLatin1(kSentinel);
    QString v = languageFile_->ReadString(section, key, sentinel);
    if (v == sentinel) v = defaults_->ReadString(section, key, sentinel);
    if (v == sentinel) v = QString::fromLatin1(kNoDefault);
    return UnescapeText(v);
}

void TLocalizer::RegisterDefault(const QString& section, const QString& key, const QString& text) {
    defaults_->WriteString(section, key, EscapeText(text));
}

void TLocalizer::AddExportExclusion(const QString& formClass, const QString& component, const QString& property) {
    if (!exportMode_) return;
    exclusions_.insert((formClass + QLatin1Char('.') + component + QLatin1Char('.') + property).toCaseFolded());
}

void TLocalizer::ExportText(const QString& section, const QString& key, const QString& text) {
    languageFile_->WriteString(section, key, EscapeText(text));
}

QString TLocalizer::ExportFileName() const {
    if (!exportFileName_.isEmpty()) return exportFileName_;
    return GetProgramFolder() + ProgramBaseName() + QStringLiteral(".txt");
}

void TLocalizer::WriteExportFile() {
    exportWritten_ = true;
    TMyMemIniFile collected;
    collected.AddLines(languageFile_->SaveToStrings());
    collected.AddLines(defaults_->SaveToStrings());
    TMyMemIniFile file;
    const std::string fileName = ExportFileName().toStdString();
    file.LoadFromFile(fileName);
    for (const QString& section : collected.ReadSections()) {
        for (const QString& key : collected.ReadSection(section)) {
            if (key.isEmpty()) continue;
            file.WriteString(section, key, collected.ReadString(section, key, QString()));
        }
    }
    // UTF-16 like the language resources, so that no character is lost.
    file.SaveToFileUnicode(fileName);
}

void TLocalizer::ShowMessage(const QString& text) {
    Debug().Log(text);
    if (messageHandler_) messageHandler_(text);
}

QString TLocalizer::ResourcePath(int index) const {
    return resourceFolder_ + QLatin1Char('/') + QString::fromLatin1(LangDataTable[static_cast<size_t>(index)].code) +
           QStringLiteral(".ini");
}

bool TLocalizer::IsLanguageAvailable(int index) const {
    if (index < 0 || index > 31 || !(mask_ & (1u << index))) return false;
    if (index >= kLanguageCount) return false;
    return QFile::exists(ResourcePath(index));
}

bool TLocalizer::LoadLanguageResource(int index, TMyMemIniFile& into, QString* reason) const {
    auto fail = [&](const QString& why) {
        if (reason) *reason = ResourcePath(index) + QStringLiteral(": ") + why;
        return false;
    };
    if (index < 0 || index >= kLanguageCount) return fail(QStringLiteral("no such language"));
    QFile file(ResourcePath(index));
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xFE)
        return fail(QStringLiteral("not UTF-16 text with byte-order mark"));
    if (bytes.size() % 2 != 0) return fail(QStringLiteral("odd number of bytes"));
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() == 0) return fail(QStringLiteral("NUL character in the text"));
        if (c.isHighSurrogate() && (i + 1 >= text.size() || !text[i + 1].isLowSurrogate()))
            return fail(QStringLiteral("broken UTF-16 at unit %1").arg(i));
        if (c.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate()))
            return fail(QStringLiteral("broken UTF-16 at unit %1").arg(i));
    }
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    TMyMemIniFile loaded;
    loaded.LoadFromStream(stream);
    if (!loaded.SectionExists(kDefaultSection)) return fail(QStringLiteral("no [Default] section"));
    into.Clear();
    into.AddLines(loaded.SaveToStrings());
    return true;
}

void TLocalizer::SetLanguage(int index) {
    WaitCursor wait;
    if (exportMode_) {
        ShowMessage(GetText(kLocalizerSection, QStringLiteral("ExportModeActive")));
        return;
    }
    if (!IsLanguageAvailable(index)) {
        ShowMessage(GetText(kLocalizerSection, QStringLiteral("LanguageNotAvailable")));
        return;
    }
    auto loaded = std::make_unique<TMyMemIniFile>();
    QString reason;
    if (!LoadLanguageResource(index, *loaded, &reason)) {
        Debug().Log(QStringLiteral("Language not loaded: ") + reason);
        throw ELanguageError(GetText(kLocalizerSection, QStringLiteral("NoLanguageFile")) + QStringLiteral(": ") +
                             QString::fromLatin1(LangDataTable[static_cast<size_t>(index)].code));
    }
    languageFile_ = std::move(loaded);
    languageIndex_ = index;
    languageLoaded_ = true;
    InstallQtTranslations();
    emit LanguageChanged();
}

void TLocalizer::ChooseStartLanguage() {
    const int stored = Settings().ReadInteger("", "Sprache", kNoLanguage);
    ChooseStartLanguage(stored, PrimaryLanguageId(QLocale::system().language()));
}

void TLocalizer::ChooseStartLanguage(int storedLanguage, uint8_t userPrimaryLanguageId) {
    int language = storedLanguage;
    if (language == kNoLanguage) {
        for (int i = 0; i < kLanguageCount; ++i) {
            if (LangDataTable[static_cast<size_t>(i)].primaryLanguageId != userPrimaryLanguageId) continue;
            if (IsLanguageAvailable(i)) language = i;
            break;
        }
    }
    if (language != kNoLanguage && !IsLanguageAvailable(language)) {
        // Not allowed, or not shipped: the highest language that is both.
        language = kNoLanguage;
        for (int i = kLanguageCount - 1; i >= 0; --i)
            if (IsLanguageAvailable(i)) {
                language = i;
                break;
            }
    }
    if (language == kNoLanguage) {
        // No language file: the German texts built into the program.
        InstallQtTranslations();
        return;
    }
    try {
        SetLanguage(language);
    } catch (const std::exception& e) {
        Debug().Log(QString::fromUtf8(e.what()));
        InstallQtTranslations();
    }
}

void TLocalizer::SetAllowedLanguages(uint32_t mask) {
    mask_ = mask;
    if (!(mask_ & (1u << languageIndex_)) || (languageLoaded_ && !IsLanguageAvailable(languageIndex_))) ChooseStartLanguage();
}

QString TLocalizer::GetLanguageCode() const {
    return QString::fromLatin1(LangDataTable[static_cast<size_t>(languageIndex_)].code);
}

QLocale TLocalizer::LanguageLocale() const {
    return QLocale(QString::fromLatin1(LangDataTable[static_cast<size_t>(languageIndex_)].qtName));
}

QString TLocalizer::GetManualFileName(int index) const {
    const int i = (index >= 0 && index < kLanguageCount) ? index : 0;
    return ManualFileName(GetProgramFolder(), ProgramBaseName(), QString::fromLatin1(LangDataTable[static_cast<size_t>(i)].code));
}

void TLocalizer::RemoveQtTranslations() {
    if (QCoreApplication::instance()) {
        if (platformTranslator_) QCoreApplication::removeTranslator(platformTranslator_.get());
        if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
    }
    platformTranslator_.reset();
    qtTranslator_.reset();
}

void TLocalizer::InstallQtTranslations() {
    if (!installQtTranslations_ || !QCoreApplication::instance()) return;
    RemoveQtTranslations();
    const char* qtName = languageLoaded_ ? LangDataTable[static_cast<size_t>(languageIndex_)].qtName : "de";
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + QString::fromLatin1(qtName), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        qtTranslator_ = std::move(qt);
    }
    // Installed last, so it is asked first.
    platformTranslator_ = std::make_unique<PlatformTextTranslator>(*this);
    QCoreApplication::installTranslator(platformTranslator_.get());
}

QImage TLocalizer::Glyph(int which) const {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return image;
    const char16_t* letters = LangDataTable[static_cast<size_t>(languageIndex_)].glyphLetters;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(which == 0);
    font.setItalic(which == 1);
    font.setUnderline(which == 2);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QChar(letters[which])));
    return image;
}

// ---- the process-wide localizer and the text functions

TLocalizer& Localizer() {
    // The trace object is created first so that it outlives the localizer,
    // whose destructor may report on it.
    Debug();
    static std::unique_ptr<TLocalizer> instance = [] {
        const QStringList arguments = QCoreApplication::instance() ? QCoreApplication::arguments() : QStringList();
        auto localizer = std::make_unique<TLocalizer>(arguments);
        RegisterMessageCatalogue(*localizer);
        return localizer;
    }();
    return *instance;
}

QString LocalizedText(std::string_view key) { return Localizer().GetGlobalText(KeyString(key)); }

QString LocalizedFormat(std::string_view key, std::initializer_list<FormatArg> args) {
    const QString text = LocalizedText(key);
    try {
        return FormatText(text, args);
    } catch (const std::exception&) {
        return text;
    }
}

QString LocalizedSectionText(std::string_view section, std::string_view key) {
    return Localizer().GetText(KeyString(section), KeyString(key));
}

void RegisterDefaultText(std::string_view key, const QString& text) {
    Localizer().RegisterGlobalDefault(KeyString(key), text);
}

void RegisterSectionDefaultText(std::string_view section, std::string_view key, const QString& text) {
    Localizer().RegisterDefault(KeyString(section), KeyString(key), text);
}
