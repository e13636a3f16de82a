#include "platform/classes/Properties.h"

#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/rtl/SysUtils.h"

namespace vcl {

namespace {

struct TableEntry {
    TPropertyBuilder Builder = nullptr;
    std::unique_ptr<TPropertyTable> Table;
    // The table's own properties by name (upper-cased: SameText folds ASCII letters only), for reading
    // layouts; a name declared twice is its later declaration, as in the flattened list.
    std::unordered_map<String, const TPropInfo*> ByName;
};

struct Tables {
    std::recursive_mutex Lock;
    std::map<TClass, TableEntry> Entries;
    std::map<TClass, std::unique_ptr<std::vector<const TPropInfo*>>> Flattened;
    // Tables and lists replaced by a later registration stay alive: callers may hold them.
    std::vector<std::unique_ptr<TPropertyTable>> RetiredTables;
    std::vector<std::unique_ptr<std::vector<const TPropInfo*>>> RetiredLists;
};

Tables& TheTables() {
    static Tables t;
    return t;
}

// The table declared by Class itself and its index, built on first use; null when it declares none.
const TableEntry* OwnEntry(TClass Class) {
    Tables& t = TheTables();
    auto it = t.Entries.find(Class);
    if (it == t.Entries.end()) return nullptr;
    TableEntry& e = it->second;
    if (!e.Table) {
        auto table = std::make_unique<TPropertyTable>();
        table->Class = Class;
        e.Builder(*table);
        e.ByName.clear();
        for (const TPropInfo& p : table->Props)
            e.ByName.insert_or_assign(UpperCase(p.Name), &p);
        e.Table = std::move(table);
    }
    return &e;
}

const TPropertyTable* OwnTable(TClass Class) {
    const TableEntry* e = OwnEntry(Class);
    return e ? e->Table.get() : nullptr;
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
    e.ByName.clear();
    for (auto& kv : t.Flattened)
        t.RetiredLists.push_back(std::move(kv.second));
    t.Flattened.clear();
}

const std::vector<const TPropInfo*>& GetPropList(TClass Class) {
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    auto it = t.Flattened.find(Class);
    if (it != t.Flattened.end()) return *it->second;
    auto owned = std::make_unique<std::vector<const TPropInfo*>>();
    std::vector<const TPropInfo*>& list = *owned;
    // Where each name is in the list (upper-cased: SameText folds ASCII letters only), so that a class
    // with a long chain of bases is flattened in one pass; the rare First property moves the others.
    std::unordered_map<String, std::size_t> where;
    auto reindex = [&] {
        where.clear();
        for (std::size_t i = 0; i < list.size(); ++i)
            where.emplace(UpperCase(list[i]->Name), i);
    };
    for (TClass c : Chain(Class)) {
        const TPropertyTable* table = OwnTable(c);
        if (table == nullptr) continue;
        std::ptrdiff_t firsts = 0; // this class's First properties placed so far
        for (const TPropInfo& p : table->Props) {
            String key = UpperCase(p.Name);
            auto existing = where.find(key);
            if (p.First) {
                if (existing != where.end())
                    list.erase(list.begin() + static_cast<std::ptrdiff_t>(existing->second));
                list.insert(list.begin() + firsts++, &p);
                reindex();
            } else if (existing != where.end()) {
                list[existing->second] = &p;
            } else {
                where.emplace(std::move(key), list.size());
                list.push_back(&p);
            }
        }
    }
    return *t.Flattened.emplace(Class, std::move(owned)).first->second;
}

const TPropInfo* GetPropInfo(TClass Class, const String& PropName) {
    if (Class == nullptr) return nullptr;
    Tables& t = TheTables();
    std::lock_guard<std::recursive_mutex> guard(t.Lock);
    // The most derived declaration of the name: the one the flattened list holds.
    const String name = UpperCase(PropName);
    for (TClass c = Class; c != nullptr; c = c->Parent)
        if (const TableEntry* e = OwnEntry(c)) {
            auto found = e->ByName.find(name);
            if (found != e->ByName.end()) return found->second;
        }
    return nullptr;
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
