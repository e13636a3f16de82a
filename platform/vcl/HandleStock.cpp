#include "platform/vcl/HandleStock.h"

#include <algorithm>
#include <vector>

namespace vcl {

THandleStock& THandleStock::Instance() {
    // Never destroyed: handles may still be selected in contexts that outlive static destruction.
    static auto* stock = new THandleStock;
    return *stock;
}

win::HGDIOBJ THandleStock::Take(std::uint64_t Key) {
    auto it = FByKey.find(Key);
    if (it == FByKey.end()) return nullptr;
    if (it->second.Users++ == 0) --FUnused;
    it->second.LastUse = ++FClock;
    return it->second.Handle;
}

void THandleStock::Add(std::uint64_t Key, win::HGDIOBJ Handle) {
    if (Handle == nullptr || !FByKey.emplace(Key, TEntry{Handle, 1, ++FClock}).second) return;
    FKeyOf.emplace(Handle, Key);
}

bool THandleStock::Share(win::HGDIOBJ Handle) {
    auto k = FKeyOf.find(Handle);
    if (k == FKeyOf.end()) return false;
    TEntry& e = FByKey[k->second];
    if (e.Users++ == 0) --FUnused;
    e.LastUse = ++FClock;
    return true;
}

bool THandleStock::Give(win::HGDIOBJ Handle) {
    auto k = FKeyOf.find(Handle);
    if (k == FKeyOf.end()) return false;
    TEntry& e = FByKey[k->second];
    if (e.Users > 0 && --e.Users == 0 && ++FUnused > MaxUnused) DropOlderUnused();
    return true;
}

void THandleStock::DropOlderUnused() {
    std::vector<std::uint64_t> uses;
    for (const auto& [key, e] : FByKey)
        if (e.Users == 0) uses.push_back(e.LastUse);
    if (uses.empty()) return;
    auto middle = uses.begin() + static_cast<std::ptrdiff_t>(uses.size() / 2);
    std::nth_element(uses.begin(), middle, uses.end());
    const std::uint64_t limit = *middle;
    for (auto it = FByKey.begin(); it != FByKey.end();) {
        if (it->second.Users == 0 && it->second.LastUse < limit) {
            FKeyOf.erase(it->second.Handle);
            win::DeleteObject(it->second.Handle);
            it = FByKey.erase(it);
            --FUnused;
        } else {
            ++it;
        }
    }
}

} // namespace vcl
