#include "tests/web/e2e/WebE2ESupport.h"

// The window system's headers come before GLib's (TRUE and FALSE).
#include "platform/vcl/Application.h"
#include "platform/win/Window.h"

#include <arpa/inet.h>
#include <gdk/gdk.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <libsoup/soup.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/rtl/FileUtil.h"
#include "platform/web/GtkHost.h"

// X11 last: its macros (None, Status, ...) clash with names in the headers above.
#include <gdk/gdkx.h>

extern char** environ;

namespace kvweb {

namespace {

String ReadAll(const String& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ServiceEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) return;
        // A home of the tests' own, before GTK and the engine read it: where a download would land.
        std::error_code ec;
        std::filesystem::remove_all(HomeDir(), ec);
        vcl::ForceDirectories(HomeDir() + "/Downloads");
        ::setenv("HOME", HomeDir().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (HomeDir() + "/.config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (HomeDir() + "/.local/share").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (HomeDir() + "/.cache").c_str(), 1);
        gtkbackend::RegisterGtkBackend();
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        DemoService::Get().Start("service", "127.0.0.1");
        DemoService::Other().Start("other", "localhost");
    }
    void TearDown() override {
        DemoService::Other().Stop();
        DemoService::Get().Stop();
    }
};

const auto* gEnvironment = ::testing::AddGlobalTestEnvironment(new ServiceEnvironment);

} // namespace

String ArtifactDir() {
    String dir = KV_WEB_ARTIFACTS;
    vcl::ForceDirectories(dir);
    return dir;
}

String HomeDir() {
    return ArtifactDir() + "/home";
}

DemoService& DemoService::Get() {
    static DemoService service;
    return service;
}

DemoService& DemoService::Other() {
    static DemoService service;
    return service;
}

void DemoService::Start(const String& Name, const String& Host) {
    String dir = ArtifactDir();
    String address = dir + "/" + Name + "-address";
    FLog = dir + "/" + Name + "-requests.log";
    FMisbehave = dir + "/" + Name + "-misbehave.json";
    ::unlink(address.c_str());
    ::unlink(FLog.c_str());
    ::unlink(FMisbehave.c_str());
    std::vector<String> args = {KV_PYTHON, KV_DEMO_SERVICE, "--port", "0",           "--address-file",
                                address,   "--log",         FLog,     "--misbehave", FMisbehave};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, KV_PYTHON, nullptr, nullptr, argv.data(), environ) != 0) {
        FProblem = "cannot start the demo service";
        return;
    }
    FPid = pid;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        String text = ReadAll(address);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
        if (text.rfind("http://127.0.0.1:", 0) == 0) {
            FBase = "http://" + Host + text.substr(16);
            if (FBase.back() != '/') FBase += '/';
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    FProblem = "the demo service did not report its address";
    Stop();
}

void DemoService::Stop() {
    if (FPid > 0) {
        ::kill(FPid, SIGTERM);
        int status = 0;
        ::waitpid(FPid, &status, 0);
    }
    FPid = 0;
    FBase.clear();
}

std::vector<LogEntry> DemoService::RequestsFor(const String& path) const {
    // The log holds a JSON object per request; Python's reader turns each into its method, address,
    // content type, body and field names and values, separated by 0x1F, one request per 0x1E.
    const String script = "import json,sys\n"
                          "for l in open(sys.argv[1],encoding='utf-8'):\n"
                          " e=json.loads(l);f=e.get('fields') or {}\n"
                          " v=[e.get(k) or '' for k in ('method','path','content_type','body')]\n"
                          " sys.stdout.write('\\x1f'.join(v+[x for p in f.items() for x in p])+'\\x1e')\n";
    std::vector<LogEntry> out;
    FILE* p = ::popen((String(KV_PYTHON) + " -c \"" + script + "\" '" + FLog + "'").c_str(), "r");
    if (!p) return out;
    String text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        text.append(buf, n);
    ::pclose(p);
    std::stringstream records(text);
    for (String record; std::getline(records, record, '\x1e');) {
        std::vector<String> v;
        std::stringstream parts(record);
        for (String part; std::getline(parts, part, '\x1f');)
            v.push_back(part);
        v.resize(std::max<std::size_t>(v.size() + v.size() % 2, 4));
        LogEntry e{v[0], v[1], v[2], v[3], {}};
        for (std::size_t i = 4; i + 1 < v.size(); i += 2)
            e.Fields[v[i]] = v[i + 1];
        if (path.empty() || e.Path.substr(0, e.Path.find('?')) == path) out.push_back(std::move(e));
    }
    return out;
}

