#pragma once
// The exceptions of the rich-text engine; their texts come from the engine's
// message table or name the failing operation.

#include "foundation/Exceptions.h"

ZORBIT_DECLARE_EXCEPTION(ERtEngineError, Exception);
// An operation that the text's current mode does not allow.
ZORBIT_DECLARE_EXCEPTION(ERtEngineModeError, ERtEngineError);
// A reader or writer class that is missing or cannot be created.
ZORBIT_DECLARE_EXCEPTION(ERtIOClassError, ERtEngineError);
