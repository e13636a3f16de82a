// End to end: the addresses of WebAddress.h against the engine actually installed. The form an address is
// normalised to is the one the engine itself writes, and the ports refused at start are exactly those
// the engine sends no request to (it shows an empty page instead, and reports no failure).

#include "platform/web/WebAddress.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "tests/web/e2e/OwnEngineView.h"

namespace {

using namespace vcl::webaddress;
using vcl::String;

// The engine's form of an address: it takes addresses as ASCII, so bytes beyond it go as "%XX", which
// it reads back as UTF-8 (as it would read the characters themselves in a link).
String EnginesForm(const String& Written) {
    static const char* const Hex = "0123456789ABCDEF";
    String ascii;
    for (unsigned char c : Written) {
        if (c < 0x80) {
            ascii += static_cast<char>(c);
        } else {
            ascii += '%';
            ascii += Hex[c >> 4];
            ascii += Hex[c & 15];
        }
    }
    WebKitURIRequest* request = webkit_uri_request_new(ascii.c_str());
    const char* uri = webkit_uri_request_get_uri(request);
    String form = uri ? uri : "";
    g_object_unref(request);
    return form;
}

TEST(EngineAddress, AnAddressIsNormalisedAsTheEngineWritesIt) {
    for (const char* written : {"http://127.1:8765/",
                                "HTTP://LOCALHOST:8765/",
                                "http://localhost:80/",
                                "HTTPS://Example.COM:443/base/",
                                "http://0x7f.1:8080/",
                                "http://2130706433/",
                                "http://0177.0.0.1:00080/",
                                "http://[0:0:0:0:0:0:0:1]:8080/",
                                "http://[::FFFF:127.0.0.1]/",
                                "http://[2001:DB8:0:0:1:0:0:1]/",
                                "http://localhost.:8765/",
                                "http://127.0.0.1.:8765/",
                                "http://1.2.3.0xg/",
                                "http://B%C3%9CCHER.de/",
                                "http://b\u00FCcher.DE/",
                                "http://BU\u0308CHER.de/",
                                "http://fa\u00DF.de/",
                                "http://\u03A3.gr/",
                                "http://\u03C2.gr/",
                                "http://m\u00FCnchen./",
                                "http://\u65E5\u672C.jp/",
                                "http://u:p:q@h@host/",
                                "http://@host:/",
                                "http://user:@host/",
                                "http://host/a/../c/./d/",
                                "http://host/%2e%2E/x/",
                                "http://host/\u00E9/",
                                "http://host/{x}/",
                                "http://host/a^b|c/",
                                "http://xn--cfa.xn--xxa.de/",
                                "http://500000000x/",
                                "http://5000000000x.com/",
                                "http://a_b-c.example:08080/",
                                "http://XN--BCHER-KVA.de/",
                                "http://\u05E9\u05DC\u05D5\u05DD.co.il/",
                                "http://\u05D0"
                                "1.de/",
                                "http://\u05D0.a1/",
                                "http://\u0645\u062B\u0627\u0644\u0661.com/",
                                "http://\u0645\u062B\u0627\u0644"
                                "1.com/",
                                "http://\u0BB8\u0BCD.in/",
                                "http://\u0445\u0430.\u0440\u0444/"}) {
        const TBaseAddress base = NormaliseBase(written);
        ASSERT_EQ(base.Problem, "") << written;
        EXPECT_EQ(base.Url, EnginesForm(written)) << written;
        EXPECT_EQ(OriginOf(written), OriginOf(EnginesForm(written))) << written;
    }
}

// A host refused as one the engine cannot use is one it cannot load, written in its letters or in ASCII.
TEST(EngineAddress, AHostRefusedAsUnusableIsOneTheEngineCannotReadEither) {
    for (const char* host : {"a\u05D0.de",
                             "\u05D0a.de",
                             "1\u05D0.de",
                             "a-\u05D1.de",
                             "\u0338a.de",
                             "xn--a-0hc.de",
                             "xn--zz",
                             "xn--4ca.xn--zz",
                             "\u0645"
                             "1\u0661.com",
                             "\u05D0.1a",
                             "\u05D0.a-",
                             "1.2.3.4.5",
                             "256.1",
                             "foo.1",
                             "[1:2:3:4:5:6:7:8:9]",
                             "xn--isgg",
                             "xn--hba.de",
                             "xn--sba.de",
                             "xn--kha.de",
                             "xn--kkg.de",
                             "xn--22g.de",
                             "5000000000x",
                             "0x100000000x",
                             "040000000000x",
                             "5000000000x1",
                             "1.5000000000x",
                             "0x1000000000a"}) {
        const String written = "HTTP://" + String(host) + "/";
        EXPECT_NE(NormaliseBase(written).Problem, "") << host;
        // What the engine cannot read it hands back as given; it writes what it reads in lower case.
        EXPECT_EQ(EnginesForm(written).rfind("HTTP://", 0), 0u) << host << ": " << EnginesForm(written);
    }
}

// A loopback address of its own, where none of the machine's services on 127.0.0.1 listens.
constexpr const char* kProbeHost = "127.77.0.1";

// A listening socket of the test's own on the probe address, when the port can be had. It tells whether
// a request came: the engine may open a connection to a port it refuses (to have one ready), but sends
// nothing on it.
class Listener {
public:
    explicit Listener(int Port) : FFd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(Port));
        ::inet_pton(AF_INET, kProbeHost, &a.sin_addr);
        const int yes = 1;
        ::setsockopt(FFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        FListening = ::bind(FFd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(FFd, 4) == 0;
    }
    ~Listener() {
        for (int fd : FClients)
            ::close(fd);
        ::close(FFd);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    bool Listening() const { return FListening; }
    bool Requested() const { return FRequested; }
    // Takes the connections waiting, and ends each one that sent something (the engine's load then fails).
    void Poll() {
        if (!FListening) return;
        if (const int fd = ::accept4(FFd, nullptr, nullptr, SOCK_NONBLOCK); fd >= 0) FClients.push_back(fd);
        std::erase_if(FClients, [this](int fd) {
            char bytes[64];
            const ssize_t n = ::read(fd, bytes, sizeof bytes);
            if (n > 0) FRequested = true;
            if (n >= 0) ::close(fd);
            return n >= 0;
        });
    }

private:
    int FFd;
    bool FListening = false;
    bool FRequested = false;
    std::vector<int> FClients;
};

// A view of the engine's own, in a window off the screen, loading one address at a time.
class ProbeView {
public:
    ProbeView() {
        g_signal_connect(FEngine.View(), "load-failed", G_CALLBACK(OnFailed), this);
        g_signal_connect(FEngine.View(), "load-changed", G_CALLBACK(OnChanged), this);
    }
    ProbeView(const ProbeView&) = delete;
    ProbeView& operator=(const ProbeView&) = delete;

    struct Outcome {
        bool Ended = false;     // the load ended within the time allowed
        bool Failed = false;    // as a failure
        bool Requested = false; // the listener (if any) was sent a request
        String Shown;           // what the view shows at the end
    };

    Outcome Load(int Port, Listener& Listening) {
        FFailed = FFinished = false;
        Outcome o;
        const String url = "http://" + String(kProbeHost) + ":" + std::to_string(Port) + "/";
        webkit_web_view_load_uri(FEngine.View(), url.c_str());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!FFinished && std::chrono::steady_clock::now() < deadline) {
            g_main_context_iteration(nullptr, FALSE);
            Listening.Poll();
            ::usleep(500);
        }
        o.Ended = FFinished;
        o.Requested = Listening.Requested();
        o.Failed = FFailed;
        const char* shown = webkit_web_view_get_uri(FEngine.View());
        o.Shown = shown ? shown : "";
        return o;
    }

private:
    static gboolean OnFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer self) {
        static_cast<ProbeView*>(self)->FFailed = true;
        return TRUE;
    }
    static void OnChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
        if (event == WEBKIT_LOAD_FINISHED) static_cast<ProbeView*>(self)->FFinished = true;
    }
    kvweb::OwnEngineView FEngine;
    bool FFailed = false;
    bool FFinished = false;
};

