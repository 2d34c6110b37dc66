#pragma once
// The reason a file operation failed, said in the user's language: a full
// disk, a missing permission, a folder that is gone, a write-protected disk;
// other causes in the system's own words.

#include <QtCore/QString>

// The sentence for a system error number (errno); empty for 0.
QString FileErrorCause(int errorNumber);

// The message followed by the sentence of the cause, when there is one.
QString WithFileErrorCause(const QString& message, int errorNumber);
