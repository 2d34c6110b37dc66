#include "foundation/MessageCatalogue.h"

#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/Stream.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QSet>

namespace {

// Every key of section "Default" that the program's code asks for.
const char* const kDefaultKeys[] = {
    "cCaptionNoColor", "cCaptionMoreColor", "cCaptionGradient", "cCaptionStruktur", "IDS_MASTERMSG1",
    "IDS_MASTERMSG2", "IDS_FILEFILTER", "IDS_MASTEROPENFILENAME", "IDS_MASTERCAPTION", "IDS_DATEINAME",
    "IDS_DATEIEXT", "IDS_MNURUECKGAENGIG", "IDS_ERROR", "IDS_NOACROBAT", "IDS_NOPDFFILE", "IDS_NOPRINTER",
    "IDS_CHILDMSG1", "IDS_CHILDMSG2", "IDS_CHILDMSG3", "IDS_CHILDSAVE1", "IDS_CHILDSAVE2", "IDS_CHILDSAVE3",
    "IDS_CHILDSAVE4", "IDS_CHILDMSG4", "IDS_CHILDMSG5", "IDS_CHILDMSG6", "IDS_CHILDMSG7", "IDS_CHILDMSG8",
    "IDS_CHILDZoom1", "IDS_CHILDZoom2", "IDS_CHILDZoom3", "IDS_CHILDZoom4", "IDS_CHILDZoom5", "IDS_CHILDZoom6",
    "IDS_LOADGRAPHIC", "IDS_CANNOTREADPICT", "IDS_NOCOPYELEMENT", "IDS_CANNOTPASTE", "IDS_CANNOTOPENDATABASE",
    "IDS_DLGDEFETIKETTMSG1", "IDS_DLGDEFETIKETTMSG2", "IDS_DLGDEFETIKETTMSG3", "IDS_DLGDEFETIKETTMSG4",
    "IDS_DLGDEFETIKETTMSG5", "IDS_DLGSELETIKETTMSG1", "IDS_DLGDRUCKENCAPTION", "IDS_DLGDRUCKABBRECHENMSG1",
    "IDS_DLGDRUCKABBRECHENMSG2", "IDS_DLGDRUCKABBRECHENMSG3", "IDS_DIROUTLINEBTNWEITER",
    "IDS_DIROUTLINENUMREAD", "IDS_DIROUTLINEANZAHLDIR", "IDS_DLGSELGRAFIK26", "IDS_DLGSELGRAFIK27",
    "IDS_DLGSELGRAFIK28", "IDS_DLGSELGRAFIK29", "IDS_DLGSELGRAFIK30", "IDS_DLGSELGRAFIK31",
    "IDS_DLGSELGRAFIK32", "IDS_DLGSELGRAFIK33", "IDS_DLGPOSDRUCKMSG1", "IDS_DLGPOSDRUCKMSG2",
    "IDS_DLGPOSDRUCKMSG3", "IDS_DLGPOSDRUCKMSG4", "IDS_DLGPOSDRUCKMSG5", "IDS_RTFDLGMSG1", "IDS_UNDOPOSITION",
    "IDS_UNDOPENCOLOR", "IDS_UNDOPENWIDTH", "IDS_UNDOPENSTYLE", "IDS_UNDOFILLCOLOR", "IDS_UNDOFILLSTYLE",
    "IDS_UNDOFILL", "IDS_UNDOFONTNAME", "IDS_UNDOFONTSIZE", "IDS_UNDOFONTSTYLE", "IDS_UNDOFONTCOLOR",
    "IDS_UNDOTEXTALIGN", "IDS_UNDOONEUP", "IDS_UNDOTOFRONT", "IDS_UNDOONEDOWN", "IDS_UNDOTOBACK",
    "IDS_UNDODELETE", "IDS_UNDODUPLICATE", "IDS_UNDOCHANGETEXT", "IDS_UNDOPEN", "IDS_UNDOPROPERTIES",
    "IDS_UNDOANGLE", "IDS_UNDOSIZE", "IDS_UNDOGROUP", "IDS_UNDOUNGROUP", "IDS_UNDONEWELEMENT", "IDS_UNDOPASTE",
    "IDS_CANNOTREADFILE", "IDS_LOADFILE", "IDS_INVALIDFILE", "IDS_INVALIDELEMENT", "IDS_CANNOTSAVEFILE",
    "IDS_CANNOTSAVEFILE2", "IDS_BARCODE1", "IDS_BARCODE2", "IDS_BARCODE3", "IDS_BARCODE4", "IDS_BARCODE5",
    "IDS_BARCODE6", "IDS_BARCODE7", "IDS_BARCODE8", "IDS_BARCODE9", "IDS_BARCODE10", "IDS_BARCODE11",
    "IDS_DRUCKDLG1", "IDS_DIRTREEDLG1", "IDS_DIRTREEDLG2", "IDS_DIRTREEDLG3", "IDS_DIRTREEDLG4",
    "IDS_DIRTREEDLG5", "IDS_DIRTREEDLG6", "IDS_DIRTREEDLG7", "IDS_PROPPAGEDLG1", "IDS_PROPPAGEDLG2",
    "IDS_PROPPAGEDLG3", "IDS_LAST4DAT1", "IDS_CDINFO1", "IDS_CDINFO2", "IDS_CDINFO3", "IDS_CDINFO4",
    "IDS_INTERNET2", "IDS_TRACKTABELLE1", "IDS_TRACKTABELLE2", "IDS_TRACKTABELLE3", "IDS_DYNINETERROR",
    "IDS_DYNINET1", "IDS_DYNINET2", "IDS_mbYes", "IDS_mbNo", "IDS_mbOK", "IDS_mbCancel", "IDS_mbAbort",
    "IDS_mbRetry", "IDS_mbIgnore", "IDS_mbAll", "IDS_mbNoToAll", "IDS_mbYesToAll", "IDS_mbHelp",
    "IDS_mtWarning", "IDS_mtError", "IDS_mtInformation", "IDS_mtConfimation", "IDS_ZRDIB1", "IDS_OPVorschau",
    "IDS_DIBERROR", "IDS_PRINTSUPP1", "IDS_PRINTSUPP2", "IDS_PRINTSUPP3", "IDS_PRINTSUPP4", "IDS_GRADIENT1",
    "IDS_GRADIENT2", "IDS_GRADIENT3", "IDS_GRADIENT4", "IDS_GRADIENT5", "IDS_THUMBLI1", "IDS_VIEWERNOGRAPHIC",
    "IDS_VIEWERLOADING", "IDS_ZRFalscherEintrag", "IDS_ZROutOfRange", "IDS_ZRFalscherBuchstabe", "IDS_WEITER",
    "IDS_DRUCKEN", "IDS_SEITEXVONX", "IDS_BeginntMit", "IDS_Enthält", "IDS_gleich", "IDS_NichtGleich",
    "IDS_Größer", "IDS_GrößerGleich", "IDS_KleinerGleich", "IDS_Kleiner", "IDS_IstLeer", "IDS_IstNichtLeer",
    "IDS_BeginntNichtMit", "IDS_EnthältNicht", "IDS_Ungefähr", "IDS_GenauAm", "IDS_NichtAm", "IDS_NachDem",
    "IDS_GenauOderNachdem", "IDS_GenauOderVorDem", "IDS_VorDem", "IDS_BittegebenSieeineZahlein",
    "IDS_GültigesDatum", "IDS_DATENABFRAGE", "IDS_NORECORD", "IDS_FILTERACTIVE", "IDS_FILTER",
    "IDS_TABELLEWÄHLEN", "IDS_DBFELDEREINFÜGEN", "IDS_ERSTEZEILEFELDNAMEN", "IDS_Feldtrennzeichen",
    "IDS_Texttrennzeichen", "IDS_Dezimaltrennzeichen", "IDS_Leertaste", "IDS_Keines", "IDS_Feld",
    "IDS_Vergleich", "IDS_Kriterium",
};

const char* const kTemplateKeys[] = {"ID_LABEL", "ID_LABELROUND", "ID_CDRLABEL", "ID_BUSINESSCARD",
                                     "ID_CARD",  "ID_PHOTOSTICKER", "ID_CDINSERT", "ID_VIDEOLABEL"};
const char* const kTemplateVerbatimKeys[] = {"ID_REF49995", "ID_REF49996", "ID_REF49997", "ID_REF49998", "ID_REF49999"};

std::unique_ptr<TMyMemIniFile> LoadShipped(const char* code) {
    QFile file(QStringLiteral(":/lang/") + QString::fromLatin1(code) + QStringLiteral(".ini"));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    const QByteArray bytes = file.readAll();
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    auto ini = std::make_unique<TMyMemIniFile>();
    ini->LoadFromStream(stream);
    return ini;
}

}  // namespace

