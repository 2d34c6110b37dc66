#include "figures/FigureFactory.h"

#include "document/EtikettFiler.h"
#include "figures/AutoForm.h"
#include "figures/Barcode.h"
#include "figures/Bild.h"
#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "figures/Tracktabelle.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"

namespace {
TInvalidElementHandler& InvalidElementHandler() {
    static TInvalidElementHandler handler;
    return handler;
}
}  // namespace

void SetInvalidElementHandler(TInvalidElementHandler handler) {
    InvalidElementHandler() = std::move(handler);
}

// The figure classes the program has so far; the codes of the others are
// refused like any code that names no figure class.
std::unique_ptr<TFigure> CreateFigureForElementCode(uint8_t code, TChildBase* owner) {
    switch (code) {
    case ecLinie:
        return std::make_unique<TLinie>(owner);
    case ecRechteck:
        return std::make_unique<TRechteck>(owner);
    case ecEllipse:
        return std::make_unique<TEllipse>(owner);
    case ecFigureGroup:
        return std::make_unique<TFigureGroup>(owner);
    case ecBarcode:
        return std::make_unique<TBarcode>(owner);
    case ecBild:
        return std::make_unique<TBild>(owner);
    case ecBild32:
        return std::make_unique<TBild32>(owner);
    case ecAutoForm:
        return std::make_unique<TAutoForm>(owner);
    case ecTracktabelle:
        return std::make_unique<TTracktabelle>(owner);
    default:
        return nullptr;
    }
}

uint8_t ReadFigureElement(TEtikettFiler& filer, TChildBase* owner, std::unique_ptr<TFigure>& figure) {
    figure.reset();
    const uint8_t code = filer.ReadRawByte();
    if (code == ecEnd || code == ecFigure) return code;
    std::unique_ptr<TFigure> read = CreateFigureForElementCode(code, owner);
    if (!read) {
        filer.Aborted = true;
        const QString message = LocalizedText("IDS_INVALIDELEMENT");
        if (const TInvalidElementHandler& handler = InvalidElementHandler())
            handler(message);
        else
            Debug().Log(message);
        return ecEnd;
    }
    read->ReadData(filer);
    // The older picture figure gives way to the picture figure at once.
    if (const auto* old = dynamic_cast<const TBild*>(read.get()))
        figure = old->ToBild32();
    else
        figure = std::move(read);
    return code;
}
