#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "tests/rtl/RtlTestSupport.h"

using namespace vcl;

namespace {

std::vector<String> Lines(const TStrings& s) {
    std::vector<String> r;
    for (int i = 0; i < s.Count(); ++i)
        r.push_back(s[i]);
    return r;
}
using V = std::vector<String>;

class TTracked : public TObject {
    KV_CLASS(TTracked, TObject)
};

class TNotStrings : public TPersistent {
    KV_CLASS(TNotStrings, TPersistent)
};

TEST(StringListTest, TextJoinsWithCrLfAndSplitsOnAnyLineBreak) {
    TStringList l;
    l.SetText("a\rb\nc\r\nd");
    EXPECT_EQ(Lines(l), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n");
    l.SetText("x\r\n\r\n");
    EXPECT_EQ(Lines(l), (V{"x", ""}));
    l.SetText("\n\r"); // LF then a lone CR: two empty lines
    EXPECT_EQ(Lines(l), (V{"", ""}));
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.Text(), "");
}

TEST(StringListTest, CommaTextQuotingRoundTrips) {
    TStringList l;
    l.Add("plain");
    l.Add("two words");
    l.Add("say \"hi\"");
    l.Add("a,b");
    l.Add("");
    l.Add("tab\there");
    EXPECT_EQ(l.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",,\"tab\there\"");
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(Lines(back), Lines(l));

    TStringList one;
    one.Add("");
    EXPECT_EQ(one.CommaText(), "\"\"");
    back.SetCommaText(one.CommaText());
    EXPECT_EQ(Lines(back), (V{""}));
}

TEST(StringListTest, CommaTextReading) {
    TStringList l;
    l.SetCommaText("a b, c ,,\"d e\"x,");
    EXPECT_EQ(Lines(l), (V{"a", "b", "c", "", "d e", "x", ""}));
    l.SetCommaText("   ");
    EXPECT_EQ(l.Count(), 0);
    l.SetCommaText("\"unterminated, text");
    EXPECT_EQ(Lines(l), (V{"unterminated, text"}));
    l.SetCommaText("\"a\"\"b\"");
    EXPECT_EQ(Lines(l), (V{"a\"b"}));
}

TEST(StringListTest, DelimitedTextWithOwnDelimiterAndStrictMode) {
    TStringList l;
    l.SetDelimiter(';');
    l.SetQuoteChar('\'');
    l.SetDelimitedText("a b;'c;d';e,f");
    EXPECT_EQ(Lines(l), (V{"a", "b", "c;d", "e,f"}));
    l.SetStrictDelimiter(true);
    l.SetDelimitedText(" a b ;c;;");
    EXPECT_EQ(Lines(l), (V{" a b ", "c", "", ""}));
    EXPECT_EQ(l.DelimitedText(), " a b ;c;;"); // blanks need no quotes in strict mode
    l.Clear();
    l.Add("it's");
    EXPECT_EQ(l.DelimitedText(), "'it''s'");
    EXPECT_EQ(l.CommaText(), "it's"); // CommaText always uses comma and double quote
    EXPECT_EQ(l.Delimiter(), ';');
}

TEST(StringListTest, NamesAndValues) {
    TStringList l;
    l.SetText("Width=10\nheight=20\nnoseparator\n=empty name\nurl=a=b");
    EXPECT_EQ(l.Names(0), "Width");
    EXPECT_EQ(l.Names(2), "");
    EXPECT_EQ(l.Values("WIDTH"), "10"); // names compare without case
    EXPECT_EQ(l.Values("url"), "a=b");
    EXPECT_EQ(l.Values("missing"), "");
    EXPECT_EQ(l.ValueFromIndex(4), "a=b");
    EXPECT_EQ(l.ValueFromIndex(2), ""); // a line without separator has no value
    EXPECT_EQ(l.IndexOfName("Height"), 1);
    EXPECT_EQ(l.IndexOfName(""), 3);
    l.SetValue("height", "25");
    EXPECT_EQ(l[1], "height=25");
    l.SetValue("Depth", "5");
    EXPECT_EQ(l[5], "Depth=5");
    l.SetValue("width", "");
    EXPECT_EQ(l.IndexOfName("Width"), -1);
    EXPECT_EQ(l.Count(), 5);
    l.SetValueFromIndex(1, "noseparator-value"); // index 1 is now "noseparator"
    EXPECT_EQ(l[1], "noseparator=noseparator-value");
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetValue("m", "1");
    sorted.SetValue("a", "2");
    sorted.SetValue("m", "0"); // replaced, still in order, nothing left behind
    EXPECT_EQ(Lines(sorted), (V{"a=2", "m=0"}));
    l.SetNameValueSeparator(':');
    l.Add("key:val");
    EXPECT_EQ(l.Values("KEY"), "val");
}

TEST(StringListTest, SortedListsAndDuplicates) {
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"})
        l.Add(s);
    EXPECT_EQ(Lines(l), (V{"Apple", "banana", "pear"})); // dupIgnore, case-insensitive
    int index = -1;
    EXPECT_TRUE(l.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(l.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(l.IndexOf("PEAR"), 2);

    l.SetDuplicates(dupError);
    EXPECT_EQ(rtltest::ErrorOf<EStringListError>([&] { l.Add("pear"); }),
              "String list does not allow duplicates");
    l.SetDuplicates(dupAccept);
    l.Add("PEAR");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_THROW(l.Insert(0, "z"), EStringListError);
    EXPECT_THROW(l.Put(0, "z"), EStringListError);
    EXPECT_THROW(l.Exchange(0, 1), EStringListError);
    EXPECT_THROW(l.Move(0, 1), EStringListError);
    EXPECT_EQ(l.Count(), 4);

    TStringList cs;
    cs.SetCaseSensitive(true);
    cs.SetSorted(true);
    for (const char* s : {"b", "B", "a", "A"})
        cs.Add(s);
    EXPECT_EQ(Lines(cs), (V{"a", "A", "b", "B"}));
    EXPECT_EQ(cs.IndexOf("B"), 3);
    cs.SetCaseSensitive(false); // re-sorted; equal strings keep a stable order
    EXPECT_EQ(cs.IndexOf("b"), 2);
}

TEST(StringListTest, SortCustomSortExchangeMove) {
    TStringList l;
    l.SetCommaText("c,a,B");
    l.Sort();
    EXPECT_EQ(Lines(l), (V{"a", "B", "c"}));
    l.CustomSort([](TStringList* list, int a, int b) { return CompareStr(list->Get(b), list->Get(a)); });
    EXPECT_EQ(Lines(l), (V{"c", "a", "B"}));
    l.Exchange(0, 2);
    l.Move(2, 0);
    EXPECT_EQ(Lines(l), (V{"c", "B", "a"}));
    EXPECT_THROW(l.Move(0, 3), EStringListError);
    EXPECT_EQ(l.Count(), 3); // a bad target loses nothing
    EXPECT_EQ(rtltest::ErrorOf<EStringListError>([&] { l.Get(3); }), "List index out of bounds (3)");
    EXPECT_THROW(l.Delete(-1), EStringListError);
    EXPECT_THROW(l.Insert(4, "x"), EStringListError);
}

TEST(StringListTest, ObjectsAndOwnership) {
    TTracked a, b;
    TStringList l;
    l.AddObject("a", &a);
    l.AddObject("b", &b);
    l.Exchange(0, 1);
    EXPECT_EQ(l.Objects(0), &b);
    EXPECT_EQ(l.IndexOfObject(&a), 1);
    l.Put(1, "renamed");
    EXPECT_EQ(l.Objects(1), &a); // Put keeps the object

    long before = TObject::LiveObjects();
    {
        TStringList owner(true);
        owner.AddObject("x", new TTracked);
        owner.AddObject("y", new TTracked);
        owner.AddObject("z", new TTracked);
        owner.Delete(0);
        EXPECT_EQ(TObject::LiveObjects(), before + 3); // the list itself and two objects
        owner.Clear();
        EXPECT_EQ(TObject::LiveObjects(), before + 1);
        owner.AddObject("w", new TTracked);
    }
    EXPECT_EQ(TObject::LiveObjects(), before);
}

TEST(StringListTest, ChangeEventsAndUpdates) {
    TStringList l;
    std::vector<String> log;
    l.OnChanging = [&](TObject* s) { log.push_back(s == &l ? "changing" : "?"); };
    l.OnChange = [&](TObject*) { log.push_back("change"); };
    l.Add("a");
    EXPECT_EQ(log, (V{"changing", "change"}));
    log.clear();
    l.BeginUpdate();
    l.Add("b");
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(log, (V{"changing"}));
    l.EndUpdate();
    EXPECT_EQ(log, (V{"changing", "change"}));
    log.clear();
    l.SetText("x\ny\nz"); // one change for the whole text
    EXPECT_EQ(log, (V{"changing", "change"}));
    log.clear();
    l.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(l.UpdateCount(), 0);
    EXPECT_TRUE(log.empty());

    // A handler that raises at the end of an update reaches the caller, and the list is usable after.
    l.OnChange = [](TObject*) { throw Exception("handler failed"); };
    EXPECT_THROW(l.SetText("p\nq"), Exception);
    EXPECT_EQ(Lines(l), (V{"p", "q"}));
    EXPECT_EQ(l.UpdateCount(), 0);
    // While another exception leaves an update, the handler's own is dropped.
    l.OnChange = nullptr;
    l.SetSorted(true);
    l.SetDuplicates(dupError);
    l.OnChange = [](TObject*) { throw Exception("handler failed"); };
    EXPECT_THROW(l.SetText("a\na"), EStringListError);
    EXPECT_EQ(l.UpdateCount(), 0);
    EXPECT_EQ(Lines(l), (V{"a"}));
}

TEST(StringListTest, AssignAddStringsEquals) {
    TStringList a, b;
    a.SetText("1\n2");
    a.SetDelimiter(';');
    b.Add("old");
    b.Assign(&a);
    EXPECT_EQ(Lines(b), (V{"1", "2"}));
    EXPECT_EQ(b.Delimiter(), ';');
    EXPECT_TRUE(b.Equals(&a));
    b.AddStrings(&b); // adding a list to itself doubles it once
    EXPECT_EQ(Lines(b), (V{"1", "2", "1", "2"}));
    EXPECT_FALSE(b.Equals(&a));
    a.Assign(&a);
    EXPECT_EQ(a.Count(), 2);

    TNotStrings other;
    EXPECT_THROW(a.Assign(&other), EConvertError);
    EXPECT_EQ(a.Count(), 2);
}

using StringListFileTest = rtltest::FolderTest;

TEST_F(StringListFileTest, FilesAndStreams) {
    String file = Path("list.txt");

    TStringList l;
    l.SetText("caf\xC3\xA9\nline 2");
    l.SaveToFile(file);
    EXPECT_EQ(ReadFileBytes(file), "caf\xC3\xA9\r\nline 2\r\n");

    WriteFileAtomic(file, "\xEF\xBB\xBFwith bom\nnext");
    TStringList r;
    r.LoadFromFile(file);
    EXPECT_EQ(Lines(r), (V{"with bom", "next"}));

    String message = rtltest::ErrorOf<EFOpenError>([&] { r.LoadFromFile(Path("missing.txt")); });
    EXPECT_NE(message.find("missing.txt"), String::npos) << message;
    EXPECT_EQ(r.Count(), 2); // a failed load keeps the list
    EXPECT_THROW(l.SaveToFile(Path("no/such/folder/x.txt")), EFCreateError);

    TStringStream s("skip\r\nfrom here\r\nend");
    s.SetPosition(6);
    r.LoadFromStream(&s);
    EXPECT_EQ(Lines(r), (V{"from here", "end"}));
    TMemoryStream out;
    r.SaveToStream(&out);
    EXPECT_EQ(out.Size(), 16);
}

} // namespace
