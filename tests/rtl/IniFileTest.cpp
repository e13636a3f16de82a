#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "platform/rtl/FileUtil.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

class IniFileTest : public rtltest::FolderTest {
protected:
    void Put(const String& name, const String& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    String Get(const String& name) const { return ReadFileBytes(Path(name)); }
};

} // namespace

TEST_F(IniFileTest, NamesMatchWithoutCaseAndKeepTheCaseFound) {
    TIniFile ini(Path("a.ini"));
    ini.WriteInteger("Form1", "Left", 10);
    EXPECT_EQ(ini.ReadInteger("FORM1", "left", -1), 10);
    ini.WriteInteger("form1", "LEFT", 20);
    ini.WriteString("Ünter", "Ärger", "x");
    EXPECT_EQ(ini.ReadString("üNTER", "äRGER", ""), "x");
    EXPECT_EQ(Get("a.ini"), "[Form1]\r\nLeft=20\r\n[Ünter]\r\nÄrger=x\r\n");
    EXPECT_EQ(ini.FileName(), Path("a.ini"));

    // Greek with accents and Cyrillic beyond the basic alphabet fold as AnsiSameText folds them.
    ini.WriteString("Άλφα", "Ѐкран", "1");
    EXPECT_EQ(ini.ReadString("άλφα", "ѐкран", ""), "1");
    EXPECT_EQ(ini.ReadString("ΆΛΦΑ", "ЀКРАН", ""), "1");
    EXPECT_EQ(ini.ReadString("άλφα", "экран", ""), "");
}

TEST_F(IniFileTest, MissingFileOrEntryGivesDefaultsAndReadsCreateNothing) {
    TIniFile ini(Path("none.ini"));
    EXPECT_EQ(ini.ReadString("S", "K", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("S", "K", 42), 42);
    EXPECT_TRUE(ini.ReadBool("S", "K", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "K", 1.5), 1.5);
    EXPECT_FALSE(ini.SectionExists("S"));
    EXPECT_FALSE(ini.ValueExists("S", "K"));
    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(list.Count(), 0);
    ini.DeleteKey("S", "K");
    ini.EraseSection("S");
    EXPECT_FALSE(FileExists(Path("none.ini")));

    Put("b.ini", "[S]\nEmpty=\n");
    TIniFile b(Path("b.ini"));
    EXPECT_EQ(b.ReadString("S", "Empty", "dflt"), "") << "a present empty entry is not the default";
    EXPECT_EQ(b.ReadInteger("S", "Empty", 7), 7);
}

TEST_F(IniFileTest, IntegersBooleansAndFloatsFollowTheFrameworkRules) {
    Put("n.ini", "[N]\na=$1F\nb=0x10\nc=-5\nd=12abc\ne=\nf=99999999999\ng=$FFFFFFFF\nh= 7 \ni=+3\n"
                 "j=0X7fffffff\nk=-2147483648\nl=2147483648\nm=$\nn=1.5\n"
                 "[B]\ntwo=2\nzero=0\ntext=true\n"
                 "[F]\nx=2.5\ny=1e3\nz=2,5\n");
    TIniFile ini(Path("n.ini"));
    EXPECT_EQ(ini.ReadInteger("N", "a", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "b", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "c", 0), -5);
    EXPECT_EQ(ini.ReadInteger("N", "d", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "e", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "f", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "g", 9), -1);
    EXPECT_EQ(ini.ReadInteger("N", "h", 9), 7);
    EXPECT_EQ(ini.ReadInteger("N", "i", 9), 3);
    EXPECT_EQ(ini.ReadInteger("N", "j", 9), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "k", 9), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("N", "l", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "m", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "n", 9), 9);
    // Leading spaces (kept inside quotes) are skipped as the framework's conversion skips them;
    // trailing ones are not.
    Put("q.ini", "[Q]\na=\"  12\"\nb=\" -$1F\"\nc=\" 0x10\"\nd=\"12 \"\ne=\"  \"\nf=\"- 1\"\n");
    TIniFile quoted(Path("q.ini"));
    EXPECT_EQ(quoted.ReadInteger("Q", "a", 9), 12);
    EXPECT_EQ(quoted.ReadInteger("Q", "b", 9), -31);
    EXPECT_EQ(quoted.ReadInteger("Q", "c", 9), 16);
    EXPECT_EQ(quoted.ReadInteger("Q", "d", 9), 9);
    EXPECT_EQ(quoted.ReadInteger("Q", "e", 9), 9);
    EXPECT_EQ(quoted.ReadInteger("Q", "f", 9), 9);

    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "text", true)) << "not a number: the default";
    EXPECT_FALSE(ini.ReadBool("B", "text", false));

    EXPECT_DOUBLE_EQ(ini.ReadFloat("F", "x", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("F", "y", 0), 1000);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("F", "z", -1), -1);

    TIniFile out(Path("w.ini"));
    out.WriteBool("W", "on", true);
    out.WriteBool("W", "off", false);
    out.WriteInteger("W", "neg", -12);
    out.WriteFloat("W", "third", 1.0 / 3);
    EXPECT_EQ(out.ReadFloat("W", "third", 0), 1.0 / 3) << "the text reads back as the same number";
    EXPECT_EQ(out.ReadString("W", "on", ""), "1");
    EXPECT_EQ(out.ReadString("W", "off", ""), "0");
    EXPECT_EQ(out.ReadString("W", "neg", ""), "-12");
}

