#pragma once
// The sample dialog of the controls layer, read from its layout: labelled edits on a bevelled panel, a
// radio group, a group box with a check box, a divider, OK and Cancel. Shared by the offscreen UI tests,
// the end-to-end test on the GTK backend and the start-up probe, so that all of them show the same form.
//
//     TComponentPtr<sample::TSampleForm> form(new sample::TSampleForm(Application));
//     form->ShowModal();

#include "platform/vcl/Bevel.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/LabeledEdit.h"
#include "platform/vcl/Panel.h"
#include "platform/vcl/RadioGroup.h"

namespace sample {

// The layout text (also registered as the form's resource "TSAMPLEFORM").
extern const char* const kSampleLayout;

class TSampleForm : public vcl::TForm {
    KV_CLASS(TSampleForm, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(TSampleForm)
public:
    // Reads the layout; OnCreate runs at its end.
    explicit TSampleForm(vcl::TComponent* AOwner);

    vcl::TPanel* AccountPanel = nullptr;
    vcl::TLabeledEdit* UserEdit = nullptr;
    vcl::TLabeledEdit* PasswordEdit = nullptr;
    vcl::TRadioGroup* ServerGroup = nullptr;
    vcl::TGroupBox* OptionsGroup = nullptr;
    vcl::TCheckBox* RememberCheck = nullptr;
    vcl::TBevel* Divider = nullptr;
    vcl::TButton* OkButton = nullptr;
    vcl::TButton* CancelButton = nullptr;

    int Creates = 0;               // times OnCreate ran
    bool ReadBeforeCreate = false; // every control was there when OnCreate ran
    int RefusedCloses = 0;         // OKs refused for want of a user name

    void FormCreate(vcl::TObject* Sender);
    // OK needs a user name: without one the dialog says so and stays up.
    void FormCloseQuery(vcl::TObject* Sender, bool& CanClose);
};

} // namespace sample
