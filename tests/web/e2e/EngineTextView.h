#pragma once
// A view of the engine's own that shows bytes as a page, or loads an address, and tells what the engine read
// them as: for comparing the markup reader with the installed engine.

#include <unistd.h>
#include <webkit2/webkit2.h>

#include <chrono>

#include "platform/rtl/Types.h"
#include "tests/web/e2e/OwnEngineView.h"

namespace kvweb {

using vcl::String;

// A view of the engine's own, in a window off the screen, that shows bytes as a page and tells what it
// read them as.
class TextView {
public:
    TextView() {
        g_signal_connect(FEngine.View(), "load-changed", G_CALLBACK(OnChanged), this);
        g_signal_connect(FEngine.View(), "load-failed", G_CALLBACK(OnFailed), this);
    }
    TextView(const TextView&) = delete;
    TextView& operator=(const TextView&) = delete;

    struct Read {
        String Encoding; // document.characterSet ("<failed>" when the load failed)
        String Text;     // the body's text (the document's, when it has no body)
        String Type;     // document.contentType
    };

    // Bytes as a page of that type with that charset (none when Charset is null). A data: address carries
    // both, as an answer's header does.
    Read Show(const String& Bytes, const char* Charset, const String& Type = "text/html") {
        static const char* const Hex = "0123456789ABCDEF";
        String url = "data:" + Type + (Charset ? ";charset=" + String(Charset) : String()) + ",";
        for (const unsigned char c : Bytes)
            url += String{'%', Hex[c >> 4], Hex[c & 15]};
        return Load(url);
    }

    // Bytes as an HTML page in that encoding, handed to the engine as they are: a large page is three times
    // its size as a data: address.
    Read ShowBytes(const String& Bytes, const char* Charset) {
        GBytes* bytes = g_bytes_new(Bytes.data(), Bytes.size());
        Begin();
        webkit_web_view_load_bytes(FEngine.View(), bytes, "text/html", Charset, nullptr);
        g_bytes_unref(bytes);
        return Finish();
    }

    // The page at Url.
    Read Load(const String& Url) {
        Begin();
        webkit_web_view_load_uri(FEngine.View(), Url.c_str());
        return Finish();
    }

    // What the last page's answer gave the browser control to read it by (as the control takes them): its
    // Content-Type header as the HTTP library hands it over, its lines joined, and the type the engine gave
    // the answer; both empty for an answer without the header.
    struct Answer {
        String ContentType;
        String EngineType;
    };
    Answer LastAnswer() const {
        Answer a;
        if (WebKitWebResource* page = webkit_web_view_get_main_resource(FEngine.View()))
            if (WebKitURIResponse* response = webkit_web_resource_get_response(page))
                if (SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response))
                    if (const char* type = soup_message_headers_get_one(headers, "Content-Type")) {
                        a.ContentType = type;
                        if (const char* mime = webkit_uri_response_get_mime_type(response))
                            a.EngineType = mime;
                    }
        return a;
    }

private:
    void Begin() {
        FFinished = false;
        FFailed = false;
    }
    Read Finish() {
        if (!Until([this] { return FFinished; })) return {"<no load>", "", ""};
        if (FFailed) return {"<failed>", "", ""};
        FAnswer.clear();
        FAnswered = false;
        webkit_web_view_evaluate_javascript(
            FEngine.View(),
            "document.characterSet + '\\n' + document.contentType + '\\n' + "
            "((document.body || document.documentElement || {}).textContent || '')",
            -1, nullptr, nullptr, nullptr, OnEvaluated, this);
        if (!Until([this] { return FAnswered; })) return {"<no answer>", "", ""};
        const std::size_t line = FAnswer.find('\n'), next = FAnswer.find('\n', line + 1);
        if (next == String::npos) return {"<no answer>", "", ""};
        return {FAnswer.substr(0, line), FAnswer.substr(next + 1), FAnswer.substr(line + 1, next - line - 1)};
    }

    // (A large page may take long on a loaded machine: a page that never loads fails either way.)
    template <class Pred> static bool Until(Pred Done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!Done() && std::chrono::steady_clock::now() < deadline)
            if (!g_main_context_iteration(nullptr, FALSE)) ::usleep(200);
        return Done();
    }
    static void OnChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
        if (event == WEBKIT_LOAD_FINISHED) static_cast<TextView*>(self)->FFinished = true;
    }
    static gboolean OnFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer self) {
        static_cast<TextView*>(self)->FFailed = true;
        return FALSE;
    }
    static void OnEvaluated(GObject* source, GAsyncResult* result, gpointer self) {
        auto* view = static_cast<TextView*>(self);
        if (JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, nullptr)) {
            gchar* text = jsc_value_to_string(value);
            view->FAnswer = text ? text : "";
            g_free(text);
            g_object_unref(value);
        }
        view->FAnswered = true;
    }
    kvweb::OwnEngineView FEngine;
    bool FFinished = false;
    bool FFailed = false;
    bool FAnswered = false;
    String FAnswer;
};

} // namespace kvweb
