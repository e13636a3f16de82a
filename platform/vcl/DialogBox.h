#pragma once
// What the message boxes and the input box share: a form that shows within the work area, and a text that
// breaks inside a word too long for its line and is cut to the lines the box has room for. Whatever a caller
// (or a page) gives them, a box lies on the screen with its caption, its buttons and its close box.

#include "platform/vcl/Form.h"
#include "platform/vcl/Label.h"

namespace vcl::dialogs {

// A box's form. As it shows, wherever it was placed (centred on a window near the screen's edge, or at a
// caller's point), it moves into the work area of the monitor it is over; a box larger than that work area
// keeps its top-left corner (its caption) in it.
class TBoxForm : public TForm {
    KV_CLASS(TBoxForm, TForm)
public:
    explicit TBoxForm(TComponent* AOwner) : TForm(AOwner) {}

protected:
    void DoShow() override;
};

// A box's text: a word-wrapped label whose lines also break inside a word wider than the line (as an edit
// control's do), measured and drawn with the same flags. Not sized by itself: the box places it.
class TBoxText : public TLabel {
    KV_CLASS(TBoxText, TLabel)
public:
    explicit TBoxText(TComponent* AOwner);

    // Takes Text as the caption, laid out at most MaxWidth wide, as far as MaxHeight holds its lines: a text
    // too tall is cut at the end of what fits, "..." marking the cut. Returns the size of the text shown.
    // The label's font and ShowAccelChar are the ones it is shown with.
    TSize Fit(const String& Text, int MaxWidth, int MaxHeight);

protected:
    win::UINT TextFlags() const override;

private:
    TSize Measure(const String& Text, int MaxWidth);
};

// The work area boxes are made for (the primary monitor's).
TRect BoxWorkArea();

} // namespace vcl::dialogs
