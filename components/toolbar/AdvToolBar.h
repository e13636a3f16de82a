#pragma once
// The toolbar unit: dock panel, toolbars, separators, containers, the pager and its pages and the
// toolbar styler; plus the office styler unit. Include this header to use any of them.

#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "components/toolbar/dock/DockPanel.h"
#include "components/toolbar/dock/FloatingWindow.h"
#include "components/toolbar/dock/Persistence.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarContainer.h"
#include "components/toolbar/dock/ToolBarControl.h"
#include "components/toolbar/dock/ToolBarMenuButton.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarForm.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "components/toolbar/pager/VistaButtons.h"
#include "components/toolbar/styler/AdvToolBarStylers.h"
#include "components/toolbar/styler/ToolBarStyler.h"

namespace AdvToolBar {

// Registers the layout classes of the toolbar unit and of the office styler unit by name. Safe to call
// more than once; the application calls it at start-up so that no class is lost to the linker.
void RegisterAdvToolBarClasses();

} // namespace AdvToolBar