String DemoService::Fetch(const String& page, const String& body) const {
    SoupSession* session = soup_session_new();
    SoupMessage* msg = soup_message_new(body.empty() ? "GET" : "POST", (FBase + page).c_str());
    String out;
    if (msg) {
        if (!body.empty()) {
            GBytes* bytes = g_bytes_new(body.data(), body.size());
            soup_message_set_request_body_from_bytes(msg, "application/x-www-form-urlencoded", bytes);
            g_bytes_unref(bytes);
        }
        GError* error = nullptr;
        GBytes* reply = soup_session_send_and_read(session, msg, nullptr, &error);
        if (reply) {
            gsize size = 0;
            const char* data = static_cast<const char*>(g_bytes_get_data(reply, &size));
            out.assign(data ? data : "", size);
            g_bytes_unref(reply);
        }
        if (error) g_error_free(error);
        g_object_unref(msg);
    }
    g_object_unref(session);
    return out;
}

void DemoService::Misbehave(const String& json) const {
    vcl::WriteFileAtomic(FMisbehave, json, 0600);
}

void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& pred, int ms) {
    // A timer keeps the loop turning when nothing else happens.
    win::UINT_PTR timer = win::SetTimer(nullptr, 0, 20, nullptr);
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    bool ok = pred();
    while (!ok && std::chrono::steady_clock::now() < end) {
        vcl::Application->HandleMessage();
        ok = pred();
    }
    win::KillTimer(nullptr, timer);
    return ok;
}

bool Xdo(const String& args) {
    return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

bool FocusNativeWindow(void* rootWindow) {
    auto* widget = static_cast<GtkWidget*>(vcl::webhost::GtkWindowOf(rootWindow));
    GdkWindow* gdk = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!gdk) return false;
    return Xdo("windowfocus --sync " + std::to_string(gdk_x11_window_get_xid(gdk)));
}

int UnusedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd); // bound but never listening: connections are refused
    return port;
}

String TitleOf(const String& html) {
    auto b = html.find("<title>");
    auto e = html.find("</title>");
    if (b == String::npos || e == String::npos || e < b) return String();
    return html.substr(b + 7, e - b - 7);
}

namespace {
GdkPixbuf* Grab(const vcl::TRect& r) {
    return gdk_pixbuf_get_from_window(gdk_get_default_root_window(), r.Left, r.Top, r.Width(), r.Height());
}
} // namespace

bool ScreenshotToPng(const vcl::TRect& r, const String& path) {
    GdkPixbuf* pb = Grab(r);
    if (!pb) return false;
    bool ok = gdk_pixbuf_save(pb, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(pb);
    return ok;
}

bool AreaHasManyColours(const vcl::TRect& r, vcl::TPoint origin) {
    GdkPixbuf* pb = Grab(r);
    if (!pb) return false;
    int w = gdk_pixbuf_get_width(pb), h = gdk_pixbuf_get_height(pb);
    int stride = gdk_pixbuf_get_rowstride(pb), n = gdk_pixbuf_get_n_channels(pb);
    const guchar* px = gdk_pixbuf_read_pixels(pb);
    std::set<unsigned> colours;
    for (int y = std::max(0, origin.Y - r.Top); y < h; y += 3)
        for (int x = std::max(0, origin.X - r.Left); x < w; x += 3) {
            const guchar* p = px + y * stride + x * n;
            colours.insert((unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2]);
        }
    g_object_unref(pb);
    return colours.size() > 8;
}

} // namespace kvweb
