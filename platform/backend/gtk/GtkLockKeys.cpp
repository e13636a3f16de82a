// Lock-key toggles into the window system's keyboard state.

#include "platform/backend/gtk/GtkLockKeys.h"

#include "platform/win/Input.h"

namespace gtkbackend {

void SyncLockToggles(bool capsLock, bool numLock, bool scrollLock) {
    win::BYTE keys[256];
    if (!win::GetKeyboardState(keys)) return;
    auto set = [&](unsigned vk, bool on) {
        keys[vk] = static_cast<win::BYTE>((keys[vk] & ~1u) | (on ? 1u : 0u));
    };
    set(win::VK_CAPITAL, capsLock);
    set(win::VK_NUMLOCK, numLock);
    set(win::VK_SCROLL, scrollLock);
    win::SetKeyboardState(keys);
}

} // namespace gtkbackend
