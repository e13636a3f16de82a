// End to end: a page's markup as the browser control reads it, from the demo service, when the page's
// label is one the engine ignores or reads otherwise than the system's converter would.

#include <gtest/gtest.h>

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

} // namespace
