// The application's exception handler for callbacks.

#include "platform/backend/gtk/GtkGuard.h"

#include <cstdio>

#include "platform/backend/gtk/GtkBackend.h"

namespace gtkbackend {

namespace {

ExceptionHandler& Handler() {
    static ExceptionHandler handler;
    return handler;
}

void Print(std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kalvenor: error in a display callback: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "kalvenor: unknown error in a display callback\n");
    }
}

} // namespace

void SetExceptionHandler(ExceptionHandler handler) {
    Handler() = std::move(handler);
}

void HandleCallbackException(std::exception_ptr error) noexcept {
    if (!Handler()) {
        Print(error);
        return;
    }
    try {
        Handler()(error);
    } catch (...) {
        // A handler that fails itself cannot be asked again: report both and carry on.
        Print(error);
        Print(std::current_exception());
    }
}

} // namespace gtkbackend
