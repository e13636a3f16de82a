// The input box: prompt, edit and a centred row of OK and Cancel, as the message boxes are laid out.

#include "platform/vcl/InputQuery.h"

#include <algorithm>

#include "platform/vcl/Application.h"
#include "platform/vcl/Button.h"
#include "platform/vcl/DialogBox.h"
#include "platform/vcl/Edit.h"

namespace vcl {

namespace {

constexpr int kMargin = 12;
constexpr int kClientWidth = 340;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kPromptGap = 6;     // between the prompt and the edit
constexpr int kButtonRowGap = 16; // between the edit and the buttons

TButton* AddButton(TForm* Form, const String& Name, TModalResult Result, int Left, int Top) {
    auto* b = new TButton(Form);
    b->SetName(Name);
    static_cast<TControl*>(b)->SetParent(Form);
    b->SetCaption(Name);
    b->SetModalResult(Result);
    b->SetBounds(Left, Top, kButtonWidth, kButtonHeight);
    return b;
}

} // namespace

TForm* CreateInputQueryForm(const String& ACaption, const String& APrompt, const String& Value) {
    auto* form = new dialogs::TBoxForm(GetApplication());
    try {
        // Unnamed: the application owns every box, and two may be up at once.
        form->SetBorderStyle(bsDialog);
        form->SetBorderIcons(TBorderIcons{biSystemMenu});
        form->SetPosition(poMainFormCenter);
        form->SetCaption(ACaption);
        auto* edit = new TEdit(form);
        edit->SetName("Value");
        // The prompt wraps at the box's width, inside a word too long for a line, and takes the height the
        // work area leaves it beside the frame, the edit and the buttons: a taller prompt is cut.
        const int frameHeight = form->Height() - form->ClientHeight();
        const int maxPromptHeight = dialogs::BoxWorkArea().Height() - frameHeight - kMargin - kPromptGap -
                                    kEditHeight - kButtonRowGap - kButtonHeight - kMargin;
        auto* prompt = new dialogs::TBoxText(form);
        prompt->SetName("Prompt");
        prompt->SetParent(form);
        const int promptWidth = kClientWidth - 2 * kMargin;
        const TSize promptSize = prompt->Fit(APrompt, promptWidth, maxPromptHeight);
        prompt->SetBounds(kMargin, kMargin, promptWidth, promptSize.cy);
        prompt->SetFocusControl(edit);
        const int editTop = prompt->Top() + prompt->Height() + kPromptGap;
        static_cast<TControl*>(edit)->SetParent(form);
        edit->SetBounds(kMargin, editTop, kClientWidth - 2 * kMargin, kEditHeight);
        edit->SetText(Value);
        edit->SetTabOrder(0);
        const int buttonTop = editTop + kEditHeight + kButtonRowGap;
        const int left = (kClientWidth - 2 * kButtonWidth - kButtonGap) / 2;
        AddButton(form, "OK", mrOk, left, buttonTop)->SetDefault(true);
        AddButton(form, "Cancel", mrCancel, left + kButtonWidth + kButtonGap, buttonTop)->SetCancel(true);
        form->SetClientSize({kClientWidth, buttonTop + kButtonHeight + kMargin});
        form->SetActiveControl(edit);
        edit->SelectAll();
    } catch (...) {
        FreeComponent(form);
        throw;
    }
    return form;
}

String InputQueryValue(const TForm* Form) {
    auto* edit = Form ? dynamic_cast<TEdit*>(Form->FindComponent("Value")) : nullptr;
    return edit ? edit->Text() : String();
}

bool InputQuery(const String& ACaption, const String& APrompt, String& Value) {
    TForm* form = CreateInputQueryForm(ACaption, APrompt, Value);
    TModalResult result = mrCancel;
    try {
        result = form->ShowModal();
    } catch (...) {
        FreeComponent(form);
        throw;
    }
    if (result == mrOk) Value = InputQueryValue(form);
    FreeComponent(form);
    return result == mrOk;
}

} // namespace vcl
