#pragma once
// The two-page sample of the layout's picture tests: two fonts, bold and
// italic, a centred and a justified paragraph, the four kinds of tab, a
// numbered list, a table of 3 x 2 cells, a header and a footer, and a hard
// break to the second page.

#include "richtext/layout/RtRTFTextPaint.h"

#include <string>

// The number label takes the hanging indent of a numbered paragraph's first line.
class TSampleText : public TRtRTFTextPaint {
public:
    int32_t GetNumberLabelWidth(const TParagraph* par, const TLine* line) override;
};

void BuildSample(TRtRTFTextPaint& text);
