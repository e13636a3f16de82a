#include "platform/classes/Properties.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

struct TableEntry {
    TPropertyBuilder Builder = nullptr;
    std::unique_ptr<TPropertyTable> Table;
};

struct Tables {
    std::recursive_mutex Lock;
    std::map<TClass, TableEntry> Entries;
    std::map<TClass, std::unique_ptr<std::vector<const TPropInfo*>>> Flattened;
    // The flattened lists by name (upper-cased: SameText folds ASCII letters only), for reading layouts.
    std::unordered_map<TClass, std::unordered_map<String, const TPropInfo*>> ByName;
    // Tables and lists replaced by a later registration stay alive: callers may hold them.
    std::vector<std::unique_ptr<TPropertyTable>> RetiredTables;
    std::vector<std::unique_ptr<std::vector<const TPropInfo*>>> RetiredLists;
};

Tables& TheTables() {
    static Tables t;
    return t;
}

// The table declared by Class itself, built on first use; null when it declares none.
const TPropertyTable* OwnTable(TClass Class) {
    Tables& t = TheTables();
    auto it = t.Entries.find(Class);
    if (it == t.Entries.end()) return nullptr;
    if (!it->second.Table) {
        auto table = std::make_unique<TPropertyTable>();
        table->Class = Class;
        it->second.Builder(*table);
        it->second.Table = std::move(table);
    }
    return it->second.Table.get();
}

std::vector<TClass> Chain(TClass Class) {
    std::vector<TClass> chain;
    for (TClass c = Class; c != nullptr; c = c->Parent)
        chain.insert(chain.begin(), c);
    return chain;
}

[[noreturn]] void NoProperty(const String& name) {
    throw EPropertyError("Property " + name + " does not exist");
}
[[noreturn]] void WrongType(const String& name) {
    throw EPropertyError("Invalid property type: " + name);
}

const TPropInfo& Need(TObject* Instance, const String& PropName) {
    const TPropInfo* p = GetPropInfo(Instance, PropName);
    if (p == nullptr) NoProperty(PropName);
    return *p;
}

bool IsOrdinal(TPropKind k) {
    return k == TPropKind::Integer || k == TPropKind::Boolean || k == TPropKind::Enumeration ||
           k == TPropKind::Set || k == TPropKind::Color || k == TPropKind::Char;
}

} // namespace

TEnumInfo::TEnumInfo(String typeName, const char* commaList) : TypeName(std::move(typeName)) {
    String all(commaList);
    size_t start = 0;
    while (start <= all.size()) {
        size_t comma = all.find(',', start);
        if (comma == String::npos) comma = all.size();
        String item = Trim(all.substr(start, comma - start));
        if (!item.empty()) Names.push_back(item);
        start = comma + 1;
    }
}

String GetEnumName(const TEnumInfo& Info, int Value) {
    if (Value < 0 || Value >= static_cast<int>(Info.Names.size())) return String();
    return Info.Names[Value];
}

int GetEnumValue(const TEnumInfo& Info, const String& Name) {
    for (size_t i = 0; i < Info.Names.size(); ++i)
        if (SameText(Info.Names[i], Name)) return static_cast<int>(i);
    return -1;
}

bool TPropInfo::Writable() const {
    switch (Kind) {
    case TPropKind::String:
        return static_cast<bool>(SetStr);
    case TPropKind::Float:
        return static_cast<bool>(SetFloat);
    case TPropKind::Object:
    case TPropKind::Strings:
    case TPropKind::Collection:
        return static_cast<bool>(GetObject);
    case TPropKind::Binary:
        return static_cast<bool>(ReadData);
    case TPropKind::Component:
        return static_cast<bool>(SetRef);
    case TPropKind::Event:
        return static_cast<bool>(SetEvent);
    default:
        return static_cast<bool>(SetOrd);
    }
}

void RegisterPropertyTable(TClass Class, TPropertyBuilder Builder) {
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    TableEntry& e = t.Entries[Class];
    e.Builder = Builder;
    if (e.Table) t.RetiredTables.push_back(std::move(e.Table));
    for (auto& kv : t.Flattened)
        t.RetiredLists.push_back(std::move(kv.second));
    t.Flattened.clear();
    t.ByName.clear();
}

const std::vector<const TPropInfo*>& GetPropList(TClass Class) {
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    auto it = t.Flattened.find(Class);
    if (it != t.Flattened.end()) return *it->second;
    auto owned = std::make_unique<std::vector<const TPropInfo*>>();
    std::vector<const TPropInfo*>& list = *owned;
    for (TClass c : Chain(Class)) {
        const TPropertyTable* table = OwnTable(c);
        if (table == nullptr) continue;
        std::ptrdiff_t firsts = 0; // this class's First properties placed so far
        for (const TPropInfo& p : table->Props) {
            auto existing = std::find_if(list.begin(), list.end(),
                                         [&](const TPropInfo* e) { return SameText(e->Name, p.Name); });
            if (existing != list.end() && p.First) list.erase(existing);
            if (existing != list.end() && !p.First)
                *existing = &p;
            else if (p.First)
                list.insert(list.begin() + firsts++, &p);
            else
                list.push_back(&p);
        }
    }
    return *t.Flattened.emplace(Class, std::move(owned)).first->second;
}

