#include "document/FeldListe.h"

#include "foundation/ZRRegIniFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

namespace {

class FeldListeTest : public ::testing::Test {
protected:
    FeldListeTest() : settings(dir.path() + QStringLiteral("/registry.dat")) {}

    QTemporaryDir dir;
    TZRRegIniFile settings;
};

}  // namespace

TEST_F(FeldListeTest, DefaultsWhenTheSettingsHoldNoList) {
    for (int32_t anzahl : {-5, 0}) {
        settings.WriteInteger("Felder", "Anzahl", anzahl);
        TFeldListe fields(settings);
        ASSERT_EQ(fields.Count(), 12);
        EXPECT_EQ(fields.Names, DefaultFieldNames());
        EXPECT_EQ(fields.Names[11], "Kassettennummer");
        EXPECT_EQ(fields.Ids.front(), "100001");
        EXPECT_EQ(fields.Ids.back(), "100012");
        EXPECT_EQ(fields.NextId, 100013);
        EXPECT_EQ(fields.Values, std::vector<std::string>(12));
    }
    settings.EraseSection("Felder");
    EXPECT_EQ(TFeldListe(settings).Count(), 12);
}

TEST_F(FeldListeTest, LookupsById) {
    TFeldListe fields(settings);
    EXPECT_TRUE(fields.SetValueById("100002", "95 min"));
    EXPECT_EQ(fields.GetValueById("100002"), "95 min");
    EXPECT_EQ(fields.GetNameById("100002"), "Spieldauer1");
    EXPECT_EQ(fields.GetValueById("100099"), "<Nicht gefunden>");
    EXPECT_EQ(fields.GetNameById(""), "<Nicht gefunden>");
    EXPECT_FALSE(fields.SetValueById("99", "x"));
}

TEST_F(FeldListeTest, IdsAreNeverGivenTwice) {
    TFeldListe fields(settings);
    fields.Delete(2);
    EXPECT_EQ(fields.AddField("Regie", "x"), "100013");
    fields.Delete(fields.Count() - 1);  // even the last one given
    EXPECT_EQ(fields.AddField("Kamera", ""), "100014");
    EXPECT_EQ(fields.GetNameById("100003"), "<Nicht gefunden>");

    TFeldListe copy{TFeldListe::EmptyTag{}};
    copy.Assign(fields);
    EXPECT_EQ(copy.AddField("Ton", ""), "100015");
    EXPECT_EQ(copy.Ids.size(), 13u);

    fields.Clear();
    EXPECT_EQ(fields.Count(), 0);
    EXPECT_EQ(fields.AddField("neu", ""), "100001");  // only a cleared list starts again
}

TEST_F(FeldListeTest, ExchangeKeepsIdsNamesAndValuesTogether) {
    TFeldListe fields(settings);
    fields.SetValueById("100001", "Titel");
    fields.Exchange(0, 1);
    EXPECT_EQ(fields.Ids[0], "100002");
    EXPECT_EQ(fields.Names[1], "Titel1");
    EXPECT_EQ(fields.Values[1], "Titel");
    EXPECT_THROW(fields.Exchange(0, 12), std::out_of_range);
}

TEST_F(FeldListeTest, SettingsSectionFelder) {
    settings.WriteInteger("Felder", "Anzahl", 3);
    settings.WriteString("Felder", "0", "Interpret");
    settings.WriteString("Felder", "2", "Jahr");
    TFeldListe fields(settings);
    EXPECT_EQ(fields.Names, (std::vector<std::string>{"Interpret", "Jahr"}));
    EXPECT_EQ(fields.Ids, (std::vector<std::string>{"100001", "100002"}));

    // A damaged count is bounded by the names that are there, also by names
    // at the far end of the positions; keys that are no position stay unread.
    settings.WriteInteger("Felder", "Anzahl", 2147483647);
    EXPECT_EQ(TFeldListe(settings).Count(), 2);
    for (const char* key : {"2147483646", "2147483647", "-1", "01", "x"}) settings.WriteString("Felder", key, key);
    EXPECT_EQ(TFeldListe(settings).Names, (std::vector<std::string>{"Interpret", "Jahr", "2147483646"}));
    for (const char* key : {"2147483646", "2147483647", "-1", "01", "x"}) settings.DeleteKey("Felder", key);

    settings.WriteString("Felder", "7", "alt");
    TFeldListe saved{TFeldListe::EmptyTag{}};
    saved.AddField("L\xE4nge", "nicht gespeichert");
    saved.AddField("Nummer", "");
    saved.SaveToSettings(settings);
    std::vector<std::string> keys;
    settings.ReadSection("Felder", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"Anzahl", "0", "1"}));  // the old section is gone
    const TFeldListe loaded(settings);
    EXPECT_EQ(loaded.Names, saved.Names);
    EXPECT_EQ(loaded.Values, (std::vector<std::string>{"", ""}));
}

TEST_F(FeldListeTest, EditFieldsTakesTheEditedCopyBack) {
    TFeldListe fields(settings);
    const TFeldListe* seen = nullptr;
    SetFieldListEditor([&](TFeldListe& copy) {
        seen = &copy;
        copy.AddField("Neu", "");
    });
    EXPECT_TRUE(fields.EditFields());
    SetFieldListEditor({});
    EXPECT_NE(seen, &fields);
    EXPECT_EQ(fields.Count(), 13);
    EXPECT_EQ(fields.NextId, 100014);
}
