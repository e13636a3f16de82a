#pragma once
// The class registry: component classes found by name, as the layout reader needs them.
//
// How a unit registers its classes. Either at namespace scope in the unit's .cpp:
//
//     KV_REGISTER_CLASS(TAdvGlowButton)
//
// which runs at start-up as long as the object file is linked in (it is when anything else in that
// .cpp is used, such as the class's constructor); or, safe against a static library dropping an
// object file nobody references, by an explicit call from the unit's registration function that the
// application calls at start-up:
//
//     void RegisterGlowButtonClasses() {
//         vcl::RegisterClasses({vcl::ClassEntry<TAdvGlowButton>(), vcl::ClassEntry<TAdvGlowMenuButton>()});
//     }
//
// Class names compare without regard to case. Registering the same class again is harmless; another
// class under a registered name raises EFilerError "A class named <name> already exists".

#include <initializer_list>
#include <vector>

#include "platform/classes/Component.h"

namespace vcl {

using TComponentFactory = TComponent* (*)(TComponent* AOwner);

struct TRegisteredClass {
    TClass Class = nullptr;
    TComponentFactory Factory = nullptr;
};

template <typename T> TRegisteredClass ClassEntry() {
    return {T::StaticClassType(), [](TComponent* owner) -> TComponent* { return new T(owner); }};
}

void RegisterClass(TClass Class, TComponentFactory Factory);
template <typename T> void RegisterClass() {
    TRegisteredClass e = ClassEntry<T>();
    RegisterClass(e.Class, e.Factory);
}
void RegisterClasses(std::initializer_list<TRegisteredClass> Classes);
void UnRegisterClass(TClass Class);

// The registered class of that name: FindClass raises EClassNotFound "Class <name> not found",
// GetClass returns null.
TClass FindClass(const String& ClassName);
TClass GetClass(const String& ClassName);
// Every registered class, in the order of registration.
std::vector<TClass> GetRegisteredClasses();
// The factory of a registered class, or null.
TComponentFactory GetClassFactory(TClass Class);
// Creates a component of a registered class; raises EClassNotFound for an unregistered one.
TComponent* CreateComponentOfClass(TClass Class, TComponent* AOwner);

struct TClassRegistrar {
    TClassRegistrar(TClass Class, TComponentFactory Factory) { RegisterClass(Class, Factory); }
};

} // namespace vcl

#define KV_REGISTER_CLASS(Cls)                                                                               \
    static const ::vcl::TClassRegistrar kv_class_registrar_##Cls{::vcl::ClassEntry<Cls>().Class,             \
                                                                 ::vcl::ClassEntry<Cls>().Factory};
