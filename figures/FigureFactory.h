#pragma once
// Figures by element code: the element reader of documents, the clipboard
// and group records.

#include "figures/FigureKinds.h"

#include <QtCore/QString>

#include <functional>
#include <memory>

class TChildBase;
class TEtikettFiler;
class TFigure;

// A new figure of the class the element code names, with the owner; none
// for codes that name no figure class built into the program.
std::unique_ptr<TFigure> CreateFigureForElementCode(uint8_t code, TChildBase* owner);

// Reads one element: the raw code and, for a figure code, the figure's
// record into a new figure with the owner. Returns the
// code (0 ends a list) with the figure, or with none for ecFigure. A code
// that names no figure class sets the filer's Aborted flag, shows
// "IDS_INVALIDELEMENT" and returns 0. The older picture figure (ecBild) is
// handed back already turned into a TBild32.
uint8_t ReadFigureElement(TEtikettFiler& filer, TChildBase* owner, std::unique_ptr<TFigure>& figure);

// Shows the invalid-element message; without a handler it goes to the trace output.
using TInvalidElementHandler = std::function<void(const QString& message)>;
void SetInvalidElementHandler(TInvalidElementHandler handler);
