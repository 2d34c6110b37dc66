#include "pictures/PictureErrors.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"

QString PictureErrorText(imaging::ImageError error) {
    const char* reason = nullptr;
    switch (error) {
    case imaging::ImageError::UnknownFormat: reason = "IDS_PICTUNKNOWNTYPE"; break;
    case imaging::ImageError::CannotOpen: reason = "IDS_PICTCANNOTOPEN"; break;
    case imaging::ImageError::Damaged: reason = "IDS_PICTDAMAGED"; break;
    case imaging::ImageError::TooLarge: reason = "IDS_PICTTOOLARGE"; break;
    case imaging::ImageError::CannotWrite: reason = "IDS_PICTCANNOTSAVE"; break;
    case imaging::ImageError::None: break;
    }
    const QString text = LocalizedText("IDS_CANNOTREADPICT");
    return reason ? text + QStringLiteral(": ") + LocalizedText(reason) : text;
}

void RaisePictureError(imaging::ImageError error) {
    throw Exception(PictureErrorText(error));
}
