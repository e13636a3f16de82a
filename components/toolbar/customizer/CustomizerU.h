#pragma once
// TCustomizerForm: the modal dialog of the toolbar customizer. It shows the toolbar's items as a list
// that the user edits without touching the toolbar (reorder, add buttons made from commands, add
// separators and glow buttons, delete, clear, edit one button) and the toolbar's caption, glyph position
// and icon size. OK writes the edited list into the file's user section and marks the dialog modified;
// the customizer then rebuilds the toolbar from the file. "&Reset" (modal result 9) asks for the
// toolbar as designed.

#include <memory>
#include <vector>

#include "components/toolbar/customizer/AdvToolBarCustomizer.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/Buttons.h"
#include "platform/vcl/CheckBox.h"
#include "platform/vcl/ComboBox.h"
#include "platform/vcl/Edit.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GroupBox.h"
#include "platform/vcl/Label.h"
#include "platform/vcl/ListBox.h"

namespace AdvToolBar {

class TCustomizerForm : public vcl::TForm {
    KV_CLASS(TCustomizerForm, vcl::TForm)
    KV_PUBLISHED_PROPERTIES(TCustomizerForm)
public:
    static constexpr vcl::TModalResult mrReset = 9;

    explicit TCustomizerForm(vcl::TComponent* AOwner);
    ~TCustomizerForm() override;

    vcl::TGroupBox* GroupBox1 = nullptr;
    vcl::TLabel* LblToolbarItems = nullptr;
    vcl::TLabel* LblCommands = nullptr;
    vcl::TListBox* LstBxToolBarItems = nullptr;
    vcl::TSpeedButton* TopButton = nullptr;
    vcl::TSpeedButton* UpButton = nullptr;
    vcl::TSpeedButton* DownButton = nullptr;
    vcl::TSpeedButton* BottomButton = nullptr;
    vcl::TSpeedButton* AddButton = nullptr;
    vcl::TSpeedButton* AddGlowButton = nullptr;
    vcl::TSpeedButton* SeparatorButton = nullptr;
    vcl::TSpeedButton* DeleteButton = nullptr;
    vcl::TSpeedButton* ClearButton = nullptr;
    vcl::TSpeedButton* BtnEdit = nullptr;
    vcl::TListBox* LstBxCommand = nullptr;
    vcl::TComboBox* CmBxIcon = nullptr;
    vcl::TGroupBox* GroupBox2 = nullptr;
    vcl::TLabel* LblCaption = nullptr;
    vcl::TEdit* EdtCaption = nullptr;
    vcl::TLabel* LblGlphPos = nullptr;
    vcl::TComboBox* CmBxGlphPos = nullptr;
    vcl::TCheckBox* ChkLargeIcon = nullptr;
    vcl::TButton* BtnOk = nullptr;
    vcl::TButton* BtnCancel = nullptr;
    vcl::TButton* BtnReset = nullptr;

    // Set by the customizer before LoadComponents.
    TAdvToolBarCustomizer* Customizer = nullptr;
    bool Modified() const { return FModified; }
    bool Loading() const { return FLoading; }

    // Fills the dialog from the toolbar.
    void LoadComponents();
    // Enables the buttons for the selection.
    void SetComponents();
    // Lays out the caption group (and shrinks the form when the group has nothing to show).
    void UpdateComponentPos();
    // Shows or hides the toolbar caption row and the glyph-position row.
    void SetCaptionRow(bool Value);
    void SetGlyphPosition(bool Value);
    // Sets the modified flag, except while loading.
    void SetModified();
    // Writes the file's user section from the item list.
    void SaveChanges();
    // The entry data of item Index (null for a control of another class).
    TATBItemProp* ItemProp(int Index) const;

    void FormCreate(vcl::TObject* Sender);
    void FormDestroy(vcl::TObject* Sender);
    void TopButtonClick(vcl::TObject* Sender);
    void UpButtonClick(vcl::TObject* Sender);
    void DownButtonClick(vcl::TObject* Sender);
    void BottomButtonClick(vcl::TObject* Sender);
    void AddButtonClick(vcl::TObject* Sender);
    void AddGlowButtonClick(vcl::TObject* Sender);
    void SeparatorButtonClick(vcl::TObject* Sender);
    void DeleteButtonClick(vcl::TObject* Sender);
    void ClearButtonClick(vcl::TObject* Sender);
    void BtnEditClick(vcl::TObject* Sender);
    void OkBitBtnClick(vcl::TObject* Sender);
    void LstBxCommandClick(vcl::TObject* Sender);
    void LstBxToolBarItemsClick(vcl::TObject* Sender);
    void LstBxToolBarItemsDblClick(vcl::TObject* Sender);
    void LstBxToolBarItemsMouseUp(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift,
                                  int X, int Y);
    void LstBxToolBarItemsDragOver(vcl::TObject* Sender, vcl::TObject* Source, int X, int Y,
                                   vcl::TDragState State, bool& Accept);
    void LstBxToolBarItemsDragDrop(vcl::TObject* Sender, vcl::TObject* Source, int X, int Y);
    void LstBxToolBarItemsDrawItem(vcl::TWinControl* Control, int Index, vcl::TRect Rect,
                                   vcl::TOwnerDrawState State);
    void CmBxIconDrawItem(vcl::TWinControl* Control, int Index, vcl::TRect Rect, vcl::TOwnerDrawState State);
    void EdtCaptionChange(vcl::TObject* Sender);
    void CmBxGlphPosChange(vcl::TObject* Sender);
    void ChkLargeIconClick(vcl::TObject* Sender);

private:
    TAdvToolBar* ToolBar() const;
    // Inserts a new entry after the selection (or at the end) and selects it.
    void InsertEntry(const String& Text, TATBItemProp* Prop);
    // A component name for a new entry: Base, or Base followed by the first number from 1 up, that no
    // toolbar control and no other entry of the list bears.
    String FreeEntryName(const String& Base, bool Numbered) const;
    // The name an entry is saved under.
    String EntryName(int Index) const;
    void DeleteEntry(int Index);
    void MoveEntry(int From, int To, bool Select);
    // A new entry's data, owned by the dialog.
    TATBItemProp* NewProp();

    std::vector<std::unique_ptr<TATBItemProp>> FProps;

    bool FModified = false;
    bool FLoading = true;
    bool FCanEdit = false;
};

} // namespace AdvToolBar
