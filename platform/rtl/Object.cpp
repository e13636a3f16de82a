#include "platform/rtl/Object.h"

#include <atomic>

#include "platform/rtl/Exceptions.h"

namespace vcl {

namespace {
std::atomic<long> g_liveObjects{0};
}

bool ClassInheritsFrom(TClass cls, TClass ancestor) {
    for (; cls != nullptr; cls = cls->Parent)
        if (cls == ancestor) return true;
    return false;
}

TObject::TObject() noexcept {
    ++g_liveObjects;
}
TObject::~TObject() {
    --g_liveObjects;
}

TClass TObject::StaticClassType() {
    static const TClassInfo info{"TObject", nullptr};
    return &info;
}

long TObject::LiveObjects() {
    return g_liveObjects.load();
}

void TPersistent::Assign(TPersistent* Source) {
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source) {
    String sourceName = Source != nullptr ? Source->ClassName() : String("nil");
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

String TPersistent::GetNamePath() {
    return ClassName();
}

} // namespace vcl
