#include "platform/win/Global.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_set>

namespace win {

struct GlobalBlock {
    std::unique_ptr<std::uint8_t[]> data;
    SIZE_T size = 0;
    UINT flags = 0;
    int locks = 0;
};

namespace {

// Blocks larger than this are refused as out of memory (the platform's own limit is far below 2^63).
constexpr SIZE_T kMaxBlock = SIZE_T{1} << 40;
constexpr UINT kKnownFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;

std::mutex& Lock() {
    static std::mutex m;
    return m;
}
std::unordered_set<GlobalBlock*>& Live() {
    static std::unordered_set<GlobalBlock*> live;
    return live;
}
bool IsLive(GlobalBlock* b) {
    return b != nullptr && Live().count(b) != 0;
}

// Storage for size bytes; a zero-byte block still gets a distinct address.
std::unique_ptr<std::uint8_t[]> Allocate(SIZE_T size) {
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[std::max<SIZE_T>(size, 1)]);
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if ((flags & ~kKnownFlags) != 0 || bytes > kMaxBlock) return nullptr;
    auto block = std::unique_ptr<GlobalBlock>(new (std::nothrow) GlobalBlock);
    if (!block) return nullptr;
    block->data = Allocate(bytes);
    if (!block->data) return nullptr;
    // Blocks are always zeroed: handing out stale heap bytes helps nobody.
    std::memset(block->data.get(), 0, std::max<SIZE_T>(bytes, 1));
    block->size = bytes;
    block->flags = flags;
    std::lock_guard<std::mutex> guard(Lock());
    Live().insert(block.get());
    return block.release();
}

void* GlobalLock(HGLOBAL mem) {
    std::lock_guard<std::mutex> guard(Lock());
    if (!IsLive(mem)) return nullptr;
    ++mem->locks;
    return mem->data.get();
}

BOOL GlobalUnlock(HGLOBAL mem) {
    std::lock_guard<std::mutex> guard(Lock());
    if (!IsLive(mem) || mem->locks == 0) return FALSE;
    --mem->locks;
    return mem->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    if (mem == nullptr) return nullptr;
    std::lock_guard<std::mutex> guard(Lock());
    if (!IsLive(mem)) return mem;
    Live().erase(mem);
    delete mem;
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL mem) {
    std::lock_guard<std::mutex> guard(Lock());
    return IsLive(mem) ? mem->size : 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
    if ((flags & ~kKnownFlags) != 0 || bytes > kMaxBlock) return nullptr;
    std::lock_guard<std::mutex> guard(Lock());
    if (!IsLive(mem)) return nullptr;
    // A locked block cannot move; growing or shrinking always moves here, so refuse it.
    if (mem->locks > 0 && bytes != mem->size) return nullptr;
    if (bytes == mem->size) return mem;
    auto data = Allocate(bytes);
    if (!data) return nullptr;
    std::memset(data.get(), 0, std::max<SIZE_T>(bytes, 1));
    std::memcpy(data.get(), mem->data.get(), std::min(bytes, mem->size));
    mem->data = std::move(data);
    mem->size = bytes;
    return mem;
}

namespace {

class HGlobalStream final : public IStream {
public:
    HGlobalStream(HGLOBAL block, bool deleteOnRelease) : block_(block), deleteOnRelease_(deleteOnRelease) {}

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override {
        if (pcbRead) *pcbRead = 0;
        if (pv == nullptr && cb > 0) return STG_E_INVALIDPOINTER;
        void* p = GlobalLock(block_);
        if (!p) return E_FAIL;
        const SIZE_T size = GlobalSize(block_);
        ULONG n = 0;
        if (pos_ < size) n = static_cast<ULONG>(std::min<std::uint64_t>(cb, size - pos_));
        if (n > 0) std::memcpy(pv, static_cast<std::uint8_t*>(p) + pos_, n);
        GlobalUnlock(block_);
        pos_ += n;
        if (pcbRead) *pcbRead = n;
        return S_OK;
    }

    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override {
        if (pcbWritten) *pcbWritten = 0;
        if (pv == nullptr && cb > 0) return STG_E_INVALIDPOINTER;
        if (cb == 0) return S_OK;
        const std::uint64_t end = pos_ + cb;
        if (end > GlobalSize(block_) &&
            GlobalReAlloc(block_, static_cast<SIZE_T>(end), GMEM_MOVEABLE) == nullptr)
            return STG_E_MEDIUMFULL;
        void* p = GlobalLock(block_);
        if (!p) return E_FAIL;
        std::memcpy(static_cast<std::uint8_t*>(p) + pos_, pv, cb);
        GlobalUnlock(block_);
        pos_ = end;
        if (pcbWritten) *pcbWritten = cb;
        return S_OK;
    }

    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
        std::int64_t base = 0;
        switch (origin) {
        case STREAM_SEEK_SET:
            base = 0;
            break;
        case STREAM_SEEK_CUR:
            base = static_cast<std::int64_t>(pos_);
            break;
        case STREAM_SEEK_END:
            base = static_cast<std::int64_t>(GlobalSize(block_));
            break;
        default:
            return STG_E_INVALIDFUNCTION;
        }
        if ((move.QuadPart > 0 && base > std::numeric_limits<std::int64_t>::max() - move.QuadPart) ||
            base + move.QuadPart < 0)
            return STG_E_INVALIDFUNCTION;
        pos_ = static_cast<std::uint64_t>(base + move.QuadPart);
        if (newPosition) newPosition->QuadPart = pos_;
        return S_OK;
    }

    HRESULT SetSize(ULARGE_INTEGER newSize) override {
        if (newSize.QuadPart > kMaxBlock) return STG_E_MEDIUMFULL;
        return GlobalReAlloc(block_, static_cast<SIZE_T>(newSize.QuadPart), GMEM_MOVEABLE) ? S_OK
                                                                                           : STG_E_MEDIUMFULL;
    }

    HRESULT Stat(STATSTG* stat, DWORD) override {
        if (!stat) return STG_E_INVALIDPOINTER;
        stat->cbSize.QuadPart = GlobalSize(block_);
        return S_OK;
    }

    HGLOBAL Block() const { return block_; }

private:
    ~HGlobalStream() override {
        if (deleteOnRelease_) GlobalFree(block_);
    }

    std::atomic<ULONG> refs_{1};
    HGLOBAL block_;
    bool deleteOnRelease_;
    std::uint64_t pos_ = 0;
};

} // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, IStream** ppstm) {
    if (!ppstm) return E_INVALIDARG;
    *ppstm = nullptr;
    bool ownBlock = false;
    if (hGlobal == nullptr) {
        hGlobal = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (!hGlobal) return E_OUTOFMEMORY;
        ownBlock = true;
    } else {
        std::lock_guard<std::mutex> guard(Lock());
        if (!IsLive(hGlobal)) return E_INVALIDARG;
    }
    auto* stream = new (std::nothrow) HGlobalStream(hGlobal, fDeleteOnRelease != FALSE);
    if (!stream) {
        if (ownBlock) GlobalFree(hGlobal);
        return E_OUTOFMEMORY;
    }
    *ppstm = stream;
    return S_OK;
}

HRESULT GetHGlobalFromStream(IStream* pstm, HGLOBAL* phglobal) {
    if (!phglobal) return E_INVALIDARG;
    *phglobal = nullptr;
    auto* s = dynamic_cast<HGlobalStream*>(pstm);
    if (!s) return E_INVALIDARG;
    *phglobal = s->Block();
    return S_OK;
}

} // namespace win