// Every port on the list is refused; the well-known ports (below 1025), where most of the list lies, are
// probed one by one, and above them each port beside a listed one. (All 65535 were probed once, when the
// list was written; it takes minutes.) Only ports the test can listen on are probed: a load elsewhere
// could reach a service of the machine's own.
TEST(EngineAddress, ThePortsRefusedAreExactlyThoseTheEngineSendsNoRequestTo) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ProbeView view;
    int listed = 0, others = 0;
    for (int port = 1; port <= 65535; ++port) {
        const bool refused = PortRefused(port);
        if (!refused && port > 1024 && !PortRefused(port - 1) && !PortRefused(port + 1)) continue;
        Listener listener(port);
        if (!listener.Listening()) continue;
        const ProbeView::Outcome o = view.Load(port, listener);
        if (refused) {
            ++listed;
            EXPECT_TRUE(o.Ended && !o.Failed && !o.Requested && o.Shown == "about:blank")
                << "port " << port << " is on the list, and the engine "
                << (o.Requested ? "sent a request, " : "") << (o.Failed ? "failed the load, " : "")
                << "shows " << o.Shown;
        } else {
            ++others;
            EXPECT_TRUE(o.Requested && o.Failed)
                << "port " << port << " is not on the list, and the engine "
                << (o.Requested ? "" : "sent no request, ") << (o.Failed ? "" : "did not fail the load")
                << " (shows " << o.Shown << ")";
        }
    }
    // Not root: the well-known ports cannot be listened on, and those above them must do.
    EXPECT_GE(listed, 15);
    EXPECT_GE(others, 20);
}

} // namespace
