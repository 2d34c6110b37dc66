#include "cd/lookup/CddbSettings.h"

#include "cd/lookup/CDDBConnect.h"
#include "foundation/Codepage1252.h"
#include "foundation/Scramble.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QFile>
#include <QtCore/QSaveFile>

#include <algorithm>
#include <cctype>

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t blank = line.find(' ', start);
        fields.push_back(line.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
        if (blank == std::string::npos) return fields;
        start = blank + 1;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string DefaultServerLine() {
    return std::string(kDefaultCddbHost) + " http 80 " + kDefaultCddbPath + " N000.00 W000.00 Random CDDB server";
}

bool ServerOfLine(const std::string& line, std::string& server, std::string& cgiPath) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() <= 4 || fields[0].empty()) return false;
    const std::string& port = fields[2];
    const bool otherPort = !port.empty() && port != "80" && std::all_of(port.begin(), port.end(), [](unsigned char c) { return std::isdigit(c); });
    server = "http://" + fields[0] + (otherPort ? ":" + port : std::string());
    cgiPath = fields[3];
    return true;
}

std::string ServerLineCaption(const std::string& line) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() < 7) return line;
    std::string caption = fields[0] + " ";
    for (size_t i = 6; i < fields.size(); ++i) caption += fields[i] + " ";
    return caption;
}

std::string EncodeProxyPassword(const std::string& password) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : ScrambleString(password, kProxyPasswordKey, kProxyPasswordMultiplier, kProxyPasswordAddend)) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

std::string DecodeProxyPassword(const std::string& stored) {
    if (stored.size() % 2 != 0) return {};
    std::string bytes;
    for (size_t i = 0; i < stored.size(); i += 2) {
        const int high = HexDigit(stored[i]), low = HexDigit(stored[i + 1]);
        if (high < 0 || low < 0) return {};
        bytes += static_cast<char>(high * 16 + low);
    }
    return UnscrambleString(bytes, kProxyPasswordKey, kProxyPasswordMultiplier, kProxyPasswordAddend);
}

void TCDDBConnect::LoadSettings() {
    TZRRegIniFile& settings = Settings();
    std::string server, path;
    if (ServerOfLine(settings.ReadString(kCddbSection, "Server", ""), server, path)) {
        Server = server;
        CGIPath = path;
    }
    if (!settings.ReadBool(kCddbSection, "UseProxy", false)) return;
    ProxyServer = settings.ReadString(kCddbSection, "Proxyserver", "");
    try {
        ProxyPort = std::stoi(settings.ReadString(kCddbSection, "Proxyport", "80"));
    } catch (const std::exception&) {
        ProxyPort = 80;
    }
    ProxyUser = settings.ReadString(kCddbSection, "ProxyUser", "");
    ProxyPassword = DecodeProxyPassword(settings.ReadString(kCddbSection, "ProxyPWD", ""));
}

std::vector<std::string> HttpServerLines(const std::vector<std::string>& answer) {
    std::vector<std::string> lines;
    for (size_t i = 1; i + 1 < answer.size(); ++i) {
        const std::vector<std::string> fields = Fields(answer[i]);
        if (fields.size() > 1 && SameTextAscii(fields[1], "http")) lines.push_back(answer[i]);
    }
    return lines;
}

QString SiteListFileName() { return GetDataFolder() + QStringLiteral("sites.txt"); }

bool SaveSiteList(const std::vector<std::string>& answer) {
    QSaveFile file(SiteListFileName());
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const std::string& line : answer) {
        file.write(line.data(), static_cast<qint64>(line.size()));
        file.write("\r\n", 2);
    }
    return file.commit();
}

bool IsInternetConnected() { return true; }
bool EnsureInternetConnection() { return IsInternetConnected(); }
void HangUpIfDialled() {}
