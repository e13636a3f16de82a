// Who owns a box or a modal form: the window that was active when it showed (a dialog's box belongs to the
// dialog, so a window manager keeps it above the disabled dialog), a caller's window when it names one,
// and the main form when no window of ours shows.

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/Button.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

class ModalOwnerTest : public uitest::UiTest {
protected:
    void SetUp() override {
        Application->CreateForm(main); // the application's main form
        main->SetName("Main");
        main->Show();
        ui.Process();
        dialog = NewForm("Dialog");
        // The dialog's button shows the box, from the dialog's own loop.
        auto* ask = new TButton(dialog);
        ask->SetName("Ask");
        static_cast<TControl*>(ask)->SetParent(dialog);
        ask->SetCaption("Ask");
        ask->SetBounds(10, 10, 75, 25);
        ask->OnClick = [this](TObject*) { ShowBox(); };
    }
    void TearDown() override {
        FreeComponent(dialog);
        FreeComponent(main);
    }
    static TForm* NewForm(const String& Name) {
        auto* f = new TForm(Application);
        f->SetName(Name);
        f->SetCaption(Name);
        f->SetClientWidth(300);
        f->SetClientHeight(200);
        return f;
    }
    static win::HWND OwnerOf(TCustomForm* Form) { return win::GetWindow(Form->Handle(), win::GW_OWNER); }

    // Shows `dialog` modally and, from inside it, runs Show (which shows a box or a form modally); the box's
    // owner is read while it is up, then both are answered. Returns that owner.
    win::HWND OwnerOfBoxShownFromTheDialog(const std::function<void()>& Show) {
        win::HWND owner = nullptr;
        ShowBox = Show;
        ui.WhenModal([&](TCustomForm* Dialog) { ui.ClickButton(Dialog, "Ask"); });
        ui.WhenModal([&](TCustomForm* Box) {
            owner = OwnerOf(Box);
            Box->SetModalResult(mrOk);
        });
        ui.WhenModal([&](TCustomForm* Dialog) { Dialog->SetModalResult(mrCancel); });
        dialog->ShowModal();
        EXPECT_EQ(ui.PendingActions(), 0);
        return owner;
    }

    TForm* main = nullptr;
    TForm* dialog = nullptr;
    std::function<void()> ShowBox;
};

TEST_F(ModalOwnerTest, EveryKindOfBoxShownFromAModalDialogBelongsToTheDialog) {
    struct Case {
        const char* Name;
        std::function<void()> Show;
    };
    TForm* second = NewForm("Second");
    const Case cases[] = {
        {"Application->MessageBox", [] { Application->MessageBox("Text", "Title", win::MB_OK); }},
        {"MessageBox without an owner", [] { win::MessageBox(nullptr, "Text", "Title", win::MB_OKCANCEL); }},
        {"ShowMessage", [] { ShowMessage("Text"); }},
        {"MessageDlg",
         [] {
             MessageDlg("Text", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0);
         }},
        {"a form shown modally", [&] { second->ShowModal(); }},
    };
    for (const Case& c : cases) {
        win::HWND owner = OwnerOfBoxShownFromTheDialog(c.Show);
        EXPECT_EQ(owner, dialog->Handle()) << c.Name;
    }
    // The dialog itself, shown from the main form, belongs to the main form.
    EXPECT_EQ(OwnerOf(dialog), main->Handle());
    // Once no longer modal, the second form is owned as any secondary form is.
    EXPECT_EQ(OwnerOf(second), main->Handle());
    FreeComponent(second);
}

TEST_F(ModalOwnerTest, AWindowNamedByTheCallerOwnsItsBoxUnlessItIsHidden) {
    // A control's window names its form: the box belongs to that form even while another one is active.
    TForm* other = NewForm("Other");
    auto* button = new TButton(other);
    static_cast<TControl*>(button)->SetParent(other);
    button->SetBounds(10, 10, 75, 25);
    other->Show();
    main->SetFocus();
    ui.Process();
    ASSERT_EQ(win::GetActiveWindow(), main->Handle());
    win::HWND owner = nullptr;
    auto answer = [&](TCustomForm* Box) {
        owner = OwnerOf(Box);
        Box->SetModalResult(mrOk);
    };
    ui.WhenModal(answer);
    win::MessageBox(button->Handle(), "Text", "Title", win::MB_OK);
    EXPECT_EQ(owner, other->Handle());

    // A hidden window cannot hold a box above itself: the active window takes it.
    other->Hide();
    ui.Process();
    ui.WhenModal(answer);
    win::MessageBox(button->Handle(), "Text", "Title", win::MB_OK);
    EXPECT_EQ(owner, main->Handle());
    FreeComponent(other);
}

TEST_F(ModalOwnerTest, AFormMadeEarlierIsOwnedByEachWindowItIsShownOver) {
    // Its window exists before it is shown modally, first over the main form, then over the dialog.
    TForm* settings = NewForm("Settings");
    settings->HandleNeeded();
    win::HWND seen = nullptr;
    ui.WhenModal([&](TCustomForm* Form) {
        seen = OwnerOf(Form);
        Form->SetModalResult(mrOk);
    });
    settings->ShowModal();
    EXPECT_EQ(seen, main->Handle());
    EXPECT_EQ(OwnerOfBoxShownFromTheDialog([&] { settings->ShowModal(); }), dialog->Handle());
    EXPECT_EQ(OwnerOf(settings), main->Handle());
    FreeComponent(settings);
}

TEST_F(ModalOwnerTest, WithNoWindowOfOursShowingAModalFormBelongsToTheMainForm) {
    main->Hide();
    ui.Process();
    win::HWND seen = reinterpret_cast<win::HWND>(1);
    ui.WhenModal([&](TCustomForm* Form) {
        seen = OwnerOf(Form);
        Form->SetModalResult(mrOk);
    });
    dialog->ShowModal();
    EXPECT_EQ(seen, main->Handle());
}

} // namespace
