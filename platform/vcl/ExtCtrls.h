#pragma once
// The extra controls in one include: panels, bevels, radio groups, images and labelled edits.

#include "platform/vcl/Bevel.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/LabeledEdit.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/RadioGroup.h"

namespace vcl {

// Registers the extra controls with the class registry (see RegisterStdCtrlsClasses).
void RegisterExtCtrlsClasses();

} // namespace vcl