TEST(MessageCatalogue, EveryKeyIsRegistered) {
    TLocalizer localizer;
    localizer.SetInstallQtTranslations(false);
    RegisterMessageCatalogue(localizer);
    const TMyMemIniFile& defaults = localizer.RegisteredDefaults();
    EXPECT_EQ(std::size(kDefaultKeys), 205u);
    for (const char* key : kDefaultKeys)
        EXPECT_TRUE(defaults.ValueExists(QStringLiteral("Default"), QString::fromUtf8(key))) << key;
    for (const char* key : kTemplateKeys) EXPECT_TRUE(defaults.ValueExists(QStringLiteral("Template"), QString::fromLatin1(key))) << key;
    for (const char* key : kTemplateVerbatimKeys)
        EXPECT_TRUE(defaults.ValueExists(QStringLiteral("TemplateVerbatim"), QString::fromLatin1(key))) << key;
    EXPECT_EQ(MessageCatalogueExclusions().size(), 112u);
}

TEST(MessageCatalogue, GermanTextsWithoutALanguage) {
    TLocalizer localizer;
    localizer.SetInstallQtTranslations(false);
    RegisterMessageCatalogue(localizer);
    auto text = [&](const char* key) { return localizer.GetGlobalText(QString::fromUtf8(key)); };
    EXPECT_EQ(text("IDS_UNDODELETE"), QStringLiteral("Löschen"));
    EXPECT_EQ(text("IDS_Größer"), QStringLiteral("größer als"));
    EXPECT_EQ(FormatText(text("IDS_SEITEXVONX"), {2, 5}), QStringLiteral("Seite 2 von 5"));
    EXPECT_EQ(FormatText(text("IDS_FILEFILTER"), {"qem"}), QStringLiteral("qem-Datei (*.qem)|*.qem|alle Dateien (*.*)|*.*"));
    // The program's documents are *.qem; no text offers the extension "lab".
    for (const CatalogueText& t : MessageCatalogueTexts()) {
        const QString german = QString::fromUtf8(t.german);
        EXPECT_FALSE(german.contains(QStringLiteral(".lab"), Qt::CaseInsensitive)) << t.key;
        EXPECT_NE(german.compare(QStringLiteral("lab"), Qt::CaseInsensitive), 0) << t.key;
    }
    EXPECT_EQ(text("IDS_MASTEROPENFILENAME"), QStringLiteral("*.qem"));
    EXPECT_EQ(text("IDS_DATEIEXT"), QStringLiteral("qem"));
}

