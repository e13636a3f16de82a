#pragma once
// Shared by the fuzz targets: the input as a string, and a few bytes of it taken as options.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fuzz {

// Takes option bytes from the front of the input; missing bytes read as zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
    std::uint8_t Byte() {
        if (FSize == 0) return 0;
        --FSize;
        return *FData++;
    }
    std::string Rest() const { return std::string(reinterpret_cast<const char*>(FData), FSize); }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
};

// A fault the target's own checks found: reported as a crash, which libFuzzer saves.
[[noreturn]] inline void Broken(const char* what) {
    __builtin_trap();
    (void)what;
}

// A fresh folder for files the target writes: in memory (/dev/shm) where there is one, as every write
// is flushed to disk and a disk would make the target slow.
// It is removed when the program ends.
inline std::string TempFolder(const std::string& name) {
    static struct Cleanup {
        std::vector<std::string> Paths;
        ~Cleanup() {
            for (const std::string& path : Paths)
                std::filesystem::remove_all(path);
        }
    } cleanup;
    for (const char* base : {"/dev/shm/", "/tmp/"}) {
        std::string pattern = base + name + "-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            cleanup.Paths.push_back(pattern);
            return pattern;
        }
    }
    Broken("no temporary folder");
}

} // namespace fuzz
