#pragma once
// The standard controls in one include: labels, edits, buttons, check boxes and radio buttons, group
// boxes, list boxes, combo boxes and scroll bars.

#include "platform/vcl/Button.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/ListBox.h"
#include "platform/vcl/ScrollBar.h"

namespace vcl {

// Registers the standard controls with the class registry (the layout reader finds them by name). Each
// unit registers its classes at start-up as well; calling this is harmless and keeps a linker that drops
// unreferenced object files from losing them.
void RegisterStdCtrlsClasses();

} // namespace vcl
