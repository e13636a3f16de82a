#include "platform/classes/ClassRegistry.h"

#include <mutex>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace vcl {

namespace {

struct Registry {
    std::mutex Lock;
    std::vector<TRegisteredClass> Entries;
};

Registry& TheRegistry() {
    static Registry r;
    return r;
}

bool SameText(const char* a, const String& b) {
    size_t i = 0;
    for (; a[i] != 0 && i < b.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return a[i] == 0 && i == b.size();
}

} // namespace

void RegisterClass(TClass Class, TComponentFactory Factory) {
    if (Class == nullptr) return;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (auto& e : r.Entries) {
        if (e.Class == Class) {
            if (Factory != nullptr) e.Factory = Factory;
            return;
        }
        if (SameText(e.Class->Name, Class->Name))
            throw EFilerError(String("A class named ") + Class->Name + " already exists");
    }
    r.Entries.push_back({Class, Factory});
}

void RegisterClasses(std::initializer_list<TRegisteredClass> Classes) {
    for (const auto& e : Classes)
        RegisterClass(e.Class, e.Factory);
}

void UnRegisterClass(TClass Class) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.Lock);
    std::erase_if(r.Entries, [&](const TRegisteredClass& e) { return e.Class == Class; });
}

TClass GetClass(const String& ClassName) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (auto& e : r.Entries)
        if (SameText(e.Class->Name, ClassName)) return e.Class;
    return nullptr;
}

TClass FindClass(const String& ClassName) {
    TClass c = GetClass(ClassName);
    if (c == nullptr) throw EClassNotFound("Class " + ClassName + " not found");
    return c;
}

TComponentFactory GetClassFactory(TClass Class) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.Lock);
    for (auto& e : r.Entries)
        if (e.Class == Class) return e.Factory;
    return nullptr;
}

TComponent* CreateComponentOfClass(TClass Class, TComponent* AOwner) {
    TComponentFactory f = GetClassFactory(Class);
    if (f == nullptr)
        throw EClassNotFound(String("Class ") + (Class != nullptr ? Class->Name : "nil") + " not found");
    return f(AOwner);
}

} // namespace vcl
