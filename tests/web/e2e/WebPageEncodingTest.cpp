// End to end: a page's markup as the browser control reads it, from the demo service, when the page's
// label is one the engine ignores or reads otherwise than the system's converter would.

#include <gtest/gtest.h>

#include "tests/web/e2e/RawAnswer.h"
#include "tests/web/e2e/WebE2EFixture.h"

namespace {

using kvweb::WebEndToEnd;
using vcl::String;

// The service's failed sign-in, answered with a label the engine does not honour: the control reads the
// words the user sees.
TEST_F(WebEndToEnd, AFailedSignInIsReadFromAPageWhoseLabelTheEngineIgnores) {
    const String words = "Incorrect username or password";
    for (const String& head :
         {String("Content-Type: text/html; charset=utf-32\\r\\n\\r\\n<title>Sign in</title>"),
          String("Content-Type: text/html; charset=ibm037\\r\\n\\r\\n<title>Sign in</title>"),
          String("Content-Type: text/html\\r\\n\\r\\n<meta charset=unicode><title>Sign in</title>")}) {
        kvweb::DemoService::Get().Misbehave(R"({"user_home.php": {"raw": "HTTP/1.0 200 OK\r\n)" + head +
                                            "<p>" + words + R"(</p>"}})");
        Events.clear();
        Post("user_home.php?agenting=true", "login=demo&pass=wrong");
        ASSERT_TRUE(WaitForEnd()) << head;
        ASSERT_FALSE(Completes().empty()) << head;
        EXPECT_NE(Completes().back().TopHtml.find(words), String::npos) << head << Completes().back().TopHtml;
    }
}

// The failed sign-in in a page whose NULs part its words, or that declares, where the engine does not look,
// an encoding that would show the page as one U+FFFD: the control reads the words the user sees.
TEST_F(WebEndToEnd, AFailedSignInIsReadFromAPageWithNulsOrADeclarationTheEngineIgnores) {
    const String words = "Incorrect username or password";
    const String phrase = "<title>Sign in</title><p>" + words + "</p>";
    String utf32;
    for (const char c : phrase)
        utf32 += String{c, 0, 0, 0};
    const String hides = "<meta charset=iso-2022-kr>";
    const struct {
        const char* What;
        String Type;
        String Body;
    } pages[] = {
        {"UTF-32 with its mark", "text/html", "\xFF\xFE" + String(2, '\0') + utf32},
        {"UTF-32 unlabelled", "text/html; charset=utf-32", utf32},
        {"a NUL in the words", "text/html; charset=utf-8",
         "<title>Sign in</title><p>Incorrect user" + String(1, '\0') + "name or password</p>"},
        {"a declaration in a script", "text/html", "<script>var m = '" + hides + "';</script>" + phrase},
        {"a declaration in a comment", "text/html", "<!--" + hides + "-->" + phrase},
        {"a declaration in <metadata>", "text/html", "<metadata charset=iso-2022-kr>" + phrase},
    };
    for (const auto& p : pages) {
        const String answer = "HTTP/1.0 200 OK\r\nContent-Type: " + p.Type + "\r\n\r\n" + p.Body;
        kvweb::AnswerRaw("user_home.php", answer);
        Events.clear();
        Post("user_home.php?agenting=true", "login=demo&pass=wrong");
        ASSERT_TRUE(WaitForEnd()) << p.What;
        ASSERT_FALSE(Completes().empty()) << p.What;
        EXPECT_NE(Completes().back().TopHtml.find(words), String::npos)
            << p.What << Completes().back().TopHtml;
    }
}

// A failed sign-in answered with two Content-Type lines, the first naming UTF-16, or with a first charset
// parameter that is empty: the engine reads neither charset and shows the words, and so does the control.
TEST_F(WebEndToEnd, AFailedSignInIsReadFromAPageWithTwoContentTypesOrAnEmptyFirstCharset) {
    const String words = "Incorrect username or password";
    for (const String& head : {String("Content-Type: text/html; charset=utf-16le\r\nContent-Type: text/html"),
                               String("Content-Type: text/html; charset=; charset=utf-16le")}) {
        kvweb::AnswerRaw("user_home.php",
                         "HTTP/1.0 200 OK\r\n" + head + "\r\n\r\n<title>Sign in</title><p>" + words + "</p>");
        Events.clear();
        Post("user_home.php?agenting=true", "login=demo&pass=wrong");
        ASSERT_TRUE(WaitForEnd()) << head;
        ASSERT_FALSE(Completes().empty()) << head;
        EXPECT_NE(Completes().back().TopHtml.find(words), String::npos) << head << Completes().back().TopHtml;
    }
}

} // namespace
