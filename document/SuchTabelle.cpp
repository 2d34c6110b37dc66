#include "document/SuchTabelle.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

char AnsiUpperChar(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 0x20);
    switch (c) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return static_cast<char>(c);
    }
}

// The value of a decimal integer text ("-12", "+7", "007") in 32 bits.
bool ParseDecimal(const std::string& text, int32_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    if (first == last || *first == '+') return false;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

std::string TwoDigits(int n) {
    return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

}  // namespace

std::string AnsiUpperCase(const std::string& text) {
    std::string upper(text);
    for (char& c : upper) c = AnsiUpperChar(static_cast<unsigned char>(c));
    return upper;
}

int TSuchTabelle::IndexOf(const std::string& name) const {
    const std::string key = AnsiUpperCase(name);
    for (size_t i = 0; i < Names.size(); ++i)
        if (Names[i] == key) return static_cast<int>(i);
    return -1;
}

void TSuchTabelle::SetValue(const std::string& name, const std::string& value) {
    const int index = IndexOf(name);
    if (index >= 0) {
        Values[index] = value;
        return;
    }
    Names.push_back(AnsiUpperCase(name));
    Values.push_back(value);
}

bool TSuchTabelle::LookupValue(const std::string& name, std::string& value) const {
    const int index = IndexOf(name);
    if (index < 0) return false;
    value = Values[index];
    return true;
}

void TSuchTabelle::IncrementValue(const std::string& name) {
    const int index = IndexOf(name);
    if (index < 0) return;
    int32_t number = 0;
    if (!ParseDecimal(Values[index], number)) return;
    if (number == std::numeric_limits<int32_t>::max()) return;
    Values[index] = std::to_string(number + 1);
}

void TSuchTabelle::ResetCounters() {
    SetValue("lfdNr", "1");
    SetValue("GesNr", "##");
}

std::unique_ptr<TSuchTabelle> CreateDefaultPlaceholderTable() {
    return CreateDefaultPlaceholderTable(QDate::currentDate(), QLocale::system());
}

std::unique_ptr<TSuchTabelle> CreateDefaultPlaceholderTable(const QDate& today, const QLocale& locale) {
    const std::string shortDate =
        TwoDigits(today.day()) + "." + TwoDigits(today.month()) + "." + TwoDigits(today.year() % 100);
    const std::string month = UnicodeToAnsi(locale.standaloneMonthName(today.month(), QLocale::LongFormat));
    const std::string longDate = TwoDigits(today.day()) + ". " + month + " " + std::to_string(today.year());

    auto table = std::make_unique<TSuchTabelle>();
    table->SetValue("Datum", shortDate);
    table->SetValue("DatumKurz", shortDate);
    table->SetValue("DatumLang", longDate);
    table->SetValue("lfdNr", "1");
    table->SetValue("GesNr", "##");
    return table;
}

bool ExpandPlaceholders(std::string& text, const TSuchTabelle& table) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '{') {
            result += text[i++];
            continue;
        }
        const size_t close = text.find('}', i + 1);
        const bool closed = close != std::string::npos;
        const size_t end = closed ? close : text.size();
        const std::string name = text.substr(i + 1, end - i - 1);
        Debug().LogFmt(u"Token: %s", {name});
        std::string value;
        // Only a closed token is a placeholder: "{Datum" at the end stays as typed.
        if (closed && table.LookupValue(name, value)) {
            result += value;
        } else {
            result += '{';
            result += name;
            if (closed) result += '}';
        }
        i = closed ? close + 1 : end;
    }
    text = std::move(result);
    return true;
}
