// Reads any bytes as one item record into a fresh item (children and all),
// then checks:
// - a refused record raises only the stream's read error or the tree's own error;
// - what was read writes back into bytes that read and write the same again;
// - the tree's hidden count returns to 0 when the items go.
// fuzz-max-len: 65536
#include "tests/treectl/FakeTreeHost.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(TMcTreeItem& item) {
    TMemoryStream s;
    item.SaveToStream(s);
    return s.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeTree tree;
    TMcTreeItem* item = tree.items.AddChild(nullptr, "");
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        item->LoadFromStream(input);
    } catch (const EReadError&) {
        tree.items.Clear();
        if (tree.host.hiddenCount != 0) abort();
        return 0;
    } catch (const EMcTreeError&) {
        return 0;
    }
    const std::vector<uint8_t> written = Bytes(*item);
    FakeTree again;
    TMcTreeItem* copy = again.items.AddChild(nullptr, "");
    TMemoryStream stream(written);
    copy->LoadFromStream(stream);
    if (stream.Remaining() != 0 || Bytes(*copy) != written) abort();
    tree.items.Clear();
    if (tree.host.hiddenCount != 0) abort();
    return 0;
}
