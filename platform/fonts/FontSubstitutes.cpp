#include "platform/fonts/FontSubstitutes.h"

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <string>

namespace fonts {

namespace {

std::string AliasRules() {
    std::string rules = "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>";
    for (const char* name : {"WingDings", "Wingdings"}) {
        rules += "<alias binding=\"same\"><family>";
        rules += name;
        rules += "</family><prefer><family>";
        rules += kWingDingsSubstitute;
        rules += "</family></prefer></alias>";
    }
    return rules + "</fontconfig>";
}

}  // namespace

void InstallFontSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!FcInit()) return;
        const std::string rules = AliasRules();
        FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(rules.c_str()), FcTrue);
    });
}

}  // namespace fonts
