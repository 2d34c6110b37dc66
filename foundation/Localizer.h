#pragma once
// Every text the user sees comes through the localizer: the texts of the
// current language (a UTF-16 INI resource compiled into the program), the
// German defaults that code registers at start, and the fallbacks
// "ZR2001 kein String" (internal sentinel) and "kein Defaultwert definiert".
//
// Sections: "Default" holds the message texts (LocalizedText); every window
// has a section named after its class with keys "component.Property" and,
// for item lists, "component.Items0", "component.Items1", ... Texts are single
// lines; "#13#" and "#10#" stand for CR and LF.
//
// Texts are Unicode (QString) from the resource to the widget. Keys are
// UTF-8 (almost all ASCII).
//
// With "/RESWRITE" as the first command-line argument the localizer runs in
// export mode: windows are not localized but their texts are collected and,
// when the localizer is destroyed, written with all registered defaults into
// "<program folder>/<program name>.txt" for translators.

#include "foundation/Exceptions.h"
#include "foundation/FormatText.h"

#include <QtCore/QLocale>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class TMyMemIniFile;
class QTranslator;

// The program file's name up to its first ".".
QString ProgramBaseName();
// The manual of the language with that code, an HTML page:
// <folder><program>_<code>.htm.
QString ManualFileName(const QString& folder, const QString& program, const QString& code);

// A language could not be loaded; the previous language stays in force.
ZORBIT_DECLARE_EXCEPTION(ELanguageError, Exception);

struct TLangData {
    const char* code;           // "deu", "eng", ...
    uint8_t primaryLanguageId;  // the Windows primary language id
    const char* qtName;         // the name of Qt's own translation ("de", "en", ...)
    // Letters of the bold, italic and underline tool buttons.
    const char16_t* glyphLetters;
};

inline constexpr int kLanguageCount = 22;
extern const std::array<TLangData, kLanguageCount> LangDataTable;
inline constexpr uint32_t kAllLanguagesMask = 0x3FFFFF;
// "Sprache" of the settings root when no language was chosen yet.
inline constexpr int kNoLanguage = -99;

// The Windows primary language id of a Qt language (0 when none matches).
uint8_t PrimaryLanguageId(int qtLanguage);

