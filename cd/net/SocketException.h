#pragma once
// The exception of the socket layer; its messages are fixed English texts.

#include "foundation/Exceptions.h"

ZORBIT_DECLARE_EXCEPTION(ESocketException, Exception);
