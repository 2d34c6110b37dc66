// Reads any bytes as the stream of a header's sections, then checks:
// - a refused stream leaves the sections exactly as they were;
// - the Indexes are 0 .. Count-1 and no section is its own ancestor;
// - what was read writes back into bytes that read and write the same again.
// fuzz-max-len: 65536
#include "treectl/header/McHeaderSections.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TMcHeaderSections& sections) {
    TMemoryStream s;
    sections.SaveToStream(s);
    return s.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMcHeaderSections sections;
    sections.AddSection()->SetText("Name");
    const std::vector<uint8_t> before = Bytes(sections);
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        sections.LoadFromStream(input);
    } catch (const EReadError&) {
        if (Bytes(sections) != before) abort();
        return 0;
    }
    for (int32_t i = 0; i < sections.Count(); ++i) {
        if (!sections.Item(i)) abort();
        int32_t steps = 0;
        for (const TMcHeaderSection* a = sections.Item(i)->ParentSection(); a; a = a->ParentSection()) {
            if (++steps > sections.Count()) abort();
        }
        sections.Item(i)->Visible();
    }
    const std::vector<uint8_t> written = Bytes(sections);
    TMcHeaderSections again;
    TMemoryStream stream(written);
    again.LoadFromStream(stream);
    if (Bytes(again) != written) abort();
    return 0;
}
