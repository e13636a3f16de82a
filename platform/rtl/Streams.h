#pragma once
// Streams: the abstract TStream, memory, file, string and resource streams.
//
// Positions, sizes and counts are 64-bit. Read and Write move as many bytes as they can and return
// how many; ReadBuffer and WriteBuffer move all or raise EReadError "Stream read error" /
// EWriteError "Stream write error". Seeking past the end is allowed: reading there returns nothing,
// and writing there fills the gap with zero bytes.

#include <cstdint>
#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Types.h"

namespace vcl {

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// Legacy origin names.
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

// File open modes and share flags (share flags are accepted and not enforced).
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

class TStream : public TObject {
    KV_CLASS(TStream, TObject)
public:
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    // Returns the new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    virtual Int64 GetSize();
    Int64 Size() { return GetSize(); }
    virtual void SetSize(Int64 NewSize);

    // Copies Count bytes from Source's position; Count 0 copies the whole of Source from its start.
    // Returns the number of bytes copied; raises EReadError/EWriteError when short.
    Int64 CopyFrom(TStream* Source, Int64 Count);
};

// A stream over a block of memory the stream owns.
class TMemoryStream : public TStream {
    KV_CLASS(TMemoryStream, TStream)
public:
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 GetSize() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 NewSize) override;

    // The stream's bytes (valid until the next change of size); nullptr when empty.
    void* Memory() { return FData.empty() ? nullptr : FData.data(); }
    const void* Memory() const { return FData.empty() ? nullptr : FData.data(); }
    void Clear();

    // Replace the content (position 0) / write the whole content out.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const String& FileName);
    void SaveToStream(TStream* Stream);
    void SaveToFile(const String& FileName);

protected:
    // Changes the size; memory exhaustion raises EOutOfMemory.
    void Resize(Int64 NewSize);

    std::vector<Byte> FData;
    Int64 FPosition = 0;
};

// A memory stream over a string's bytes.
class TStringStream : public TMemoryStream {
    KV_CLASS(TStringStream, TMemoryStream)
public:
    TStringStream() = default;
    explicit TStringStream(const String& AString);
    // The whole content as a string.
    String DataString() const;
};

// A stream over an operating-system file. Open errors raise EFOpenError
// 'Cannot open file "<name>". <reason>', create errors EFCreateError 'Cannot create file "<name>". <reason>'.
class TFileStream : public TStream {
    KV_CLASS(TFileStream, TStream)
public:
    TFileStream(const String& FileName, Word Mode);
    TFileStream(const String& FileName, Word Mode, Cardinal Rights);
    ~TFileStream() override;

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    // Returns -1 when the position cannot be set.
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;

    const String& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    String FFileName;
    int FHandle = -1;
};

// A read-only stream over a compiled-in resource, found by name (or numeric identifier) and type. A
// missing resource raises EResNotFound "Resource <name> not found". Writing raises EStreamError
// "Can't write to a read-only resource stream".
class TResourceStream : public TMemoryStream {
    KV_CLASS(TResourceStream, TMemoryStream)
public:
    // Instance is accepted for the framework's signature; every resource lives in the one registry.
    TResourceStream(const void* Instance, const String& ResName, const TResType& ResType);
    TResourceStream(const void* Instance, int ResID, const TResType& ResType);
    Int64 Write(const void* Buffer, Int64 Count) override;
};

} // namespace vcl
