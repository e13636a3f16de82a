// Addresses, bodies, the form post's arguments, and the page copy.

#include <sys/stat.h>
#include <unistd.h>

#include "app/ServicePages.h"
#include "platform/rtl/FileUtil.h"
#include "tests/app/AppTestSupport.h"

namespace {

using namespace apptest;
using namespace vcl;
using namespace ServicePages;

TEST(ServiceAddress, ComesFromTheEnvironmentWithTheDemoServiceAsDefault) {
    {
        ScopedEnv env("KALVENOR_SERVICE_URL", nullptr);
        EXPECT_EQ(ServiceBaseUrl(), "http://127.0.0.1:8765/");
    }
    {
        ScopedEnv env("KALVENOR_SERVICE_URL", "");
        EXPECT_EQ(ServiceBaseUrl(), "http://127.0.0.1:8765/");
    }
    {
        ScopedEnv env("KALVENOR_SERVICE_URL", "http://127.0.0.1:40123");
        EXPECT_EQ(ServiceBaseUrl(), "http://127.0.0.1:40123/");
        EXPECT_EQ(PageUrl("user_exit.php"), "http://127.0.0.1:40123/user_exit.php");
    }
}

TEST(FormBodies, OrdinaryValuesAreUnchangedAndSpecialOnesAreEncoded) {
    EXPECT_EQ(SignInBody("demo", "demo123"), "login=demo&pass=demo123");
    EXPECT_EQ(SignInBody("john.doe_1-2*", "x"), "login=john.doe_1-2*&pass=x");
    EXPECT_EQ(SignInBody("a&b=c+d", "p%ss w\xC3\xB6rd"), "login=a%26b%3Dc%2Bd&pass=p%25ss+w%C3%B6rd");
    EXPECT_EQ(SearchBody(""), "searchword=");
    EXPECT_EQ(SearchBody("search..."), "searchword=search...");
    EXPECT_EQ(SearchBody("/?#\r\n"), "searchword=%2F%3F%23%0D%0A");
}

using NavigatePostTest = AppTest;

TEST_F(NavigatePostTest, SendsTheBodyWithoutTerminatorAndTheHeaderEndsWithCrLf) {
    NavigatePost(main->WebBrowser_Main, String(Base) + "x.php", String("a=1\0b=2", 7));
    const TNavigateRequest& r = MainNavigations().at(0);
    EXPECT_EQ(r.Body, "a=1"); // up to the first NUL, no terminator
    EXPECT_EQ(r.ContentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(r.Flags, 10);
    EXPECT_TRUE(r.Headers.empty());
    EXPECT_EQ(String(PostHeaders), "Content-Type: application/x-www-form-urlencoded\r\n");
    NavigatePost(main->WebBrowser_Main, String(Base) + "x.php", "");
    EXPECT_EQ(MainNavigations().at(1).Method, "POST");
    EXPECT_EQ(MainNavigations().at(1).Body, "");
}

using PageCopyTest = AppTest;

TEST_F(PageCopyTest, TheCopyIsMadeInTempWithOwnerOnlyAccessAndCrLfLines) {
    EXPECT_EQ(PageCopyPath(), folder.Path() + "/tmp.html");
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    MainEngine()->RaiseDocumentComplete(String(Base) + "p.php", "<html>\n<p>one</p>\r\n<p>two</p></html>");
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "<html>\r\n<p>one</p>\r\n<p>two</p></html>\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat(PageCopyPath().c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(PageCopyTest, NothingIsCopiedWhileBusyWithoutDocumentOrOnABlankPage) {
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), ""); // no document yet
    MainEngine()->SetDocument(String(Base) + "p.php", "<html>x</html>");
    MainEngine()->SetLocationURL(String(Base) + "p.php");
    MainEngine()->SetBusy(true);
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "");
    EXPECT_FALSE(FileExists(PageCopyPath())); // tmp.html untouched
    MainEngine()->SetBusy(false);
    MainEngine()->SetLocationURL("about:blank");
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "");
    EXPECT_FALSE(FileExists(PageCopyPath()));
}

TEST_F(PageCopyTest, ASymbolicLinkIsReplacedNeverFollowed) {
    const String target = folder.Path() + "/victim.txt";
    WriteFileAtomic(target, "keep me");
    ASSERT_EQ(::symlink(target.c_str(), PageCopyPath().c_str()), 0);
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    MainEngine()->RaiseDocumentComplete(String(Base) + "p.php", "page");
    ASSERT_EQ(::unlink(PageCopyPath().c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), PageCopyPath().c_str()), 0);
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "page\r\n");
    EXPECT_EQ(ReadFileBytes(target), "keep me");
    struct stat st {};
    ASSERT_EQ(::lstat(PageCopyPath().c_str(), &st), 0);
    EXPECT_FALSE(S_ISLNK(st.st_mode));
}

TEST_F(PageCopyTest, AFailedSaveGivesAnEmptyTextNotAStaleCopy) {
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    MainEngine()->RaiseDocumentComplete(String(Base) + "p.php", "Incorrect username or passwor");
    ASSERT_NE(GetDocumentHtml(main->WebBrowser_Main), "");
    // The folder becomes unwritable: the next page cannot be saved.
    MainEngine()->RaiseDocumentComplete(String(Base) + "q.php", "fine");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0500), 0);
    const bool root = ::geteuid() == 0; // root writes anyway; then the copy is simply the new page
    const String html = GetDocumentHtml(main->WebBrowser_Main);
    ::chmod(folder.Path().c_str(), 0700);
    if (root)
        EXPECT_EQ(html, "fine\r\n");
    else
        EXPECT_EQ(html, "");
    EXPECT_EQ(html.find("passwor"), String::npos);
}

TEST_F(PageCopyTest, AnUnsetMissingOrTooLongTempFallsBackToThePlatformFolder) {
    {
        ScopedEnv unset("TEMP", nullptr);
        EXPECT_EQ(PageCopyPath().substr(0, 1), "/");
        EXPECT_NE(PageCopyPath().find("tmp.html"), String::npos);
    }
    const String fallback = [] {
        ScopedEnv unset("TEMP", nullptr);
        return PageCopyPath();
    }();
    {
        ScopedEnv longTemp("TEMP", ("/" + String(300, 'x')).c_str());
        EXPECT_EQ(PageCopyPath(), fallback);
    }
    {
        ScopedEnv missing("TEMP", "/no/such/folder");
        EXPECT_EQ(PageCopyPath(), fallback);
    }
    {
        // The whole path, TEMP + "/tmp.html", must fit 259 characters.
        const String fits = folder.Path() + String(249 - folder.Path().size(), '/') + ".";
        ScopedEnv edge("TEMP", fits.c_str());
        EXPECT_EQ(PageCopyPath(), fits + "/tmp.html");
        EXPECT_EQ(PageCopyPath().size(), 259u);
    }
    {
        const String over = folder.Path() + String(250 - folder.Path().size(), '/') + ".";
        ScopedEnv edge("TEMP", over.c_str());
        EXPECT_EQ(PageCopyPath(), fallback);
    }
}

} // namespace
