#include "cd/lookup/CDDBConnect.h"

#include "cd/lookup/CDInfo.h"
#include "cd/lookup/FreeDBCache.h"
#include "cd/net/HttpClient.h"
#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/WaitCursor.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

namespace {

TCddbMatchChooser& MatchChooser() {
    static TCddbMatchChooser chooser;
    return chooser;
}

// A memory stream that takes no more than its limit: the HTTP client's
// write of more fails, which ends the request.
class TBoundedMemoryStream : public TMemoryStream {
public:
    explicit TBoundedMemoryStream(int64_t limit) : limit_(limit) {}
    int64_t Write(const void* buffer, int64_t count) override {
        if (count > limit_ - Position()) return 0;
        return TMemoryStream::Write(buffer, count);
    }

private:
    int64_t limit_;
};

bool IsUnreserved(unsigned char c) { return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~'; }

std::string PercentEncoded(const std::string& value) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : value) {
        if (IsUnreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// Each word between the "+" separators encoded on its own.
std::string EncodedCommand(const std::string& command) {
    std::string out;
    size_t start = 0;
    while (true) {
        const size_t plus = command.find('+', start);
        out += PercentEncoded(command.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
        if (plus == std::string::npos) return out;
        out += '+';
        start = plus + 1;
    }
}

int32_t StatusOf(const std::string& answer) {
    if (answer.size() < 3) return 0;
    int32_t status = 0;
    for (size_t i = 0; i < 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(answer[i]))) return 0;
        status = status * 10 + (answer[i] - '0');
    }
    return status;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A multi-line answer ends with a line that is only ".".
bool EndsWithTerminator(const std::vector<std::string>& lines) {
    return std::find(lines.begin() + (lines.empty() ? 0 : 1), lines.end(), ".") != lines.end();
}

}  // namespace

void SetCddbMatchChooser(TCddbMatchChooser chooser) { MatchChooser() = std::move(chooser); }

std::string SpaceField(const std::string& line, int32_t n) {
    size_t start = 0;
    for (int32_t i = 0; i < n; ++i) {
        const size_t blank = line.find(' ', start);
        if (blank == std::string::npos) return {};
        start = blank + 1;
    }
    return line.substr(start, line.find(' ', start) - start);
}

std::vector<std::string> SplitAnswerLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string StripTitleForHello(const std::string& title) {
    std::string out;
    for (const char c : title)
        if (c != '&' && c != ' ') out += c;
    return out.empty() ? "Unknown" : out;
}

// ---- entries

void TCDDBEntry::Parse(const std::vector<std::string>& lines, const std::string& discId) {
    Category = lines.empty() ? std::string() : SpaceField(lines.front(), 1);
    DiscId = discId;
    // Every keyword's value, the parts of a long value joined.
    std::map<std::string, std::string> values;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line[0] == '#' || line == ".") continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        values[Upper(line.substr(0, equals))] += line.substr(equals + 1);
    }
    const std::string title = values["DTITLE"];
    const size_t slash = title.find('/');
    if (slash == std::string::npos) {
        Artist = Title = title;
    } else {
        Artist = Trimmed(title.substr(0, slash));
        Title = Trimmed(title.substr(slash + 1));
    }
    // The highest track number present decides the count; gaps stay empty.
    int32_t last = -1;
    for (const auto& [name, value] : values) {
        if (name.rfind("TTITLE", 0) != 0 || name.size() == 6 || name.size() > 8) continue;
        if (!std::all_of(name.begin() + 6, name.end(), [](unsigned char c) { return std::isdigit(c); })) continue;
        const int32_t number = std::stoi(name.substr(6));
        if (number < 99) last = std::max(last, number);
    }
    Tracks.clear();
    for (int32_t i = 0; i <= last; ++i) {
        const auto found = values.find("TTITLE" + std::to_string(i));
        Tracks.push_back(found != values.end() ? found->second : std::string());
    }
}

// ---- the connection

TCDDBConnect::TCDDBConnect()
    : ClientName(StripTitleForHello(UnicodeToAnsi(ApplicationTitle()))), TimeLimit(THttpClient::kDefaultTimeLimit) {}

