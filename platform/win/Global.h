#pragma once
// Global memory blocks and a stream over them, as the platform's memory and COM stream services offer.
//
// A global handle names a block of bytes. Blocks never move here, so a moveable block's handle and its
// locked pointer stay valid for the block's life; callers must still lock before use, as on the platform.
// Invalid handles (never allocated, or already freed) are detected and refused, never dereferenced.

#include <cstddef>
#include <cstdint>

#include "platform/win/WinTypes.h"

namespace win {

using SIZE_T = std::size_t;
using ULONG = std::uint32_t;
using HRESULT = std::int32_t;

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Allocates a block of `bytes` bytes (zero bytes is allowed); nullptr when out of memory or on unknown flags.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Returns the block's first byte and counts the lock; nullptr for an invalid handle.
void* GlobalLock(HGLOBAL mem);
// Decrements the lock count; returns TRUE while the block stays locked, FALSE when it is unlocked now
// (or the handle is invalid).
BOOL GlobalUnlock(HGLOBAL mem);
// Frees the block; returns nullptr on success and the handle itself when it is invalid.
HGLOBAL GlobalFree(HGLOBAL mem);
// The block's size in bytes; 0 for an invalid handle.
SIZE_T GlobalSize(HGLOBAL mem);
// Resizes a block (content kept up to the smaller size); nullptr when refused.
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);

// Result codes of the COM stream calls.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);
constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009u);
constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070u);
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

struct LARGE_INTEGER {
    std::int64_t QuadPart;
};
struct ULARGE_INTEGER {
    std::uint64_t QuadPart;
};

// Seek origins.
constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;

// Stat flags (names are not kept, so both behave alike).
constexpr DWORD STATFLAG_DEFAULT = 0;
constexpr DWORD STATFLAG_NONAME = 1;

// The part of the storage statistics record that streams here fill: the stream's size in bytes.
struct STATSTG {
    ULARGE_INTEGER cbSize;
};

// A reference-counted byte stream. The creator holds one reference; Release frees the stream when the
// count reaches zero. Reading past the end reads fewer bytes (S_OK with the count read); seeking before
// the start fails with STG_E_INVALIDFUNCTION.
class IStream {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
    virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
    virtual HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) = 0;
    virtual HRESULT SetSize(ULARGE_INTEGER libNewSize) = 0;
    virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;

protected:
    IStream() = default;
    virtual ~IStream() = default;
    IStream(const IStream&) = delete;
    IStream& operator=(const IStream&) = delete;
};

// Creates a stream over a global block (a new empty moveable block when hGlobal is nullptr). The stream
// starts at position 0 and its size is the block's size; writing past the end grows the block. With
// fDeleteOnRelease the block is freed when the stream is; otherwise the caller still owns it.
// Returns E_INVALIDARG for a null ppstm or an invalid handle, E_OUTOFMEMORY when allocation fails.
HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, IStream** ppstm);
// The block under a stream made by CreateStreamOnHGlobal; E_INVALIDARG for any other stream.
HRESULT GetHGlobalFromStream(IStream* pstm, HGLOBAL* phglobal);

} // namespace win
