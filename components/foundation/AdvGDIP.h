#pragma once
// The GDI+ wrapper unit: the one door through which the component library draws with GDI+.
//
// GDI+ is started once for the process before main runs and shut down at its end (see AdvGDIPBase.h).
// Wrapper objects are made and freed within one paint or load; none of them raises on a GDI+ failure:
// each keeps its first failure until GetLastStatus reads it.

#include "components/foundation/AdvGDIPBase.h"     // IWYU pragma: export
#include "components/foundation/AdvGDIPBrushes.h"  // IWYU pragma: export
#include "components/foundation/AdvGDIPGraphics.h" // IWYU pragma: export
#include "components/foundation/AdvGDIPImages.h"   // IWYU pragma: export
#include "components/foundation/AdvGDIPPaths.h"    // IWYU pragma: export
#include "components/foundation/AdvGDIPPen.h"      // IWYU pragma: export
#include "components/foundation/AdvGDIPText.h"     // IWYU pragma: export
#include "components/foundation/AdvGDIPTypes.h"    // IWYU pragma: export
