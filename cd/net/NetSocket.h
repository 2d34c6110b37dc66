#pragma once
// The socket component of the disc lookup: the asynchronous socket with
// SOCKS, line mode and waiting (see the headers of its layers).

#include "cd/net/CustomSyncNetSocket.h"

class TNetSocket final : public TCustomSyncNetSocket {};
