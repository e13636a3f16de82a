#pragma once
// TLabel: a windowless line (or paragraph) of text. Also home of the small enumerations the standard
// controls share (text alignment, vertical layout).
//
// A "&" in the caption underlines the next character and makes it an accelerator: pressing Alt and that
// character (or the character alone when the focused control does not take characters) focuses
// FocusControl. "&&" shows one ampersand. With ShowAccelChar off the caption is shown as it stands.

#include "platform/vcl/Controls.h"

namespace vcl {

KV_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
KV_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);

// Rectangle arithmetic the standard controls' drawing uses.
namespace stdctrls {
constexpr TRect Inflate(TRect R, int DX, int DY) {
    return {R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY};
}
constexpr TRect Offset(TRect R, int DX, int DY) {
    return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}
// The field of an edit or a list: R filled with Color (the button face when disabled) inside a sunken edge.
void DrawSunkenField(TCanvas* Canvas, const TRect& R, TColor Color, bool Enabled);
} // namespace stdctrls

class TCustomLabel : public TGraphicControl {
    KV_CLASS(TCustomLabel, TGraphicControl)
    KV_PUBLISHED_PROPERTIES(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* AOwner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) override;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // Resizes the label to its text (the width stays when WordWrap is on).
    virtual void AdjustBounds();

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void Paint() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    // The DrawText flags for the current settings, with which the label both measures and draws its text.
    virtual win::UINT TextFlags() const;
    // Draws (or with DT_CALCRECT measures) the caption in Rect.
    void DoDrawText(TRect& Rect, win::UINT Flags);

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;

private:
    void CMDialogChar(TCMDialogChar& Message);
};

class TLabel : public TCustomLabel {
    KV_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

} // namespace vcl
