#pragma once
// The status bar's panels: TAdvOfficeStatusPanel (one collection item per panel: what it shows, how wide
// it is, its look and its gauge settings) and TAdvOfficeStatusPanels (the bar's Panels collection).
// A panel draws nothing itself; the bar paints it from these fields.

#include <memory>

#include "components/foundation/AdvHintInfo.h"
#include "components/statusbar/AdvOfficeStatusBarProgress.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Strings.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/ImgList.h"
#include "platform/vcl/Label.h"

namespace AdvOfficeStatusBar {

class TAdvOfficeStatusBar;
class TAdvOfficeStatusPanels;

KV_ENUM(TAdvOfficeStatusPanelStyle, psHTML, psText, psOwnerDraw, psTime, psDate, psNumLock, psCapsLock,
        psScrollLock, psProgress, psImage, psImageList, psAnimation, psEllipsText, psFileEllipsText);
KV_ENUM(TAdvOfficeStatusPanelBevel, pbNone, pbLowered, pbRaised);
KV_ENUM(TPanelAppearanceStyle, psLight, psDark);

class TAdvOfficeStatusPanel : public vcl::TCollectionItem {
    KV_CLASS(TAdvOfficeStatusPanel, vcl::TCollectionItem)
    KV_PUBLISHED_PROPERTIES(TAdvOfficeStatusPanel)
public:
    explicit TAdvOfficeStatusPanel(vcl::TCollection* Collection);
    ~TAdvOfficeStatusPanel() override;

    // From another panel: Text, Width, Alignment, Bevel, Style, DateFormat, TimeFormat, Progress,
    // OfficeHint, AppearanceStyle, AutoSize and MinWidth (not ImageIndex, Enabled, Button, the offsets,
    // images or animation).
    void Assign(vcl::TPersistent* Source) override;

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    vcl::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(vcl::TAlignment Value);
    TAdvOfficeStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TAdvOfficeStatusPanelBevel Value);
    vcl::TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(vcl::TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    TAdvOfficeStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TAdvOfficeStatusPanelStyle Value);
    // A new panel's formats are the system's long time and short date formats (SysInfo()).
    const String& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    const String& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const String& Value);
    TProgressStyle* Progress() const { return FProgress.get(); }
    void SetProgress(TProgressStyle* Value);
    int HTMLOffsetX() const { return FHTMLOffsetX; }
    void SetHTMLOffsetX(int Value);
    int HTMLOffsetY() const { return FHTMLOffsetY; }
    void SetHTMLOffsetY(int Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    vcl::TCustomImageList* AnimationImages() const { return FAnimationImages; }
    void SetAnimationImages(vcl::TCustomImageList* Value);
    int AnimationDelay() const { return FAnimationDelay; }
    // A negative delay is ignored.
    void SetAnimationDelay(int Value);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TPanelAppearanceStyle AppearanceStyle() const { return FAppearanceStyle; }
    void SetAppearanceStyle(TPanelAppearanceStyle Value);
    AdvHintInfo::TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(AdvHintInfo::TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
    bool Button() const { return FButton; }
    void SetButton(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value) { FMinWidth = Value; }
    int AnimationIndex() const { return FAnimationIndex; }
    // The current frame of AnimationImages (advanced by the bar's timer).
    void SetAnimationIndex(int Value) { FAnimationIndex = Value; }

    // One step of the gauge: Position + 1 while it is below Max.
    void StepIt();
    // The image-index list of psImageList panels.
    int GetImageIndexes(int Index) const;
    void SetImageIndexes(int Index, int Value);
    void ClearImageIndexes();
    int ImageCount() const;
    // No right-to-left locale is ever in use here, so both are false.
    bool UseRightToLeftReading() const { return false; }
    bool UseRightToLeftAlignment() const { return false; }
    void ParentBiDiModeChanged();

    // The bar holding this panel, or null.
    TAdvOfficeStatusBar* Bar() const;

protected:
    String GetDisplayName() override;

private:
    bool IsBiDiModeStored() const { return !FParentBiDiMode; }
    // Tells the collection (and its OnChange) that the panels changed.
    void PanelsChange();

    String FText;
    int FWidth = 50;
    vcl::TAlignment FAlignment = vcl::taLeftJustify;
    TAdvOfficeStatusPanelBevel FBevel = pbNone;
    vcl::TBiDiMode FBiDiMode = vcl::bdLeftToRight;
    bool FParentBiDiMode = true;
    TAdvOfficeStatusPanelStyle FStyle = psHTML;
    String FTimeFormat;
    String FDateFormat;
    int FAnimationIndex = 0;
    std::unique_ptr<TProgressStyle> FProgress;
    int FHTMLOffsetY = 2;
    int FHTMLOffsetX = 2;
    int FImageIndex = -1;
    std::unique_ptr<vcl::TStringList> FImageIndexes;
    vcl::TCustomImageList* FAnimationImages = nullptr;
    int FAnimationDelay = 0;
    bool FAnimated = false;
    bool FEnabled = true;
    TPanelAppearanceStyle FAppearanceStyle = psLight;
    std::unique_ptr<AdvHintInfo::TAdvHintInfo> FOfficeHint;
    bool FButton = false;
    bool FAutoSize = false;
    int FMinWidth = 20;
};

class TAdvOfficeStatusPanels : public vcl::TCollection {
    KV_CLASS(TAdvOfficeStatusPanels, vcl::TCollection)
public:
    explicit TAdvOfficeStatusPanels(TAdvOfficeStatusBar* Bar);

    TAdvOfficeStatusPanel* Add();
    // Out of range raises EListError.
    TAdvOfficeStatusPanel* GetItem(int Index) const;
    void SetItem(int Index, TAdvOfficeStatusPanel* Value);
    TAdvOfficeStatusPanel* Items(int Index) const { return GetItem(Index); }
    TAdvOfficeStatusPanel* operator[](int Index) const { return GetItem(Index); }
    TAdvOfficeStatusBar* Bar() const { return FBar; }
    // Calls OnChange when it is set.
    void Change();

    // Wired by the bar to its panels-changed handler; not published.
    vcl::TNotifyEvent OnChange;

protected:
    // With an item: the bar repaints that panel's place; without: the whole bar.
    void Update(vcl::TCollectionItem* Item) override;

private:
    TAdvOfficeStatusBar* FBar;
};

} // namespace AdvOfficeStatusBar
