// Keys and input-method commits as the characters the engine types.
#include "richtext/layout/RtKeyInput.h"

#include <gtest/gtest.h>

TEST(KeyInput, KeysBecomeTheEnginesCharacters) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::string expected;
    };
    const Case cases[] = {
        {"a letter", Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), "a"},
        {"an umlaut", Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"), "\xE4"},
        {"a capital umlaut", Qt::Key_Udiaeresis, Qt::ShiftModifier, QStringLiteral("Ü"), "\xDC"},
        {"sharp s", Qt::Key_ssharp, Qt::NoModifier, QStringLiteral("ß"), "\xDF"},
        {"the euro sign with AltGr", Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("€"), "\x80"},
        {"a dead key's composed character", Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"), "\xE9"},
        {"backspace", Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), "\b"},
        {"delete", Qt::Key_Delete, Qt::NoModifier, QString(), "\x7f"},
        {"return", Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), "\r"},
        {"shift return breaks the line", Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r"), "\n"},
        {"control return breaks the page", Qt::Key_Return, Qt::ControlModifier, QString(), "\f"},
        {"a shortcut types nothing", Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), ""},
        {"control characters are dropped", Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\x02"), ""},
        {"a character beyond the charset", Qt::Key_unknown, Qt::NoModifier, QStringLiteral("中"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EngineCharsForKey(c.key, c.modifiers, c.text, 1), c.expected);
    }
}

TEST(KeyInput, CommitsAreTypedInTheTextsCharset) {
    EXPECT_EQ(EngineCharsForText(QStringLiteral("Größe €"), 1), "Gr\xF6\xDF" "e \x80");
    EXPECT_EQ(EngineCharsForText(QStringLiteral("Жук"), 204), "\xC6\xF3\xEA");
    EXPECT_EQ(EngineCharsForText(QStringLiteral("a中b"), 1), "ab");
}
