// The version-information component over a version block built here, and the system answers.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "components/foundation/ExeInfo.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/SysInfo.h"

namespace {

using namespace ExeInfo;
using vcl::String;

// A node of the block as the platform lays it out: length, value length, type, UTF-16 key, padding to
// 4 bytes, value, padding, children.
struct TBlockNode {
    String Key;
    std::vector<std::uint8_t> Value;
    bool Text = false;
    std::vector<TBlockNode> Children;
};

void Put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Pad(std::vector<std::uint8_t>& b) {
    while (b.size() % 4)
        b.push_back(0);
}

std::vector<std::uint8_t> Build(const TBlockNode& n) {
    std::vector<std::uint8_t> b(6, 0);
    for (char c : n.Key) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(0);
    }
    b.push_back(0);
    b.push_back(0);
    Pad(b);
    b.insert(b.end(), n.Value.begin(), n.Value.end());
    for (const TBlockNode& c : n.Children) {
        Pad(b);
        const auto child = Build(c);
        b.insert(b.end(), child.begin(), child.end());
    }
    Put16(b, 0, static_cast<unsigned>(b.size()));
    Put16(b, 2, static_cast<unsigned>(n.Text ? n.Value.size() / 2 : n.Value.size()));
    Put16(b, 4, n.Text ? 1 : 0);
    return b;
}

TBlockNode TextNode(const String& Key, const String& Value) {
    TBlockNode n{Key, {}, true, {}};
    for (char c : Value) {
        n.Value.push_back(static_cast<std::uint8_t>(c));
        n.Value.push_back(0);
    }
    n.Value.push_back(0);
    n.Value.push_back(0);
    return n;
}

std::vector<std::uint8_t> VersionBlock(unsigned Lang, unsigned CodePage, const String& Table,
                                       std::vector<TBlockNode> Strings, bool WithTranslation = true) {
    TFixedFileInfo fixed;
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwFileFlagsMask = 0x3F;
    fixed.dwFileFlags = 0xC1; // debug (1) within the mask, 0xC0 outside it
    fixed.dwFileOS = 0x40004;
    fixed.dwFileType = 1;
    // 2 January 1601 00:00 is 864000000000 units.
    fixed.dwFileDateMS = 0;
    fixed.dwFileDateLS = 864000000u;
    TBlockNode root{"VS_VERSION_INFO", std::vector<std::uint8_t>(sizeof fixed), false, {}};
    std::memcpy(root.Value.data(), &fixed, sizeof fixed);
    root.Children.push_back({"StringFileInfo", {}, true, {{Table, {}, true, std::move(Strings)}}});
    if (WithTranslation) {
        TBlockNode var{"Translation", {}, false, {}};
        var.Value = {static_cast<std::uint8_t>(Lang), static_cast<std::uint8_t>(Lang >> 8),
                     static_cast<std::uint8_t>(CodePage), static_cast<std::uint8_t>(CodePage >> 8)};
        root.Children.push_back({"VarFileInfo", {}, true, {var}});
    }
    return Build(root);
}

void Install(const std::vector<std::uint8_t>& Block) {
    vcl::RegisterResource("1", vcl::TResType(vcl::RT_VERSION), Block.data(), Block.size());
}

std::vector<TBlockNode> AllKeys() {
    return {TextNode("CompanyName", "Orvandel"),        TextNode("FileDescription", "Client"),
            TextNode("FileVersion", "1.0.0.7"),         TextNode("InternalName", "kalvenor"),
            TextNode("LegalCopyright", "(c) Orvandel"), TextNode("LegalTradeMarks", "TM"),
            TextNode("OriginalFileName", "kalvenor"),   TextNode("ProductName", "Kalvenor"),
            TextNode("ProductVersion", "1.0"),          TextNode("Comments", "none")};
}

class ExeInfoTest : public ::testing::Test {
protected:
    void TearDown() override {
        Install({}); // no version block for later tests
        vcl::SysInfo().Reset();
    }
};

TEST_F(ExeInfoTest, WithoutVersionBlockTheTextsKeepTheirPlaceholderAndSystemTextsAreRead) {
    Install({});
    vcl::TComponentPtr<TExeInfo> info(new TExeInfo(nullptr));
    EXPECT_EQ(info->CompanyName(), "Updated at run-time");
    EXPECT_EQ(info->Comments(), "Updated at run-time");
    EXPECT_EQ(info->GetVersion(), "1.2.0.0");
    vcl::SysInfo().SetComputerNameOverride("desk7");
    vcl::TComponentPtr<TExeInfo> sys(new TExeInfo(nullptr));
    EXPECT_EQ(sys->GetComputerName(), "desk7");
    sys->SetComputerName("a-very-long-computer-name");
    EXPECT_EQ(sys->GetComputerName(), "desk7");
    vcl::SysInfo().SetComputerNameOverride("name-of-sixteen!");
    EXPECT_EQ(sys->GetComputerName(), ""); // does not fit the 16-character buffer
    sys->SetWindowsDir("C:\\Windows");
    EXPECT_EQ(sys->GetWinDir(), "");
    EXPECT_EQ(sys->GetSysDir(), "");
    vcl::SysInfo().SetEnvironmentOverride("TEMP", String("/var/tmp/glow"));
    EXPECT_EQ(sys->GetTempDir(), vcl::SysInfo().TempFolder());
    sys->SetVersion("9.9");
    EXPECT_EQ(sys->GetVersion(), "1.2.0.0");
}

