#pragma once
// The menus in one include: items, main and popup menus, shortcut texts.

#include "platform/vcl/Menu.h"
#include "platform/vcl/MenuItem.h"
#include "platform/vcl/ShortCut.h"
