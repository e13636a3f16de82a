#pragma once
// The lock keys' toggle states as the keyboard has them, handed to the window system's key state. Kept
// apart from the GTK sources: the window system's headers and GLib's both define TRUE and FALSE.

namespace gtkbackend {

// Sets the toggle bits of Caps Lock, Num Lock and Scroll Lock in the window system's keyboard state
// (GetKeyState), leaving every other key as it is.
void SyncLockToggles(bool capsLock, bool numLock, bool scrollLock);

} // namespace gtkbackend
