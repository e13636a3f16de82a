#include "components/toolbar/AdvToolBar.h"

#include "platform/classes/ClassRegistry.h"

namespace AdvToolBar {

void RegisterAdvToolBarClasses() {
    vcl::RegisterClasses({vcl::ClassEntry<TAdvDockPanel>(), vcl::ClassEntry<TAdvToolBar>(),
                          vcl::ClassEntry<TAdvToolBarSeparator>(), vcl::ClassEntry<TAdvToolBarContainer>(),
                          vcl::ClassEntry<TAdvToolBarButton>(), vcl::ClassEntry<TAdvToolBarMenuButton>(),
                          vcl::ClassEntry<TAdvGlowMenuButton>(), vcl::ClassEntry<TAdvToolBarCustomizer>(),
                          vcl::ClassEntry<TAdvToolBarPager>(), vcl::ClassEntry<TAdvPage>(),
                          vcl::ClassEntry<TAdvQuickAccessToolBar>(),
                          vcl::ClassEntry<AdvToolBarStylers::TAdvToolBarOfficeStyler>(),
                          vcl::ClassEntry<AdvToolBarStylers::TAdvToolBarFantasyStyler>()});
}

} // namespace AdvToolBar
