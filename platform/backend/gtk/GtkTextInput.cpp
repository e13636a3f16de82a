// A native window's input method context.

#include "platform/backend/gtk/GtkTextInput.h"

#include <utility>

#include "platform/backend/gtk/GtkGuard.h"

namespace gtkbackend {

GtkTextInput::GtkTextInput(GtkWidget* window, TCommit commit)
    : FWindow(window), FContext(gtk_im_multicontext_new()), FCommit(std::move(commit)) {
    // The input method shows its composition itself (beside the caret), as the platform's does.
    gtk_im_context_set_use_preedit(FContext, FALSE);
    gtk_im_context_set_client_window(FContext, gtk_widget_get_window(FWindow));
    g_signal_connect(FContext, "commit", G_CALLBACK(OnCommit), this);
    g_signal_connect(FContext, "preedit-changed", G_CALLBACK(OnPreeditChanged), this);
}

GtkTextInput::~GtkTextInput() {
    g_signal_handlers_disconnect_by_data(FContext, this);
    if (FFocused) gtk_im_context_focus_out(FContext);
    gtk_im_context_set_client_window(FContext, nullptr);
    g_object_unref(FContext);
}

bool GtkTextInput::Filter(GdkEventKey* e) {
    const bool wasComposing = FComposing;
    FFiltering = true;
    FHeld.clear();
    const bool taken = gtk_im_context_filter_keypress(FContext, e);
    FFiltering = false;
    std::u32string held = std::move(FHeld);
    FHeld.clear();
    // A key that typed just its own character, with nothing being composed, stays a key: the window system
    // makes its key messages and its character itself, so that shortcuts and key handlers see it.
    if (taken && e->type == GDK_KEY_PRESS && !wasComposing && held.size() == 1 &&
        held[0] == gdk_keyval_to_unicode(e->keyval))
        return false;
    for (char32_t c : held)
        FCommit(c);
    return taken;
}

void GtkTextInput::SetFocused(bool focused) {
    if (FFocused == focused) return;
    FFocused = focused;
    if (focused)
        gtk_im_context_focus_in(FContext);
    else
        gtk_im_context_focus_out(FContext);
}

void GtkTextInput::Reset() {
    gtk_im_context_reset(FContext);
    FComposing = false;
}

void GtkTextInput::SetCaret(const std::optional<vcl::TRect>& caret) {
    if (!caret) return;
    GdkRectangle r{caret->Left, caret->Top, caret->Width(), caret->Height()};
    gtk_im_context_set_cursor_location(FContext, &r);
}

void GtkTextInput::Committed(const char* text) {
    if (!text || !g_utf8_validate(text, -1, nullptr)) return;
    for (const char* p = text; *p; p = g_utf8_next_char(p)) {
        char32_t c = g_utf8_get_char(p);
        if (FFiltering)
            FHeld.push_back(c);
        else
            FCommit(c);
    }
}

void GtkTextInput::OnCommit(GtkIMContext*, gchar* text, gpointer self) {
    GuardedVoid([&] { static_cast<GtkTextInput*>(self)->Committed(text); });
}

void GtkTextInput::OnPreeditChanged(GtkIMContext* context, gpointer self) {
    gchar* text = nullptr;
    gtk_im_context_get_preedit_string(context, &text, nullptr, nullptr);
    static_cast<GtkTextInput*>(self)->FComposing = text && *text;
    g_free(text);
}

} // namespace gtkbackend
