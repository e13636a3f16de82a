#include "platform/classes/ClassRegistry.h"

#include <mutex>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

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

std::vector<TClass> GetRegisteredClasses() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.Lock);
    std::vector<TClass> classes;
    classes.reserve(r.Entries.size());
    for (auto& e : r.Entries)
        classes.push_back(e.Class);
    return classes;
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