TEST(MessageCatalogue, ShippedLanguagesAreCompleteAndConsistent) {
    auto german = LoadShipped("deu");
    auto english = LoadShipped("eng");
    ASSERT_TRUE(german && english);
    // The German resource holds the catalogue's own texts.
    for (const CatalogueText& t : MessageCatalogueTexts())
        EXPECT_EQ(german->ReadString(QString::fromUtf8(t.section), QString::fromUtf8(t.key), {}), QString::fromUtf8(t.german))
            << t.key;
    TLocalizer localizer;
    const TMyMemIniFile& builtIn = localizer.RegisteredDefaults();
    for (const QString& section : builtIn.ReadSections())
        for (const QString& key : builtIn.ReadSection(section))
            EXPECT_EQ(german->ReadString(section, key, {}), builtIn.ReadString(section, key, QStringLiteral("?"))) << key.toStdString();
    // English has every key German has, each with a text of its own.
    for (const QString& section : german->ReadSections()) {
        const QStringList keys = german->ReadSection(section);
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()),
                  [&] { const QStringList k = english->ReadSection(section); return QSet<QString>(k.begin(), k.end()); }())
            << section.toStdString();
        for (const QString& key : keys) EXPECT_FALSE(english->ReadString(section, key, {}).isEmpty()) << key.toStdString();
    }
    // Texts with arguments keep their specifiers in the translation.
    auto specifiers = [](const QString& s) {
        QStringList found;
        for (qsizetype i = s.indexOf(QLatin1Char('%')); i >= 0 && i + 1 < s.size(); i = s.indexOf(QLatin1Char('%'), i + 2))
            found << s.mid(i, 2);
        return found;
    };
    for (const QString& key : german->ReadSection(QStringLiteral("Default")))
        EXPECT_EQ(specifiers(german->ReadString(QStringLiteral("Default"), key, {})),
                  specifiers(english->ReadString(QStringLiteral("Default"), key, {})))
            << key.toStdString();
}

TEST(MessageCatalogue, ProcessWideTextsAndMissingKeysFallBackToGerman) {
    EXPECT_EQ(LocalizedText("IDS_UNDODELETE"), QStringLiteral("Löschen"));
    EXPECT_EQ(LocalizedSectionText("Template", "ID_CARD"), QStringLiteral("Grußkarten"));
    EXPECT_EQ(LocalizedFormat("IDS_SEITEXVONX", {2, 5}), QStringLiteral("Seite 2 von 5"));
    RegisterDefaultText("IDS_ADDEDLATER", QStringLiteral("Später hinzugefügt"));
    TLocalizer& localizer = Localizer();
    localizer.SetLanguage(1);
    EXPECT_EQ(LocalizedText("IDS_UNDODELETE"), QStringLiteral("Delete"));
    EXPECT_EQ(LocalizedText("IDS_ADDEDLATER"), QStringLiteral("Später hinzugefügt"));
    localizer.SetLanguage(0);
    EXPECT_EQ(LocalizedText("IDS_UNDODELETE"), QStringLiteral("Löschen"));
}
