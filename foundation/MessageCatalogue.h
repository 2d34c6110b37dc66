#pragma once
// The German message catalogue: every text that code asks for by key, and the
// design-time window texts that the translator export leaves out. Registered
// once when the process-wide localizer is created.

#include <span>

class TLocalizer;

struct CatalogueText {
    const char* section;  // "Default", "Template", "TemplateVerbatim"
    const char* key;      // UTF-8
    const char* german;   // UTF-8
};

struct ExportExclusion {
    const char* formClass;
    const char* component;
    const char* property;
};

std::span<const CatalogueText> MessageCatalogueTexts();
std::span<const ExportExclusion> MessageCatalogueExclusions();
void RegisterMessageCatalogue(TLocalizer& localizer);
