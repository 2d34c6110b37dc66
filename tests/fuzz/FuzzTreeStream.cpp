// Reads any bytes as the stream of a whole tree, then checks:
// - a refused stream leaves the tree exactly as it was;
// - what was read writes back into bytes that read and write the same again;
// - every item can be found by its position and its visible row.
// fuzz-max-len: 65536
#include "tests/treectl/FakeTreeHost.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(TMcTreeItems& items) {
    TMemoryStream s;
    items.SaveToStream(s);
    return s.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeTree tree;
    TMcTreeItem* kept = tree.items.AddChild(nullptr, "kept");
    tree.items.AddChild(kept, "child")->SetHidden(true);
    const std::vector<uint8_t> before = Bytes(tree.items);
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        tree.items.LoadFromStream(input);
    } catch (const EReadError&) {
        if (Bytes(tree.items) != before) abort();
        return 0;
    } catch (const EMcTreeError&) {
        if (Bytes(tree.items) != before) abort();
        return 0;
    }
    for (int32_t i = 0; i < tree.items.GetCount(); ++i) {
        if (tree.items.GetAbsIndex(tree.items.GetItem(i)) != i) abort();
    }
    for (int32_t row = 0; TMcTreeItem* item = tree.items.GetVisItem(row); ++row) {
        if (tree.items.GetVisIndex(item) != row) abort();
    }
    const std::vector<uint8_t> written = Bytes(tree.items);
    FakeTree again;
    TMemoryStream stream(written);
    again.items.LoadFromStream(stream);  // must not raise: we wrote it
    if (Bytes(again.items) != written) abort();
    tree.items.Clear();
    if (tree.host.hiddenCount != 0) abort();
    return 0;
}
