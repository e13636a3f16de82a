// Message boxes as modal forms: an icon, the text and a centred row of buttons.

#include "platform/vcl/Dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/DialogBox.h"
#include "platform/win/Gdi.h"

namespace vcl {

namespace {

enum class IconKind { None, Warning, Error, Information, Question };

// The box's icon, drawn by us: a yellow triangle with "!", a red disc with "X", a blue disc with "i" or
// "?".
class TMessageIcon : public TGraphicControl {
    KV_CLASS(TMessageIcon, TGraphicControl)
public:
    TMessageIcon(TComponent* AOwner, IconKind Kind) : TGraphicControl(AOwner), FKind(Kind) {
        SetBounds(0, 0, 32, 32);
    }

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        TColor fill = clBlue;
        String glyph = "i";
        switch (FKind) {
        case IconKind::Warning:
            fill = static_cast<TColor>(win::RGB(0xF2, 0xC0, 0x1E));
            glyph = "!";
            break;
        case IconKind::Error:
            fill = static_cast<TColor>(win::RGB(0xD0, 0x25, 0x25));
            glyph = "X";
            break;
        case IconKind::Question:
            fill = static_cast<TColor>(win::RGB(0x1F, 0x5F, 0xBF));
            glyph = "?";
            break;
        default:
            fill = static_cast<TColor>(win::RGB(0x1F, 0x5F, 0xBF));
            break;
        }
        c->Brush()->SetColor(fill);
        c->Pen()->SetColor(fill);
        if (FKind == IconKind::Warning)
            c->Polygon({TPoint{15, 1}, TPoint{30, 29}, TPoint{1, 29}});
        else
            c->Ellipse(1, 1, 31, 31);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(-18);
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->Font()->SetColor(FKind == IconKind::Warning ? clBlack : clWhite);
        TSize ext = c->TextExtent(glyph);
        int y = FKind == IconKind::Warning ? 29 - ext.cy : (32 - ext.cy) / 2;
        c->TextOut((32 - ext.cx) / 2, y, glyph);
    }

private:
    IconKind FKind;
};

// The box: remembers what closing it another way means.
class TMessageForm : public dialogs::TBoxForm {
    KV_CLASS(TMessageForm, dialogs::TBoxForm)
public:
    explicit TMessageForm(TComponent* AOwner) : dialogs::TBoxForm(AOwner) {}
    // The result of closing the box by its frame (mrNone: the box cannot be closed that way).
    TModalResult CloseResult = mrCancel;
    // The window the box belongs to, when its caller named one; else the window active when it shows.
    win::HWND OwnerWindow = nullptr;

protected:
    void CreateParams(TCreateParams& Params) override {
        dialogs::TBoxForm::CreateParams(Params);
        if (OwnerWindow && win::IsWindow(OwnerWindow)) Params.WndParent = OwnerWindow;
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == win::WM_CLOSE) {
            if (CloseResult != mrNone) SetModalResult(CloseResult);
            Message.Result = 0;
            return;
        }
        dialogs::TBoxForm::WndProc(Message);
    }
};

struct ButtonDef {
    String Caption;
    TModalResult Result;
    String Name;
};

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kButtonRowGap = 16; // between the text (or the icon) and the buttons

