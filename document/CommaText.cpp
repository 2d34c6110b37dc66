#include "document/CommaText.h"

#include "foundation/Codepage1252.h"

#include <algorithm>

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(const std::string& item) {
    return std::any_of(item.begin(), item.end(), [](char c) { return IsBlank(c) || c == kQuote || c == kDelimiter; });
}

std::string Quoted(const std::string& item) {
    std::string out(1, kQuote);
    for (char c : item) {
        out += c;
        if (c == kQuote) out += kQuote;
    }
    out += kQuote;
    return out;
}

// From the opening quote at pos: the text up to the closing quote, with
// doubled quotes made single; pos ends behind the closing quote (or at the end).
std::string ExtractQuoted(std::string_view text, size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            if (pos + 1 < text.size() && text[pos + 1] == kQuote) {
                item += kQuote;
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

}  // namespace

std::string JoinCommaText(const std::vector<std::string>& items) {
    if (items.size() == 1 && items[0].empty()) return std::string(2, kQuote);
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += kDelimiter;
        text += NeedsQuotes(items[i]) ? Quoted(items[i]) : items[i];
    }
    return text;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> items;
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            items.push_back(ExtractQuoted(text, pos));
        } else {
            const size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != kDelimiter) ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == kDelimiter) {
            if (pos + 1 == text.size()) items.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

std::string CommaTextValue(const std::vector<std::string>& items, std::string_view name) {
    for (const std::string& item : items) {
        const size_t equals = item.find('=');
        if (equals != std::string::npos && SameTextAscii(std::string_view(item).substr(0, equals), name))
            return item.substr(equals + 1);
    }
    return {};
}