TEST_F(IniFileTest, BlanksQuotesCommentsAndDuplicatesAsThePlatformReadsThem) {
    const String original = "; leading comment\n"
                            "  [ Main ]  trailing\n"
                            "\tName  =  spaced value \t\n"
                            "Quoted=\"a b\"\n"
                            "Single='x'\n"
                            "Half=\"open\n"
                            ";Hidden=1\n"
                            "Dup=first\n"
                            "dup=second\n"
                            "[main]\n"
                            "Dup=third\n"
                            "Later=4\n";
    Put("p.ini", original);
    TIniFile ini(Path("p.ini"));
    EXPECT_EQ(ini.ReadString("main", "name", ""), "spaced value");
    EXPECT_EQ(ini.ReadString("Main", "Quoted", ""), "a b");
    EXPECT_EQ(ini.ReadString("Main", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("Main", "Half", ""), "\"open");
    EXPECT_FALSE(ini.ValueExists("Main", ";Hidden"));
    EXPECT_EQ(ini.ReadString("Main", "DUP", ""), "first");
    EXPECT_EQ(ini.ReadString("Main", "Later", ""), "4") << "a repeated section adds to the first";
    EXPECT_EQ(ini.ReadString(" Main ", " Name ", ""), "spaced value");

    TStringList keys;
    ini.ReadSection("MAIN", &keys);
    EXPECT_EQ(keys.Text(), "Name\r\nQuoted\r\nSingle\r\nHalf\r\nDup\r\nLater\r\n");

    // Only the line written changes; a quoted value already equal is not rewritten.
    ini.WriteString("Main", "Later", "5");
    ini.WriteString("Main", "Quoted", "a b");
    String expected = original;
    expected.replace(expected.find("Later=4"), 7, "Later=5");
    EXPECT_EQ(Get("p.ini"), expected);
}

TEST_F(IniFileTest, ListsSectionsEntriesAndValues) {
    TIniFile ini(Path("l.ini"));
    ini.WriteString("One", "a", "1");
    ini.WriteString("Two", "b", "2");
    ini.WriteString("One", "c", "3");
    ini.WriteString("Two", "d", "x=y");

    TStringList list;
    list.Add("stale");
    ini.ReadSections(&list);
    EXPECT_EQ(list.Text(), "One\r\nTwo\r\n");
    ini.ReadSection("one", &list);
    EXPECT_EQ(list.Text(), "a\r\nc\r\n");
    ini.ReadSectionValues("TWO", &list);
    EXPECT_EQ(list.Text(), "b=2\r\nd=x=y\r\n");
    EXPECT_EQ(list.Values("d"), "x=y");
    EXPECT_TRUE(ini.SectionExists("two"));
    EXPECT_TRUE(ini.ValueExists("two", "D"));
    ini.ReadSection("none", &list);
    EXPECT_EQ(list.Count(), 0);
    ini.ReadSection("One", nullptr); // ignored
    EXPECT_EQ(Get("l.ini"), "[One]\r\na=1\r\nc=3\r\n[Two]\r\nb=2\r\nd=x=y\r\n");
}

TEST_F(IniFileTest, EraseSectionAndDeleteKeyRemoveEveryOccurrence) {
    Put("e.ini", "[Keep]\nk=1\n[Gone]\nx=1\n; note\n[Keep]\nk=2\nK=3\nm=4\n[GONE]\ny=2\n");
    TIniFile ini(Path("e.ini"));
    ini.DeleteKey("keep", "k");
    EXPECT_FALSE(ini.ValueExists("Keep", "k")) << "no later duplicate shows through";
    ini.EraseSection("gone");
    EXPECT_FALSE(ini.SectionExists("Gone"));
    EXPECT_EQ(Get("e.ini"), "[Keep]\n[Keep]\nm=4\n");
    EXPECT_EQ(ini.ReadString("Keep", "m", ""), "4");
}

TEST_F(IniFileTest, DamagedFileIsReadWherePossibleAndNothingIsLostOnRewrite) {
    using namespace std::string_literals;
    const String original = "\xEF\xBB\xBF[Good]\r\n"
                            "a=1\r\n"
                            "\x01\x02\xff\xfe garbage\x7f\r\n"
                            "no equals sign here\r\n"
                            "bad\xC3(utf8=2\r\n"
                            "nul=\0x\r\n"
                            "=orphan value\r\n"
                            "mixed=lf\n"
                            "[Nul\0]\r\n"
                            "inNul=6\r\n"
                            "[Broken\r\n"
                            "hidden=3\r\n"
                            "[Last]\r\n"
                            "b=4"s; // no final line break
    Put("d.ini", original);
    TIniFile ini(Path("d.ini"));
    EXPECT_EQ(ini.ReadString("Good", "a", ""), "1");
    EXPECT_EQ(ini.ReadString("Good", "bad\xC3(utf8", ""), "2");
    EXPECT_EQ(ini.ReadString("Good", "mixed", ""), "lf");
    EXPECT_FALSE(ini.ValueExists("Good", "nul"));
    EXPECT_EQ(ini.ReadString("Good", "inNul", "none"), "none") << "after an unreadable header: no section";
    EXPECT_EQ(ini.ReadString("Good", "hidden", "none"), "none") << "after the header with a NUL";
    EXPECT_EQ(ini.ReadString("Nul", "hidden", "none"), "none");
    EXPECT_EQ(ini.ReadString("Last", "b", ""), "4");
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Text(), "Good\r\nLast\r\n");

    ini.WriteString("Good", "a", "10");
    ini.WriteString("Last", "c", "5");
    String expected = original;
    expected.replace(expected.find("a=1"), 3, "a=10");
    expected += "\r\nc=5\r\n";
    EXPECT_EQ(Get("d.ini"), expected);
}

