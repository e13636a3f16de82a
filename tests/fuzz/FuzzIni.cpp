// The INI reader: any file is read; writing one value changes that value only, every other entry
// reads back as it was, and once that value is erased again the file holds its first bytes (the last
// line may have gained a line end). Erasing a whole section leaves the text of every other one as it was.

#include <algorithm>
#include <unistd.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string Folder() {
    return fuzz::TempFolder("kv-fuzz-ini");
}

// Every section's "name=value" lines, in order; without the section named skip, when given.
std::string Dump(vcl::TCustomIniFile& ini, const std::string* skip = nullptr) {
    vcl::TStringList sections, values;
    ini.ReadSections(&sections);
    std::string out;
    for (int i = 0; i < sections.Count(); ++i) {
        if (skip && vcl::detail::FoldNameCase(sections[i]) == vcl::detail::FoldNameCase(*skip)) continue;
        ini.ReadSectionValues(sections[i], &values);
        out += "[" + sections[i] + "]\n" + values.Text();
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = Folder() + "/fuzz.ini";
    fuzz::Input in(data, size);
    const std::uint8_t options = in.Byte();
    const bool memory = options & 1;
    vcl::WriteFileAtomic(path, in.Rest());
    try {
        vcl::TIniFile ini(path);
        const std::string before = Dump(ini);
        vcl::TStringList sections;
        ini.ReadSections(&sections);
        bool taken = false;
        for (int i = 0; i < sections.Count(); ++i)
            taken = taken || vcl::detail::FoldNameCase(sections[i]) == "fuzz-section";
        // A section of its own, written and erased: nothing else may change. The value's characters
        // are in both encodings a file may be read in.
        if (!taken) {
            const std::string original = vcl::ReadFileBytes(path);
            const std::string value = "v \u00E9\u20AC";
            ini.WriteString("fuzz-section", "fuzz-key", value);
            if (ini.ReadString("fuzz-section", "fuzz-key", "") != value)
                fuzz::Broken("the written value is lost");
            ini.EraseSection("fuzz-section");
            if (Dump(ini) != before) fuzz::Broken("a rewrite changed what was not written");
            const std::string after = vcl::ReadFileBytes(path);
            const std::string added = after.substr(std::min(after.size(), original.size()));
            if (after.compare(0, original.size(), original) != 0 ||
                (added != "" && added != "\r\n" && added != "\n" && added != "\r"))
                fuzz::Broken("a rewrite changed bytes that were not written");
        }
        if (memory) {
            vcl::TMemIniFile mem(path);
            if (Dump(mem) != before) fuzz::Broken("the two readers differ");
            mem.UpdateFile();
            if (Dump(ini) != before) fuzz::Broken("UpdateFile changed the file's values");
        }
        // One section erased: every other value reads back as the same text, although the bytes left may
        // now be read in another encoding.
        if (sections.Count() > 0) {
            const std::string erased = sections[(options >> 1) % sections.Count()];
            const std::string expected = Dump(ini, &erased);
            ini.EraseSection(erased);
            if (Dump(ini) != expected) fuzz::Broken("erasing a section changed the text of another");
        }
    } catch (const vcl::EIniFileException&) {
    }
    return 0;
}
