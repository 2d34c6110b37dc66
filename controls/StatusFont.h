#pragma once
// The dialogs' status-bar font lives with the other dialog looks.
#include "foundation/widgets/DialogStyle.h"
