#include "platform/win/GdiObject.h"

#include <unordered_set>

namespace win {

namespace {
std::unordered_set<const GdiObject*>& LiveTable() {
    static std::unordered_set<const GdiObject*> table;
    return table;
}
} // namespace

GdiObject::GdiObject(DWORD type) : ObjectType(type) {
    LiveTable().insert(this);
}

GdiObject::~GdiObject() {
    LiveTable().erase(this);
}

int GdiObject::Describe(int, void*) const {
    return 0;
}

namespace detail {

bool IsLiveGdiObject(const GdiObject* h) {
    return h != nullptr && LiveTable().count(h) != 0;
}

void RetainSelected(GdiObject* h) {
    if (h != nullptr) ++h->SelectCount;
}

void ReleaseSelected(GdiObject* h) {
    if (h == nullptr) return;
    if (h->SelectCount > 0) --h->SelectCount;
}

} // namespace detail

BOOL DeleteObject(HGDIOBJ ho) {
    if (!detail::IsLiveGdiObject(ho)) return FALSE;
    if (ho->Stock) return TRUE;
    if (ho->SelectCount > 0) return FALSE;
    delete ho;
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ h) {
    return detail::IsLiveGdiObject(h) ? h->ObjectType : 0;
}

int GetObject(HGDIOBJ h, int c, void* pv) {
    if (!detail::IsLiveGdiObject(h) || c < 0) return 0;
    return h->Describe(c, pv);
}

} // namespace win
