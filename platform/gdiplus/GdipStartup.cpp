// Start-up, shut-down and GDI+'s own heap.

#include <atomic>
#include <cstdlib>

#include "platform/gdiplus/GdiPlusFlat.h"

namespace gdip {

namespace {
std::atomic<ULONG_PTR> nextToken{1};

// The hooks a caller that suppressed the background thread would call instead; nothing is needed here.
Status NotificationHook(ULONG_PTR* token) {
    if (!token) return InvalidParameter;
    *token = nextToken++;
    return Ok;
}
void NotificationUnhook(ULONG_PTR) {}
} // namespace

// Nothing needs starting or stopping here; every call returns a fresh token. Version 1 and 2 are the versions
// GDI+ documents.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
    if (!token || !input) return InvalidParameter;
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2) return UnsupportedGdiplusVersion;
    if (input->SuppressBackgroundThread && !output) return InvalidParameter;
    if (output) *output = GdiplusStartupOutput{NotificationHook, NotificationUnhook};
    *token = nextToken++;
    return Ok;
}

void GdiplusShutdown(ULONG_PTR) {}

void* GdipAlloc(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

void GdipFree(void* ptr) {
    std::free(ptr);
}

} // namespace gdip
