#include "components/toolbar/customizer/CustomizerU.h"

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/customizer/CustomizerBtnU.h"
#include "components/toolbar/customizer/CustomizerIni_p.h"
#include "components/toolbar/dock/ToolBar.h"
#include "components/toolbar/dock/ToolBarButton.h"
#include "components/toolbar/dock/ToolBarSeparator.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/DragDrop.h"

namespace AdvToolBar {

using AdvGlowButton::TAdvCustomGlowButton;
using namespace customizerini;

KV_PUBLISHED(TCustomizerForm) {
    using F = TCustomizerForm;
    p.Field("GroupBox1", &F::GroupBox1);
    p.Field("LblToolbarItems", &F::LblToolbarItems);
    p.Field("LblCommands", &F::LblCommands);
    p.Field("LstBxToolBarItems", &F::LstBxToolBarItems);
    p.Field("TopButton", &F::TopButton);
    p.Field("UpButton", &F::UpButton);
    p.Field("DownButton", &F::DownButton);
    p.Field("BottomButton", &F::BottomButton);
    p.Field("AddButton", &F::AddButton);
    p.Field("AddGlowButton", &F::AddGlowButton);
    p.Field("SeparatorButton", &F::SeparatorButton);
    p.Field("DeleteButton", &F::DeleteButton);
    p.Field("ClearButton", &F::ClearButton);
    p.Field("BtnEdit", &F::BtnEdit);
    p.Field("LstBxCommand", &F::LstBxCommand);
    p.Field("CmBxIcon", &F::CmBxIcon);
    p.Field("GroupBox2", &F::GroupBox2);
    p.Field("LblCaption", &F::LblCaption);
    p.Field("EdtCaption", &F::EdtCaption);
    p.Field("LblGlphPos", &F::LblGlphPos);
    p.Field("CmBxGlphPos", &F::CmBxGlphPos);
    p.Field("ChkLargeIcon", &F::ChkLargeIcon);
    p.Field("BtnOk", &F::BtnOk);
    p.Field("BtnCancel", &F::BtnCancel);
    p.Field("BtnReset", &F::BtnReset);
    p.Handler("FormCreate", &F::FormCreate);
    p.Handler("FormDestroy", &F::FormDestroy);
    p.Handler("TopButtonClick", &F::TopButtonClick);
    p.Handler("UpButtonClick", &F::UpButtonClick);
    p.Handler("DownButtonClick", &F::DownButtonClick);
    p.Handler("BottomButtonClick", &F::BottomButtonClick);
    p.Handler("AddButtonClick", &F::AddButtonClick);
    p.Handler("AddGlowButtonClick", &F::AddGlowButtonClick);
    p.Handler("SeparatorButtonClick", &F::SeparatorButtonClick);
    p.Handler("DeleteButtonClick", &F::DeleteButtonClick);
    p.Handler("ClearButtonClick", &F::ClearButtonClick);
    p.Handler("BtnEditClick", &F::BtnEditClick);
    p.Handler("OkBitBtnClick", &F::OkBitBtnClick);
    p.Handler("LstBxCommandClick", &F::LstBxCommandClick);
    p.Handler("LstBxToolBarItemsClick", &F::LstBxToolBarItemsClick);
    p.Handler("LstBxToolBarItemsDblClick", &F::LstBxToolBarItemsDblClick);
    p.Handler("LstBxToolBarItemsMouseUp", &F::LstBxToolBarItemsMouseUp);
    p.Handler("LstBxToolBarItemsDragOver", &F::LstBxToolBarItemsDragOver);
    p.Handler("LstBxToolBarItemsDragDrop", &F::LstBxToolBarItemsDragDrop);
    p.Handler("LstBxToolBarItemsDrawItem", &F::LstBxToolBarItemsDrawItem);
    p.Handler("CmBxIconDrawItem", &F::CmBxIconDrawItem);
    p.Handler("EdtCaptionChange", &F::EdtCaptionChange);
    p.Handler("CmBxGlphPosChange", &F::CmBxGlphPosChange);
    p.Handler("ChkLargeIconClick", &F::ChkLargeIconClick);
}
KV_REGISTER_CLASS(TCustomizerForm)

TCustomizerForm::TCustomizerForm(vcl::TComponent* AOwner) : vcl::TForm(AOwner) {
    InitInheritedComponent();
}

TCustomizerForm::~TCustomizerForm() {
    BeforeDestruction();
}

TAdvToolBar* TCustomizerForm::ToolBar() const {
    return Customizer != nullptr ? Customizer->AdvToolBar() : nullptr;
}

TATBItemProp* TCustomizerForm::ItemProp(int Index) const {
    vcl::TStrings* items = LstBxToolBarItems->Items();
    if (Index < 0 || Index >= items->Count()) return nullptr;
    return dynamic_cast<TATBItemProp*>(items->Objects(Index));
}

void TCustomizerForm::FormCreate(vcl::TObject*) {
    FLoading = true;
}

void TCustomizerForm::FormDestroy(vcl::TObject*) {
    if (LstBxToolBarItems != nullptr) LstBxToolBarItems->Items()->Clear();
    FProps.clear();
}

TATBItemProp* TCustomizerForm::NewProp() {
    FProps.push_back(std::make_unique<TATBItemProp>());
    return FProps.back().get();
}

void TCustomizerForm::SetCaptionRow(bool Value) {
    EdtCaption->SetVisible(Value);
    LblCaption->SetVisible(Value);
}

void TCustomizerForm::SetGlyphPosition(bool Value) {
    CmBxGlphPos->SetVisible(Value);
    LblGlphPos->SetVisible(Value);
}

void TCustomizerForm::SetModified() {
    if (!FLoading) FModified = true;
}

void TCustomizerForm::LoadComponents() {
    TAdvToolBar* tb = ToolBar();
    if (tb == nullptr) return;
    vcl::TCustomImageList* images = tb->Images();
    if (images != nullptr) LstBxToolBarItems->SetItemHeight(images->Height() + 3);

    vcl::TStrings* items = LstBxToolBarItems->Items();
    for (int i = 0; i < tb->ToolBarControlCount(); ++i) {
        vcl::TControl* c = tb->ToolBarControls(i);
        if (auto* b = dynamic_cast<TAdvToolBarButton*>(c)) {
            TATBItemProp* p = NewProp();
            p->Control = b;
            p->CommandIndex = b->CustomizerCommand;
            p->CustomizerCreated = b->CustomizerCreated;
            p->Caption = b->Caption();
            p->Hint = b->Hint();
            p->Visible = b->Visible();
            p->ImageIndex = b->ImageIndex();
            p->ForceImage = b->ForceImageIndex();
            p->ShowCaption = b->ShowCaption();
            items->AddObject(p->Caption, p);
        } else if (dynamic_cast<TAdvToolBarSeparator*>(c) != nullptr) {
            TATBItemProp* p = NewProp();
            p->Control = c;
            items->AddObject("Separator", p);
        } else if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c)) {
            TATBItemProp* p = NewProp();
            p->Control = g;
            p->CommandIndex = g->CustomizerCommand();
            p->CustomizerCreated = g->CustomizerCreated();
            p->Caption = g->Caption();
            p->Hint = g->Hint();
            p->Visible = g->Visible();
            p->ImageIndex = g->ImageIndex();
            p->ShowCaption = g->ShowCaption();
            items->AddObject(p->Caption, p);
        } else {
            items->AddObject(c->Name(), nullptr);
        }
    }

    TATBCommands* commands = Customizer->Commands();
    for (int i = 0; i < commands->Count(); ++i)
        LstBxCommand->Items()->Add(commands->Items(i)->Caption());

    if (images != nullptr) {
        CmBxIcon->SetItemHeight(images->Height() + 3);
        for (int i = 0; i < images->Count(); ++i)
            CmBxIcon->Items()->Add("");
    }
    CmBxIcon->Items()->Add("None");
    CmBxIcon->SetVisible(images != nullptr && images->Count() > 0);

    EdtCaption->SetText(tb->Caption());
    CmBxGlphPos->SetItemIndex(0);
    for (int i = 0; i < tb->ToolBarControlCount(); ++i)
        if (auto* b = dynamic_cast<TAdvToolBarButton*>(tb->ToolBarControls(i))) {
            CmBxGlphPos->SetItemIndex(b->GlyphPosition());
            break;
        }
    ChkLargeIcon->SetChecked(Customizer->LargeImages() != nullptr && Customizer->LargeImages() == images);

    if (commands->Count() > 0) {
        LstBxCommand->SetItemIndex(0);
        LstBxCommandClick(LstBxCommand);
    }
    if (items->Count() > 0) LstBxToolBarItems->SetItemIndex(0);
    FCanEdit = Customizer->ButtonProperties()->Any();
    UpdateComponentPos();
    SetComponents();
    FLoading = false;
}