TEST_F(IniFileTest, WriteErrorsNameTheFileAndLeaveNothingBehind) {
    String missing = Path("no/such/folder/FORM.INI");
    TIniFile ini(missing);
    String message = rtltest::ErrorOf<EIniFileException>([&] { ini.WriteInteger("S", "K", 1); });
    EXPECT_NE(message.find(missing), String::npos) << message;
    EXPECT_FALSE(DirectoryExists(Path("no")));
    EXPECT_EQ(ini.ReadInteger("S", "K", -1), -1);

    // A folder in the file's place cannot be read: an error, not defaults.
    ASSERT_TRUE(ForceDirectories(Path("dir.ini")));
    TIniFile dirIni(Path("dir.ini"));
    message = rtltest::ErrorOf<EIniFileException>([&] { dirIni.ReadString("S", "K", ""); });
    EXPECT_NE(message.find(Path("dir.ini")), String::npos) << message;
    // Nor can a FIFO, and reading it must not wait for a writer.
    ASSERT_EQ(::mkfifo(Path("fifo.ini").c_str(), 0600), 0);
    TIniFile fifo(Path("fifo.ini"));
    EXPECT_TRUE(rtltest::ReturnsWithoutAWriter(Path("fifo.ini"), [&] {
        message = rtltest::ErrorOf<EIniFileException>([&] { fifo.ReadString("S", "K", ""); });
    }));
    EXPECT_NE(message.find("Not a regular file"), String::npos) << message;
}