// Builds the box: Default and Cancel index into Buttons (-1: none).
TMessageForm* BuildBox(const String& Caption, const String& Text, IconKind Icon,
                       const std::vector<ButtonDef>& Buttons, int Default, int Cancel) {
    auto* form = new TMessageForm(GetApplication());
    try {
        form->SetName("MessageBox");
        form->SetBorderStyle(bsDialog);
        form->SetBorderIcons(TBorderIcons{biSystemMenu});
        form->SetPosition(poMainFormCenter);
        form->SetCaption(Caption);
        int textLeft = kMargin;
        int top = kMargin;
        int iconHeight = 0;
        if (Icon != IconKind::None) {
            auto* icon = new TMessageIcon(form, Icon);
            icon->SetName("Image");
            icon->SetParent(form);
            icon->SetBounds(kMargin, kMargin, 32, 32);
            textLeft = kMargin + 32 + kMargin;
            iconHeight = 32;
        }
        // The text takes at most half the work area's width, and the height the work area leaves it beside
        // the frame, the margins and the buttons: a longer line breaks, inside a word if need be, and a
        // taller text is cut, so that the box is never wider or taller than the work area.
        const TRect work = dialogs::BoxWorkArea();
        const int frameWidth = form->Width() - form->ClientWidth();
        const int frameHeight = form->Height() - form->ClientHeight();
        const int maxText = std::max(
            1, std::min(std::max(200, work.Width() / 2), work.Width() - frameWidth - textLeft - kMargin));
        const int maxTextHeight = work.Height() - frameHeight - top - kButtonRowGap - kButtonHeight - kMargin;
        auto* label = new dialogs::TBoxText(form);
        label->SetName("Message");
        label->SetParent(form);
        label->SetShowAccelChar(false);
        const TSize size = label->Fit(Text, maxText, maxTextHeight);
        int textTop = top;
        if (size.cy < iconHeight) textTop = top + (iconHeight - size.cy) / 2;
        label->SetBounds(textLeft, textTop, size.cx + 1, size.cy);
        int contentBottom = std::max(top + iconHeight, textTop + size.cy);
        int n = static_cast<int>(Buttons.size());
        int rowWidth = n * kButtonWidth + (n - 1) * kButtonGap;
        int clientWidth = std::max(textLeft + size.cx + kMargin, rowWidth + 2 * kMargin);
        clientWidth = std::max(clientWidth, 180);
        int buttonTop = contentBottom + kButtonRowGap;
        int x = (clientWidth - rowWidth) / 2;
        TButton* defaultButton = nullptr;
        for (int i = 0; i < n; ++i) {
            auto* b = new TButton(form);
            b->SetName(Buttons[static_cast<size_t>(i)].Name);
            static_cast<TControl*>(b)->SetParent(form);
            b->SetCaption(Buttons[static_cast<size_t>(i)].Caption);
            b->SetModalResult(Buttons[static_cast<size_t>(i)].Result);
            b->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
            b->SetTabStop(true);
            b->SetTabOrder(i);
            if (i == Default) {
                b->SetDefault(true);
                defaultButton = b;
            }
            if (i == Cancel) b->SetCancel(true);
            x += kButtonWidth + kButtonGap;
        }
        form->SetClientSize({clientWidth, buttonTop + kButtonHeight + kMargin});
        if (defaultButton) form->SetActiveControl(defaultButton);
        if (Cancel >= 0) form->CloseResult = Buttons[static_cast<size_t>(Cancel)].Result;
    } catch (...) {
        FreeComponent(form);
        throw;
    }
    return form;
}

TModalResult RunBox(TMessageForm* Form) {
    TModalResult r;
    try {
        r = Form->ShowModal();
    } catch (...) {
        FreeComponent(Form);
        throw;
    }
    FreeComponent(Form);
    return r;
}

IconKind IconOfFlags(unsigned Flags) {
    switch (Flags & win::MB_ICONMASK) {
    case win::MB_ICONHAND:
        return IconKind::Error;
    case win::MB_ICONQUESTION:
        return IconKind::Question;
    case win::MB_ICONEXCLAMATION:
        return IconKind::Warning;
    case win::MB_ICONASTERISK:
        return IconKind::Information;
    default:
        return IconKind::None;
    }
}

} // namespace

