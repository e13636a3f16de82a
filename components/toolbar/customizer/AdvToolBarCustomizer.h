#pragma once
// TAdvToolBarCustomizer: a non-visual component that lets the end user rearrange one toolbar's items in
// a modal dialog, keeps the user's layout (and a copy of the toolbar as designed) in an INI file, and lays
// the user's layout over the toolbar every time the toolbar is loaded.
//
// The file holds two sections of the same keys: the user layout in the section named like the
// component, and the design state in Name + "Org". Reading it is input like any other: a missing file,
// section or key, a count that does not match the items, a command number out of range or a class or
// component name that makes no sense never loses a toolbar control and never stops the form loading.

#include <memory>
#include <vector>

#include "components/toolbar/customizer/CustomizerSettings.h"
#include "platform/rtl/IniFiles.h"
#include "platform/vcl/ImgList.h"

namespace AdvToolBar {

class TAdvToolBar;
class TCustomizerForm;

using TCustomizerCanShowEvent = std::function<void(vcl::TObject* Sender, int& X, int& Y, bool& CanShow)>;

class TAdvToolBarCustomizer : public vcl::TComponent {
    KV_CLASS(TAdvToolBarCustomizer, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TAdvToolBarCustomizer)
public:
    explicit TAdvToolBarCustomizer(vcl::TComponent* AOwner);
    ~TAdvToolBarCustomizer() override;

    TAdvToolBar* AdvToolBar() const { return FAdvToolBar; }
    // Unlinks the previous toolbar (only when it points back here) and links the new one.
    void SetAdvToolBar(TAdvToolBar* Value);
    TATBCommands* Commands() const { return FCommands.get(); }
    void SetCommands(TATBCommands* Value) { FCommands->Assign(Value); }
    TButtonProperties* ButtonProperties() const { return FButtonProperties.get(); }
    void SetButtonProperties(TButtonProperties* Value) { FButtonProperties->Assign(Value); }
    TCustomizedOptions* Options() const { return FOptions.get(); }
    void SetOptions(TCustomizedOptions* Value) { FOptions->Assign(Value); }
    TDialogSettings* DialogSettings() const { return FDialogSettings.get(); }
    void SetDialogSettings(TDialogSettings* Value) { FDialogSettings->Assign(Value); }
    bool EnablePersistence() const { return FEnablePersistence; }
    void SetEnablePersistence(bool Value) { FEnablePersistence = Value; }
    // Relative names are taken from the current folder; "\" separators work as "/".
    String FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    vcl::TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(vcl::TCustomImageList* Value);
    vcl::TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(vcl::TCustomImageList* Value);

    // The first control on the toolbar whose name matches (ASCII case ignored); null for an empty name.
    vcl::TControl* GetCtrl(const String& Name) const;
    // Controls the user layout took off the toolbar: alive, not owned here, back only by ResetToolBar.
    int TakenOffCount() const { return FTakenOff->Count(); }
    vcl::TControl* TakenOff(int Index) const { return FTakenOff->At<vcl::TControl>(Index); }

    void InitializeWindow() {}
    // Opens the customize dialog below the toolbar's right end and applies what the user confirms.
    void ShowCustomizer();

    // ---- The INI file
    // Writes the toolbar as it stands into the Name + "Org" section.
    void SaveInitialState();
    // Lays the user section over the toolbar.
    void UpdateAdvToolBar();
    // Brings the toolbar back to the "Org" section and forgets the user section.
    void ResetToolBar();
    // The file the routines work on: the INI file, or (with persistence off) a store in memory that
    // lives as long as the customizer, so that what the user confirms in the dialog is applied all the
    // same. Null at design time or without a file name.
    std::unique_ptr<vcl::TCustomIniFile, void (*)(vcl::TCustomIniFile*)> OpenIni();
    // Is the name free for a new control on the toolbar (a valid identifier, used by no toolbar control
    // and by no component of the toolbar's owner)?
    bool NameIsFree(const String& Name) const;

    vcl::TNotifyEvent OnBeforeDisplay;
    vcl::TNotifyEvent OnAfterPost;
    TCustomizerCanShowEvent OnCanShow;

protected:
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;

private:
    // Applies the items of a section (UpdateAdvToolBar with Create, ResetToolBar without).
    vcl::TControl* CreateItem(vcl::TCustomIniFile& Ini, const String& Section, const String& Key,
                              const String& Name, const String& ClassName);
    void ApplyImages(int Large);
    void TakeOff(vcl::TControl* Control);
    // The control on the toolbar that an item of the file stored under Name stands for: the one of that
    // name, else the one made for such an item under another name (Name is no identifier, or another
    // component bore it); null when there is none.
    vcl::TControl* FindItemControl(const String& Name) const;

    bool FEnablePersistence = true;
    String FFileName = ".\\untitled.ini";
    TAdvToolBar* FAdvToolBar = nullptr;
    std::unique_ptr<TATBCommands> FCommands;
    std::unique_ptr<TButtonProperties> FButtonProperties;
    vcl::TCustomImageList* FLargeImages = nullptr;
    std::unique_ptr<TCustomizedOptions> FOptions;
    vcl::TCustomImageList* FSmallImages = nullptr;
    std::unique_ptr<TDialogSettings> FDialogSettings;
    std::unique_ptr<TDbgList> FTakenOff;
    // Controls made under another name than their item's, with the item's name: applying the file
    // again must find them rather than make each item anew.
    struct TMadeItem {
        vcl::TControl* Control;
        String StoredName;
    };
    std::vector<TMadeItem> FRenamedItems;
    std::unique_ptr<vcl::TMemIniFile> FMemIni;
};

// The dialogs while they are open (null otherwise).
extern TCustomizerForm* CustomizerForm;

} // namespace AdvToolBar
