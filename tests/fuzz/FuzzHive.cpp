// The registry hive reader: any file is read or refused with ERegistryException; every key and value
// it reads can be walked and read.

#include <cstdlib>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Strings.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void Walk(vcl::TRegistry& reg, const std::string& key, int depth) {
    if (depth > 8 || !reg.OpenKeyReadOnly(key)) return;
    vcl::TStringList names, keys;
    reg.GetValueNames(&names);
    for (int i = 0; i < names.Count(); ++i) {
        char buffer[64];
        switch (reg.GetDataType(names[i])) {
        case vcl::rdString:
        case vcl::rdExpandString:
            reg.ReadString(names[i]);
            break;
        case vcl::rdInteger:
            reg.ReadInteger(names[i]);
            break;
        case vcl::rdBinary:
            if (reg.GetDataSize(names[i]) <= static_cast<int>(sizeof buffer))
                reg.ReadBinaryData(names[i], buffer, sizeof buffer);
            break;
        default:
            break;
        }
    }
    reg.GetKeyNames(&keys);
    for (int i = 0; i < keys.Count(); ++i)
        Walk(reg, key + "\\" + keys[i], depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        const std::string made = fuzz::TempFolder("kv-fuzz-hive");
        ::setenv("KALVENOR_REGISTRY_DIR", made.c_str(), 1);
        return made;
    }();
    vcl::WriteFileAtomic(folder + "/user.hive", std::string(reinterpret_cast<const char*>(data), size), 0600);
    try {
        vcl::TRegistry reg;
        reg.SetRootKey(vcl::HKEY_CURRENT_USER);
        Walk(reg, "\\", 0);
    } catch (const vcl::ERegistryException&) {
    }
    return 0;
}
