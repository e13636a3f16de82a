#include "platform/vcl/ExtCtrls.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/vcl/XPMan.h"

namespace vcl {

void RegisterExtCtrlsClasses() {
    RegisterClasses({ClassEntry<TPanel>(), ClassEntry<TBevel>(), ClassEntry<TRadioGroup>(),
                     ClassEntry<TImage>(), ClassEntry<TLabeledEdit>(), ClassEntry<TXPManifest>()});
}

} // namespace vcl
