#pragma once
// The socket library as the socket classes see it: started on first use,
// ended when the last socket goes, started again by the next use. The socket
// calls are part of the C library here, so starting and ending only keep
// count; nothing is loaded and nothing can fail.

namespace net {

// Starts the library unless it is started; every call of SocketApi.h does this.
void EnsureSocketLibrary();
// Ends the library when it is started; the next socket call starts it again.
void UnloadWinsock();

bool SocketLibraryStarted();
// How often the library was started since the program began.
int SocketLibraryStarts();

}  // namespace net
