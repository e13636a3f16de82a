#pragma once
// The framework's graphics: drawing objects, canvas, graphics, bitmaps, icons and pictures.

#include "platform/rtl/Colors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsCore.h"
#include "platform/vcl/GraphicsImage.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Picture.h"