TEST_F(IniFileTest, RefusesWhatTheFormatCannotHold) {
    Put("r.ini", "[S]\nk=1\n");
    TIniFile ini(Path("r.ini"));
    EXPECT_THROW(ini.WriteString("S", "k", "two\nlines"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S", "k", "cr\rhere"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S", "k", String("nul\0", 4)), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S", "a=b", "1"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S", "  ", "1"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S", ";c", "1"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("S]", "k", "1"), EIniWriteRefused);
    EXPECT_EQ(Get("r.ini"), "[S]\nk=1\n");
}

TEST_F(IniFileTest, FileNamesWithBackslashesAndBareNames) {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(::chdir(dir_.c_str()), 0);
    {
        TIniFile ini(".\\FORM.INI");
        EXPECT_EQ(ini.FileName(), ".\\FORM.INI");
        ini.WriteBool("Form", "Maximized", true);
    }
    ASSERT_EQ(::chdir(cwd), 0);
    EXPECT_EQ(Get("FORM.INI"), "[Form]\r\nMaximized=1\r\n");

    SysInfo().SetEnvironmentOverride("XDG_CONFIG_HOME", dir_ + "/cfg");
    TIniFile bare("layout.ini");
    EXPECT_EQ(bare.Path(), dir_ + "/cfg/kalvenor/layout.ini");
    bare.WriteString("S", "K", "v");
    EXPECT_EQ(Get("cfg/kalvenor/layout.ini"), "[S]\r\nK=v\r\n");
}

