// Addresses, bodies, the form post's arguments, and the page copy.

#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "app/ServicePages.h"
#include "platform/rtl/FileUtil.h"
#include "platform/web/HtmlDocument.h"
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

TEST(ServiceAddress, OnlyAnHttpOrHttpsAddressOfAHostIsUsableAndAnyOtherIsNamedAsSet) {
    for (const char* usable :
         {"http://127.0.0.1:40123", "HTTPS://Service.Example/base/", "http://user@host/"}) {
        ScopedEnv env("KALVENOR_SERVICE_URL", usable);
        EXPECT_EQ(ServiceAddressProblem(), "") << usable;
    }
    {
        ScopedEnv env("KALVENOR_SERVICE_URL", nullptr); // the demo service's address
        EXPECT_EQ(ServiceAddressProblem(), "");
    }
    for (const char* unusable : {"file:///tmp/", "ftp://127.0.0.1/", "kalvenor", "http://", "https:///x.php",
                                 "javascript:alert(1)//", "http://bad host/"}) {
        ScopedEnv env("KALVENOR_SERVICE_URL", unusable);
        const String problem = ServiceAddressProblem();
        EXPECT_NE(problem.find(String("\"") + unusable + "\""), String::npos) << problem;
    }
}

TEST(ServiceAddress, PagesGoToTheAddressAsTheBrowserEngineWritesIt) {
    // The engine's form of each: otherwise the origin it reports for the site's pages is not the site's.
    const std::map<String, String> forms = {
        {"http://127.1:40123", "http://127.0.0.1:40123/"},
        {"HTTP://LOCALHOST:40123/", "http://localhost:40123/"},
        {"http://localhost:80/", "http://localhost/"},
        {"https://Service.Example:443/base", "https://service.example/base/"},
        {"http://B\u00DCCHER.de:08080/kalvenor/../app/./", "http://xn--bcher-kva.de:8080/app/"}};
    for (const auto& [written, engine] : forms) {
        ScopedEnv env("KALVENOR_SERVICE_URL", written.c_str());
        EXPECT_EQ(ServiceAddressProblem(), "") << written;
        EXPECT_EQ(ServiceBaseUrl(), engine) << written;
        EXPECT_EQ(PageUrl("user_exit.php"), engine + "user_exit.php");
    }
}

TEST(ServiceAddress, AnAddressNoPageCouldBeLoadedFromIsNamedWithWhatIsWrong) {
    const std::map<String, String> refused = {
        {"http://127.0.0.1:8765/?agenting=true", "a query or a fragment"},
        {"http://127.0.0.1:8765/#top", "a query or a fragment"},
        {"http://127.0.0.1:8765/base?", "a query or a fragment"},
        {"http://:8765/", "not an http or https address of a host"},
        {"http://user@/", "not an http or https address of a host"},
        {"http://127.0.0.1:0/", "port 0, outside 1..65535"},
        {"http://127.0.0.1:65536/", "port 65536, outside 1..65535"},
        {"http://127.0.0.1:80a/", "a port that is not a number"},
        {"http://127.0.0.1:6000/", "port 6000, which the browser engine refuses"},
        {"http://127.0.0.1:25", "port 25, which the browser engine refuses"},
        {"https://127.0.0.1:9/", "port 9, which the browser engine refuses"},
        {"http://1.2.3.4.5/", "an IPv4 address the browser engine cannot read"},
        {"http://FA\u1E9E.de/", "ASCII (\"xn--\") form"}};
    for (const auto& [address, why] : refused) {
        ScopedEnv env("KALVENOR_SERVICE_URL", address.c_str());
        const String problem = ServiceAddressProblem();
        EXPECT_NE(problem.find("\"" + address + "\""), String::npos) << problem;
        EXPECT_NE(problem.find(why), String::npos) << problem;
    }
    // The ports around a refused one, and the highest, are the service's to use.
    for (const char* usable : {"http://127.0.0.1:6001/", "http://127.0.0.1:24/", "http://127.0.0.1:65535/"}) {
        ScopedEnv env("KALVENOR_SERVICE_URL", usable);
        EXPECT_EQ(ServiceAddressProblem(), "") << usable;
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

TEST_F(PageCopyTest, AFailedSaveNeverHidesAFailedSignIn) {
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    MainEngine()->RaiseDocumentComplete(String(Base) + "p.php", "fine");
    ASSERT_EQ(GetDocumentHtml(main->WebBrowser_Main), "fine\r\n");
    // A folder in the copy's place: no one (the superuser neither) can replace it by a file.
    ASSERT_EQ(::unlink(PageCopyPath().c_str()), 0);
    ASSERT_EQ(::mkdir(PageCopyPath().c_str(), 0700), 0);
    // (Not the whole failure text: the main form would answer it with the login dialog.)
    MainEngine()->RaiseDocumentComplete(String(Base) + "q.php", "Incorrect username or passwor");
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "Incorrect username or passwor\r\n");
    ::rmdir(PageCopyPath().c_str());
}

// A page in UTF-32, which the engine reads as 8-bit text and shows without the NULs between the letters:
// the text, as the engine's document gives it, holds the words, and so does the copy, without a NUL.
TEST_F(PageCopyTest, AFailedSignInWhoseNulsPartItsWordsIsReadAsThePageShowsIt) {
    const String words = "Incorrect username or password";
    String bytes;
    for (const char c : "<p>\n" + words + "</p>")
        bytes += String{c, 0, 0, 0};
    const auto document =
        THTMLDocument::FromBytes(String(Base) + "p.php", bytes, "text/html; charset=utf-32", "text/html");
    main->WebBrowser_Main->Navigate(String(Base) + "p.php");
    MainEngine()->RaiseDocumentComplete(String(Base) + "p.php", document->Html());
    EXPECT_EQ(GetDocumentHtml(main->WebBrowser_Main), "<p>\r\n" + words + "</p>\r\n");
    EXPECT_EQ(ReadFileBytes(PageCopyPath()), "<p>\n" + words + "</p>");
}

TEST_F(PageCopyTest, WithoutAUsableTempTheCopyGoesToAFolderPrivateToTheUser) {
    ScopedEnv tmpdir("TMPDIR", folder.Path().c_str());
    const auto privateFolder = [] {
        const String path = PageCopyPath();
        return path.substr(0, path.rfind('/'));
    };
    for (const char* temp : {static_cast<const char*>(nullptr), "/no/such/folder"}) {
        ScopedEnv unusable("TEMP", temp);
        const String inside = privateFolder();
        EXPECT_EQ(inside.rfind(folder.Path() + "/", 0), 0u) << inside;
        struct stat st {};
        ASSERT_EQ(::lstat(inside.c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::geteuid());
    }
    // Someone else's folder of that name (here: one open to all) is never used.
    ScopedEnv unset("TEMP", nullptr);
    const String taken = privateFolder();
    ASSERT_EQ(::chmod(taken.c_str(), 0777), 0);
    ScopedEnv config("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str());
    EXPECT_NE(privateFolder(), taken);
    struct stat st {};
    ASSERT_EQ(::lstat(privateFolder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(PageCopyTest, AnUnsetMissingOrTooLongTempFallsBackToThePlatformFolder) {
    // The platform's folder is the test's own, so that the private folder made in it goes with the test.
    ScopedEnv tmpdir("TMPDIR", folder.Path().c_str());
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
