// Reads any bytes as the answer of a CDDB server, then checks:
// - the lines hold every byte of the answer but the line ends;
// - a parsed entry has at most 99 track titles, and parsing its lines again
//   gives the same entry;
// - the server lines of a sites answer are lines of the answer.
// fuzz-max-len: 65536
#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CddbSettings.h"

#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitAnswerLines(text);
    size_t bytes = 0;
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) abort();
        bytes += line.size();
    }
    if (bytes != static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c != '\r' && c != '\n'; })))
        abort();

    TCDDBEntry entry;
    entry.Parse(lines, "1c02c903");
    if (entry.TrackCount() > 99) abort();
    TCDDBEntry again;
    again.Parse(lines, "1c02c903");
    if (again.Artist != entry.Artist || again.Title != entry.Title || again.Tracks != entry.Tracks) abort();

    for (const std::string& server : HttpServerLines(lines)) {
        if (std::find(lines.begin(), lines.end(), server) == lines.end()) abort();
        std::string host, path;
        ServerOfLine(server, host, path);
        (void)ServerLineCaption(server);
    }
    if (!lines.empty()) (void)SpaceField(lines.front(), 3);
    return 0;
}