TCDDBConnect::~TCDDBConnect() = default;

std::string TCDDBConnect::BuildRequestBody(const std::string& command) const {
    return "cmd=" + EncodedCommand(command) + "&hello=" + PercentEncoded(UserName) + "+" + PercentEncoded(HostName) + "+" +
           PercentEncoded(ClientName) + "+" + PercentEncoded(ClientVersion) + "&proto=4";
}

const std::vector<std::string>& TCDDBConnect::SendCommand(const std::string& command) {
    const TWaitCursor busy;
    response_.clear();
    answerText_.clear();
    lastStatus_ = 0;
    const std::string body = BuildRequestBody(command);
    if (OnSendData) OnSendData(*this, body);
    TMemoryStream post;
    post.WriteBuffer(body.data(), static_cast<int64_t>(body.size()));
    post.SetPosition(0);
    TBoundedMemoryStream answer(kMaxCddbAnswerBytes);
    THttpClient http;
    http.TimeLimit = TimeLimit;
    http.PostDataStream = &post;
    http.ResponseStream = &answer;
    http.Proxy = ProxyServer;
    http.ProxyPort = std::to_string(ProxyPort);
    http.ProxyUsername = ProxyUser;
    http.ProxyPassword = ProxyPassword;
    http.URL = Server + CGIPath;
    struct ReportAnswer {
        TCDDBConnect& self;
        TMemoryStream& answer;
        ~ReportAnswer() {
            self.answerText_.assign(reinterpret_cast<const char*>(answer.Memory()), static_cast<size_t>(answer.Size()));
            if (self.OnReceiveData) self.OnReceiveData(self, self.answerText_);
        }
    };
    {
        const ReportAnswer report{*this, answer};
        http.Post();
    }
    response_ = SplitAnswerLines(answerText_);
    lastStatus_ = StatusOf(answerText_);
    return response_;
}

void TCDDBConnect::RaiseUnexpectedAnswer() const {
    throw Exception(LocalizedText("IDS_CDINFO4") + AnsiToUnicode(answerText_));
}

bool TCDDBConnect::Query(TCDDBEntry& entry) {
    const TCDInfo info;
    const std::string id = info.GetDiscIdText();
    const int32_t n = info.GetTrackCount();
    std::string command = "cddb+query+" + id + "+" + std::to_string(n);
    for (int32_t track = 1; track <= n; ++track) command += "+" + std::to_string(TCDInfo::MSFToFrames(info.GetTrackStart(track)));
    command += "+" + std::to_string(info.GetDiscLengthSeconds());
    SendCommand(command);
    switch (lastStatus_) {
    case 200:
        // The id computed here, whatever the answer names.
        return ReadEntry(SpaceField(response_.front(), 1) + "+" + id, id, entry);
    case 202:
        throw Exception(LocalizedText("IDS_CDINFO3"));
    case 210:
    case 211:
        return ChooseAndRead(id, entry);
    default:
        RaiseUnexpectedAnswer();
    }
}

bool TCDDBConnect::ChooseAndRead(const std::string& discId, TCDDBEntry& entry) {
    std::vector<std::string> matches;
    for (size_t i = 1; i < response_.size() && response_[i] != "."; ++i) matches.push_back(response_[i]);
    if (matches.empty()) RaiseUnexpectedAnswer();
    const TCddbMatchChooser& chooser = MatchChooser();
    const int32_t chosen = chooser ? chooser(matches) : -1;
    if (chosen < 0 || chosen >= static_cast<int32_t>(matches.size())) return false;
    const std::string& line = matches[static_cast<size_t>(chosen)];
    return ReadEntry(SpaceField(line, 0) + "+" + SpaceField(line, 1), discId, entry);
}

bool TCDDBConnect::ReadEntry(const std::string& argument, const std::string& discId, TCDDBEntry& entry) {
    SendCommand("cddb+read+" + argument);
    // An answer without its closing line was cut short: never cached.
    if (lastStatus_ != 210 || !EndsWithTerminator(response_)) RaiseUnexpectedAnswer();
    FreeDBCache().Store(discId, response_);
    entry.Parse(response_, discId);
    return true;
}
