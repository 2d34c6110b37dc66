#pragma once
// Every text of a window in both languages: the windows' texts are exported
// as the translators' file would have them, then each must equal the German
// language file's text and have an English one. Keys for which `computed`
// answers true are texts the window sets itself (values, not words).

#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

// (window, its section); returns the number of texts checked.
inline int ExpectFormTextsInBothLanguages(const std::vector<std::pair<QWidget*, QString>>& forms,
                                          const std::function<bool(const QString& key)>& computed = {}) {
    QTemporaryDir dir;
    TLocalizer exporter({QStringLiteral("zorbit"), QStringLiteral("/RESWRITE")});
    exporter.SetInstallQtTranslations(false);
    exporter.SetExportFileName(dir.filePath(QStringLiteral("texts.txt")));
    for (const auto& [form, section] : forms) LocalizeFormTexts(form, section, exporter);
    exporter.WriteExportFile();
    TMyMemIniFile exported;
    exported.LoadFromFile(dir.filePath(QStringLiteral("texts.txt")).toStdString());

    TMyMemIniFile german;
    TMyMemIniFile english;
    EXPECT_TRUE(Localizer().LoadLanguageResource(0, german));
    EXPECT_TRUE(Localizer().LoadLanguageResource(1, english));
    int checked = 0;
    for (const auto& [form, section] : forms) {
        for (const QString& key : exported.ReadSection(section)) {
            if (computed && computed(key)) continue;
            ++checked;
            EXPECT_EQ(german.ReadString(section, key, {}), exported.ReadString(section, key, {}))
                << section.toStdString() << " " << key.toStdString();
            EXPECT_FALSE(english.ReadString(section, key, {}).isEmpty()) << section.toStdString() << " " << key.toStdString();
        }
    }
    return checked;
}

inline int ExpectFormTextsInBothLanguages(const std::vector<TLocalizerForm*>& forms,
                                          const std::function<bool(const QString& key)>& computed = {}) {
    std::vector<std::pair<QWidget*, QString>> pairs;
    for (TLocalizerForm* form : forms) pairs.emplace_back(form->FormWidget(), form->SectionName());
    return ExpectFormTextsInBothLanguages(pairs, computed);
}
