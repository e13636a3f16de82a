#pragma once
// The barrier between C callbacks and C++ exceptions.

#include <exception>
#include <utility>

namespace gtkbackend {

// Hands an exception caught in a callback to the application's handler; never throws.
void HandleCallbackException(std::exception_ptr error) noexcept;

// Runs body; an exception goes to the handler and fallback is returned instead.
template <class R, class F> R Guarded(R fallback, F&& body) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        HandleCallbackException(std::current_exception());
        return fallback;
    }
}

template <class F> void GuardedVoid(F&& body) noexcept {
    try {
        std::forward<F>(body)();
    } catch (...) {
        HandleCallbackException(std::current_exception());
    }
}

} // namespace gtkbackend
