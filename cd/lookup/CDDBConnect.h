#pragma once
// The CDDB lookup over HTTP (protocol level 4): the disc's id and track
// offsets go to the server as "cddb query", the user picks one of several
// matches, the chosen entry is read ("cddb read"), kept in the cache and
// parsed into artist, disc title and track titles. The server list ("sites")
// is fetched for the options.
//
// Every request is a form body "cmd=...&hello=...&proto=4" posted to the
// server's CGI path; each word of the command and each hello value is
// percent-encoded, so names with "&", "+" or umlauts cannot break it.
// Answers are bytes in Windows-1252, bounded in size.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class THttpClient;

// The free CDDB service that is used by default: its server and path, the
// one place of the code that names them.
inline constexpr const char* kDefaultCddbHost = "gnudb.gnudb.org";
inline constexpr const char* kDefaultCddbServer = "http://gnudb.gnudb.org";
inline constexpr const char* kDefaultCddbPath = "/~cddb/cddb.cgi";
inline constexpr const char* kCddbHomePage = "https://gnudb.org/";
// The largest answer taken from a server.
inline constexpr int64_t kMaxCddbAnswerBytes = 1 << 20;

// The n-th field (from 0) of a line of fields separated by single blanks;
// the last field too; empty past the end.
std::string SpaceField(const std::string& line, int32_t n);
// The lines of an answer, split at CR LF, LF or CR.
std::vector<std::string> SplitAnswerLines(const std::string& text);

class TCDDBEntry {
public:
    virtual ~TCDDBEntry() = default;
    virtual std::string GetTrack(int32_t index) const { return Tracks.at(static_cast<size_t>(index)); }
    virtual int32_t TrackCount() const { return static_cast<int32_t>(Tracks.size()); }

    // The answer of a read: the category from the status line; DTITLE split
    // into artist and title at the first "/"; TTITLE0, TTITLE1, ... up to the
    // highest number present, empty ones kept. A keyword on several lines
    // (a long value) has its parts joined.
    void Parse(const std::vector<std::string>& lines, const std::string& discId);

    std::string Artist;
    std::string Title;
    std::vector<std::string> Tracks;
    std::string Category;
    std::string DiscId;
};

// Shows the matches (one line each: category, disc id and title) and answers
// the chosen index, or -1 when the user cancels. Installed by the windows.
using TCddbMatchChooser = std::function<int32_t(const std::vector<std::string>& matches)>;
void SetCddbMatchChooser(TCddbMatchChooser chooser);

class TCDDBConnect {
public:
    using TDataEvent = std::function<void(TCDDBConnect& sender, const std::string& text)>;

    TCDDBConnect();
    ~TCDDBConnect();
    TCDDBConnect(const TCDDBConnect&) = delete;
    TCDDBConnect& operator=(const TCDDBConnect&) = delete;

    // Posts the command (words separated by "+") and answers the lines of
    // the reply; network and HTTP failures raise.
    const std::vector<std::string>& SendCommand(const std::string& command);
    const std::vector<std::string>& GetSites() { return SendCommand("sites"); }
    // Looks the disc in the drive up and reads the chosen entry into entry;
    // false when the user cancelled the choice. Raises "IDS_CDINFO3" when the
    // disc is unknown and "IDS_CDINFO4" with the answer for any answer out of
    // form (also a read that is not 210 or lacks its closing line).
    bool Query(TCDDBEntry& entry);
    // The request body of a command.
    std::string BuildRequestBody(const std::string& command) const;
    // The server, path and proxy from the settings.
    void LoadSettings();

    std::string UserName = "Unknown";
    std::string HostName = "Unknown";
    std::string ClientName;
    std::string ClientVersion = "1.0";
    std::string Server = kDefaultCddbServer;
    std::string CGIPath = kDefaultCddbPath;
    std::string ProxyServer;
    int32_t ProxyPort = 80;
    std::string ProxyUser;
    std::string ProxyPassword;
    TDataEvent OnSendData;
    TDataEvent OnReceiveData;

    const std::vector<std::string>& Response() const { return response_; }
    int32_t LastStatus() const { return lastStatus_; }
    // The HTTP client's time limit in milliseconds (tests shorten it).
    int32_t TimeLimit;

private:
    bool ReadEntry(const std::string& argument, const std::string& discId, TCDDBEntry& entry);
    bool ChooseAndRead(const std::string& discId, TCDDBEntry& entry);
    [[noreturn]] void RaiseUnexpectedAnswer() const;

    std::vector<std::string> response_;
    std::string answerText_;
    int32_t lastStatus_ = 0;
};

// The application's title without "&" and blanks; "Unknown" when that leaves nothing.
std::string StripTitleForHello(const std::string& title);
