#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Strings.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

const String kAppKey = "Software\\Orvandel\\Kalvenor";

template <class F> String ErrorOf(F&& Action) {
    return rtltest::ErrorOf<ERegistryException>(Action);
}

class RegistryTest : public rtltest::FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        SysInfo().SetEnvironmentOverride("KALVENOR_REGISTRY_DIR", dir_ + "/hives");
    }
    String Hive() const { return dir_ + "/hives/user.hive"; }
    void PutHive(const String& bytes) const {
        ForceDirectories(dir_ + "/hives");
        std::ofstream(Hive(), std::ios::binary) << bytes;
    }
    // Opens a fresh object on the application's key.
    static std::unique_ptr<TRegistry> Open(bool canCreate = true) {
        auto reg = std::make_unique<TRegistry>();
        if (!reg->OpenKey(kAppKey, canCreate)) return nullptr;
        return reg;
    }
};

} // namespace

TEST_F(RegistryTest, TypedValuesSurviveAReopen) {
    const unsigned char blob[] = {0, 1, 0xFF, '%', ' ', '\n'};
    {
        TRegistry reg;
        EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
        EXPECT_EQ(reg.Access(), KEY_ALL_ACCESS);
        ASSERT_TRUE(reg.OpenKey(kAppKey, true));
        EXPECT_EQ(reg.CurrentPath(), kAppKey);
        reg.WriteString("Login", "joe smith % 100\n\xE2\x82\xAC");
        reg.WriteExpandString("Path", "%HOME%\\bin");
        reg.WriteInteger("Top", -120);
        reg.WriteBool("SaveAuthData", true);
        reg.WriteBinaryData("Blob", blob, sizeof blob);
        reg.WriteFloat("Ratio", 0.1);
        reg.WriteString("", "default value");
        reg.CloseKey();
    }
    auto reg = Open(false);
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->ReadString("login"), "joe smith % 100\n\xE2\x82\xAC");
    EXPECT_EQ(reg->ReadString("Path"), "%HOME%\\bin");
    EXPECT_EQ(reg->ReadInteger("TOP"), -120);
    EXPECT_TRUE(reg->ReadBool("SaveAuthData"));
    EXPECT_EQ(reg->ReadFloat("Ratio"), 0.1);
    EXPECT_EQ(reg->ReadString(""), "default value");
    unsigned char back[16] = {};
    EXPECT_EQ(reg->ReadBinaryData("Blob", back, sizeof back), 6);
    EXPECT_EQ(std::memcmp(back, blob, sizeof blob), 0);

    EXPECT_EQ(reg->GetDataType("Login"), rdString);
    EXPECT_EQ(reg->GetDataType("Path"), rdExpandString);
    EXPECT_EQ(reg->GetDataType("Top"), rdInteger);
    EXPECT_EQ(reg->GetDataType("SaveAuthData"), rdInteger);
    EXPECT_EQ(reg->GetDataType("Blob"), rdBinary);
    EXPECT_EQ(reg->GetDataType("Ratio"), rdBinary);
    EXPECT_EQ(reg->GetDataType("Missing"), rdUnknown);
    EXPECT_EQ(reg->GetDataSize("Top"), 4);
    EXPECT_EQ(reg->GetDataSize("Path"), 11) << "text counts its terminating NUL";
    EXPECT_EQ(reg->GetDataSize("Blob"), 6);
    EXPECT_EQ(reg->GetDataSize("Missing"), -1);

    TStringList names;
    reg->GetValueNames(&names);
    EXPECT_EQ(names.Text(), "Login\r\nPath\r\nTop\r\nSaveAuthData\r\nBlob\r\nRatio\r\n\r\n");
}