void TCustomizerForm::SetComponents() {
    const int s = LstBxToolBarItems->ItemIndex();
    const int n = LstBxToolBarItems->Count();
    const TCustomizedOptions& o = *Customizer->Options();
    TATBItemProp* p = ItemProp(s);
    BtnEdit->SetEnabled(FCanEdit && p != nullptr && p->IsButtonEntry());
    TopButton->SetEnabled(s > 0 && o.ReOrder());
    UpButton->SetEnabled(s > 0 && o.ReOrder());
    DownButton->SetEnabled(s >= 0 && s < n - 1 && o.ReOrder());
    BottomButton->SetEnabled(s >= 0 && s < n - 1 && o.ReOrder());
    AddButton->SetEnabled(LstBxCommand->ItemIndex() >= 0 && o.AddButton());
    DeleteButton->SetEnabled(s >= 0 && o.Delete());
    ClearButton->SetEnabled(n > 0 && o.DeleteAll());
}

void TCustomizerForm::UpdateComponentPos() {
    LblCaption->SetVisible(EdtCaption->Visible());
    LblGlphPos->SetVisible(CmBxGlphPos->Visible());
    if (!EdtCaption->Visible()) {
        if (CmBxGlphPos->Visible()) {
            LblGlphPos->SetLeft(6);
            CmBxGlphPos->SetLeft(LblGlphPos->Left() + LblGlphPos->Width() + 5);
            ChkLargeIcon->SetLeft(CmBxGlphPos->Left());
        } else if (ChkLargeIcon->Visible()) {
            ChkLargeIcon->SetLeft(50);
        }
    }
    EdtCaption->SetLeft(LblCaption->Left() + LblCaption->Width() + 5);
    LblGlphPos->SetLeft(CmBxGlphPos->Left() - 5 - LblGlphPos->Width());
    const bool any = EdtCaption->Visible() || CmBxGlphPos->Visible() || ChkLargeIcon->Visible();
    GroupBox2->SetVisible(any);
    if (!any) {
        const int h = GroupBox2->Height();
        SetHeight(Height() - h);
        BtnOk->SetTop(BtnOk->Top() - h);
        BtnCancel->SetTop(BtnCancel->Top() - h);
        BtnReset->SetTop(BtnOk->Top());
    }
}

