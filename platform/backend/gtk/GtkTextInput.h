#pragma once
// Text input of a native window through GTK's input method context: dead keys and compose sequences on
// any keyboard layout (the simple context), or the input method the desktop sets. A key the context takes
// reaches the window system as the text it commits, one Char event per character, and not as a key; a key
// it leaves alone goes on as a key, as does a key that simply typed its own character. The composition
// under way (the pre-edit) is the input method's to show; nothing of it reaches the window system until it
// is committed. The context follows the window's focus and knows where the caret is, for its candidate
// window.

#include <gtk/gtk.h>

#include <functional>
#include <optional>

#include "platform/backend/Backend.h"

namespace gtkbackend {

class GtkTextInput {
public:
    using TCommit = std::function<void(char32_t)>;
    // window: the GTK window whose GDK window is the context's client; commit: one committed character.
    GtkTextInput(GtkWidget* window, TCommit commit);
    ~GtkTextInput();
    GtkTextInput(const GtkTextInput&) = delete;
    GtkTextInput& operator=(const GtkTextInput&) = delete;

    // A key press or release: true when the context took it (its text, if any, went out committed), false
    // when it goes on as a key.
    bool Filter(GdkEventKey* e);
    // The window got or lost the keyboard.
    void SetFocused(bool focused);
    void Reset();
    // The caret in window coordinates; none: the window has no caret.
    void SetCaret(const std::optional<vcl::TRect>& caret);

private:
    static void OnCommit(GtkIMContext*, gchar* text, gpointer self);
    static void OnPreeditChanged(GtkIMContext*, gpointer self);
    void Committed(const char* text);

    GtkWidget* FWindow;
    GtkIMContext* FContext;
    TCommit FCommit;
    bool FFiltering = false; // inside Filter: commits are held until the key's fate is known
    std::u32string FHeld;    // what was committed during Filter
    bool FComposing = false; // a pre-edit is under way
    bool FFocused = false;
};

} // namespace gtkbackend
