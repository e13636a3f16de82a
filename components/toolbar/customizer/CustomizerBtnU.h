#pragma once
// TCusBtnForm: the small modal dialog in which the user edits one button entry of the customize dialog's
// item list: caption, hint, icon, visibility and whether the caption shows. It changes the entry only;
// the toolbar follows when the customize dialog is confirmed.

#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/Label.h"

namespace AdvToolBar {

class TCusBtnForm : public vcl::TForm {
    KV_CLASS(TCusBtnForm, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(TCusBtnForm)
public:
    explicit TCusBtnForm(vcl::TComponent* AOwner);
    ~TCusBtnForm() override;

    vcl::TGroupBox* GroupBox1 = nullptr;
    vcl::TLabel* LblBtnCaption = nullptr;
    vcl::TEdit* EdtBtnCaption = nullptr;
    vcl::TLabel* LblBtnHint = nullptr;
    vcl::TEdit* EdtBtnHint = nullptr;
    vcl::TLabel* LblGlyph = nullptr;
    vcl::TComboBox* CmBxGlyph = nullptr;
    vcl::TCheckBox* ChkBtnShowCap = nullptr;
    vcl::TCheckBox* ChkBtnVis = nullptr;
    vcl::TButton* BtnOk = nullptr;
    vcl::TButton* BtnCancel = nullptr;

    // Set by the customize dialog.
    TAdvToolBarCustomizer* Customizer = nullptr;

    void OkBitBtnClick(vcl::TObject* Sender);
    void CmBxGlyphDrawItem(vcl::TWinControl* Control, int Index, vcl::TRect Rect, vcl::TOwnerDrawState State);
};

// The button dialog while it is open (null otherwise).
extern TCusBtnForm* CusBtnForm;

} // namespace AdvToolBar
