#include "platform/rtl/FileUtil.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"

namespace vcl {

namespace {

String Reason(int err) {
    return std::strerror(err);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

String FolderOf(const String& path) {
    auto slash = path.rfind('/');
    if (slash == String::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

constexpr const char* kTempMark = ".tmp-";
constexpr std::size_t kTempRandom = 6; // mkostemp's XXXXXX

bool IsTempNameOf(const String& entry, const String& base) {
    const std::size_t stem = base.size() + std::strlen(kTempMark);
    if (entry.size() != stem + kTempRandom || entry.compare(0, base.size(), base) != 0 ||
        entry.compare(base.size(), std::strlen(kTempMark), kTempMark) != 0)
        return false;
    for (std::size_t i = stem; i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Removes the temporary files of `path` whose writer is gone. A living writer holds the lock on its
// file from just after creating it until the rename; a file whose lock we get is a dead writer's.
// The lock is taken before the unlink, and the name is checked to still be that same file.
void RemoveStaleTemporaries(const String& path) {
    const String folder = FolderOf(path);
    const auto slash = path.rfind('/');
    const String base = slash == String::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* e = ::readdir(dir)) {
        const String name = e->d_name;
        if (!IsTempNameOf(name, base)) continue;
        const String full = folder + "/" + name;
        Fd fd(::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        struct stat held {
        }, named{};
        if (::fstat(fd.get(), &held) == 0 && S_ISREG(held.st_mode) && ::lstat(full.c_str(), &named) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            ::unlink(full.c_str());
    }
    ::closedir(dir);
}

} // namespace

TFileLock::~TFileLock() {
    if (FFd >= 0) ::close(FFd); // closing releases the lock
}

int TFileLock::Acquire(const String& lockPath, bool exclusive) {
    if (FFd >= 0) ::close(FFd);
    FFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (FFd < 0) return errno;
    while (::flock(FFd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
        if (errno != EINTR) {
            int err = errno;
            ::close(FFd);
            FFd = -1;
            return err;
        }
    }
    return 0;
}

String ReadFileBytes(const String& path) {
    // Opened without waiting: opening a FIFO for reading would wait for a writer, and reading a device
    // might never end. Only a regular file is read.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
    if (!S_ISREG(st.st_mode))
        throw EFOpenError("Cannot open file \"" + path + "\". " +
                          (S_ISDIR(st.st_mode) ? Reason(EISDIR) : String("Not a regular file")));
    String data;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EReadError("Cannot read file \"" + path + "\". " + Reason(errno));
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    return data;
}

void WriteFileAtomic(const String& path, const String& data, mode_t mode) {
    auto fail = [&](int err) -> void {
        throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(err));
    };
    String temp;
    Fd fd(-1);
    // Locked before anything is written, so that no other writer's sweep takes it for a dead one's.
    // A sweep that came between the creation and the lock has removed it: then take another.
    for (int attempt = 0;; ++attempt) {
        temp = path + kTempMark + String(kTempRandom, 'X');
        Fd created(::mkostemp(temp.data(), O_CLOEXEC));
        if (created.get() < 0) fail(errno);
        while (::flock(created.get(), LOCK_EX) != 0)
            if (errno != EINTR) fail(errno);
        struct stat st {};
        if (::fstat(created.get(), &st) != 0) fail(errno);
        if (st.st_nlink > 0) {
            fd.reset(created.release());
            break;
        }
        if (attempt == 10) fail(EAGAIN);
    }
    auto discard = [&](int err) {
        ::unlink(temp.c_str());
        fail(err);
    };
    if (::fchmod(fd.get(), mode) != 0) discard(errno);
    size_t written = 0;
    while (written < data.size()) {
        ssize_t n = ::write(fd.get(), data.data() + written, data.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            discard(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0) discard(errno);
    // Renamed while still locked (closing would release the lock); fsync has made the data durable.
    if (::rename(temp.c_str(), path.c_str()) != 0) discard(errno);
    fd.reset(-1);
    // Make the rename itself durable.
    Fd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    RemoveStaleTemporaries(path);
}

bool FileExists(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const String& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const String& path, mode_t mode) {
    if (path.empty()) return false;
    if (DirectoryExists(path)) return true;
    String parent = FolderOf(path);
    if (parent != path && parent != "." && parent != "/" && !ForceDirectories(parent, mode)) return false;
    return ::mkdir(path.c_str(), mode) == 0 || (errno == EEXIST && DirectoryExists(path));
}

} // namespace vcl
