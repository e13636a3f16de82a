#pragma once
// The GTK display backend: real windows on X11. The program's entry calls ChooseBackendForProgram();
// tests and tools may create the backend themselves with CreateGtkBackend().

#include <exception>
#include <functional>
#include <memory>

#include "platform/backend/Backend.h"

namespace gtkbackend {

// Registers the "gtk" factory with the window system (idempotent).
void RegisterGtkBackend();

// Opens the display (X11 only) and returns the backend; raises vcl::Exception when there is no display.
std::unique_ptr<backend::Backend> CreateGtkBackend();

// Which backend a program runs on: the one the KALVENOR_BACKEND variable names, else "gtk". The offscreen
// backend runs only when asked for by name.
vcl::String BackendNameFor(const vcl::String& backendVariable);

// For the program's entry: registers the GTK backend, picks the backend by the environment (see
// BackendNameFor) and installs the GTK one when it is picked (raising vcl::Exception when there is no
// display). Returns the name picked.
vcl::String ChooseBackendForProgram();

// Exceptions never unwind through GLib or GTK: each callback catches them and hands them here. The
// default handler prints the message to standard error and the program carries on; an empty function
// restores it.
using ExceptionHandler = std::function<void(std::exception_ptr)>;
void SetExceptionHandler(ExceptionHandler handler);

// Called after a window's image was put on the screen (start-up measurement, tests waiting for a frame).
using FrameObserver = std::function<void(backend::NativeWindow*)>;
void SetFrameObserver(FrameObserver observer);

} // namespace gtkbackend
