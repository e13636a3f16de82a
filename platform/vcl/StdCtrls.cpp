#include "platform/vcl/StdCtrls.h"

#include "platform/classes/ClassRegistry.h"

namespace vcl {

void RegisterStdCtrlsClasses() {
    RegisterClasses({ClassEntry<TLabel>(), ClassEntry<TEdit>(), ClassEntry<TButton>(),
                     ClassEntry<TCheckBox>(), ClassEntry<TRadioButton>(), ClassEntry<TGroupBox>(),
                     ClassEntry<TListBox>(), ClassEntry<TComboBox>(), ClassEntry<TScrollBar>()});
}

} // namespace vcl
