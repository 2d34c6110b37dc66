#pragma once
// The program's answer to an exception that no command caught: a validation
// error (EValidation) is a warning with its message; anything else is an
// error with "IDS_ERROR", the message and the exception's class. The program
// goes on afterwards.

#include "app/MessageBoxes.h"

#include <QtCore/QString>

#include <exception>

struct TExceptionReport {
    TMessageKind kind;
    QString text;
};

TExceptionReport DescribeException(std::exception_ptr exception);
// Shows the report of the exception; never throws.
void ShowApplicationException(std::exception_ptr exception);
