#pragma once
// The pieces of URLs as the HTTP client takes them apart, and the small
// texts it writes: Basic credentials in base64 and dates.

#include <string>

struct TUrlParts {
    std::string scheme;
    std::string user;
    std::string password;
    std::string host;
    std::string port;
    std::string path;
};

// Splits a URL. A relative one ("./x", "../x") is taken against basePath.
// Only a scheme of lower-case letters, digits, "+", "-" and "." is split at
// "://"; other URLs are read as "http" ones.
TUrlParts SplitURL(const std::string& url, const std::string& basePath = std::string());
// The path up to and including its last "/" or ":" before any "?".
std::string UrlDirectory(const std::string& path);
// The name of the document of a path: its last segment without the query,
// "document.htm" when there is none.
std::string DocumentNameOf(const std::string& path);
// name with its extension replaced by ext (or ext added).
std::string ChangeExtension(const std::string& name, const std::string& ext);
std::string Base64Encode(const std::string& bytes);

// A date and time as days since 30 December 1899 with the time of day as the fraction.
using TDateTime = double;
// "Tue, 08 Dec 2026 14:05:09" (the value as it is, without a time zone).
std::string HttpDate(TDateTime t);
