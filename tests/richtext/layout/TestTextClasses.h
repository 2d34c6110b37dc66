#pragma once
// Small readers and writers for the layout's tests, registered under the
// program's class names (the real plain-text and RTF classes live with the
// formats): text is paragraphs separated by CR LF; "RTF" is "{\rtf1 ",
// paragraphs separated by "\par " and "}". Two writers fail on purpose:
// "TThrowingWriter" raises after writing a part, "TFailingWriter" writes a
// part and returns 5.

#include "richtext/model/RtTextIoClasses.h"

#include <string>

// Registers the classes once (also done at start-up of the test binary).
void RegisterTestTextClasses();

// The text of the paragraphs in a writer's range, separated by "|".
std::string RangeText(const TRtCustomTextWriter& writer);
