#include "foundation/Exceptions.h"

#include <QtCore/QString>

Exception::Exception(const QString& message) : std::runtime_error(message.toStdString()) {}