const TPropInfo* GetPropInfo(TClass Class, const String& PropName) {
    if (Class == nullptr) return nullptr;
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    auto it = t.ByName.find(Class);
    if (it == t.ByName.end()) {
        // Names are unique in the list up to case: a derived class's property replaces the base's.
        std::unordered_map<String, const TPropInfo*> names;
        for (const TPropInfo* p : GetPropList(Class))
            names.emplace(UpperCase(p->Name), p);
        it = t.ByName.emplace(Class, std::move(names)).first;
    }
    auto found = it->second.find(UpperCase(PropName));
    return found == it->second.end() ? nullptr : found->second;
}

const TPropInfo* GetPropInfo(TObject* Instance, const String& PropName) {
    return Instance == nullptr ? nullptr : GetPropInfo(Instance->ClassType(), PropName);
}

const TFieldInfo* FindFieldInfo(TClass Class, const String& Name) {
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    for (TClass c = Class; c != nullptr; c = c->Parent)
        if (const TPropertyTable* table = OwnTable(c))
            for (const TFieldInfo& f : table->Fields)
                if (SameText(f.Name, Name)) return &f;
    return nullptr;
}

const THandlerInfo* FindHandlerInfo(TClass Class, const String& Name) {
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    for (TClass c = Class; c != nullptr; c = c->Parent)
        if (const TPropertyTable* table = OwnTable(c))
            for (const THandlerInfo& h : table->Handlers)
                if (SameText(h.Name, Name)) return &h;
    return nullptr;
}

bool IsPublishedProp(TObject* Instance, const String& PropName) {
    return GetPropInfo(Instance, PropName) != nullptr;
}

String GetStrProp(TObject* Instance, const String& PropName) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.Kind != TPropKind::String || !p.GetStr) WrongType(PropName);
    return p.GetStr(Instance);
}

void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.Kind != TPropKind::String || !p.SetStr) WrongType(PropName);
    p.SetStr(Instance, Value);
}

Int64 GetOrdProp(TObject* Instance, const String& PropName) {
    const TPropInfo& p = Need(Instance, PropName);
    if (!IsOrdinal(p.Kind) || !p.GetOrd) WrongType(PropName);
    return p.GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value) {
    const TPropInfo& p = Need(Instance, PropName);
    if (!IsOrdinal(p.Kind) || !p.SetOrd) WrongType(PropName);
    p.SetOrd(Instance, Value);
}

double GetFloatProp(TObject* Instance, const String& PropName) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.Kind != TPropKind::Float || !p.GetFloat) WrongType(PropName);
    return p.GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const String& PropName, double Value) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.Kind != TPropKind::Float || !p.SetFloat) WrongType(PropName);
    p.SetFloat(Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const String& PropName) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.GetObject) return p.GetObject(Instance);
    if (p.GetRef) return p.GetRef(Instance);
    WrongType(PropName);
}

String GetEnumProp(TObject* Instance, const String& PropName) {
    const TPropInfo& p = Need(Instance, PropName);
    if (p.Kind == TPropKind::Boolean) return p.GetOrd(Instance) != 0 ? "True" : "False";
    if (p.Kind != TPropKind::Enumeration) WrongType(PropName);
    return GetEnumName(*p.Enum, static_cast<int>(p.GetOrd(Instance)));
}

void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
    const TPropInfo& p = Need(Instance, PropName);
    int v = -1;
    if (p.Kind == TPropKind::Boolean)
        v = SameText(Value, "True") ? 1 : SameText(Value, "False") ? 0 : -1;
    else if (p.Kind == TPropKind::Enumeration && p.SetOrd)
        v = GetEnumValue(*p.Enum, Value);
    else
        WrongType(PropName);
    if (v < 0) throw EPropertyError("Invalid property value: " + Value);
    p.SetOrd(Instance, v);
}

void SetDeclaredField(TObject* Owner, const String& Name, TComponent* Instance, bool Enable) {
    if (Owner == nullptr || Name.empty()) return;
    const TFieldInfo* f = FindFieldInfo(Owner->ClassType(), Name);
    if (f == nullptr) return;
    if (Enable) {
        if (f->Accepts(Instance)) f->Set(Owner, Instance);
    } else if (f->Get(Owner) == Instance) {
        f->Set(Owner, nullptr);
    }
}

} // namespace vcl
