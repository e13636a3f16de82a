#pragma once
// Writing form layouts in the text form format that LayoutReader reads back.
//
// The root is written with its published properties that differ from their declared defaults
// (strings differ from '', floats from 0 unless declared otherwise, ordinals declared without a
// default are always written; empty string lists, empty collections and binary data without data are
// left out), then the components its GetChildren reports, each nested in turn with the ones its own
// GetChildren reports. Events are written with the handler names the reader bound them to; events set
// in code have no name and are left out. References to components of other owners are written as
// "Owner.Name", which the reader does not accept.

#include "platform/classes/Component.h"

namespace vcl {

String WriteComponentToText(TComponent* Root);

// The text form of one value, as written into a layout: 'it''s'#13#10, [fsBold, fsItalic], clRed.
String QuoteLayoutString(const String& S);

} // namespace vcl
