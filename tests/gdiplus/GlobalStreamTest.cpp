// Global memory blocks and the stream over them.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/Global.h"

namespace {

using namespace win;

TEST(GlobalMemory, AllocLockUnlockFreeAndTheStreamOverABlock) {
    HGLOBAL h = GlobalAlloc(GHND, 16);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 16u);
    auto* p = static_cast<std::uint8_t*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(p[i], 0);
    EXPECT_EQ(GlobalLock(h), p);      // a second lock gives the same bytes
    EXPECT_EQ(GlobalUnlock(h), TRUE); // still locked once
    EXPECT_EQ(GlobalUnlock(h), FALSE);
    EXPECT_EQ(GlobalUnlock(h), FALSE); // not locked at all
    // A locked block does not move, so it cannot be resized.
    GlobalLock(h);
    EXPECT_EQ(GlobalReAlloc(h, 32, GMEM_MOVEABLE), nullptr);
    GlobalUnlock(h);
    ASSERT_EQ(GlobalReAlloc(h, 32, GMEM_MOVEABLE), h);
    EXPECT_EQ(GlobalSize(h), 32u);
    EXPECT_EQ(GlobalFree(h), nullptr);
    // The freed handle is refused from now on, never used.
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr); // unknown flags
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_T{1} << 62), nullptr);
    HGLOBAL empty = GlobalAlloc(GMEM_FIXED, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalSize(empty), 0u);
    GlobalFree(empty);
    // The stream over a block reads, writes, seeks and states its size.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(block), "abcd", 4);
    GlobalUnlock(block);
    IStream* s = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &s), S_OK);
    STATSTG st{};
    ASSERT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(st.cbSize.QuadPart, 4u);
    char buf[8] = {};
    ULONG got = 0;
    ASSERT_EQ(s->Read(buf, 3, &got), S_OK);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(std::string(buf, 3), "abc");
    ASSERT_EQ(s->Read(buf, 8, &got), S_OK); // past the end: fewer bytes
    EXPECT_EQ(got, 1u);
    ASSERT_EQ(s->Read(buf, 8, &got), S_OK);
    EXPECT_EQ(got, 0u);
    // Writing past the end grows the block, filling any gap with zeros.
    ULARGE_INTEGER pos{};
    ASSERT_EQ(s->Seek(LARGE_INTEGER{2}, STREAM_SEEK_END, &pos), S_OK);
    EXPECT_EQ(pos.QuadPart, 6u);
    ASSERT_EQ(s->Write("xy", 2, &got), S_OK);
    EXPECT_EQ(GlobalSize(block), 8u);
    auto* p2 = static_cast<char*>(GlobalLock(block));
    EXPECT_EQ(std::string(p2, 8), std::string("abcd\0\0xy", 8));
    GlobalUnlock(block);
    EXPECT_EQ(s->Seek(LARGE_INTEGER{-1}, STREAM_SEEK_SET, &pos), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(s->Seek(LARGE_INTEGER{0}, 7, &pos), STG_E_INVALIDFUNCTION);
    ASSERT_EQ(s->Seek(LARGE_INTEGER{-3}, STREAM_SEEK_CUR, &pos), S_OK);
    EXPECT_EQ(pos.QuadPart, 5u);
    EXPECT_EQ(s->Read(nullptr, 1, &got), STG_E_INVALIDPOINTER);
    EXPECT_EQ(s->Stat(nullptr, 0), STG_E_INVALIDPOINTER);
    HGLOBAL under = nullptr;
    ASSERT_EQ(GetHGlobalFromStream(s, &under), S_OK);
    EXPECT_EQ(under, block);
    ASSERT_EQ(s->SetSize(ULARGE_INTEGER{2}), S_OK);
    EXPECT_EQ(GlobalSize(block), 2u);
    // References: the stream lives until the last release; the block stays with the caller.
    EXPECT_EQ(s->AddRef(), 2u);
    EXPECT_EQ(s->Release(), 1u);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(GlobalSize(block), 2u);
    EXPECT_EQ(GlobalFree(block), nullptr);
    HGLOBAL h2 = GlobalAlloc(GMEM_MOVEABLE, 8);
    IStream* s2 = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(h2, TRUE, &s2), S_OK);
    s2->Release();
    EXPECT_EQ(GlobalSize(h2), 0u); // freed with the stream
    EXPECT_EQ(CreateStreamOnHGlobal(h2, TRUE, &s2), E_INVALIDARG);
    EXPECT_EQ(s2, nullptr);
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, nullptr), E_INVALIDARG);
    // Without a block the stream makes its own, empty.
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &s2), S_OK);
    STATSTG st2{};
    ASSERT_EQ(s2->Stat(&st2, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(st2.cbSize.QuadPart, 0u);
    ULONG done = 0;
    ASSERT_EQ(s2->Write("hello", 5, &done), S_OK);
    ASSERT_EQ(s2->Stat(&st2, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(st2.cbSize.QuadPart, 5u);
    s2->Release();
}

} // namespace