TEST_F(IniFileTest, RewriteKeepsModeAndSkipsUnchangedValuesAndRespectsReadOnlyFiles) {
    Put("m.ini", "[S]\nk=1\n");
    ASSERT_EQ(::chmod(Path("m.ini").c_str(), 0640), 0);
    TIniFile ini(Path("m.ini"));
    ini.WriteString("S", "k", "2");
    struct stat st {};
    ASSERT_EQ(::stat(Path("m.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ino_t before = st.st_ino;
    ini.WriteString("S", "K", "2"); // same value: nothing written
    ASSERT_EQ(::stat(Path("m.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_ino, before);

    // Nobody may write a file of mode 0444, the superuser included.
    ASSERT_EQ(::chmod(Path("m.ini").c_str(), 0444), 0);
    EXPECT_THROW(ini.WriteString("S", "k", "3"), EIniFileException);
    EXPECT_EQ(Get("m.ini"), "[S]\nk=2\n");
}

TEST_F(IniFileTest, ARewriteChangesOnlyWhatWasWritten) {
    // A bare CR ends a line as LF does; lines written after it end as the file's first line does.
    Put("cr.ini", "[S]\nk=x\r");
    TIniFile ini(Path("cr.ini"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "x");
    ini.WriteString("S", "n", "1");
    ini.WriteString("T", "m", "2");
    EXPECT_EQ(Get("cr.ini"), "[S]\nk=x\rn=1\n[T]\nm=2\n");
    // A last line without a line break stays without one when it is rewritten.
    Put("end.ini", "[S]\r\nk=1");
    TIniFile end(Path("end.ini"));
    end.WriteString("S", "k", "2");
    EXPECT_EQ(Get("end.ini"), "[S]\r\nk=2");
}

// Files the original program or a text editor wrote: without a byte-order mark, text in the platform's
// ANSI code page unless all of it is valid UTF-8.
TEST_F(IniFileTest, BomLessFilesAreUtf8WhenValidAndWindows1252OtherwiseAndKeepTheirEncoding) {
    const String ansi = "[Gr\xFC\xDF]\r\n"
                        "Name=Gr\xFC\xDF\r\n"
                        "Euro=\x80 5\r\n"
                        "Odd=\x81\x8D\x8F\x90\x9D\r\n"
                        "; \xE9t\xE9\r\n";
    Put("ansi.ini", ansi);
    TIniFile ini(Path("ansi.ini"));
    EXPECT_EQ(ini.ReadString("GRÜß", "name", ""), "Grüß");
    EXPECT_EQ(ini.ReadString("Grüß", "Euro", ""), "€ 5");
    const String odd = ini.ReadString("Grüß", "Odd", "");
    EXPECT_EQ(odd, "\u0081\u008D\u008F\u0090\u009D") << "bytes the code page leaves undefined";
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.Text(), "Grüß\r\n");

    // Written back in Windows-1252, every other line as it was.
    ini.WriteString("Grüß", "Street", "Straße “7”");
    ini.WriteString("Grüß", "Copy", odd);
    String expected = ansi;
    expected.insert(expected.find("; "), "Street=Stra\xDF"
                                         "e \x93"
                                         "7\x94\r\nCopy=\x81\x8D\x8F\x90\x9D\r\n");
    EXPECT_EQ(Get("ansi.ini"), expected);
    // A character the code page lacks is refused (the platform would write "?"); nothing changes.
    EXPECT_THROW(ini.WriteString("Grüß", "Name", "日本"), EIniWriteRefused);
    EXPECT_THROW(ini.WriteString("Ωμέγα", "k", "1"), EIniWriteRefused);
    TMemIniFile mem(Path("ansi.ini"));
    EXPECT_THROW(mem.WriteString("Grüß", "Name", "Grüß ☺"), EIniWriteRefused);
    mem.WriteString("Grüß", "Name", "Grüße");
    mem.UpdateFile();
    expected.replace(expected.find("Name=Gr\xFC\xDF"), 9,
                     "Name=Gr\xFC\xDF"
                     "e");
    EXPECT_EQ(Get("ansi.ini"), expected);

    // Valid UTF-8 without a mark stays UTF-8; bytes that are no UTF-8 would turn it into another
    // encoding and change every other value: refused.
    Put("utf8.ini", "[Grüß]\nName=Grüß\n");
    TIniFile utf8(Path("utf8.ini"));
    EXPECT_EQ(utf8.ReadString("Grüß", "Name", ""), "Grüß");
    utf8.WriteString("Grüß", "Street", "日本");
    EXPECT_THROW(utf8.WriteString("Grüß", "Raw", "Gr\xFC\xDF"), EIniWriteRefused);
    EXPECT_EQ(Get("utf8.ini"), "[Grüß]\nName=Grüß\nStreet=日本\n");
    // A new file is UTF-8.
    TIniFile fresh(Path("new.ini"));
    fresh.WriteString("S", "k", "Grüß");
    EXPECT_EQ(Get("new.ini"), "[S]\r\nk=Grüß\r\n");
}

// The encoding is guessed at each read, so a Windows-1252 file must not turn into valid UTF-8 by losing
// the only bytes that kept it from being one: text whose Windows-1252 bytes are also UTF-8 would change.
TEST_F(IniFileTest, AWindows1252FileReadsAsTheSameTextAfterAnEraseTookItsOnlyBytesThatAreNoUtf8) {
    // "Ã¦sop â‚¬" in Windows-1252 is, byte for byte, "æsop €" in UTF-8; "Köln" is the only text whose
    // bytes are no UTF-8.
    const String ansi = "[Fable]\r\nName=\xC3\xA6sop \xE2\x82\xAC\r\n"
                        "[Gone]\r\nCity=K\xF6ln\r\n"
                        "[Plain]\r\nKey=1\r\n";
    const String fable = "Ã¦sop â‚¬";
    auto expectText = [&](const String& file, const String& plainKey) {
        TIniFile again(Path(file));
        EXPECT_EQ(again.ReadString("Fable", "Name", ""), fable) << file;
        EXPECT_EQ(again.ReadString("Plain", "Key", ""), plainKey) << file;
        EXPECT_EQ(again.ReadString("Gone", "City", "none"), "none") << file;
    };

    Put("through.ini", ansi);
    TIniFile ini(Path("through.ini"));
    ASSERT_EQ(ini.ReadString("Fable", "Name", ""), fable);
    ini.EraseSection("Gone");
    expectText("through.ini", "1");
    ini.WriteString("Plain", "Key", "2");
    expectText("through.ini", "2");
    // Now a UTF-8 file, it takes what Windows-1252 lacks.
    ini.WriteString("Plain", "Script", "日本");
    EXPECT_EQ(ini.ReadString("Plain", "Script", ""), "日本");
    expectText("through.ini", "2");

    Put("memory.ini", ansi);
    {
        TMemIniFile mem(Path("memory.ini"));
        mem.EraseSection("Gone");
        mem.UpdateFile();
    }
    expectText("memory.ini", "1");

    // A write that brings back a byte that is no UTF-8 keeps the file in Windows-1252, where it reads as
    // written too.
    Put("kept.ini", ansi);
    {
        TMemIniFile mem(Path("kept.ini"));
        mem.EraseSection("Gone");
        mem.WriteString("Plain", "Key", "€ 3");
        mem.UpdateFile();
    }
    expectText("kept.ini", "€ 3");
    EXPECT_NE(Get("kept.ini").find("Key=\x80 3"), String::npos);
}

TEST_F(IniFileTest, LinesEndAtCrLfLfOrABareCrAndNamesAndValuesLoseThePlatformsBlanks) {
    // A file of bare CRs, as old Macintosh editors write it.
    Put("cr.ini", "[S]\rA=1\rB=2\r");
    TIniFile cr(Path("cr.ini"));
    EXPECT_EQ(cr.ReadInteger("S", "A", 0), 1);
    EXPECT_EQ(cr.ReadInteger("S", "B", 0), 2);
    cr.WriteInteger("S", "C", 3);
    EXPECT_EQ(Get("cr.ini"), "[S]\rA=1\rB=2\rC=3\r");

    // Doubled CRs, and every blank of the platform's set around names and values.
    const String mixed = "[S]\r\r\n"
                         "A=1\r\r\n"
                         "B=\x0B 2\x0C\x1A\r\n"
                         "\x0B\x1A"
                         "C \t= 3\n"
                         "[T]\rD= \"  quoted \" \r"
                         "E=5";
    Put("mixed.ini", mixed);
    TIniFile ini(Path("mixed.ini"));
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
    EXPECT_EQ(ini.ReadInteger("S", "B", 0), 2);
    EXPECT_EQ(ini.ReadInteger("S", "C", 0), 3);
    EXPECT_EQ(ini.ReadString("T", "D", ""), "  quoted ");
    EXPECT_EQ(ini.ReadInteger("T", "E", 0), 5);
    TStringList keys;
    ini.ReadSection("S", &keys);
    EXPECT_EQ(keys.Text(), "A\r\nB\r\nC\r\n");
    // Only the line written changes; a new one ends with CR LF (the doubled CR's second half).
    ini.WriteInteger("S", "A", 10);
    ini.WriteInteger("S", "F", 6);
    String expected = mixed;
    expected.replace(expected.find("A=1"), 3, "A=10");
    expected.insert(expected.find("[T]"), "F=6\r\n");
    EXPECT_EQ(Get("mixed.ini"), expected);
}

// A header that lacks its "]" starts no section: the keys after it stay in the section above.
TEST_F(IniFileTest, ASectionHeaderWithoutItsBracketIsAnOrdinaryLine) {
    const String original = "[A]\r\nx=1\r\n[B\r\ny=2\r\n[C]\r\nz=3\r\n";
    Put("h.ini", original);
    TIniFile ini(Path("h.ini"));
    EXPECT_EQ(ini.ReadString("A", "y", ""), "2");
    EXPECT_FALSE(ini.SectionExists("B"));
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(list.Text(), "A\r\nC\r\n");
    ini.ReadSection("A", &list);
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
    ini.WriteInteger("A", "w", 4);
    String expected = original;
    expected.insert(expected.find("[C]"), "w=4\r\n");
    EXPECT_EQ(Get("h.ini"), expected);
    ini.EraseSection("A");
    EXPECT_EQ(Get("h.ini"), "[C]\r\nz=3\r\n") << "the section's lines all go, the broken header too";
}

// What the platform writes: CR LF in a new file, a new section right after the last line.
TEST_F(IniFileTest, NewSectionsFollowTheLastLineAndKeepTheFilesLineEnds) {
    const std::pair<String, String> cases[] = {
        {"", "[T]\r\nm=2\r\n"},
        {"[S]\r\nk=1", "[S]\r\nk=1\r\n[T]\r\nm=2\r\n"},
        {"[S]\nk=1\n", "[S]\nk=1\n[T]\nm=2\n"},
        {"[S]\nk=1\n\n", "[S]\nk=1\n\n[T]\nm=2\n"},
        {"\xEF\xBB\xBF; only a comment", "\xEF\xBB\xBF; only a comment\r\n[T]\r\nm=2\r\n"},
    };
    for (const auto& [before, after] : cases) {
        Put("n.ini", before);
        TIniFile(Path("n.ini")).WriteInteger("T", "m", 2);
        EXPECT_EQ(Get("n.ini"), after) << before;
    }
}

// Two programs writing one file each see the other's values: every write merges under a lock.
TEST_F(IniFileTest, TwoProcessesWritingOneFileLoseNothing) {
    constexpr int kKeys = 60;
    const String path = Path("shared.ini");
    rtltest::ExpectChildrenSucceed(2, [&](int c) {
        TIniFile ini(path);
        for (int i = 0; i < kKeys; ++i)
            ini.WriteInteger(c == 0 ? "First" : "Second", "k" + std::to_string(i), i);
    });
    TIniFile ini(path);
    TStringList first, second;
    ini.ReadSection("First", &first);
    ini.ReadSection("Second", &second);
    EXPECT_EQ(first.Count(), kKeys);
    EXPECT_EQ(second.Count(), kKeys);
}

TEST_F(IniFileTest, MemIniFileHoldsChangesUntilUpdateFile) {
    Put("mem.ini", "; kept\r\n[S]\r\nk=1\r\n");
    {
        TMemIniFile mem(Path("mem.ini"));
        mem.WriteInteger("s", "K", 2);
        mem.WriteString("T", "n", "v");
        mem.DeleteKey("T", "missing");
        EXPECT_EQ(mem.ReadInteger("S", "k", 0), 2);
        EXPECT_EQ(Get("mem.ini"), "; kept\r\n[S]\r\nk=1\r\n");
        mem.UpdateFile();
        EXPECT_EQ(Get("mem.ini"), "; kept\r\n[S]\r\nk=2\r\n[T]\r\nn=v\r\n");
        mem.EraseSection("T");
        mem.Clear();
        EXPECT_FALSE(mem.SectionExists("S"));
    }
    EXPECT_EQ(Get("mem.ini"), "; kept\r\n[S]\r\nk=2\r\n[T]\r\nn=v\r\n") << "destruction writes nothing";

    TMemIniFile missing(Path("absent/x.ini"));
    missing.WriteString("S", "k", "v");
    EXPECT_THROW(missing.UpdateFile(), EIniFileException);
}
