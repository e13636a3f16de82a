// Keyboard use of the pager: arrow keys switch tabs, Escape leaves, accelerators of tab captions, and
// key tips: Alt or F10 pressed and released (or held for a while) shows a letter tip on every tab, and
// typing the letters of a tip activates that tab.

#include <algorithm>
#include <cctype>

#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/pager/AdvPage.h"
#include "components/toolbar/pager/AdvToolBarPager.h"
#include "components/toolbar/pager/QuickAccessToolBar.h"
#include "platform/classes/Properties.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/Form.h"
#include "platform/win/Input.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

namespace AdvToolBar {

namespace {

String Upper(String S) {
    std::transform(S.begin(), S.end(), S.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return S;
}

// The application button placed on the pager is known only by its class name; its tip is driven by
// CM_HINTSHOW (WParam 1, LParam 1 shows, 0 hides).
bool IsShapeButton(const vcl::TControl* C) {
    return Upper(C->ClassName()) == "TADVSHAPEBUTTON";
}

// The application button's key tip, upper-cased; empty when it publishes none.
String ShapeButtonTip(vcl::TControl* C) {
    if (!IsShapeButton(C) || vcl::GetPropInfo(C, "ShortCutHint") == nullptr) return {};
    return Upper(vcl::GetStrProp(C, "ShortCutHint"));
}

} // namespace

// The application button paints from the pager's look: it repaints when the look changes.
void TAdvToolBarPager::UpdateShapeButton() {
    for (int i = 0; i < ControlCount(); ++i)
        if (IsShapeButton(Controls(i))) Controls(i)->Invalidate();
}

// ---- Key tips of a page's toolbars

void TAdvPage::ShowShortCutHintOfAllToolBars() {
    if (!FToolBarTipsShown && HandleAllocated()) win::SetCapture(Handle());
    for (int i = 0; i < AdvToolBarCount(); ++i)
        if (TAdvToolBar* t = AdvToolBars(i); t->Visible() && t->Enabled()) t->ShowShortCutHintOfButtons();
    FToolBarTipsShown = true;
    FTypedKeyTip.clear();
}

void TAdvPage::HideShortCutHintOfAllToolBars() {
    if (HandleAllocated() && win::GetCapture() == Handle()) win::ReleaseCapture();
    for (int i = 0; i < AdvToolBarCount(); ++i)
        if (TAdvToolBar* t = AdvToolBars(i); t->Visible()) t->HideShortCutHintOfButtons();
    FToolBarTipsShown = false;
}

bool TAdvPage::HasShortCut(const String& Keys) {
    int partial = 0;
    for (int i = 0; i < AdvToolBarCount(); ++i)
        if (TAdvToolBar* t = AdvToolBars(i); t->Visible() && t->HasShortCut(Keys, partial)) return true;
    if (partial == 0) {
        // Nothing left to type towards: the tips end and let go of the mouse with them.
        HideShortCutHintOfAllToolBars();
        win::MessageBeep(0);
    }
    return false;
}

bool TAdvPage::AddTypedKeyTip(char Key) {
    FTypedKeyTip += Key;
    if (!HasShortCut(FTypedKeyTip)) return false;
    // The click may have ended the tips already (a button that moves the focus away).
    if (FToolBarTipsShown) HideShortCutHintOfAllToolBars();
    return true;
}

// ---- Pager

bool TAdvToolBarPager::KeyDownNow(unsigned VirtualKey) const {
    return (win::GetKeyState(static_cast<int>(VirtualKey)) & 0x8000) != 0;
}

void TAdvToolBarPager::ShowShortCutHintOfAllPages() {
    if (!FKeyTipMode && HandleAllocated()) win::SetCapture(Handle());
    for (int i = 0; i < FPages->Count(); ++i)
        GetAdvPages(i)->ShowShortCutHint();
    if (FQuickAccessToolBar != nullptr) FQuickAccessToolBar->ShowShortCutHintOfButtons();
    FKeyTipMode = true;
    FTypedKeyTip.clear();
    for (int i = 0; i < ControlCount(); ++i)
        if (IsShapeButton(Controls(i))) Controls(i)->Perform(vcl::CM_HINTSHOW, 1, 1);
}

void TAdvToolBarPager::HideShortCutHintOfAllPages(bool AlsoToolBars) {
    if (HandleAllocated() && win::GetCapture() == Handle()) win::ReleaseCapture();
    for (int i = 0; i < FPages->Count(); ++i) {
        GetAdvPages(i)->HideShortCutHint();
        if (AlsoToolBars && GetAdvPages(i)->ToolBarKeyTipsShown())
            GetAdvPages(i)->HideShortCutHintOfAllToolBars();
    }
    if (FQuickAccessToolBar != nullptr) FQuickAccessToolBar->HideShortCutHintOfButtons();
    if (FKeyTipMode)
        for (int i = 0; i < ControlCount(); ++i)
            if (IsShapeButton(Controls(i))) Controls(i)->Perform(vcl::CM_HINTSHOW, 1, 0);
    FKeyTipMode = false;
}

void TAdvToolBarPager::KeyUp(vcl::Word& Key, vcl::TShiftState Shift) {
    vcl::TCustomControl::KeyUp(Key, Shift);
    // The key-up of Alt itself still reports Alt in its shift state: the released key no longer counts.
    FAltHeld = Shift.Contains(vcl::ssAlt) && Key != win::VK_MENU;
}

bool TAdvToolBarPager::CMDialogKey(vcl::TMessage& Message) {
    if (!TabStop() || ActivePage() == nullptr) return false;
    const unsigned key = static_cast<unsigned>(Message.WParam);
    if (key != win::VK_MENU && key != win::VK_F10) {
        FWaitingForKey = false;
        return false;
    }
    if (!FKeyTipMode && CanFocus()) {
        FAltHeld = true;
        FWaitingForKey = true;
        FKeyHoldTime = 0;
        FKeyTipTimer->SetEnabled(true);
        vcl::TCustomControl::WndProc(Message);
        Message.Result = 1;
        return true;
    }
    if (FKeyTipMode && !FAltHeld) {
        HideShortCutHintOfAllPages(false);
        Message.Result = 1;
        return true;
    }
    return false;
}

void TAdvToolBarPager::KeyTipKeyDone() {
    FKeyTipTimer->SetEnabled(false);
    FWaitingForKey = false;
    vcl::TCustomForm* form = vcl::GetParentForm(this);
    if (form == nullptr || !form->HandleAllocated() || win::GetActiveWindow() != form->Handle()) return;
    if (!Focused() && CanFocus()) SetFocus();
    ShowShortCutHintOfAllPages();
    if (TAdvPage* page = ActivePage(); page != nullptr && page->ToolBarKeyTipsShown())
        page->HideShortCutHintOfAllToolBars();
}

void TAdvToolBarPager::OnShortCutTime(vcl::TObject*) {
    if (!FWaitingForKey) {
        FKeyTipTimer->SetEnabled(false);
        FKeyHoldTime = 0;
        return;
    }
    if (!KeyDownNow(win::VK_MENU) && !KeyDownNow(win::VK_F10)) {
        // Released: the tips show at once, and the next Alt press hides them.
        FKeyHoldTime = 0;
        FAltHeld = false;
        KeyTipKeyDone();
        return;
    }
    FKeyHoldTime += static_cast<int>(FKeyTipTimer->Interval());
    if (FKeyHoldTime >= KeyTipHoldTime && KeyDownNow(win::VK_MENU)) {
        FKeyHoldTime = 0;
        KeyTipKeyDone();
    }
}

bool TAdvToolBarPager::CMDialogChar(vcl::TMessage& Message) {
    FWaitingForKey = false;
    if (!CanFocus()) return false;
    for (int i = 0; i < FPages->Count(); ++i) {
        if (vcl::IsAccel(Message.WParam, GetAdvPages(i)->Caption()) && CanShowTab(i)) {
            SetActivePageIndex(i);
            Message.Result = 1;
            return true;
        }
    }
    return false;
}

void TAdvToolBarPager::CMFocusChanged(vcl::TMessage& Message) {
    bool focused = HandleAllocated() && win::GetFocus() == Handle();
    auto* sender = reinterpret_cast<vcl::TWinControl*>(Message.LParam);
    if (!focused && sender != nullptr && sender != this && HandleAllocated() && sender->HandleAllocated()) {
        win::HWND w = sender->Handle();
        for (int level = 0; level < 50 && w != nullptr && !focused; ++level) {
            focused = w == Handle();
            w = win::GetParent(w);
        }
    }
    if (!focused) {
        if (FKeyTipMode) HideShortCutHintOfAllPages(false);
        if (TAdvPage* page = ActivePage(); page != nullptr && page->ToolBarKeyTipsShown())
            page->HideShortCutHintOfAllToolBars();
    }
    InvalidateTab(-1);
}

void TAdvToolBarPager::WMKeyDown(vcl::TMessage& Message) {
    const unsigned key = static_cast<unsigned>(Message.WParam);
    switch (key) {
    case win::VK_ESCAPE: {
        HideShortCutHintOfAllPages(true);
        if (vcl::TWinControl* parent = Parent()) {
            vcl::TWinControl* prev = parent->FindNextControl(this, false, false, false);
            if (prev != nullptr && prev != this && prev->CanFocus()) prev->SetFocus();
        }
        return;
    }
    case win::VK_LEFT:
    case win::VK_RIGHT:
        HideShortCutHintOfAllPages(true);
        SelectNextPage(key == win::VK_RIGHT);
        return;
    case win::VK_DOWN: {
        TAdvPage* page = ActivePage();
        if (page == nullptr || !Focused()) return;
        TAdvToolBar* first = page->GetFirstToolBar(true);
        if (first == nullptr || !first->CanFocus()) return;
        first->SetFocus();
        HideShortCutHintOfAllPages(true);
        page->ShowShortCutHintOfAllToolBars();
        return;
    }
    default:
        break;
    }
    if (!FKeyTipMode) return;
    const char ch = static_cast<char>(win::MapVirtualKey(key, 2));
    if (ch != 0) KeyTipTyped(ch);
}

void TAdvToolBarPager::KeyTipTyped(char Key) {
    const String typed = Upper(FTypedKeyTip + Key);
    // A letter that no tip starts with changes nothing but a beep: the tips stay as they were.
    bool any = false;
    for (int i = 0; i < FPages->Count() && !any; ++i) {
        const String tip = Upper(GetAdvPages(i)->ShortCutHint());
        any = !tip.empty() && tip.compare(0, typed.size(), typed) == 0;
    }
    if (!any && FQuickAccessToolBar != nullptr) any = FQuickAccessToolBar->AnyShortCutStartsWith(typed);
    for (int i = 0; i < ControlCount() && !any; ++i) {
        const String tip = ShapeButtonTip(Controls(i));
        any = !tip.empty() && tip.compare(0, typed.size(), typed) == 0;
    }
    if (!any) {
        win::MessageBeep(0);
        return;
    }
    FTypedKeyTip += Key;
    bool full = false, partial = false;
    for (int i = 0; i < FPages->Count(); ++i) {
        TAdvPage* page = GetAdvPages(i);
        const String tip = Upper(page->ShortCutHint());
        if (!tip.empty() && tip == typed) {
            HideShortCutHintOfAllPages(false);
            full = true;
            if (page->TabEnabled() && page->TabVisible()) {
                SetActivePageIndex(i);
                if (TAdvToolBar* first = page->GetFirstToolBar(true); first != nullptr && first->CanFocus())
                    first->SetFocus();
                page->ShowShortCutHintOfAllToolBars();
            }
            break;
        }
        if (tip.empty()) continue;
        if (tip.compare(0, typed.size(), typed) != 0)
            page->HideShortCutHint();
        else
            partial = true;
    }
    if (full) return;
    // Tips of the quick access toolbar still waiting for more letters keep the mode, as page tips do.
    int qatPartial = 0;
    if (FQuickAccessToolBar != nullptr) {
        int& count = qatPartial;
        if (FQuickAccessToolBar->HasShortCut(typed, count)) {
            HideShortCutHintOfAllPages(false);
            return;
        }
        partial = partial || count > 0;
    }
    for (int i = 0; i < ControlCount(); ++i) {
        vcl::TControl* c = Controls(i);
        const String tip = ShapeButtonTip(c);
        if (tip.empty()) continue;
        if (tip == typed) {
            HideShortCutHintOfAllPages(false);
            if (c->Enabled()) {
                c->Invalidate();
                c->Click();
            }
            return;
        }
        if (tip.compare(0, typed.size(), typed) != 0)
            c->Perform(vcl::CM_HINTSHOW, 1, 0);
        else
            partial = true;
    }
    int shown = 0;
    for (int i = 0; i < FPages->Count(); ++i)
        if (auto* w = GetAdvPages(i)->ShortCutHintWindow(); w != nullptr && w->Visible()) ++shown;
    if (shown == 0 && qatPartial == 0) HideShortCutHintOfAllPages(false);
    if (!partial) win::MessageBeep(0);
}

} // namespace AdvToolBar