TEST_F(ExeInfoTest, ReadsTheTenTextsAndTheFixedPartAndAMissingKeyEmptiesOnlyItsText) {
    Install(VersionBlock(0x0409, 0x04E4, "040904E4", AllKeys()));
    vcl::TComponentPtr<TExeInfo> info(new TExeInfo(nullptr));
    EXPECT_EQ(info->CompanyName(), "Orvandel");
    EXPECT_EQ(info->FileDescription(), "Client");
    EXPECT_EQ(info->FileVersion(), "1.0.0.7");
    EXPECT_EQ(info->InternalName(), "kalvenor");
    EXPECT_EQ(info->LegalCopyright(), "(c) Orvandel");
    EXPECT_EQ(info->LegalTradeMark(), "TM");
    EXPECT_EQ(info->OriginalFileName(), "kalvenor");
    EXPECT_EQ(info->ProductName(), "Kalvenor");
    EXPECT_EQ(info->ProductVersion(), "1.0");
    EXPECT_EQ(info->Comments(), "none");
    EXPECT_EQ(info->FileFlags(), 1u);
    EXPECT_EQ(info->FileOS(), 0x40004u);
    EXPECT_EQ(info->FileType(), 1u);
    EXPECT_DOUBLE_EQ(info->FileDate(), 1.0 / 1000 - 109205.0);
    // A missing key empties only that text.
    auto keys = AllKeys();
    keys.erase(keys.begin() + 7); // ProductName
    Install(VersionBlock(0x0409, 0x04E4, "040904E4", keys));
    vcl::TComponentPtr<TExeInfo> partial(new TExeInfo(nullptr));
    EXPECT_EQ(partial->ProductName(), "");
    EXPECT_EQ(partial->ProductVersion(), "1.0");
}

TEST_F(ExeInfoTest, TheTranslationPicksTheTableAndItsAbsenceGivesEmptyTexts) {
    Install(VersionBlock(0x0407, 0x04B0, "040704B0", AllKeys()));
    vcl::TComponentPtr<TExeInfo> a(new TExeInfo(nullptr));
    EXPECT_EQ(a->CompanyName(), "Orvandel");
    Install(VersionBlock(0x0C0A, 0x8000, "0C0A8000", AllKeys()));
    vcl::TComponentPtr<TExeInfo> b(new TExeInfo(nullptr));
    EXPECT_EQ(b->CompanyName(), "Orvandel");
    // A table under another translation is not the one the block names.
    Install(VersionBlock(0x0409, 0x04E4, "040904B0", AllKeys()));
    vcl::TComponentPtr<TExeInfo> c(new TExeInfo(nullptr));
    EXPECT_EQ(c->CompanyName(), "");
    // A block without translation gives empty texts instead of a crash.
    Install(VersionBlock(0, 0, "040904E4", AllKeys(), false));
    vcl::TComponentPtr<TExeInfo> info(new TExeInfo(nullptr));
    EXPECT_EQ(info->CompanyName(), "");
    EXPECT_EQ(info->FileType(), 1u);
    // A truncated block is refused safely.
    auto block = VersionBlock(0x0409, 0x04E4, "040904E4", AllKeys());
    block.resize(block.size() / 2);
    const void* value = nullptr;
    std::uint32_t len = 0;
    EXPECT_FALSE(VerQueryValue(block.data(), static_cast<std::uint32_t>(block.size()),
                               "\\StringFileInfo\\040904E4\\Comments", &value, &len));
    Install(block);
    EXPECT_NO_THROW(vcl::TComponentPtr<TExeInfo>(new TExeInfo(nullptr)));
}

TEST_F(ExeInfoTest, OperatingSystemNames) {
    struct Case {
        unsigned Platform, Major, Minor;
        const char* Csd;
        const char* Name;
    } cases[] = {
        {1, 4, 0, "", "Windows 95"},  {1, 4, 10, " A", "Windows 98 SE"}, {1, 4, 10, "", "Windows 98"},
        {1, 4, 90, "", "Windows ME"}, {2, 4, 0, "", "Windows NT"},       {2, 5, 0, "", "Windows 2000"},
        {2, 5, 1, "", "Windows XP"},  {2, 5, 2, "", "Windows 2003"},     {2, 6, 3, "", "Windows Vista"},
        {2, 10, 0, "", "Unknown"},    {0, 0, 0, "", "Unknown"}};
    vcl::TComponentPtr<TExeInfo> info(new TExeInfo(nullptr));
    for (const Case& c : cases) {
        vcl::SysInfo().SetVersion(c.Major, c.Minor, 0, c.Platform, c.Csd);
        EXPECT_EQ(info->GetOperatingSystem(), c.Name) << c.Major << "." << c.Minor;
    }
    vcl::SysInfo().SetVersionQueryFails(true);
    EXPECT_EQ(info->GetOperatingSystem(), "Unknown");
}

TEST_F(ExeInfoTest, LayoutHoldsOnlyTheVersionAndReadingIt) {
    Install(VersionBlock(0x0409, 0x04E4, "040904E4", AllKeys()));
    vcl::RegisterClasses({vcl::ClassEntry<TExeInfo>()});
    vcl::TComponentPtr<vcl::TComponent> root(new vcl::TComponent(nullptr));
    vcl::ReadComponentFromText(
        "object Root: TComponent\n  object ExeInfo1: TExeInfo\n    Version = '1.2.0.0'\n"
        "  end\nend\n",
        root.get(), "Root");
    auto* info = dynamic_cast<TExeInfo*>(root->FindComponent("ExeInfo1"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->ProductName(), "Kalvenor");
    const String text = vcl::WriteComponentToText(info);
    EXPECT_NE(text.find("Version = '1.2.0.0'"), String::npos);
    EXPECT_EQ(text.find("CompanyName"), String::npos);
    EXPECT_EQ(text.find("ComputerName"), String::npos);
    EXPECT_EQ(text.find("TempDir"), String::npos);
}

} // namespace
