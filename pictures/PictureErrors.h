#pragma once
// The messages of pictures that cannot be read or written: the catalogue's
// "IDS_CANNOTREADPICT" followed by the reason in the user's language.

#include "platform/imaging/Dib.h"

#include <QtCore/QString>

QString PictureErrorText(imaging::ImageError error);
// Raises Exception with PictureErrorText.
[[noreturn]] void RaisePictureError(imaging::ImageError error);