// ---- Moving entries

void TCustomizerForm::MoveEntry(int From, int To, bool Select) {
    LstBxToolBarItems->Items()->Move(From, To);
    if (Select) LstBxToolBarItems->SetItemIndex(To);
}

void TCustomizerForm::TopButtonClick(vcl::TObject*) {
    const int s = LstBxToolBarItems->ItemIndex();
    if (LstBxToolBarItems->Count() == 0 || s < 0) return;
    MoveEntry(s, 0, true);
    SetModified();
    SetComponents();
}

void TCustomizerForm::BottomButtonClick(vcl::TObject*) {
    const int s = LstBxToolBarItems->ItemIndex();
    if (LstBxToolBarItems->Count() == 0 || s < 0) return;
    MoveEntry(s, LstBxToolBarItems->Count() - 1, true);
    SetModified();
    SetComponents();
}

void TCustomizerForm::UpButtonClick(vcl::TObject*) {
    const int n = LstBxToolBarItems->Count();
    const int s = LstBxToolBarItems->ItemIndex();
    if (n == 0) return;
    if (s < 0) {
        LstBxToolBarItems->SetItemIndex(n - 1);
    } else {
        // The first entry goes round to the end.
        const int other = s > 0 ? s - 1 : n - 1;
        LstBxToolBarItems->Items()->Exchange(other, s);
        LstBxToolBarItems->SetItemIndex(other);
        SetModified();
    }
    SetComponents();
}

