#pragma once
// The framework's controls unit in one include: messages and records, TControl, TWinControl,
// TGraphicControl, TCustomControl and TControlCanvas.

#include "platform/vcl/Control.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/WinControl.h"