TEST_F(RegistryTest, ReadingTheWrongTypeOrAMissingValueRaisesTheFrameworkErrors) {
    auto reg = Open();
    reg->WriteString("Top", "12");
    reg->WriteInteger("Count", 3);
    reg->WriteBinaryData("Four", "abcd", 4);
    EXPECT_EQ(ErrorOf([&] { reg->ReadInteger("Top"); }), "Invalid data type for 'Top'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadBool("Top"); }), "Invalid data type for 'Top'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadString("Count"); }), "Invalid data type for 'Count'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadFloat("Count"); }), "Invalid data type for 'Count'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadFloat("Four"); }), "Invalid data type for 'Four'");
    char small[2];
    EXPECT_EQ(ErrorOf([&] { reg->ReadBinaryData("Four", small, sizeof small); }),
              "Invalid data type for 'Four'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadBinaryData("Count", small, sizeof small); }),
              "Invalid data type for 'Count'");

    EXPECT_EQ(reg->ReadString("Nothing"), "");
    EXPECT_EQ(ErrorOf([&] { reg->ReadInteger("Nothing"); }), "Failed to get data for 'Nothing'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadBool("Nothing"); }), "Failed to get data for 'Nothing'");
    EXPECT_EQ(ErrorOf([&] { reg->ReadFloat("Nothing"); }), "Failed to get data for 'Nothing'");
    EXPECT_EQ(reg->ReadBinaryData("Nothing", small, sizeof small), 0);

    reg->WriteInteger("top", 7); // replaces the string, keeping the name's first case
    EXPECT_EQ(reg->ReadInteger("Top"), 7);
    TStringList names;
    reg->GetValueNames(&names);
    EXPECT_EQ(names[0], "Top");
}

TEST_F(RegistryTest, OpenKeyFollowsThePathRules) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(kAppKey, false)) << "absent and not created";
    EXPECT_EQ(reg.CurrentKey(), 0u);
    EXPECT_FALSE(reg.KeyExists(kAppKey));
    ASSERT_TRUE(reg.OpenKey("Software", true));
    ASSERT_TRUE(reg.OpenKey("Orvandel\\Kalvenor\\", true)) << "relative to the open key";
    EXPECT_EQ(reg.CurrentPath(), kAppKey);
    EXPECT_FALSE(reg.OpenKey("Nope", false));
    EXPECT_EQ(reg.CurrentPath(), kAppKey) << "a failed open keeps the open key";
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\orvandel", false)) << "absolute, any case";
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\orvandel");
    EXPECT_TRUE(reg.KeyExists("Kalvenor"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Orvandel\\KALVENOR"));
    EXPECT_FALSE(reg.OpenKey("a\\\\b", true)) << "an empty name inside a path";
    String deep;
    for (int i = 0; i < 600; ++i)
        deep += "k\\";
    EXPECT_FALSE(reg.OpenKey(deep, true)) << "deeper than the platform allows";
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), 0u);
    EXPECT_EQ(reg.CurrentPath(), "");

    EXPECT_TRUE(reg.CreateKey("Software\\Other\\Deep"));
    TStringList names;
    ASSERT_TRUE(reg.OpenKey("\\software", false));
    reg.GetKeyNames(&names);
    EXPECT_EQ(names.Text(), "Orvandel\r\nOther\r\n");
}

TEST_F(RegistryTest, DeletingKeysIsRecursiveAndValuesGoOneByOne) {
    {
        auto reg = Open();
        reg->WriteInteger("Keep", 1);
        reg->WriteInteger("Drop", 2);
        ASSERT_TRUE(reg->OpenKey("Child\\Grandchild", true));
        reg->WriteString("Deep", "x");
    }
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists(kAppKey + "\\Child\\Grandchild"));
    EXPECT_TRUE(reg.DeleteKey(kAppKey + "\\child"));
    EXPECT_FALSE(reg.KeyExists(kAppKey + "\\Child"));
    EXPECT_FALSE(reg.KeyExists(kAppKey + "\\Child\\Grandchild"));
    EXPECT_FALSE(reg.DeleteKey(kAppKey + "\\child"));
    EXPECT_FALSE(reg.DeleteKey("")) << "the root stays";

    ASSERT_TRUE(reg.OpenKey(kAppKey, false));
    EXPECT_TRUE(reg.DeleteValue("DROP"));
    EXPECT_FALSE(reg.DeleteValue("Drop"));
    EXPECT_FALSE(reg.ValueExists("Drop"));
    EXPECT_TRUE(reg.ValueExists("keep"));
    reg.CloseKey();

    ASSERT_TRUE(reg.OpenKey(kAppKey, false));
    EXPECT_FALSE(reg.ValueExists("Drop")) << "the deletion was written";
    // Deleting the open key leaves nothing to write into.
    EXPECT_TRUE(reg.DeleteKey("\\Software"));
    EXPECT_FALSE(reg.ValueExists("Keep"));
    EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("Keep", 3); }), "Failed to set data for 'Keep'");
}

