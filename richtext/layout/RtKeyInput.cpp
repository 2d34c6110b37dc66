#include "richtext/layout/RtKeyInput.h"

#include "foundation/CharsetText.h"

#include <array>
#include <map>

namespace {

// Unicode to byte for a single-byte charset, made once per charset.
const std::map<char16_t, char>& ByteTableOf(uint8_t charset) {
    static std::map<uint8_t, std::map<char16_t, char>> tables;
    auto [it, added] = tables.try_emplace(charset);
    if (added) {
        for (int b = 32; b < 256; ++b) {
            const char16_t ch = CharsetByteToUnicode(uint8_t(b), charset);
            if (ch != 0xFFFD && b != 127) it->second.try_emplace(ch, char(b));
        }
    }
    return it->second;
}

}  // namespace

std::string EngineCharsForText(const QString& text, uint8_t charset) {
    const std::map<char16_t, char>& table = ByteTableOf(charset);
    std::string bytes;
    for (const QChar c : text) {
        if (c.unicode() < 32) continue;
        const auto found = table.find(char16_t(c.unicode()));
        if (found != table.end()) bytes += found->second;
    }
    return bytes;
}

std::string EngineCharsForKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, uint8_t charset) {
    switch (key) {
        case Qt::Key_Backspace: return "\b";
        case Qt::Key_Delete: return "\x7f";
        case Qt::Key_Tab: return "\t";
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (modifiers & Qt::ControlModifier) return "\f";
            if (modifiers & Qt::ShiftModifier) return "\n";
            return "\r";
        default: break;
    }
    // Shortcuts type nothing; AltGr (Control and Alt together) types its character.
    const bool altGr = (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier);
    if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !altGr) return {};
    return EngineCharsForText(text, charset);
}