void TCustomizerForm::DownButtonClick(vcl::TObject*) {
    const int n = LstBxToolBarItems->Count();
    const int s = LstBxToolBarItems->ItemIndex();
    if (n == 0) return;
    if (s < 0) {
        LstBxToolBarItems->SetItemIndex(0);
    } else {
        // The last entry goes round to the start.
        const int other = s < n - 1 ? s + 1 : 0;
        LstBxToolBarItems->Items()->Exchange(other, s);
        LstBxToolBarItems->SetItemIndex(other);
        SetModified();
    }
    SetComponents();
}

void TCustomizerForm::LstBxToolBarItemsDragOver(vcl::TObject*, vcl::TObject* Source, int, int,
                                                vcl::TDragState, bool& Accept) {
    Accept = Source == LstBxToolBarItems || Source == LstBxCommand;
}

void TCustomizerForm::LstBxToolBarItemsDragDrop(vcl::TObject*, vcl::TObject* Source, int X, int Y) {
    if (Source == LstBxCommand) {
        if (LstBxCommand->ItemIndex() >= 0) AddButtonClick(AddButton);
        return;
    }
    if (Source != LstBxToolBarItems) return;
    const int s = LstBxToolBarItems->ItemIndex();
    const int target = LstBxToolBarItems->ItemAtPos(vcl::TPoint{X, Y}, true);
    if (s < 0 || target < 0) return;
    MoveEntry(s, target, false);
    SetModified();
}

// ---- Adding and deleting

void TCustomizerForm::InsertEntry(const String& Text, TATBItemProp* Prop) {
    const int n = LstBxToolBarItems->Count();
    const int s = LstBxToolBarItems->ItemIndex();
    const int at = s >= 0 && s < n - 1 ? s + 1 : n;
    LstBxToolBarItems->Items()->InsertObject(at, Text, Prop);
    LstBxToolBarItems->SetItemIndex(at);
    SetModified();
    SetComponents();
}

String TCustomizerForm::EntryName(int Index) const {
    TATBItemProp* p = ItemProp(Index);
    if (p == nullptr) return LstBxToolBarItems->Items()->Get(Index);
    if (p->Control != nullptr) return p->Control->Name();
    if (p->IsSeparator()) return p->Caption;
    return LstBxToolBarItems->Items()->Get(Index);
}

String TCustomizerForm::FreeEntryName(const String& Base, bool Numbered) const {
    // Pending entries count as much as the toolbar's controls: two separators added in one showing, or
    // one command added twice, would otherwise be saved under one name and the second would be lost.
    auto taken = [this](const String& Name) {
        if (Customizer->GetCtrl(Name) != nullptr) return true;
        for (int i = 0; i < LstBxToolBarItems->Count(); ++i)
            if (vcl::SameText(EntryName(i), Name)) return true;
        return false;
    };
    if (!Numbered && !taken(Base)) return Base;
    for (int n = 1;; ++n)
        if (!taken(Base + std::to_string(n))) return Base + std::to_string(n);
}

