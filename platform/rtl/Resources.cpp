#include "platform/rtl/Resources.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

// The number of "#123" (or of "123" when digits alone count), or -1.
int NumericId(const String& s, bool allowBare) {
    size_t start = (!s.empty() && s[0] == '#') ? 1 : 0;
    if (start == 0 && !allowBare) return -1;
    if (s.size() <= start || s.find_first_not_of("0123456789", start) != String::npos) return -1;
    int id = 0;
    return TryStrToInt(s.substr(start), id) ? id : -1;
}

} // namespace

TResType::TResType(const String& Name) {
    // "#10" names the number 10, as the platform allows.
    int id = NumericId(Name, false);
    if (id >= 0)
        FId = id;
    else
        FName = UpperCase(Name);
}

String NormalizeResourceName(const String& Name) {
    int id = NumericId(Name, true);
    return id >= 0 ? "#" + std::to_string(id) : UpperCase(Name);
}

String TResType::ToString() const {
    return IsNumber() ? std::to_string(FId) : FName;
}

namespace {

struct Key {
    bool named;
    int id;
    String typeName;
    String name;
    bool operator<(const Key& o) const {
        if (named != o.named) return named < o.named;
        if (id != o.id) return id < o.id;
        if (typeName != o.typeName) return typeName < o.typeName;
        return name < o.name;
    }
};

Key MakeKey(const String& name, const TResType& type) {
    return Key{!type.IsNumber(), type.Id(), type.Name(), NormalizeResourceName(name)};
}

// Created on first use, so registrations from static initialisers of any unit find it ready.
struct Registry {
    std::mutex lock;
    std::map<Key, std::unique_ptr<TResourceEntry>> entries;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry; // never destroyed: entries may be read during exit
    return *registry;
}

} // namespace

namespace {
// Data is the entry's view of its bytes, owned (the copy in Owned) or not.
void Register(const String& Name, const TResType& Type, std::string_view Data, String Owned) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto& slot = r.entries[MakeKey(Name, Type)];
    if (!slot)
        slot = std::make_unique<TResourceEntry>(TResourceEntry{NormalizeResourceName(Name), Type, {}, {}});
    slot->Owned = std::move(Owned);
    slot->Data = Data.data() ? Data : std::string_view(slot->Owned);
}
} // namespace

void RegisterResource(const String& Name, const TResType& Type, const void* Data, std::size_t Size) {
    Register(Name, Type, std::string_view(), String(static_cast<const char*>(Data), Size));
}

void RegisterStaticResource(const String& Name, const TResType& Type, const void* Data, std::size_t Size) {
    Register(Name, Type, std::string_view(static_cast<const char*>(Data), Size), String());
}

const TResourceEntry* FindResource(const String& Name, const TResType& Type) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.entries.find(MakeKey(Name, Type));
    return it == r.entries.end() ? nullptr : it->second.get();
}

bool ResourceExists(const String& Name, const TResType& Type) {
    return FindResource(Name, Type) != nullptr;
}

String LoadResourceBytes(const String& Name, const TResType& Type) {
    const TResourceEntry* entry = FindResource(Name, Type);
    if (!entry) throw EResNotFound("Resource " + Name + " not found");
    return String(entry->Data);
}

std::vector<const TResourceEntry*> EnumResources() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    std::vector<const TResourceEntry*> out;
    for (auto& [key, entry] : r.entries)
        out.push_back(entry.get());
    return out;
}

std::vector<const TResourceEntry*> EnumResources(const TResType& Type) {
    std::vector<const TResourceEntry*> out;
    for (const TResourceEntry* e : EnumResources())
        if (e->Type == Type) out.push_back(e);
    return out;
}

} // namespace vcl
