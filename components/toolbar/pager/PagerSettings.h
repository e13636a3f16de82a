#pragma once
// The pager's companion settings: the caption row (TAdvPageCaption), the tab row (TATBTabSettings),
// the screenful counter of tab and toolbar scrolling (TATBTabScroller) and the coloured tab groups
// (TTabGroupItem in TTabGroups).

#include <memory>

#include "components/toolbar/styler/PagerAppearance.h"
#include "platform/rtl/Collection.h"
#include "platform/vcl/Label.h"

namespace AdvToolBar {

class TAdvToolBarPager;

// A setter of the settings classes: compares, stores and calls Changed().
#define KV_PAGER_SETTING(Type, Name, Default)                                                                \
public:                                                                                                      \
    Type Name() const {                                                                                      \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type Value) {                                                                             \
        if (F##Name == Value) return;                                                                        \
        F##Name = Value;                                                                                     \
        Changed();                                                                                           \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name = Default

class TAdvPageCaption : public vcl::TPersistent {
    KV_CLASS(TAdvPageCaption, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TAdvPageCaption)
public:
    TAdvPageCaption() = default;
    // From another caption: Caption and Height straight into the fields (no change event for them),
    // then Visible, Indent and MinWidth through their setters. The wide caption and the right text
    // margin stay. Another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed() {
        if (OnChange) OnChange(this);
    }
    vcl::TNotifyEvent OnChange;

    KV_PAGER_SETTING(bool, Visible, true);
    KV_PAGER_SETTING(int, Height, 27);
    KV_PAGER_SETTING(vcl::String, Caption, {});
    KV_PAGER_SETTING(int, Indent, 100);
    // Room kept free at the right end of the caption text (the caption buttons' room, or 0).
    KV_PAGER_SETTING(int, RightTextMargin, 0);
    KV_PAGER_SETTING(vcl::String, WideCaption, {});
    KV_PAGER_SETTING(int, MinWidth, 100);
};

class TATBTabSettings : public vcl::TPersistent {
    KV_CLASS(TATBTabSettings, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TATBTabSettings)
public:
    TATBTabSettings() = default;
    // Copies LeftMargin, RightMargin, Height, StartMargin and EndMargin through the setters; Spacing
    // stays. Another source raises the framework's conversion error.
    void Assign(vcl::TPersistent* Source) override;
    void Changed() {
        if (OnChange) OnChange(this);
    }
    vcl::TNotifyEvent OnChange;

    // The lower bounds the fitting of the tabs may shrink spacing and tab margins to.
    int MinSpacing() const { return 3; }
    int MinTabMargin() const { return 3; }

    KV_PAGER_SETTING(int, LeftMargin, 4);
    KV_PAGER_SETTING(int, RightMargin, 4);
    KV_PAGER_SETTING(int, Height, 26);
    KV_PAGER_SETTING(int, StartMargin, 60);
    KV_PAGER_SETTING(int, EndMargin, 0);
    KV_PAGER_SETTING(int, Spacing, 4);
};

// Counts screenfuls: Position of them hidden to the left (or above), Max further ones.
class TATBTabScroller {
public:
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    bool Visible() const { return FVisible; }
    // Refused when it would pass the other bound.
    void SetMin(int Value) {
        if (Value <= FMax) FMin = Value;
    }
    void SetMax(int Value) {
        if (Value >= FMin) FMax = Value;
    }
    void SetPosition(int Value) { FPosition = Value; }
    void SetVisible(bool Value) { FVisible = Value; }
    bool CanGoBack() const { return FPosition > FMin; }
    bool CanGoForward() const { return FPosition < FMax; }

private:
    int FMin = 0;
    int FMax = 0;
    int FPosition = 0;
    bool FVisible = false;
};

class TTabGroups;

// A coloured band above a run of tabs, from TabIndexStart to TabIndexEnd.
class TTabGroupItem : public vcl::TCollectionItem {
    KV_CLASS(TTabGroupItem, vcl::TCollectionItem)
    KV_PUBLISHED_PROPERTIES(TTabGroupItem)
public:
    explicit TTabGroupItem(vcl::TCollection* Collection);
    ~TTabGroupItem() override;
    // Caption, ImageIndex, TabIndexStart and TabIndexEnd only.
    void Assign(vcl::TPersistent* Source) override;
    void Changed();

    TGroupAppearance* GroupAppearance() const { return FGroupAppearance.get(); }
    void SetGroupAppearance(TGroupAppearance* Value) { FGroupAppearance->Assign(Value); }

    KV_PAGER_SETTING(vcl::String, Caption, {});
    KV_PAGER_SETTING(int, ImageIndex, -1);
    KV_PAGER_SETTING(int, TabIndexStart, -1);
    KV_PAGER_SETTING(int, TabIndexEnd, -1);
    KV_PAGER_SETTING(vcl::String, WideCaption, {});
    KV_PAGER_SETTING(bool, DefaultAppearance, true);
    KV_PAGER_SETTING(vcl::TAlignment, CaptionAlignment, vcl::taLeftJustify);

private:
    std::unique_ptr<TGroupAppearance> FGroupAppearance;
};

class TTabGroups : public vcl::TCollection {
    KV_CLASS(TTabGroups, vcl::TCollection)
public:
    explicit TTabGroups(TAdvToolBarPager* Pager);
    TTabGroupItem* Add() { return static_cast<TTabGroupItem*>(vcl::TCollection::Add()); }
    TTabGroupItem* Insert(int Index) { return static_cast<TTabGroupItem*>(vcl::TCollection::Insert(Index)); }
    TTabGroupItem* Items(int Index) const { return static_cast<TTabGroupItem*>(GetItem(Index)); }
    void SetItem(int Index, TTabGroupItem* Value) { Items(Index)->Assign(Value); }
    void UpdateChange() {
        if (OnChange) OnChange(this);
    }
    vcl::TNotifyEvent OnChange;

protected:
    vcl::TPersistent* GetOwner() override;

private:
    TAdvToolBarPager* FPager;
};

} // namespace AdvToolBar
