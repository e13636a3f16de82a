#pragma once
// The boxes of ours that show while a test runs (a page's questions are modal forms of the program's):
// each is recorded once, with its caption, text and edit, and answered a moment after it shows, as the
// watch is told: OK, Cancel, or not at all (the test answers with real keys). A box nobody answers would
// hold the test in the box's loop for good.

// The window system's headers come before GLib's (TRUE and FALSE).
#include "platform/vcl/Edit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/Screen.h"

#include <glib.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace kvweb {

class BoxWatch {
public:
    struct Box {
        vcl::String Caption, Text, Edit;
    };
    explicit BoxWatch(vcl::TModalResult Answer = vcl::mrOk)
        : FAnswer(Answer), FSource(g_timeout_add(40, Tick, this)) {}
    ~BoxWatch() { g_source_remove(FSource); }
    BoxWatch(const BoxWatch&) = delete;
    BoxWatch& operator=(const BoxWatch&) = delete;

    void AnswerWith(vcl::TModalResult Answer) { FAnswer = Answer; }
    // Runs once for each box, when it is first seen (inside the box's loop).
    std::function<void(vcl::TCustomForm*)> OnShown;
    // The box that is up now, or null.
    static vcl::TCustomForm* Up() {
        for (int i = 0; i < vcl::Screen->FormCount(); ++i)
            if (vcl::TCustomForm* f = vcl::Screen->Forms(i);
                f->FormState().Contains(vcl::fsModal) && f->Visible())
                return f;
        return nullptr;
    }
    std::vector<Box> Seen;

private:
    static vcl::String TextOf(vcl::TCustomForm* f, const char* name) {
        auto* l = dynamic_cast<vcl::TLabel*>(f->FindComponent(name));
        return l ? l->Caption() : vcl::String();
    }
    static gboolean Tick(gpointer self) {
        auto* w = static_cast<BoxWatch*>(self);
        vcl::TCustomForm* f = Up();
        if (f && f->Tag() != kSeen) {
            auto* e = dynamic_cast<vcl::TEdit*>(f->FindComponent("Value"));
            w->Seen.push_back({f->Caption(), TextOf(f, "Message") + TextOf(f, "Prompt"), e ? e->Text() : ""});
            f->SetTag(kSeen);
            if (w->OnShown) w->OnShown(f);
        } else if (f && w->FAnswer != vcl::mrNone) {
            // A tick after it was seen: the box has been drawn, as a user would see it.
            f->SetModalResult(w->FAnswer);
        }
        return G_SOURCE_CONTINUE;
    }
    static constexpr std::intptr_t kSeen = 0x5EE;
    vcl::TModalResult FAnswer;
    guint FSource;
};

} // namespace kvweb
