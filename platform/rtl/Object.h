#pragma once
// The root of the object model: TObject with class references, and TPersistent with Assign.
//
// Every class that needs a class name or class tests places KV_CLASS(Self, Base) first in its body:
//
//     class TFont : public TPersistent {
//         KV_CLASS(TFont, TPersistent)
//     public:
//         ...
//     };
//
// Objects are reference types: they are not copied; Assign copies state between objects.

#include "platform/rtl/Types.h"

namespace vcl {

// What a class reference points at. The component model attaches its own data (a factory,
// the published-property table) through its class registry, keyed by this record.
struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;
};
using TClass = const TClassInfo*;

bool ClassInheritsFrom(TClass cls, TClass ancestor);

class TObject {
public:
    TObject() noexcept;
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass StaticClassType();
    virtual TClass ClassType() const { return StaticClassType(); }
    String ClassName() const { return ClassType()->Name; }
    bool InheritsFrom(TClass ancestor) const { return ClassInheritsFrom(ClassType(), ancestor); }

    // Number of TObject instances alive in the process; tests check it is zero after each test.
    static long LiveObjects();
};

#define KV_CLASS(Cls, Base)                                                                                  \
public:                                                                                                      \
    static ::vcl::TClass StaticClassType() {                                                                 \
        static const ::vcl::TClassInfo info{#Cls, Base::StaticClassType()};                                  \
        return &info;                                                                                        \
    }                                                                                                        \
    ::vcl::TClass ClassType() const override {                                                               \
        return StaticClassType();                                                                            \
    }                                                                                                        \
                                                                                                             \
private:

class TPersistent : public TObject {
    KV_CLASS(TPersistent, TObject)
public:
    // Copies Source into this object. The default asks Source to AssignTo this object, and a
    // source that cannot do that raises EConvertError "Cannot assign a <source> to a <target>"
    // (a null source names itself "nil").
    virtual void Assign(TPersistent* Source);
    virtual String GetNamePath();

protected:
    virtual void AssignTo(TPersistent* Dest);
    virtual TPersistent* GetOwner() { return nullptr; }
    [[noreturn]] void AssignError(TPersistent* Source);

    friend class TPersistentAccess;
};

} // namespace vcl
