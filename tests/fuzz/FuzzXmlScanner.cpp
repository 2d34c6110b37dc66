// Feeds any bytes to the XML scanner with every handler assigned, external
// entities answered from the system identifier's own text.
// fuzz-max-len: 8192
#include "foundation/XmlScanner.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool inputHasNul = HasNul(text);
    // A character reference never gives a NUL, and UTF-8 text gives one only
    // where the input has one.
    const auto check = [&](const std::string& out) {
        if (!inputHasNul && HasNul(out)) std::abort();
    };

    TXmlScanner scanner;
    size_t parts = 0;
    scanner.OnXmlProlog = [&](auto&, const std::string& v, const std::string& e, bool) { check(v + e); };
    scanner.OnComment = [&](auto&, const std::string& c) { check(c); };
    scanner.OnPI = [&](auto&, const std::string& t, const std::string& c, TAttrList& a) {
        check(t + c);
        for (int i = 0; i < a.Count(); ++i) check(a.Node(i).Value);
    };
    scanner.OnDtdRead = [&](auto&, const std::string& root) { check(root); };
    const auto tag = [&](TCustomXmlScanner& sender, const std::string& name, TAttrList& attrs) {
        check(name);
        for (int i = 0; i < attrs.Count(); ++i) check(attrs.Node(i).Value);
        // The stop flag ends the scan early now and then.
        if (++parts == 1000 && (data[0] & 1)) sender.SetStopParser(true);
    };
    scanner.OnStartTag = tag;
    scanner.OnEmptyTag = tag;
    scanner.OnEndTag = [&](auto&, const std::string& name) { check(name); };
    scanner.OnContent = [&](auto&, const std::string& c) { check(c); };
    scanner.OnCData = [&](auto&, const std::string& c) { check(c); };
    scanner.OnElement = [&](auto&, TElemDef& def) { check(def.Definition); };
    scanner.OnAttList = [&](auto&, TElemDef& def) {
        for (int i = 0; i < def.Count(); ++i) check(def.AttrDef(i).Value);
    };
    scanner.OnEntity = [&](auto&, TEntityDef& def) { check(def.Value); };
    scanner.OnNotation = [&](auto&, TNotationDef&) {};
    scanner.OnDtdError = [&](auto&, size_t) {};
    if (data[0] & 2) {
        scanner.OnLoadExternal = [](auto&, const std::string& systemId, const std::string&, const std::string&) {
            auto reader = std::make_unique<TXmlParser>();
            reader->LoadFromBuffer(systemId);
            return reader;
        };
    }
    scanner.LoadFromBuffer(text);
    scanner.SetNormalize(!(data[0] & 4));
    scanner.Run();
    scanner.Run();  // a second run skips the analysed document type declaration
    return 0;
}
