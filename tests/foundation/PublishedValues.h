#pragma once
// Published properties swept through the class's property list, so that a rule about "every published
// value" is checked for each one, those added later included.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/classes/Properties.h"

namespace publishedtest {

using namespace vcl;

inline bool IsOrdinal(const TPropInfo* P) {
    return P->Kind == TPropKind::Integer || P->Kind == TPropKind::Boolean ||
           P->Kind == TPropKind::Enumeration || P->Kind == TPropKind::Set || P->Kind == TPropKind::Color;
}

// Gives every writable ordinal and string property of Target a value unlike its current one.
inline void ChangeEveryValue(TPersistent* Target) {
    int n = 0;
    for (const TPropInfo* p : GetPropList(Target->ClassType())) {
        ++n;
        if (!p->Writable()) continue;
        if (p->Kind == TPropKind::String) {
            p->SetStr(Target, p->GetStr(Target) + "#" + std::to_string(n));
        } else if (p->Kind == TPropKind::Boolean) {
            p->SetOrd(Target, p->GetOrd(Target) ? 0 : 1);
        } else if (p->Kind == TPropKind::Enumeration) {
            p->SetOrd(Target, (p->GetOrd(Target) + 1) % static_cast<Int64>(p->Enum->Names.size()));
        } else if (p->Kind == TPropKind::Set) {
            p->SetOrd(Target, p->GetOrd(Target) ^ 1);
        } else if (IsOrdinal(p)) {
            p->SetOrd(Target, p->GetOrd(Target) + 1000 + n);
        }
    }
}

// Every ordinal and string property of A (or those Which names) has B's value.
inline void ExpectSameValues(TPersistent* A, TPersistent* B,
                             const std::function<bool(const String&)>& Which = nullptr) {
    for (const TPropInfo* p : GetPropList(A->ClassType())) {
        if (Which && !Which(p->Name)) continue;
        if (IsOrdinal(p)) {
            EXPECT_EQ(p->GetOrd(A), p->GetOrd(B)) << p->Name;
        } else if (p->Kind == TPropKind::String) {
            EXPECT_EQ(p->GetStr(A), p->GetStr(B)) << p->Name;
        }
    }
}

// A fresh object holds the default its class declares for every ordinal property (a layout leaves
// default values out, so a constructor that differs would change what a read layout shows).
inline void ExpectDeclaredDefaults(TPersistent* Fresh,
                                   const std::function<bool(const String&)>& Which = nullptr) {
    for (const TPropInfo* p : GetPropList(Fresh->ClassType()))
        if (IsOrdinal(p) && p->DefaultOrd && (!Which || Which(p->Name))) {
            EXPECT_EQ(p->GetOrd(Fresh), *p->DefaultOrd) << p->Name;
        }
}

} // namespace publishedtest
