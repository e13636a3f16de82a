#pragma once
// The graphics device interface: objects, device contexts, regions, drawing, text and icons.

#include "platform/win/GdiDC.h"
#include "platform/win/GdiDraw.h"
#include "platform/win/GdiObject.h"
#include "platform/win/GdiObjects.h"
#include "platform/win/GdiText.h"
#include "platform/win/Icon.h"
#include "platform/win/Region.h"