void TCustomizerForm::AddButtonClick(vcl::TObject*) {
    const int c = LstBxCommand->ItemIndex();
    if (c < 0) return;
    TATBItemProp* p = NewProp();
    p->CustomizerCreated = true;
    p->SetIsATBButton(true);
    p->ImageIndex = CmBxIcon->ItemIndex() < CmBxIcon->Items()->Count() - 1 ? CmBxIcon->ItemIndex() : -1;
    p->ForceImage = true;
    p->Caption = LstBxCommand->Items()->Get(c);
    p->Hint = p->Caption;
    p->Visible = true;
    p->CommandIndex = c;
    InsertEntry(p->Caption, p);
}

void TCustomizerForm::AddGlowButtonClick(vcl::TObject*) {
    const int c = LstBxCommand->ItemIndex();
    if (c < 0) return;
    TATBItemProp* p = NewProp();
    p->CustomizerCreated = true;
    p->GlowButton = true;
    p->ImageIndex = CmBxIcon->ItemIndex() < CmBxIcon->Items()->Count() - 1 ? CmBxIcon->ItemIndex() : -1;
    p->ForceImage = true;
    p->Caption = LstBxCommand->Items()->Get(c);
    p->Hint = p->Caption;
    p->Visible = true;
    p->CommandIndex = c;
    InsertEntry(p->Caption, p);
}

void TCustomizerForm::SeparatorButtonClick(vcl::TObject*) {
    TATBItemProp* p = NewProp();
    p->CustomizerCreated = true;
    p->SetIsSeparator(true);
    p->Caption = FreeEntryName("AdvToolBarSeparator", true);
    InsertEntry("Separator", p);
}

void TCustomizerForm::DeleteEntry(int Index) {
    TATBItemProp* p = ItemProp(Index);
    LstBxToolBarItems->Items()->Delete(Index);
    std::erase_if(FProps, [p](const std::unique_ptr<TATBItemProp>& q) { return q.get() == p; });
}

void TCustomizerForm::DeleteButtonClick(vcl::TObject*) {
    const int s = LstBxToolBarItems->ItemIndex();
    if (s < 0) return;
    DeleteEntry(s);
    const int n = LstBxToolBarItems->Count();
    if (s < n)
        LstBxToolBarItems->SetItemIndex(s);
    else if (n > 0)
        LstBxToolBarItems->SetItemIndex(n - 1);
    SetModified();
    SetComponents();
}

void TCustomizerForm::ClearButtonClick(vcl::TObject*) {
    if (vcl::MessageDlg("Are you sure that you want to clear ToolBar?", vcl::mtConfirmation,
                        vcl::TMsgDlgButtons{vcl::mbYes, vcl::mbNo}, 0) != vcl::mrYes)
        return;
    LstBxToolBarItems->Items()->Clear();
    FProps.clear();
    SetModified();
    SetComponents();
}

// ---- Selection and the caption group

void TCustomizerForm::LstBxCommandClick(vcl::TObject*) {
    const int c = LstBxCommand->ItemIndex();
    if (c >= 0 && c < Customizer->Commands()->Count()) {
        const int image = Customizer->Commands()->Items(c)->ItemIndex();
        // No image (or one the icon box does not have): "None", the last entry.
        const int index = image >= 0 ? image : CmBxIcon->Items()->Count() - 1;
        if (index < CmBxIcon->Items()->Count()) CmBxIcon->SetItemIndex(index);
    }
    SetComponents();
}

void TCustomizerForm::LstBxToolBarItemsClick(vcl::TObject*) {
    SetComponents();
}

