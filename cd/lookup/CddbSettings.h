#pragma once
// The settings of the CDDB lookup: the chosen server line and the proxy in
// the section "freedb", the server list in "freedb\Sites" ("101", "102",
// ...), the proxy password lightly scrambled and kept as hexadecimal digits.
//
// A server line is a line of the protocol's sites list: host, protocol,
// port, CGI path, latitude, longitude, description (which may hold blanks).

#include <QtCore/QString>

#include <string>
#include <vector>

inline constexpr const char* kCddbSection = "freedb";
inline constexpr const char* kCddbSitesSection = "freedb\\Sites";

// The built-in line of the default server.
std::string DefaultServerLine();
// Host and path of a server line as the client's URL (the port honoured,
// ":80" left out); false for a line of four fields or fewer.
bool ServerOfLine(const std::string& line, std::string& server, std::string& cgiPath);
// The text the server box shows of a line: the whole line when it has fewer
// than 7 fields, else the host and the description.
std::string ServerLineCaption(const std::string& line);

std::string EncodeProxyPassword(const std::string& password);
// Empty for a text of odd length or with a pair that is not hexadecimal.
std::string DecodeProxyPassword(const std::string& stored);

// The lines of a sites answer that name an HTTP server (status line and
// closing "." left out), in answer order.
std::vector<std::string> HttpServerLines(const std::vector<std::string>& answer);
// Where the last sites answer is kept: "sites.txt" in the user's data folder.
QString SiteListFileName();
// Writes the answer unchanged (status line and "." included) there; false
// when it cannot be written.
bool SaveSiteList(const std::vector<std::string>& answer);

// There is no dial-up here: the machine counts as always connected.
bool IsInternetConnected();
bool EnsureInternetConnection();
void HangUpIfDialled();
