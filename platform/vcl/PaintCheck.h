#pragma once
// Whether a windowed control and every visible windowed control in it have a window with nothing left
// to paint: a frame presented before that is only the start of the form (its face without its edits,
// say). For start-up measurements and tests that wait for a complete frame.

namespace vcl {

class TWinControl;

bool NothingLeftToPaint(TWinControl* Control);

} // namespace vcl