TEST_F(RegistryTest, ChangesReachOtherObjectsWhenTheKeyIsClosedAndWritersMerge) {
    ASSERT_NE(Open(), nullptr); // the key exists on disk
    auto a = Open();
    auto b = Open();
    a->WriteInteger("FromA", 1);
    auto reader = Open(false);
    EXPECT_FALSE(reader->ValueExists("FromA")) << "not written before the key is closed";
    a->CloseKey();
    reader = Open(false);
    EXPECT_EQ(reader->ReadInteger("FromA"), 1);

    // b's snapshot predates a's write; closing b must not lose it.
    b->WriteInteger("FromB", 2);
    b.reset(); // destruction writes too
    reader = Open(false);
    EXPECT_EQ(reader->ReadInteger("FromA"), 1);
    EXPECT_EQ(reader->ReadInteger("FromB"), 2);
}

TEST_F(RegistryTest, ProcessesWritingAtOnceLoseNothing) {
    ASSERT_NE(Open(), nullptr);
    constexpr int kWriters = 3, kRounds = 15;
    rtltest::ExpectChildrenSucceed(kWriters, [](int w) {
        for (int i = 0; i < kRounds; ++i) {
            TRegistry reg;
            if (!reg.OpenKey(kAppKey, false)) throw ERegistryException("the key is gone");
            reg.WriteInteger("w" + std::to_string(w) + "_" + std::to_string(i), i);
            reg.CloseKey();
        }
    });
    auto reg = Open(false);
    TStringList names;
    reg->GetValueNames(&names);
    EXPECT_EQ(names.Count(), kWriters * kRounds);
    EXPECT_EQ(reg->ReadInteger("w2_14"), 14);
}

