#pragma once
// The base of the pages that a dialog shows inside its tab control: a
// borderless localized form that lives as a child of its owner, at (0, 0),
// visible from the start.

#include "foundation/widgets/LocalizerForm.h"

class TTabFrame : public TLocalizerWidget {
    Q_OBJECT
public:
    explicit TTabFrame(QWidget* owner);
};