int MessageBox(win::HWND Owner, const String& Text, const String& Caption, unsigned Flags) {
    // The box is modal to the whole application. It belongs to the owner's window when that shows (a
    // dialog's box to the dialog), and is centred on it; else to the window active when it shows, and is
    // placed over the main form.
    std::vector<ButtonDef> buttons;
    int cancel = -1;
    switch (Flags & win::MB_TYPEMASK) {
    case win::MB_OK:
        buttons = {{"OK", win::IDOK, "OK"}};
        cancel = 0;
        break;
    case win::MB_OKCANCEL:
        buttons = {{"OK", win::IDOK, "OK"}, {"Cancel", win::IDCANCEL, "Cancel"}};
        cancel = 1;
        break;
    case win::MB_ABORTRETRYIGNORE:
        buttons = {{"&Abort", win::IDABORT, "Abort"},
                   {"&Retry", win::IDRETRY, "Retry"},
                   {"&Ignore", win::IDIGNORE, "Ignore"}};
        break;
    case win::MB_YESNOCANCEL:
        buttons = {
            {"&Yes", win::IDYES, "Yes"}, {"&No", win::IDNO, "No"}, {"Cancel", win::IDCANCEL, "Cancel"}};
        cancel = 2;
        break;
    case win::MB_YESNO:
        buttons = {{"&Yes", win::IDYES, "Yes"}, {"&No", win::IDNO, "No"}};
        break;
    case win::MB_RETRYCANCEL:
        buttons = {{"&Retry", win::IDRETRY, "Retry"}, {"Cancel", win::IDCANCEL, "Cancel"}};
        cancel = 1;
        break;
    case win::MB_CANCELTRYCONTINUE:
        buttons = {{"Cancel", win::IDCANCEL, "Cancel"},
                   {"&Try Again", win::IDTRYAGAIN, "TryAgain"},
                   {"&Continue", win::IDCONTINUE, "Continue"}};
        cancel = 0;
        break;
    default:
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (Flags & win::MB_HELP) buttons.push_back({"Help", win::IDHELP, "Help"});
    int def = static_cast<int>((Flags & win::MB_DEFMASK) >> 8);
    if (def >= static_cast<int>(buttons.size())) def = 0;
    TMessageForm* form = BuildBox(Caption, Text, IconOfFlags(Flags), buttons, def, cancel);
    if (cancel < 0) {
        // Without a cancel button the box is closed by its buttons only.
        form->SetBorderIcons(TBorderIcons{});
        form->CloseResult = mrNone;
    }
    win::HWND root = Owner ? win::GetAncestor(Owner, win::GA_ROOT) : nullptr;
    win::RECT r{};
    if (root && win::IsWindowVisible(root) && win::GetWindowRect(root, &r)) {
        form->OwnerWindow = root;
        form->SetPosition(poDesigned);
        form->SetBounds(r.Left + (r.Right - r.Left - form->Width()) / 2,
                        r.Top + (r.Bottom - r.Top - form->Height()) / 2, form->Width(), form->Height());
    }
    return RunBox(form);
}

void ShowMessage(const String& Msg) {
    std::vector<ButtonDef> buttons{{"OK", mrOk, "OK"}};
    TMessageForm* form = BuildBox(GetApplication()->Title(), Msg, IconKind::None, buttons, 0, 0);
    RunBox(form);
}

namespace {

const char* CaptionOf(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirmation";
    default:
        return nullptr;
    }
}

IconKind IconOf(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return IconKind::Warning;
    case mtError:
        return IconKind::Error;
    case mtInformation:
        return IconKind::Information;
    case mtConfirmation:
        return IconKind::Question;
    default:
        return IconKind::None;
    }
}

const ButtonDef& DefOf(TMsgDlgBtn B) {
    static const ButtonDef defs[] = {{"&Yes", mrYes, "Yes"},
                                     {"&No", mrNo, "No"},
                                     {"OK", mrOk, "OK"},
                                     {"Cancel", mrCancel, "Cancel"},
                                     {"&Abort", mrAbort, "Abort"},
                                     {"&Retry", mrRetry, "Retry"},
                                     {"&Ignore", mrIgnore, "Ignore"},
                                     {"&All", mrAll, "All"},
                                     {"N&o to All", mrNoToAll, "NoToAll"},
                                     {"Yes to &All", mrYesToAll, "YesToAll"},
                                     {"&Help", mrNone, "Help"}};
    return defs[static_cast<int>(B)];
}

TMessageForm* BuildDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    if (Buttons.Bits() == 0) Buttons.Include(mbOK);
    std::vector<ButtonDef> defs;
    std::vector<TMsgDlgBtn> order;
    for (int b = mbYes; b <= mbHelp; ++b)
        if (Buttons.Contains(static_cast<TMsgDlgBtn>(b))) {
            defs.push_back(DefOf(static_cast<TMsgDlgBtn>(b)));
            order.push_back(static_cast<TMsgDlgBtn>(b));
        }
    auto indexOf = [&](TMsgDlgBtn b) {
        auto it = std::find(order.begin(), order.end(), b);
        return it == order.end() ? -1 : static_cast<int>(it - order.begin());
    };
    int def = indexOf(mbOK);
    if (def < 0) def = indexOf(mbYes);
    if (def < 0) def = 0;
    int cancel = indexOf(mbCancel);
    if (cancel < 0) cancel = indexOf(mbNo);
    if (cancel < 0) cancel = indexOf(mbOK);
    const char* caption = CaptionOf(DlgType);
    TMessageForm* form = BuildBox(caption ? String(caption) : GetApplication()->Title(), Msg, IconOf(DlgType),
                                  defs, def, cancel);
    // Closing the box another way is mrCancel, as the framework reports it.
    form->CloseResult = mrCancel;
    return form;
}

} // namespace

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    return BuildDialog(Msg, DlgType, Buttons);
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y) {
    (void)HelpCtx;
    TMessageForm* form = BuildDialog(Msg, DlgType, Buttons);
    if (X >= 0) {
        form->SetPosition(poDesigned);
        form->SetLeft(X);
    }
    if (Y >= 0) {
        form->SetPosition(poDesigned);
        form->SetTop(Y);
    }
    return RunBox(form);
}

} // namespace vcl

namespace win {

int MessageBox(HWND hWnd, const char* lpText, const char* lpCaption, UINT uType) {
    return vcl::MessageBox(hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType);
}

} // namespace win
