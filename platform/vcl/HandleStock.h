#pragma once
// THandleStock: pens and brushes kept for every TPen and TBrush of the same description. Painting sets
// colours band by band and line by line; a colour seen before takes its kept handle instead of a new
// object. Handles are counted by their users, and unused ones are kept for the next user up to a limit,
// past which the older half of them goes. The stock lives as long as the process.

#include <cstdint>
#include <unordered_map>

#include "platform/win/Gdi.h"

namespace vcl {

class THandleStock {
public:
    static THandleStock& Instance();

    // The kept handle for Key, counted as used once more; null when there is none.
    win::HGDIOBJ Take(std::uint64_t Key);
    // Keeps a new handle for Key (which has none), used once.
    void Add(std::uint64_t Key, win::HGDIOBJ Handle);
    // One user more of a handle given by its value (a pen's or brush's SetHandle); false when it is not
    // from the stock.
    bool Share(win::HGDIOBJ Handle);
    // One user less; false when the handle is not from the stock.
    bool Give(win::HGDIOBJ Handle);

    // How many unused handles are kept at most.
    static constexpr int MaxUnused = 1024;

private:
    struct TEntry {
        win::HGDIOBJ Handle = nullptr;
        int Users = 0;
        std::uint64_t LastUse = 0;
    };
    void DropOlderUnused();

    std::unordered_map<std::uint64_t, TEntry> FByKey;
    std::unordered_map<win::HGDIOBJ, std::uint64_t> FKeyOf;
    std::uint64_t FClock = 0;
    int FUnused = 0;
};

} // namespace vcl
