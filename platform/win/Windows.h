#pragma once
// The window system and GDI in one include: windows, messages, input, metrics, drawing.

#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/MenuHooks.h"
#include "platform/win/Messages.h"
#include "platform/win/Metrics.h"
#include "platform/win/Region.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"
