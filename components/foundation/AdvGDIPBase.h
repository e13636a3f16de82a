#pragma once
// The root of the GDI+ wrapper classes: every wrapper is allocated from GDI+'s own heap.
//
// Start-up and shut-down. AdvGDIPBase.cpp holds a namespace-scope object whose constructor starts GDI+
// (interface version 1, no debug callback, background thread suppressed, external codecs allowed) and
// whose destructor shuts it down at process end. That file also defines this class's allocation
// functions, GlowSpeed and the start-up records (the image-format identifiers are constants of the flat
// layer), so any program that creates a wrapper or reads one of those globals links it, and its static
// initialisation runs before main, that is before any form exists. Should start-up have failed, the next
// wrapper allocation starts GDI+ again.

#include <cstddef>

#include "components/foundation/AdvGDIPTypes.h"
#include "platform/rtl/Object.h"

namespace AdvGDIP {

class TGdiplusBase : public vcl::TObject {
    KV_CLASS(TGdiplusBase, vcl::TObject)
public:
    // Zero-filled memory from GdipAlloc; when GDI+ is not running, starts it and asks once more.
    // Raises EOutOfMemory when there is still no memory.
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;
};

} // namespace AdvGDIP