void TCustomizerForm::LstBxToolBarItemsMouseUp(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {
    SetComponents();
}

void TCustomizerForm::LstBxToolBarItemsDblClick(vcl::TObject*) {
    if (BtnEdit->Enabled() && BtnEdit->Visible()) BtnEditClick(BtnEdit);
}

void TCustomizerForm::EdtCaptionChange(vcl::TObject*) {
    SetModified();
}

void TCustomizerForm::CmBxGlphPosChange(vcl::TObject*) {
    SetModified();
}

void TCustomizerForm::ChkLargeIconClick(vcl::TObject*) {
    SetModified();
}

void TCustomizerForm::OkBitBtnClick(vcl::TObject*) {
    SaveChanges();
    SetModalResult(vcl::mrOk);
}

// ---- The file's user section

void TCustomizerForm::SaveChanges() {
    if (Customizer == nullptr) return;
    auto ini = Customizer->OpenIni();
    if (!ini) return;
    const String section = Customizer->Name();
    auto values = std::make_unique<vcl::TStringList>();
    ini->ReadSectionValues(section, values.get());
    for (int i = 0; i < values->Count(); ++i)
        ini->DeleteKey(section, values->Names(i));

    if (EdtCaption->Visible()) WriteText(*ini, section, kCaption, EdtCaption->Text());
    if (CmBxGlphPos->Visible()) ini->WriteInteger(section, kGlyphPosition, CmBxGlphPos->ItemIndex());
    if (ChkLargeIcon->Visible()) ini->WriteInteger(section, kLargeIcon, ChkLargeIcon->Checked() ? 1 : 0);
    const int n = LstBxToolBarItems->Count();
    ini->WriteInteger(section, kItemCount, n);

    const TButtonProperties& bp = *Customizer->ButtonProperties();
    auto buttonKeys = [&](const String& Key, const TATBItemProp& P) {
        if (bp.Glyph()) {
            ini->WriteInteger(section, Key + ".ImageIndex", P.ImageIndex);
            ini->WriteInteger(section, Key + ".ForceImageIndex", P.ForceImage ? 1 : 0);
        }
        if (bp.Visible()) ini->WriteInteger(section, Key + ".Visible", P.Visible ? 1 : 0);
        if (bp.ShowCaption()) ini->WriteInteger(section, Key + ".ShowCaption", P.ShowCaption ? 1 : 0);
        if (bp.Caption()) WriteText(*ini, section, Key + ".Caption", P.Caption);
        if (bp.Hint()) WriteText(*ini, section, Key + ".Hint", P.Hint);
    };
    // New entries are saved under names that no toolbar control and no other entry bears, so that the
    // same command added twice comes back as two buttons.
    std::vector<String> names;
    for (int i = 0; i < n; ++i)
        if (TATBItemProp* p = ItemProp(i); p == nullptr || p->Control != nullptr)
            names.push_back(EntryName(i));
    auto freeName = [&](const String& Base) {
        auto taken = [&](const String& Name) {
            if (Customizer->GetCtrl(Name) != nullptr) return true;
            for (const String& w : names)
                if (vcl::SameText(w, Name)) return true;
            return false;
        };
        String name = Base;
        for (int k = 1; taken(name); ++k)
            name = Base + std::to_string(k);
        names.push_back(name);
        return name;
    };
    for (int i = 0; i < n; ++i) {
        const String key = ItemKey(i);
        TATBItemProp* p = ItemProp(i);
        if (p == nullptr) {
            ini->WriteString(section, key, LstBxToolBarItems->Items()->Get(i));
            ini->WriteString(section, key + ".ClassName", kOtherClass);
        } else if (vcl::TControl* c = p->Control) {
            ini->WriteString(section, key, c->Name());
            if (dynamic_cast<TAdvToolBarButton*>(c) != nullptr) {
                ini->WriteString(section, key + ".ClassName", kButtonClass);
                buttonKeys(key, *p);
            } else if (dynamic_cast<TAdvToolBarSeparator*>(c) != nullptr) {
                ini->WriteString(section, key + ".ClassName", kSeparatorClass);
            } else if (dynamic_cast<TAdvCustomGlowButton*>(c) != nullptr) {
                ini->WriteString(section, key + ".ClassName", kGlowButtonClass);
                buttonKeys(key, *p);
            }
        } else if (p->CustomizerCreated) {
            if (p->IsATBButton() || p->GlowButton) {
                ini->WriteString(section, key, freeName(LstBxToolBarItems->Items()->Get(i)));
                ini->WriteString(section, key + ".ClassName",
                                 p->IsATBButton() ? kButtonClass : kGlowButtonClass);
                ini->WriteInteger(section, key + ".CommandID", p->CommandIndex);
                buttonKeys(key, *p);
            } else {
                ini->WriteString(section, key, freeName(p->Caption));
                ini->WriteString(section, key + ".ClassName", kSeparatorClass);
            }
        }
    }
}

// ---- Drawing

void TCustomizerForm::LstBxToolBarItemsDrawItem(vcl::TWinControl*, int Index, vcl::TRect Rect,
                                                vcl::TOwnerDrawState) {
    vcl::TCanvas* c = LstBxToolBarItems->Canvas();
    c->FillRect(Rect);
    TAdvToolBar* tb = ToolBar();
    vcl::TCustomImageList* images = tb != nullptr ? tb->Images() : nullptr;
    int x = 2;
    if (TATBItemProp* p = ItemProp(Index)) {
        auto* b = dynamic_cast<TAdvToolBarButton*>(p->Control);
        auto* g = dynamic_cast<TAdvCustomGlowButton*>(p->Control);
        if (b != nullptr) {
            if (!b->Glyph()->Empty()) {
                c->Draw(Rect.Left + 2, Rect.Top + 2, b->Glyph());
                x += b->Glyph()->Width();
            } else if (images != nullptr) {
                if (b->ImageIndex() >= 0) images->Draw(c, Rect.Left + 2, Rect.Top + 2, p->ImageIndex, true);
                x += images->Width() + 8;
            }
        } else if (dynamic_cast<TAdvToolBarSeparator*>(p->Control) != nullptr ||
                   (p->Control == nullptr && p->IsSeparator())) {
            x += 8;
        } else if (p->Control == nullptr && p->CustomizerCreated) {
            if (images != nullptr) {
                if (p->ImageIndex >= 0) images->Draw(c, Rect.Left + 2, Rect.Top + 2, p->ImageIndex, true);
                x += images->Width() + 8;
            }
        } else if (g != nullptr) {
            if (!g->Picture()->Empty()) {
                g->Picture()->Draw(c, vcl::TRect{Rect.Left + 2, Rect.Top + 2,
                                                 Rect.Left + 2 + g->Picture()->Width(),
                                                 Rect.Top + 2 + g->Picture()->Height()});
                x += g->Picture()->Width();
            } else if (g->ImageIndex() >= 0 && g->Images() != nullptr) {
                g->Images()->Draw(c, Rect.Left + 2, Rect.Top + 2, p->ImageIndex, true);
                x += g->Images()->Width() + 8;
            }
        }
    }
    x += 8;
    const int th = c->TextHeight("X");
    c->TextOut(Rect.Left + x, Rect.Top + (Rect.Height() - th) / 2, LstBxToolBarItems->Items()->Get(Index));
}

void TCustomizerForm::CmBxIconDrawItem(vcl::TWinControl*, int Index, vcl::TRect Rect, vcl::TOwnerDrawState) {
    vcl::TCanvas* c = CmBxIcon->Canvas();
    c->FillRect(Rect);
    TAdvToolBar* tb = ToolBar();
    vcl::TCustomImageList* images = tb != nullptr ? tb->Images() : nullptr;
    const int count = images != nullptr ? images->Count() : 0;
    if (Index < count) {
        images->Draw(c, Rect.Left + 2, Rect.Top + 2, Index, true);
    } else if (Index == count) {
        const int th = c->TextHeight("X");
        c->TextOut(Rect.Left + 4, Rect.Top + (Rect.Height() - th) / 2, CmBxIcon->Items()->Get(Index));
    }
}

} // namespace AdvToolBar
