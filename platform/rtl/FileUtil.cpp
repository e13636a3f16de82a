#include "platform/rtl/FileUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"

namespace vcl {

namespace {

String Reason(int err) { return std::strerror(err); }

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

private:
    int fd_;
};

String FolderOf(const String& path) {
    auto slash = path.rfind('/');
    if (slash == String::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace

String ReadFileBytes(const String& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
        throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(EISDIR));
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
    String temp = path + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) fail(errno);
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
    if (::close(fd.release()) != 0) discard(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) discard(errno);
    // Make the rename itself durable.
    Fd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
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
