#pragma once
// The settings a toolbar customizer carries: the commands its dialog offers as new buttons, which button
// properties the user may edit, which list operations the dialog allows, the texts and switches of both
// dialogs; and TATBItemProp, the data of one entry of the customize dialog's item list.

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Events.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/Control.h"

namespace AdvToolBar {

// A command the dialog offers as a new toolbar button.
class TATBCommand : public vcl::TCollectionItem {
    KV_CLASS(TATBCommand, vcl::TCollectionItem)
    KV_PUBLISHED_PROPERTIES(TATBCommand)
public:
    explicit TATBCommand(vcl::TCollection* Collection) : vcl::TCollectionItem(Collection) {}

    // The caption names the buttons made from the command, so blanks are stored as "_".
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // Index of the command's image in the toolbar's image list; negative: no image.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value) { FItemIndex = Value; }
    vcl::TBasicAction* Action() const { return FAction; }
    // The customizer is told when the action is freed, and clears it.
    void SetAction(vcl::TBasicAction* Value);
    // From another command: Caption and OnExecute (not ItemIndex, not Action).
    void Assign(vcl::TPersistent* Source) override;

    // Becomes the OnClick of the buttons made from the command.
    vcl::TNotifyEvent OnExecute;

private:
    String FCaption;
    int FItemIndex = -1;
    vcl::TBasicAction* FAction = nullptr;
};

class TATBCommands : public vcl::TCollection {
    KV_CLASS(TATBCommands, vcl::TCollection)
public:
    explicit TATBCommands(vcl::TPersistent* AOwner)
        : vcl::TCollection(vcl::ItemClassOf<TATBCommand>(), AOwner) {}
    TATBCommand* Add() { return static_cast<TATBCommand*>(vcl::TCollection::Add()); }
    TATBCommand* Insert(int Index) { return static_cast<TATBCommand*>(vcl::TCollection::Insert(Index)); }
    TATBCommand* Items(int Index) const { return static_cast<TATBCommand*>(GetItem(Index)); }
    void SetItems(int Index, TATBCommand* Value) { SetItem(Index, Value); }
};

// Which button properties the user may edit and the file keeps.
class TButtonProperties : public vcl::TPersistent {
    KV_CLASS(TButtonProperties, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TButtonProperties)
public:
    TButtonProperties() = default;
    void Assign(vcl::TPersistent* Source) override;

    bool Caption() const { return FCaption; }
    void SetCaption(bool Value) { Store(FCaption, Value); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { Store(FShowCaption, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }
    bool Hint() const { return FHint; }
    void SetHint(bool Value) { Store(FHint, Value); }
    bool Glyph() const { return FGlyph; }
    void SetGlyph(bool Value) { Store(FGlyph, Value); }
    bool Any() const { return FCaption || FShowCaption || FVisible || FHint || FGlyph; }

    vcl::TNotifyEvent OnChange;

private:
    void Store(bool& Field, bool Value);
    bool FCaption = true;
    bool FShowCaption = true;
    bool FVisible = false;
    bool FHint = true;
    bool FGlyph = true;
};

// Which list operations the customize dialog allows.
class TCustomizedOptions : public vcl::TPersistent {
    KV_CLASS(TCustomizedOptions, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TCustomizedOptions)
public:
    TCustomizedOptions() = default;
    void Assign(vcl::TPersistent* Source) override;

    bool AddButton() const { return FAddButton; }
    void SetAddButton(bool Value) { Store(FAddButton, Value); }
    bool ReOrder() const { return FReOrder; }
    void SetReOrder(bool Value) { Store(FReOrder, Value); }
    bool Delete() const { return FDelete; }
    void SetDelete(bool Value) { Store(FDelete, Value); }
    bool DeleteAll() const { return FDeleteAll; }
    void SetDeleteAll(bool Value) { Store(FDeleteAll, Value); }
    bool AddSeparator() const { return FAddSeparator; }
    void SetAddSeparator(bool Value) { Store(FAddSeparator, Value); }

    vcl::TNotifyEvent OnChange;

private:
    void Store(bool& Field, bool Value);
    bool FAddButton = true;
    bool FReOrder = true;
    bool FDelete = true;
    bool FDeleteAll = false;
    bool FAddSeparator = true;
};

// Texts and switches of the customize dialog and the button dialog. Storing a value is all a write does.
class TDialogSettings : public vcl::TPersistent {
    KV_CLASS(TDialogSettings, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TDialogSettings)
public:
    TDialogSettings() = default;
    // From other settings: every text but Customize, and EditCaption, LargeIcon and EditGlyphPosition
    // (EditGlyph stays).
    void Assign(vcl::TPersistent* Source) override;
    void Change() {}

    String ToolBarLabel = "ToolBar Items:";
    String CommandLabel = "Commands";
    String CaptionLabel = "Caption";
    String GlyphPosLabel = "Glyph Position";
    String LargeIconCheck = "Large Icon";
    String TopHint = "Move to Top";
    String UpHint = "Move Up";
    String DownHint = "Move Down";
    String BottomHint = "Move to Bottom";
    String AddHint = "Add Item";
    String AddSeparatorHint = "Add Separator";
    String DeleteHint = "Delete Item";
    String DeleteAllHint = "Delete All";
    String EditHint = "Edit Item";
    String Caption = "Customizer";
    String ButtonEditCaption = "Customize Button";
    String ButtonEditCaptionLabel = "Caption";
    String ButtonEditHintLabel = "Hint";
    String ButtonEditIconLabel = "Icon";
    String ButtonEditCaptionCheck = "Show Caption";
    String ButtonEditVisibleCheck = "Visible";
    bool EditGlyph = true;
    bool EditCaption = true;
    bool EditGlyphPosition = true;
    bool LargeIcon = false;
    String Customize = "Customize";

    vcl::TNotifyEvent OnChange;
};

// One entry of the customize dialog's item list: the toolbar control it stands for (null for an entry
// added in the dialog) and the values the user edits, applied to the toolbar only through the file.
class TATBItemProp : public vcl::TObject {
    KV_CLASS(TATBItemProp, vcl::TObject)
public:
    TATBItemProp() = default;

    vcl::TControl* Control = nullptr;
    bool CustomizerCreated = false;
    bool IsSeparator() const { return FIsSeparator; }
    void SetIsSeparator(bool Value) { FIsSeparator = Value; }
    bool IsATBButton() const { return FIsATBButton; }
    void SetIsATBButton(bool Value) { FIsATBButton = Value; }
    int ImageIndex = -1;
    // For a new separator: its component name.
    String Caption;
    bool ShowCaption = false;
    String Hint;
    bool Visible = true;
    int CommandIndex = -1;
    bool ForceImage = false;
    bool GlowButton = false;

    // The entry stands for a toolbar button or a glow button (on the toolbar or new).
    bool IsButtonEntry() const;

private:
    bool FIsSeparator = false;
    bool FIsATBButton = false;
};

} // namespace AdvToolBar
