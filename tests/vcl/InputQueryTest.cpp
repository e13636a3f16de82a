// The input box: what it shows, and the value it gives back (or keeps) by the way the user leaves it.

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/Edit.h"
#include "platform/vcl/InputQuery.h"
#include "platform/vcl/Label.h"
#include "platform/win/WinUser.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

class InputQueryTest : public uitest::UiTest {};

TEST_F(InputQueryTest, OkGivesTheEditsTextAndEveryOtherWayOutKeepsTheValue) {
    struct Case {
        const char* What;
        std::function<void(TCustomForm*)> User;
        bool Result;
        String Value;
    } cases[] = {
        {"Enter", [&](TCustomForm*) { ui.Key(win::VK_RETURN); }, true, "suggested"},
        {"typing replaces the selected value",
         [&](TCustomForm*) {
             ui.Type("typed");
             ui.Key(win::VK_RETURN);
         },
         true, "typed"},
        {"OK after an emptied edit",
         [&](TCustomForm* box) {
             ui.Key(win::VK_BACK);
             ui.ClickButton(box, "OK");
         },
         true, ""},
        {"Escape",
         [&](TCustomForm*) {
             ui.Type("typed");
             ui.Key(win::VK_ESCAPE);
         },
         false, "suggested"},
        {"Cancel", [&](TCustomForm* box) { ui.ClickButton(box, "Cancel"); }, false, "suggested"},
        {"the close box", [&](TCustomForm* box) { box->Close(); }, false, "suggested"},
    };
    for (const Case& c : cases) {
        String caption, prompt, shown;
        ui.WhenModal([&](TCustomForm* box) {
            caption = box->Caption();
            prompt = UiDriver::Get<TLabel>(box, "Prompt")->Caption();
            shown = UiDriver::Get<TEdit>(box, "Value")->Text();
            c.User(box);
        });
        String value = "suggested";
        EXPECT_EQ(InputQuery("Kalvenor", "&Name:", value), c.Result) << c.What;
        EXPECT_EQ(value, c.Value) << c.What;
        EXPECT_EQ(caption, "Kalvenor");
        EXPECT_EQ(prompt, "&Name:");
        EXPECT_EQ(shown, "suggested");
    }
}

TEST_F(InputQueryTest, ALongPromptWrapsAndPushesTheEditAndButtonsDown) {
    TForm* shortBox = CreateInputQueryForm("Caption", "Short", "");
    String words;
    for (int i = 0; i < 80; ++i)
        words += "word ";
    TForm* longBox = CreateInputQueryForm("Caption", words, "");
    auto editTop = [](TForm* f) { return UiDriver::Get<TEdit>(f, "Value")->Top(); };
    EXPECT_GT(editTop(longBox), editTop(shortBox));
    EXPECT_GT(longBox->ClientHeight(), shortBox->ClientHeight());
    EXPECT_EQ(longBox->ClientWidth(), shortBox->ClientWidth()) << "wraps rather than widening";
    auto* label = UiDriver::Get<TLabel>(longBox, "Prompt");
    EXPECT_LE(label->Top() + label->Height(), editTop(longBox)) << "the prompt stays above the edit";
    FreeComponent(shortBox);
    FreeComponent(longBox);
}

} // namespace
