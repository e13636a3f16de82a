#pragma once
// The framework's forms unit in one include: forms and frames, the application, the screen and the
// mouse, and the hint window.

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/Screen.h"
