#include "cd/net/HttpUrl.h"

#include "cd/net/NetText.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

bool IsSchemeText(const std::string& text) {
    for (const char ch : text) {
        const bool allowed = (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.';
        if (!allowed) return false;
    }
    return true;
}

// The text after a scheme: [user[:password]@]host[:port][path].
void SplitAfterScheme(const std::string& text, TUrlParts& parts) {
    size_t pathStart = text.find('/');
    const size_t query = text.find('?');
    if (query < pathStart) pathStart = query;
    parts.path = pathStart == std::string::npos ? std::string() : text.substr(pathStart);
    std::string authority = text.substr(0, pathStart);
    const size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        const size_t colon = userInfo.find(':');
        parts.user = userInfo.substr(0, colon);
        if (colon != std::string::npos) parts.password = userInfo.substr(colon + 1);
        authority.erase(0, at + 1);
    }
    const size_t colon = authority.rfind(':');
    parts.host = authority.substr(0, colon);
    if (colon != std::string::npos) parts.port = authority.substr(colon + 1);
}

std::string Directory(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

}  // namespace

TUrlParts SplitURL(const std::string& url, const std::string& basePath) {
    TUrlParts parts;
    if (url.empty()) return parts;
    if (nettext::StartsWith(url, "./")) {
        parts.path = Directory(basePath) + url.substr(2);
        return parts;
    }
    if (nettext::StartsWith(url, "../")) {
        std::string base = Directory(basePath);
        size_t rest = 0;
        for (; url.compare(rest, 3, "../") == 0; rest += 3) {
            if (base.size() > 1) base = Directory(base.substr(0, base.size() - 1));
        }
        parts.path = base + url.substr(rest);
        return parts;
    }
    const size_t separator = url.find("://");
    if (separator != std::string::npos && IsSchemeText(url.substr(0, separator))) {
        parts.scheme = url.substr(0, separator);
        SplitAfterScheme(url.substr(separator + 3), parts);
        return parts;
    }
    if (url[0] == '/' && url.compare(0, 2, "//") != 0) {
        parts.scheme = "http";
        parts.path = url;
        return parts;
    }
    if (nettext::LowerCase(url.substr(0, 5)) == "http:") {
        parts.scheme = "http";
        if (url.size() > 6 && url[6] != '/') {
            parts.path = url.substr(5);
            return parts;
        }
        SplitAfterScheme(url.size() > 6 ? url.substr(6) : std::string(), parts);
        return parts;
    }
    if (nettext::LowerCase(url.substr(0, 7)) == "mailto:") {
        parts.scheme = "mailto";
        SplitAfterScheme(url.substr(7), parts);
        return parts;
    }
    if (separator != std::string::npos) parts.scheme = "http";
    SplitAfterScheme(url, parts);
    return parts;
}

std::string UrlDirectory(const std::string& path) {
    const std::string beforeQuery = path.substr(0, path.find('?'));
    const size_t end = beforeQuery.find_last_of("/:");
    return end == std::string::npos ? std::string() : beforeQuery.substr(0, end + 1);
}

std::string DocumentNameOf(const std::string& path) {
    std::string name = path.substr(0, path.find('?'));
    if (name.empty() || name.back() == '/') return "document.htm";
    name = name.substr(name.rfind('/') + 1, 255);
    return name.substr(0, name.find('?'));
}

std::string ChangeExtension(const std::string& name, const std::string& ext) {
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + "." + ext;
}

std::string Base64Encode(const std::string& bytes) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string result;
    result.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k) group = (group << 8) | (k < count ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k) result += k <= count ? alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return result;
}

std::string HttpDate(TDateTime t) {
    static const char kDayNames[] = "MonTueWedThuFriSatSun";
    static const char kMonthNames[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const auto wholeDays = static_cast<int64_t>(std::floor(t));
    const int64_t seconds = std::min<int64_t>(std::llround((t - static_cast<double>(wholeDays)) * 86400.0), 86399);
    // Day 25569 is 1 January 1970.
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{wholeDays - 25569}}};
    const int weekday = static_cast<int>(((wholeDays - 2) % 7 + 7) % 7);
    char text[64];
    std::snprintf(text, sizeof text, "%.3s, %2.2u %.3s %4.4d %2.2d:%2.2d:%2.2d", kDayNames + 3 * weekday,
                  static_cast<unsigned>(date.day()), kMonthNames + 3 * (static_cast<unsigned>(date.month()) - 1),
                  static_cast<int>(date.year()), static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}