TEST_F(RegistryTest, ReadOnlyAccessRefusesWrites) {
    Open()->WriteInteger("Top", 5);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kAppKey));
    EXPECT_EQ(reg.ReadInteger("Top"), 5);
    EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("Top", 6); }), "Failed to set data for 'Top'");
    EXPECT_FALSE(reg.DeleteValue("Top"));
    EXPECT_FALSE(reg.OpenKeyReadOnly("Missing"));

    TRegistry reader(KEY_READ);
    ASSERT_TRUE(reader.OpenKey(kAppKey, false));
    EXPECT_EQ(ErrorOf([&] { reader.WriteString("Name", "x"); }), "Failed to set data for 'Name'");

    TRegistry closed;
    EXPECT_EQ(ErrorOf([&] { closed.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
    EXPECT_FALSE(closed.ValueExists("Top"));
    EXPECT_EQ(Open(false)->ReadInteger("Top"), 5);
}

TEST_F(RegistryTest, DamagedHiveIsReportedWithItsLineAndNeverOverwritten) {
    Open()->WriteInteger("Top", 5);
    String good = ReadFileBytes(Hive());
    ASSERT_NE(good.find("END "), String::npos);

    const std::pair<String, String> cases[] = {
        {good.substr(0, good.size() - 6), "truncated"},
        {good.substr(0, good.find("dword") + 3), "line 5"},
        {"KVHIVE 1\nK =A\nV =x dword 12x\nEND 2\n", "line 3"},
        {"KVHIVE 1\nK =A\\\\B\nEND 1\n", "line 2"},
        {"KVHIVE 1\nK =A\nEND 7\n", "line 3"},
        {"KVHIVE 1\nK =A\nV =x sz =%G1\nEND 2\n", "line 3"},
        {"KVHIVE 1\nEND 0\nK =A\n", "line 3"},
        {String("\x7F"
                "ELF\0\0\x01",
                7),
         "line 1"},
        {"", "truncated"},
    };
    for (const auto& [bytes, where] : cases) {
        SCOPED_TRACE(where);
        PutHive(bytes);
        String message = ErrorOf([&] { Open(); });
        EXPECT_NE(message.find(Hive()), String::npos) << message;
        EXPECT_NE(message.find(where), String::npos) << message;

        TRegistry reg;
        EXPECT_EQ(ErrorOf([&] { reg.CreateKey("Software\\New"); }), message);
        EXPECT_EQ(ReadFileBytes(Hive()), bytes) << "the damaged file is left as it was";
    }
}

// A FIFO or a device where the hive should be is refused as a folder is, at once: opening a FIFO for
// reading would wait for a writer that never comes.
TEST_F(RegistryTest, AHiveThatIsNotARegularFileIsRefusedLikeAFolderWithoutWaiting) {
    ASSERT_TRUE(ForceDirectories(Hive()));
    const String folder = ErrorOf([&] { Open(); });
    const String prefix =
        "Cannot read registry file \"" + Hive() + "\": Cannot open file \"" + Hive() + "\". ";
    EXPECT_EQ(folder.substr(0, prefix.size()), prefix) << folder;
    ASSERT_EQ(::rmdir(Hive().c_str()), 0);

    ASSERT_EQ(::mkfifo(Hive().c_str(), 0600), 0);
    String fifo, write;
    EXPECT_TRUE(rtltest::ReturnsWithoutAWriter(Hive(), [&] {
        fifo = ErrorOf([&] { Open(); });
        TRegistry reg;
        write = ErrorOf([&] { reg.CreateKey("Software\\New"); });
    })) << "the hive was waited on";
    EXPECT_EQ(fifo, prefix + "Not a regular file");
    EXPECT_EQ(write, fifo) << "writes are refused with the same error";
    struct stat st {};
    ASSERT_EQ(::lstat(Hive().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "nothing was written over it";
    ASSERT_EQ(::unlink(Hive().c_str()), 0);

    // A device, through a link: its bytes are not read either.
    ASSERT_EQ(::symlink("/dev/null", Hive().c_str()), 0);
    EXPECT_EQ(ErrorOf([&] { Open(); }), prefix + "Not a regular file");
}

TEST_F(RegistryTest, LeftoverTemporaryFileFromAnInterruptedWriteIsIgnored) {
    Open()->WriteString("Login", "joe");
    std::ofstream(Hive() + ".Ab12Cd", std::ios::binary) << "KVHIVE 1\nK =Software\nV =Log";
    auto reg = Open(false);
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->ReadString("Login"), "joe");
    reg->WriteString("Login", "ann");
    reg->CloseKey();
    EXPECT_EQ(Open(false)->ReadString("Login"), "ann");
}

TEST_F(RegistryTest, HiveAndFolderArePrivate) {
    Open()->WriteString("Password", "secret");
    struct stat st {};
    ASSERT_EQ(::stat(Hive().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat((dir_ + "/hives").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(TRegistry::HiveFileName(HKEY_CURRENT_USER), Hive());

    SysInfo().ClearEnvironmentOverride("KALVENOR_REGISTRY_DIR");
    SysInfo().SetEnvironmentOverride("XDG_CONFIG_HOME", dir_ + "/cfg");
    EXPECT_EQ(TRegistry::HiveFileName(HKEY_LOCAL_MACHINE), dir_ + "/cfg/kalvenor/machine.hive");
    EXPECT_EQ(TRegistry::HiveFileName(HKEY_USERS), "");
}

TEST_F(RegistryTest, HiveIsTheDocumentedText) {
    PutHive(
        "KVHIVE 1\nK =\nV =Root sz =r\nK =Software\nK =Software\\Orvandel\nK =Software\\Orvandel\\Kalvenor\n"
        "V =Login sz =joe%20smith\nV =Top dword 4294967295\nV =Path expand =%25HOME%25\\bin\n"
        "V =Blob binary =00ff10\nEND 9\n");
    {
        auto reg = Open(false);
        ASSERT_NE(reg, nullptr);
        EXPECT_EQ(reg->ReadString("Login"), "joe smith");
        EXPECT_EQ(reg->ReadInteger("Top"), -1);
        EXPECT_EQ(reg->ReadString("Path"), "%HOME%\\bin");
        EXPECT_EQ(reg->GetDataSize("Blob"), 3);
        reg->WriteString("New value", "a\tb");
        reg->DeleteValue("Blob");
        ASSERT_TRUE(reg->OpenKey("\\", false));
        EXPECT_EQ(reg->ReadString("Root"), "r");
        reg->CreateKey("Empty");
    }
    EXPECT_EQ(ReadFileBytes(Hive()),
              "KVHIVE 1\nK =\nV =Root sz =r\nK =Empty\nK =Software\nK =Software\\Orvandel\n"
              "K =Software\\Orvandel\\Kalvenor\nV =Login sz =joe%20smith\nV =Top dword 4294967295\n"
              "V =Path expand =%25HOME%25\\bin\nV =New%20value sz =a%09b\nEND 10\n");
}

TEST_F(RegistryTest, AWriteThatFailsIsReportedByCloseKeyOnly) {
    std::ofstream(dir_ + "/blocker") << "a file where the folder should be";
    SysInfo().SetEnvironmentOverride("KALVENOR_REGISTRY_DIR", dir_ + "/blocker/hives");
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kAppKey, true));
        reg.WriteInteger("Top", 1);
        String message = ErrorOf([&] { reg.CloseKey(); });
        EXPECT_NE(message.find(dir_ + "/blocker/hives"), String::npos) << message;
        EXPECT_EQ(reg.CurrentKey(), 0u);
        ASSERT_TRUE(reg.OpenKey(kAppKey, true));
        reg.WriteInteger("Top", 2);
    } // the destructor swallows the same failure
    EXPECT_FALSE(TRegistry().KeyExists(kAppKey));
}

TEST_F(RegistryTest, RootsAreSeparateHives) {
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(kAppKey, true));
        reg.WriteInteger("Machine", 1);
    }
    EXPECT_TRUE(FileExists(dir_ + "/hives/machine.hive"));
    EXPECT_EQ(Open(false), nullptr) << "nothing under the current user";

    TRegistry other;
    other.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(other.OpenKey("x", true));
    EXPECT_FALSE(other.KeyExists("x"));
    EXPECT_THROW(other.CreateKey("x"), ERegistryException);
}

TEST_F(RegistryTest, IniFileOverAKeyUsesSubkeysAndTypedValues) {
    {
        TRegistryIniFile ini(kAppKey + "\\Toolbars");
        ini.WriteInteger("Dock", "ToolBarCount", 2);
        ini.WriteString("Dock", "Name0", "tbMain");
        ini.WriteString("Dock", "Width", "120");
        ini.WriteString("Dock", "Junk", "12abc");
        ini.WriteBool("Dock", "Visible", true);
        ini.WriteFloat("Dock", "Scale", 1.25);
        ini.WriteInteger("UnDockedAdvToolBars", "tbEdit.State", 1);
        EXPECT_EQ(ini.ReadInteger("dock", "toolbarcount", 0), 2);
        EXPECT_EQ(ini.ReadString("Dock", "ToolBarCount", ""), "2") << "an integer read as text";
        EXPECT_EQ(ini.ReadInteger("Dock", "Width", 0), 120) << "a string read as an integer";
        EXPECT_EQ(ini.ReadInteger("Dock", "Junk", -1), -1);
        EXPECT_EQ(ini.ReadInteger("Dock", "Missing", -1), -1);
        EXPECT_EQ(ini.ReadString("Nowhere", "Missing", "d"), "d");
        EXPECT_TRUE(ini.ReadBool("Dock", "Visible", false));
        EXPECT_DOUBLE_EQ(ini.ReadFloat("Dock", "Scale", 0), 1.25);
        EXPECT_THROW(ini.ReadString("Dock", "Scale", ""), ERegistryException);

        TStringList list;
        ini.ReadSections(&list);
        EXPECT_EQ(list.Text(), "Dock\r\nUnDockedAdvToolBars\r\n");
        ini.ReadSection("DOCK", &list);
        EXPECT_EQ(list.Text(), "ToolBarCount\r\nName0\r\nWidth\r\nJunk\r\nVisible\r\n"
                               "Scale\r\n");
        ini.DeleteKey("Dock", "Scale");
        ini.DeleteKey("Dock", "Junk");
        ini.ReadSectionValues("Dock", &list);
        EXPECT_EQ(list.Text(), "ToolBarCount=2\r\nName0=tbMain\r\nWidth=120\r\nVisible=1\r\n");
        EXPECT_TRUE(ini.SectionExists("undockedadvtoolbars"));
        EXPECT_TRUE(ini.ValueExists("Dock", "name0"));
    }
    // Written at once, with their types.
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kAppKey + "\\Toolbars\\Dock", false));
    EXPECT_EQ(reg.GetDataType("ToolBarCount"), rdInteger);
    EXPECT_EQ(reg.GetDataType("Name0"), rdString);
    EXPECT_EQ(reg.ReadString("Visible"), "1");
    reg.CloseKey();

    TRegistryIniFile ini(kAppKey + "\\Toolbars");
    ini.EraseSection("Dock");
    EXPECT_FALSE(ini.SectionExists("Dock"));
    EXPECT_FALSE(TRegistry().KeyExists(kAppKey + "\\Toolbars\\Dock"));
    EXPECT_EQ(ini.ReadInteger("UnDockedAdvToolBars", "tbEdit.State", 0), 1);

    TRegistryIniFile readOnly(kAppKey + "\\Toolbars", KEY_READ);
    EXPECT_THROW(readOnly.WriteInteger("X", "Y", 1), ERegistryException);
}
