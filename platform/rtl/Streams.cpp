#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Resources.h"

namespace vcl {

// ---- TStream

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
    if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
    if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError("Stream write error");
}

Int64 TStream::GetSize() {
    Int64 pos = Seek(0, soCurrent);
    Int64 size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(Int64) {}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    if (Count < 0) throw EReadError("Stream read error");
    const Int64 total = Count;
    std::vector<Byte> buffer(static_cast<size_t>(std::min<Int64>(Count, 0xF000)));
    while (Count > 0) {
        Int64 n = std::min<Int64>(Count, static_cast<Int64>(buffer.size()));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return total;
}

// ---- TMemoryStream

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
    const Int64 size = GetSize();
    if (Count <= 0 || FPosition < 0 || FPosition >= size) return 0;
    Int64 n = std::min(Count, size - FPosition);
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
    Int64 end = 0;
    if (Count <= 0 || FPosition < 0 || __builtin_add_overflow(FPosition, Count, &end)) return 0;
    if (end > GetSize()) Resize(end); // a gap after the old end is zeroed
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : GetSize();
    Int64 pos = 0;
    if (__builtin_add_overflow(base, Offset, &pos)) throw EStreamError("Invalid stream position");
    FPosition = pos;
    return FPosition;
}

void TMemoryStream::Resize(Int64 NewSize) {
    try {
        FData.resize(static_cast<size_t>(NewSize), 0);
    } catch (const std::exception&) {
        throw EOutOfMemory("Out of memory while expanding memory stream");
    }
}

void TMemoryStream::SetSize(Int64 NewSize) {
    if (NewSize < 0) throw EStreamError("Stream size out of bounds (" + std::to_string(NewSize) + ")");
    Resize(NewSize);
    if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    Int64 size = Stream->Size();
    std::vector<Byte> data(static_cast<size_t>(std::max<Int64>(size, 0)));
    if (size > 0) Stream->ReadBuffer(data.data(), size);
    FData.swap(data);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
    String bytes = ReadFileBytes(FileName);
    FData.assign(bytes.begin(), bytes.end());
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) {
    if (FData.empty()) return;
    if (Stream == this) { // writing may move the very bytes being written
        std::vector<Byte> copy(FData);
        Stream->WriteBuffer(copy.data(), static_cast<Int64>(copy.size()));
    } else {
        Stream->WriteBuffer(FData.data(), GetSize());
    }
}

void TMemoryStream::SaveToFile(const String& FileName) {
    WriteFileAtomic(FileName, String(FData.begin(), FData.end()));
}

// ---- TStringStream

TStringStream::TStringStream(const String& AString) {
    FData.assign(AString.begin(), AString.end());
}

String TStringStream::DataString() const {
    return String(FData.begin(), FData.end());
}

// ---- TFileStream

TFileStream::TFileStream(const String& FileName, Word Mode) : TFileStream(FileName, Mode, 0666) {}

TFileStream::TFileStream(const String& FileName, Word Mode, Cardinal Rights) : FFileName(FileName) {
    if ((Mode & fmCreate) == fmCreate) {
        FHandle =
            ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, static_cast<mode_t>(Rights));
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
        return;
    }
    int flags;
    switch (Mode & 3) {
    case fmOpenWrite:
        flags = O_WRONLY;
        break;
    case fmOpenReadWrite:
        flags = O_RDWR;
        break;
    default:
        flags = O_RDONLY;
        break;
    }
    FHandle = ::open(FileName.c_str(), flags | O_CLOEXEC);
    int err = errno;
    if (FHandle >= 0) {
        struct stat st {};
        if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            err = EISDIR;
        }
    }
    if (FHandle < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(err));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count) {
    Int64 done = 0;
    auto* out = static_cast<char*>(Buffer);
    while (done < Count) {
        ssize_t n = ::read(FHandle, out + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count) {
    Int64 done = 0;
    auto* in = static_cast<const char*>(Buffer);
    while (done < Count) {
        ssize_t n = ::write(FHandle, in + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(FHandle, static_cast<off_t>(Offset), whence);
    return r < 0 ? -1 : static_cast<Int64>(r);
}

void TFileStream::SetSize(Int64 NewSize) {
    Int64 pos = Position();
    if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Stream size out of bounds (" + std::to_string(NewSize) + ")");
    if (pos > NewSize) Seek(NewSize, soBeginning);
}

// ---- TResourceStream

namespace {
std::string_view ResourceData(const String& name, const TResType& type, const String& shownName) {
    const TResourceEntry* entry = FindResource(name, type);
    if (!entry) throw EResNotFound("Resource " + shownName + " not found");
    return entry->Data;
}
} // namespace

TResourceStream::TResourceStream(const void*, const String& ResName, const TResType& ResType) {
    const std::string_view data = ResourceData(ResName, ResType, ResName);
    FData.assign(data.begin(), data.end());
}

TResourceStream::TResourceStream(const void*, int ResID, const TResType& ResType) {
    const std::string_view data = ResourceData("#" + std::to_string(ResID), ResType, std::to_string(ResID));
    FData.assign(data.begin(), data.end());
}

Int64 TResourceStream::Write(const void*, Int64) {
    throw EStreamError("Can't write to a read-only resource stream");
}

} // namespace vcl
