#pragma once
// Addresses of the help pages: reading the query of a link, the tip page a
// "redir.htm" link leads to, and where the manual and the pages are.

#include <QtCore/QString>

// The value of the query parameter name in the address ("a.htm?x=1&y=2"),
// names compared without regard to case; "+" stands for a blank and "%"
// with two hexadecimal digits for the character of that code (any other
// "%" stays as it is). Without a "?" the default; with one, an empty text
// when the name is missing. At most 5000 characters of the query are read.
QString GetUrlParam(const QString& address, const QString& name, const QString& defaultValue);
// The parameter as an integer; the default when it is missing or no number.
int GetUrlParamInt(const QString& address, const QString& name, int defaultValue);

// The tip page (1 .. pageCount) that "redir.htm?dir=next|prev&n=k" leads to:
// k counts on or back by one, round the pages; k = 0 or a missing k gives
// the last page.
int TipPageAfter(const QString& address, int pageCount);

// The manual to open: that of the current language, else the German one,
// else <folder><program>.htm (returned even when it is missing too).
QString FindManualFile(const QString& folder, const QString& program, const QString& code);

// A page of the help in the language: <folder>HTMLHelp/<code>/<page>.
QString HelpPagePath(const QString& folder, const QString& code, const QString& page);
// The name of tip page n: "w<n>.htm".
QString TipPageName(int number);
