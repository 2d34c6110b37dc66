#pragma once
// The pictures of the alignment buttons, drawn rather than loaded: figures
// lined up on an edge or centre, figures spread with equal steps, and lines
// of text placed in a box.

#include <QtGui/QIcon>

#include <cstdint>

// One flag of the element alignment code (1 .. 8192).
QIcon ElementAlignGlyph(int32_t flag);
// Text alignment: horizontal 0 left, 1 centred, 2 right, 3 justified;
// vertical 0 top, 1 centred, 2 bottom.
QIcon TextAlignGlyph(bool vertical, int alignment);