class TLocalizer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSentinel = "ZR2001 kein String";
    static constexpr const char* kNoDefault = "kein Defaultwert definiert";
    static constexpr const char* kDefaultResourceFolder = ":/lang";

    // arguments as QCoreApplication::arguments() (the program first).
    explicit TLocalizer(const QStringList& arguments = {}, QObject* parent = nullptr);
    ~TLocalizer() override;

    // Text lookup: language file, then registered defaults, then
    // "kein Defaultwert definiert"; unescaped.
    QString GetText(const QString& section, const QString& key) const;
    QString GetGlobalText(const QString& key) const { return GetText(QStringLiteral("Default"), key); }
    // The language file's text only (escaped as stored); false when missing.
    bool FindLanguageText(const QString& section, const QString& key, QString& text) const;

    void RegisterDefault(const QString& section, const QString& key, const QString& text);
    void RegisterGlobalDefault(const QString& key, const QString& text) {
        RegisterDefault(QStringLiteral("Default"), key, text);
    }
    const TMyMemIniFile& RegisteredDefaults() const { return *defaults_; }

    // Languages.
    // Loads the language and re-texts every open window. In export mode or
    // for a language that is not available it only tells so (MessageHandler).
    // A resource that cannot be loaded raises ELanguageError with the
    // "NoLanguageFile" text + ": " + code; the previous language stays.
    void SetLanguage(int index);
    // Picks the start language from the root setting "Sprache", else from the
    // user's locale, among the allowed and present languages.
    void ChooseStartLanguage();
    void ChooseStartLanguage(int storedLanguage, uint8_t userPrimaryLanguageId);
    void SetAllowedLanguages(uint32_t mask);
    uint32_t AllowedLanguages() const { return mask_; }
    bool IsLanguageAvailable(int index) const;
    int LanguageIndex() const { return languageIndex_; }
    bool LanguageLoaded() const { return languageLoaded_; }
    QString GetLanguageCode() const;
    // The conventions of the current language, for numbers the windows show
    // (settings files keep the user's own locale).
    QLocale LanguageLocale() const;
    // The manual of the language in the program folder (ManualFileName).
    QString GetManualFileName(int index) const;

    // 16 x 16 tool-button glyphs of the current language.
    QImage GetBoldGlyph() const { return Glyph(0); }
    QImage GetItalicGlyph() const { return Glyph(1); }
    QImage GetUnderlineGlyph() const { return Glyph(2); }

    // Where the language resources are ("<folder>/<code>.ini"); tests point
    // it at their own files.
    void SetResourceFolder(const QString& folder) { resourceFolder_ = folder; }
    const QString& ResourceFolder() const { return resourceFolder_; }
    QString ResourcePath(int index) const;
    // Loads one resource into an INI object; false with the reason when it
    // is missing or damaged.
    bool LoadLanguageResource(int index, TMyMemIniFile& into, QString* reason = nullptr) const;

    // Informational messages (export mode, unavailable language). The
    // widgets layer shows them in a message box; without a handler they go
    // to the trace output.
    void SetMessageHandler(std::function<void(const QString&)> handler) { messageHandler_ = std::move(handler); }

    // Whether Qt's own texts (dialog buttons, key names) follow the language.
    void SetInstallQtTranslations(bool on) { installQtTranslations_ = on; }

    // Export mode.
    bool ExportMode() const { return exportMode_; }
    void AddExportExclusion(const QString& formClass, const QString& component, const QString& property);
    bool IsExportExclusion(const QString& entry) const { return exclusions_.contains(entry.toCaseFolded()); }
    // Stores an exported text (escaped) in the collected texts.
    void ExportText(const QString& section, const QString& key, const QString& text);
    void SetExportFileName(const QString& fileName) { exportFileName_ = fileName; }
    QString ExportFileName() const;
    void WriteExportFile();

    static QString EscapeText(QString text);
    static QString UnescapeText(QString text);

signals:
    // A language was loaded: every window texts itself again.
    void LanguageChanged();

private:
    void RegisterShortcutNames();
    void RegisterLocalizerTexts();
    void ShowMessage(const QString& text);
    void InstallQtTranslations();
    void RemoveQtTranslations();
    QImage Glyph(int which) const;

    bool exportMode_ = false;
    std::unique_ptr<TMyMemIniFile> languageFile_;
    std::unique_ptr<TMyMemIniFile> defaults_;
    QSet<QString> exclusions_;
    int languageIndex_ = 0;
    bool languageLoaded_ = false;
    uint32_t mask_ = kAllLanguagesMask;
    QString resourceFolder_ = QString::fromLatin1(kDefaultResourceFolder);
    QString exportFileName_;
    std::function<void(const QString&)> messageHandler_;
    bool installQtTranslations_ = true;
    std::unique_ptr<QTranslator> qtTranslator_;
    std::unique_ptr<QTranslator> platformTranslator_;
    bool exportWritten_ = false;
};

// The process-wide localizer, created on first use with the program's
// arguments and the German message catalogue registered.
TLocalizer& Localizer();
inline TLocalizer& GetLocalizer() { return Localizer(); }

QString LocalizedText(std::string_view key);
// The text formatted with the arguments (see FormatText); the raw text when
// the text and the arguments do not fit.
QString LocalizedFormat(std::string_view key, std::initializer_list<FormatArg> args);
QString LocalizedSectionText(std::string_view section, std::string_view key);
void RegisterDefaultText(std::string_view key, const QString& text);
void RegisterSectionDefaultText(std::string_view section, std::string_view key, const QString& text);
