#include "components/toolbar/customizer/CustomizerBtnU.h"

#include <algorithm>

#include "components/foundation/AdvGlowButton.h"
#include "components/toolbar/customizer/CustomizerU.h"
#include "components/toolbar/dock/ToolBar.h"
#include "platform/classes/ClassRegistry.h"

namespace AdvToolBar {

TCusBtnForm* CusBtnForm = nullptr;

KV_PUBLISHED(TCusBtnForm) {
    using F = TCusBtnForm;
    p.Field("GroupBox1", &F::GroupBox1);
    p.Field("LblBtnCaption", &F::LblBtnCaption);
    p.Field("EdtBtnCaption", &F::EdtBtnCaption);
    p.Field("LblBtnHint", &F::LblBtnHint);
    p.Field("EdtBtnHint", &F::EdtBtnHint);
    p.Field("LblGlyph", &F::LblGlyph);
    p.Field("CmBxGlyph", &F::CmBxGlyph);
    p.Field("ChkBtnShowCap", &F::ChkBtnShowCap);
    p.Field("ChkBtnVis", &F::ChkBtnVis);
    p.Field("BtnOk", &F::BtnOk);
    p.Field("BtnCancel", &F::BtnCancel);
    p.Handler("OkBitBtnClick", &F::OkBitBtnClick);
    p.Handler("CmBxGlyphDrawItem", &F::CmBxGlyphDrawItem);
}
KV_REGISTER_CLASS(TCusBtnForm)

TCusBtnForm::TCusBtnForm(vcl::TComponent* AOwner) : vcl::TForm(AOwner) {
    InitInheritedComponent();
}

TCusBtnForm::~TCusBtnForm() {
    BeforeDestruction();
}

void TCusBtnForm::OkBitBtnClick(vcl::TObject*) {
    SetModalResult(vcl::mrOk);
}

void TCusBtnForm::CmBxGlyphDrawItem(vcl::TWinControl*, int Index, vcl::TRect Rect, vcl::TOwnerDrawState) {
    vcl::TCanvas* c = CmBxGlyph->Canvas();
    c->FillRect(Rect);
    TAdvToolBar* tb = Customizer != nullptr ? Customizer->AdvToolBar() : nullptr;
    vcl::TCustomImageList* images = tb != nullptr ? tb->Images() : nullptr;
    if (images == nullptr) return;
    if (Index < images->Count()) {
        images->Draw(c, Rect.Left + 2, Rect.Top + 2, Index, true);
    } else if (Index == images->Count()) {
        const int th = c->TextHeight("X");
        c->TextOut(Rect.Left + 4, Rect.Top + (Rect.Height() - th) / 2, CmBxGlyph->Items()->Get(Index));
    }
}

namespace {
// Frees the button dialog and clears the unit's pointer however the edit ends.
struct TButtonDialogRelease {
    ~TButtonDialogRelease() {
        TCusBtnForm* form = CusBtnForm;
        CusBtnForm = nullptr;
        if (form != nullptr) vcl::FreeComponent(form);
    }
};
} // namespace

void TCustomizerForm::BtnEditClick(vcl::TObject*) {
    if (Customizer == nullptr || CusBtnForm != nullptr) return;
    TButtonDialogRelease release;
    CusBtnForm = new TCusBtnForm(this);
    TCusBtnForm* f = CusBtnForm;
    f->Customizer = Customizer;
    const TDialogSettings& ds = *Customizer->DialogSettings();
    const TButtonProperties& bp = *Customizer->ButtonProperties();
    f->LblBtnCaption->SetCaption(ds.ButtonEditCaptionLabel);
    f->LblGlyph->SetCaption(ds.ButtonEditIconLabel);
    f->ChkBtnVis->SetCaption(ds.ButtonEditVisibleCheck);
    f->ChkBtnShowCap->SetCaption(ds.ButtonEditCaptionCheck);
    f->LblBtnHint->SetCaption(ds.ButtonEditHintLabel);
    f->SetCaption(ds.ButtonEditCaption);

    TAdvToolBar* tb = Customizer->AdvToolBar();
    vcl::TCustomImageList* images = tb != nullptr ? tb->Images() : nullptr;
    if (bp.Glyph() && images != nullptr) {
        f->CmBxGlyph->SetItemHeight(images->Height() + 3);
        for (int i = 0; i < images->Count(); ++i)
            f->CmBxGlyph->Items()->Add("");
        f->CmBxGlyph->Items()->Add("None");
    }

    const int s = LstBxToolBarItems->ItemIndex();
    TATBItemProp* p = ItemProp(s);
    if (p != nullptr) {
        f->EdtBtnCaption->SetText(p->Caption);
        f->EdtBtnHint->SetText(p->Hint);
        f->ChkBtnShowCap->SetChecked(p->ShowCaption);
        f->ChkBtnVis->SetChecked(p->Visible);
        // A glow button of the form keeps its own pictures: its icon is not the customizer's to change.
        if (dynamic_cast<AdvGlowButton::TAdvCustomGlowButton*>(p->Control) != nullptr &&
            !p->CustomizerCreated) {
            f->CmBxGlyph->SetEnabled(false);
            f->CmBxGlyph->SetText("");
        } else {
            f->CmBxGlyph->SetEnabled(true);
            // -1 (and any other negative index) selects nothing.
            if (p->ImageIndex < f->CmBxGlyph->Items()->Count())
                f->CmBxGlyph->SetItemIndex(std::max(p->ImageIndex, -1));
        }
    }
    const int shownIcon = f->CmBxGlyph->ItemIndex();

    f->EdtBtnCaption->SetEnabled(bp.Caption());
    f->EdtBtnHint->SetVisible(bp.Hint());
    f->LblBtnHint->SetVisible(bp.Hint());
    f->CmBxGlyph->SetVisible(bp.Glyph());
    f->LblGlyph->SetVisible(bp.Glyph());
    f->ChkBtnShowCap->SetVisible(bp.ShowCaption());
    f->ChkBtnVis->SetVisible(bp.Visible());
    if (!f->ChkBtnShowCap->Visible() && f->ChkBtnVis->Visible()) {
        f->ChkBtnVis->SetTop(11);
        f->ChkBtnVis->SetLeft(139);
    }

    // Line the labels up right before their editors, by the widest label of the rows shown.
    struct TRow {
        vcl::TLabel* Label;
        vcl::TControl* Editor;
    };
    const TRow rows[] = {
        {f->LblBtnCaption, f->EdtBtnCaption}, {f->LblBtnHint, f->EdtBtnHint}, {f->LblGlyph, f->CmBxGlyph}};
    int w = 0;
    for (const TRow& r : rows)
        if (r.Editor->Visible()) w = std::max(w, r.Label->Width());
    if (w > 0) {
        w += 12;
        for (const TRow& r : rows) {
            r.Editor->SetLeft(w);
            r.Label->SetLeft(w - 5 - r.Label->Width());
        }
        const int checkLeft = std::max(f->EdtBtnCaption->Width() + w + 4, f->ChkBtnShowCap->Left());
        f->ChkBtnShowCap->SetLeft(checkLeft);
        f->ChkBtnVis->SetLeft(checkLeft);
        const int right = f->ChkBtnShowCap->Left() + f->ChkBtnShowCap->Width();
        if (f->GroupBox1->Width() <= right) f->GroupBox1->SetWidth(right + 3);
        const int right2 = f->GroupBox1->Left() + f->GroupBox1->Width();
        if (f->Width() <= right2) f->SetWidth(right2 + 6);
        f->BtnOk->SetLeft(f->Width() / 2 - f->BtnOk->Width());
        f->BtnCancel->SetLeft(f->BtnOk->Left() + f->BtnOk->Width());
    }

    const vcl::TPoint at = ClientToScreen(vcl::TPoint{75, 120});
    f->SetLeft(at.X);
    f->SetTop(at.Y);

    if (f->ShowModal() != vcl::mrOk || s < 0 || p == nullptr || !p->IsButtonEntry()) return;
    p->Caption = f->EdtBtnCaption->Text();
    p->Hint = f->EdtBtnHint->Text();
    p->Visible = f->ChkBtnVis->Checked();
    p->ShowCaption = f->ChkBtnShowCap->Checked();
    // The icon changes only when the user chose another one: a box without entries (no image list) or
    // left as it was must not wipe an image the button has from elsewhere.
    const int chosen = f->CmBxGlyph->ItemIndex();
    if (bp.Glyph() && f->CmBxGlyph->Enabled() && f->CmBxGlyph->Items()->Count() > 0 && chosen != shownIcon) {
        if (chosen != p->ImageIndex) p->ForceImage = true;
        p->ImageIndex = chosen >= 0 && chosen < f->CmBxGlyph->Items()->Count() - 1 ? chosen : -1;
    }
    LstBxToolBarItems->Items()->Put(s, p->Caption);
    SetModified();
}

} // namespace AdvToolBar
