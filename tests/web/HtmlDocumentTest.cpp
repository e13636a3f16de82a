// Variants for the navigation, and saving a completed document.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/rtl/FileUtil.h"
#include "platform/web/HtmlDocument.h"
#include "platform/web/OleVariant.h"

namespace {

using namespace vcl;

TEST(OleVariantTest, TypesAndTheirValues) {
    EXPECT_EQ(OleVariant().VarType(), varEmpty);
    EXPECT_TRUE(OleVariant().IsEmpty());
    EXPECT_EQ(OleVariant(10).VarType(), varInteger);
    EXPECT_EQ(OleVariant(10).AsInteger(), 10);
    EXPECT_EQ(OleVariant("Content-Type: x\r\n").VarType(), varOleStr);
    const char body[] = {'a', '=', '1', '\0', 'b'};
    OleVariant bytes = OleVariant::ByteArray(body, 3);
    EXPECT_EQ(bytes.VarType(), varArray | varByte);
    EXPECT_EQ(bytes.VarArrayLowBound(), 0);
    EXPECT_EQ(bytes.VarArrayHighBound(), 2);
    EXPECT_EQ(bytes.AsBytes(), (TByteArray{'a', '=', '1'}));
    EXPECT_EQ(OleVariant::ByteArray(nullptr, 0).VarArrayHighBound(), -1);
    bytes.Clear();
    EXPECT_TRUE(bytes.IsEmpty());
}

TEST(OleVariantTest, ReadingAnotherTypeRaises) {
    EXPECT_THROW(OleVariant().AsInteger(), EVariantTypeCastError);
    EXPECT_THROW(OleVariant(1).AsString(), EVariantTypeCastError);
    EXPECT_THROW(OleVariant("x").AsBytes(), EVariantTypeCastError);
    EXPECT_THROW(OleVariant(0).VarArrayHighBound(), EVariantTypeCastError);
    EXPECT_THAT([] { (void)OleVariant(5).AsString(); },
                ::testing::ThrowsMessage<EVariantTypeCastError>(
                    ::testing::StrEq("Could not convert variant of type (Integer) into type (OleStr)")));
}

class DocumentSave : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kv-web-doc-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        Dir = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }
    String Dir;
};

TEST_F(DocumentSave, WritesTheCapturedHtmlOwnerOnly) {
    THTMLDocument doc("http://h/p.php", "<html><body>Incorrect username or password</body></html>");
    IHTMLDocument2* html = doc.QueryHTMLDocument2();
    ASSERT_NE(html, nullptr);
    IPersistFile* file = html->QueryPersistFile();
    ASSERT_NE(file, nullptr);
    String path = Dir + "/tmp.html";
    WriteFileAtomic(path, "an older page, much longer than the new one ...............................",
                    0644);
    EXPECT_EQ(file->Save(path, false), S_OK);
    EXPECT_EQ(ReadFileBytes(path), doc.Html()) << "the older page is replaced whole";
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(html->URL(), "http://h/p.php");
}

TEST_F(DocumentSave, NeverWritesThroughASymbolicLink) {
    String target = Dir + "/target.html";
    String link = Dir + "/link.html";
    WriteFileAtomic(target, "precious", 0644);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    THTMLDocument doc("u", "<html></html>");
    EXPECT_EQ(doc.Save(link, false), S_OK);
    EXPECT_EQ(ReadFileBytes(target), "precious");
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(ReadFileBytes(link), "<html></html>");
}

TEST_F(DocumentSave, FailuresAreReportedNotHidden) {
    THTMLDocument doc("u", "x");
    EXPECT_EQ(doc.Save("", false), E_INVALIDARG);
    HRESULT hr = doc.Save(Dir + "/no-such-folder/tmp.html", false);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(hr, STG_E_ACCESSDENIED);
    IDispatch plain;
    EXPECT_EQ(plain.QueryHTMLDocument2(), nullptr);
}

} // namespace
