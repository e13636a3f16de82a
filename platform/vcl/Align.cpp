// Alignment of a windowed control's children: aligned rows with margins, anchors, custom alignment.

#include <algorithm>
#include <vector>

#include "platform/vcl/WinControl.h"

namespace vcl {

namespace {

// Whether C1 goes before C2 in a row of children aligned to the same side.
bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
    switch (AAlign) {
    case alTop:
        return C1->Top() < C2->Top();
    case alBottom:
        return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft:
        return C1->Left() < C2->Left();
    case alRight:
        return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default:
        return false;
    }
}

} // namespace

void TWinControl::DisableAlign() {
    ++FAlignLevel;
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
    if (ComponentState().Contains(csDestroying)) return;
    if (FAlignLevel != 0 || ComponentState().Contains(csLoading)) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    DisableAlign();
    FControlState.Include(csAligning);
    try {
        TRect r = GetClientRect();
        AlignControls(AControl, r);
    } catch (...) {
        FControlState.Exclude(csAligning);
        FControlState.Exclude(csAlignmentNeeded);
        EnableAlign();
        throw;
    }
    FControlState.Exclude(csAligning);
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) {
    Rect.Left += FBorderWidth;
    Rect.Top += FBorderWidth;
    Rect.Right -= FBorderWidth;
    Rect.Bottom -= FBorderWidth;
}

void TWinControl::CustomAlignPosition(TControl*, int&, int&, int&, int&, TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    AdjustClientRect(Rect);
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alCustom})
        DoAlign(a, AControl, Rect);
    ApplyAnchors();
    ControlsAligned();
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect) {
    std::vector<TControl*> row;
    if (AControl != nullptr && AControl->FParent == this && AControl->FAlign == AAlign && AControl->FVisible)
        row.push_back(AControl);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c == AControl || c->FAlign != AAlign || !c->FVisible) continue;
        auto pos = std::find_if(row.begin(), row.end(),
                                [&](TControl* other) { return InsertBefore(c, other, AAlign); });
        row.insert(pos, c);
    }
    for (TControl* c : row) {
        if (c->FParent != this) continue; // taken away by an earlier child's resize
        int ml = 0, mt = 0, mr = 0, mb = 0;
        if (c->FAlignWithMargins) {
            ml = c->Margins()->Left();
            mt = c->Margins()->Top();
            mr = c->Margins()->Right();
            mb = c->Margins()->Bottom();
        }
        int w = c->FWidth;
        int h = c->FHeight;
        if (AAlign == alTop || AAlign == alBottom || AAlign == alClient)
            w = std::max(Rect.Width() - ml - mr, 0);
        if (AAlign == alLeft || AAlign == alRight || AAlign == alClient)
            h = std::max(Rect.Height() - mt - mb, 0);
        w = c->Constraints()->ConstrainWidth(w);
        h = c->Constraints()->ConstrainHeight(h);
        int l = Rect.Left + ml;
        int t = Rect.Top + mt;
        switch (AAlign) {
        case alBottom:
            t = Rect.Bottom - mb - h;
            break;
        case alRight:
            l = Rect.Right - mr - w;
            break;
        case alCustom: {
            l = c->FLeft;
            t = c->FTop;
            w = c->FWidth;
            h = c->FHeight;
            CustomAlignPosition(c, l, t, w, h, Rect);
            break;
        }
        default:
            break;
        }
        c->FAnchorMove = true;
        try {
            c->SetBounds(l, t, w, h);
        } catch (...) {
            c->FAnchorMove = false;
            throw;
        }
        c->FAnchorMove = false;
        if (c->FParent != this) continue;
        // The control may have refused part of the size; the row takes what it really has.
        int usedW = c->FWidth + ml + mr;
        int usedH = c->FHeight + mt + mb;
        switch (AAlign) {
        case alTop:
            Rect.Top += usedH;
            break;
        case alBottom:
            Rect.Bottom -= usedH;
            break;
        case alLeft:
            Rect.Left += usedW;
            break;
        case alRight:
            Rect.Right -= usedW;
            break;
        default:
            break;
        }
    }
}

void TWinControl::FlipChildren(bool AllLevels) {
    if (ControlCount() == 0) return;
    TRect client = GetClientRect();
    AdjustClientRect(client);
    DisableAlign();
    try {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->FAlign == alLeft)
                c->FAlign = alRight;
            else if (c->FAlign == alRight)
                c->FAlign = alLeft;
            else if (c->FAlign == alNone || c->FAlign == alCustom)
                c->SetBounds(client.Left + client.Right - c->FLeft - c->FWidth, c->FTop, c->FWidth,
                             c->FHeight);
            if (AllLevels)
                if (auto* w = dynamic_cast<TWinControl*>(c)) w->FlipChildren(true);
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    FControlState.Include(csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::ApplyAnchors() {
    TRect client = GetClientRect();
    AdjustClientRect(client);
    int pw = client.Width();
    int ph = client.Height();
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.push_back(Controls(i));
    for (TControl* c : children) {
        if (c->FParent != this || c->FAlign != alNone || !c->FAnchorRulesValid) continue;
        TAnchors a = c->FAnchors;
        if (a == TAnchors{akLeft, akTop}) continue;
        const TRect& o = c->FAnchorOrigin;
        int dx = pw - c->FAnchorParentSize.cx;
        int dy = ph - c->FAnchorParentSize.cy;
        int l = o.Left, w = o.Width(), t = o.Top, h = o.Height();
        if (a.Contains(akRight)) {
            if (a.Contains(akLeft))
                w = o.Width() + dx;
            else
                l = o.Left + dx;
        } else if (!a.Contains(akLeft) && c->FAnchorParentSize.cx > 0) {
            // Neither side: the centre keeps its proportion of the width.
            int centre = (o.Left + o.Width() / 2) * pw / c->FAnchorParentSize.cx;
            l = centre - o.Width() / 2;
        }
        if (a.Contains(akBottom)) {
            if (a.Contains(akTop))
                h = o.Height() + dy;
            else
                t = o.Top + dy;
        } else if (!a.Contains(akTop) && c->FAnchorParentSize.cy > 0) {
            int centre = (o.Top + o.Height() / 2) * ph / c->FAnchorParentSize.cy;
            t = centre - o.Height() / 2;
        }
        c->FAnchorMove = true;
        try {
            c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
        } catch (...) {
            c->FAnchorMove = false;
            throw;
        }
        c->FAnchorMove = false;
    }
}

} // namespace vcl
