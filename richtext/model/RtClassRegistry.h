#pragma once
// A registry of classes by name: the engine creates embedded objects (and,
// later, readers and writers) by the class name stored with them. Names are
// compared without regard to case; a name is registered once, and the first
// registration stays. Higher libraries register their classes at start-up.

#include "foundation/Codepage1252.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

template <typename Base>
class TRtClassRegistry {
public:
    using TFactory = std::function<std::unique_ptr<Base>()>;

    // False (and nothing changes) when a class of that name is registered.
    bool Register(const std::string& name, TFactory factory) {
        if (IsRegistered(name)) return false;
        entries_.push_back({name, std::move(factory)});
        return true;
    }
    bool IsRegistered(const std::string& name) const { return Find(name) != nullptr; }
    // Null for a name that is not registered.
    std::unique_ptr<Base> Create(const std::string& name) const {
        const TEntry* entry = Find(name);
        return entry ? entry->factory() : nullptr;
    }

private:
    struct TEntry {
        std::string name;
        TFactory factory;
    };
    std::vector<TEntry> entries_;

    const TEntry* Find(const std::string& name) const {
        for (const TEntry& e : entries_) {
            if (SameTextAscii(e.name, name)) return &e;
        }
        return nullptr;
    }
};
