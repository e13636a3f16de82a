// Every box lies within the work area, whatever its text and wherever it is placed: the message boxes
// (MessageBox, MessageDlg, ShowMessage) and the input box, with one line of a hundred thousand characters
// without a space or thousands of lines, centred over a window near the screen's edge or at a caller's point.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/InputQuery.h"
#include "platform/vcl/Label.h"
#include "platform/win/Gdi.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using uitest::UiDriver;

bool Inside(const TRect& Inner, const TRect& Outer) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

// The size of Text as one line in the label's font.
TSize LineExtent(TLabel* Label, const String& Text) {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    win::HGDIOBJ old = win::SelectObject(dc, Label->Font()->Handle());
    win::RECT r{0, 0, 0, 0};
    win::DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &r,
                  win::DT_CALCRECT | win::DT_SINGLELINE | win::DT_NOPREFIX);
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    return {r.Right - r.Left, r.Bottom - r.Top};
}

class BoxFitTest : public uitest::UiTest {
protected:
    void SetUp() override {
        // A 1280 by 1024 screen with a panel at the top and a task bar at the bottom.
        std::vector<backend::Monitor> monitors(1);
        monitors[0] = {Rect(0, 0, 1280, 1024), Rect(0, 28, 1280, 994), true, "screen"};
        ui.Screen().SetMonitors(monitors);
        Application->CreateForm(main);
        main->SetPosition(poDesigned);
        main->Show();
    }
    void TearDown() override { FreeComponent(main); }

    // The rules every box keeps, checked while it is up: it lies within the work area, its controls within
    // its client area; its text is Text, or, only when Text is too tall, a head of it with "..." marking the
    // cut; no line is wider than the label (it holds the lines the text needs at its width, at the least);
    // and the text is drawn down to the label's last line (a line drawn unbroken leaves those under it
    // empty).
    void Check(TCustomForm* Box, const String& Text, bool TooTall, const std::string& What) {
        EXPECT_TRUE(Inside(Box->BoundsRect(), Screen->WorkAreaRect()))
            << What << ": the box is off the work area";
        for (int i = 0; i < Box->ControlCount(); ++i)
            EXPECT_TRUE(Inside(Box->Controls(i)->BoundsRect(), Box->ClientRect())) << What;
        auto* label = dynamic_cast<TLabel*>(UiDriver::Find(Box, "Message"));
        if (!label) label = UiDriver::Get<TLabel>(Box, "Prompt");
        const String shown = label->Caption();
        if (TooTall) {
            ASSERT_GT(shown.size(), 3u) << What;
            EXPECT_EQ(shown.substr(shown.size() - 3), "...") << What << ": a cut is marked";
            EXPECT_EQ(Text.substr(0, shown.size() - 3), shown.substr(0, shown.size() - 3)) << What;
        } else {
            EXPECT_EQ(shown, Text) << What << ": nothing is cut";
        }
        const int lineHeight = LineExtent(label, "x").cy;
        int lines = 0;
        for (std::size_t from = 0; from <= shown.size();) {
            const std::size_t end = std::min(shown.find('\n', from), shown.size());
            lines += std::max(1, LineExtent(label, shown.substr(from, end - from)).cx / (label->Width() + 1));
            from = end + 1;
        }
        EXPECT_GE(label->Height(), lines * lineHeight) << What << ": " << lines << " lines at the least";
        std::string picture = "BoxFit " + What + ".png";
        std::replace(picture.begin(), picture.end(), ' ', '-');
        EXPECT_TRUE(ui.WritePng(Box, UiDriver::OutputPath(picture)));
        const TPoint origin = label->ClientToScreen({0, 0});
        const int x0 = origin.X - Box->Left(), bottom = origin.Y - Box->Top() + label->Height();
        const auto face = static_cast<win::COLORREF>(ColorToRGB(clBtnFace)) & 0xFFFFFF;
        int ink = 0;
        for (int y = bottom - lineHeight; y < bottom; ++y)
            for (int x = x0; x < x0 + label->Width(); ++x)
                ink += (ui.Screen().WindowPixel(Box->Handle(), x, y) & 0xFFFFFF) != face;
        EXPECT_GT(ink, 0) << What << ": the last line of the text is drawn";
    }

    TForm* main = nullptr;
};

TEST_F(BoxFitTest, EveryKindOfBoxLiesWithinTheWorkAreaWhateverItsTextAndWhereverItIsPlaced) {
    String longLine, word, lines; // a hundred thousand characters, fifteen hundred (a page's), 3000 lines
    while (longLine.size() < 100000)
        longLine += "0123456789";
    word = longLine.substr(0, 1500);
    for (int i = 0; i < 3000; ++i)
        lines += "Line " + std::to_string(i) + "\n";
    // Over a window whose middle lies near the screen's bottom-right corner, or its top-left one, or at a
    // point off the screen.
    struct Kind {
        const char* What;
        TRect Over;
        std::function<void(const String&)> Ask;
    } kinds[] = {
        {"MessageBox", Rect(1000, 800, 1600, 1200),
         [&](const String& Text) { vcl::MessageBox(main->Handle(), Text, "Title", win::MB_OKCANCEL); }},
        {"ShowMessage", Rect(-400, -300, 200, 100), [&](const String& Text) { ShowMessage(Text); }},
        {"MessageDlgPos", Rect(300, 200, 900, 600),
         [&](const String& Text) { MessageDlgPos(Text, mtWarning, mbYesNoCancel, 0, -300, 5000); }},
        {"InputQuery", Rect(1000, 800, 1600, 1200),
         [&](const String& Text) {
             String value = "suggested";
             InputQuery("Title", Text, value);
         }},
    };
    const struct {
        const String& Text;
        bool TooTall;
        const char* What;
    } texts[] = {
        {longLine, true, " one long line"}, {lines, true, " thousands of lines"}, {word, false, " a word"}};
    for (const Kind& kind : kinds)
        for (const auto& text : texts) {
            main->SetBoundsRect(kind.Over);
            int shown = 0;
            ui.WhenModal([&](TCustomForm* Box) {
                ++shown;
                Check(Box, text.Text, text.TooTall, kind.What + std::string(text.What));
                Box->SetModalResult(mrCancel);
            });
            kind.Ask(text.Text);
            EXPECT_EQ(shown, 1) << kind.What << text.What;
        }
}

TEST_F(BoxFitTest, AnEmptyTextOnAWorkAreaLowerThanABoxIsShownEmptyNotCut) {
    std::vector<backend::Monitor> monitors(1);
    monitors[0] = {Rect(0, 0, 1280, 60), Rect(0, 0, 1280, 60), true, "screen"};
    ui.Screen().SetMonitors(monitors);
    int shown = 0;
    auto expectEmpty = [&] {
        ui.WhenModal([&](TCustomForm* Box) {
            ++shown;
            auto* label = dynamic_cast<TLabel*>(UiDriver::Find(Box, "Message"));
            if (!label) label = UiDriver::Get<TLabel>(Box, "Prompt");
            EXPECT_EQ(label->Caption(), "") << "an empty text has nothing to mark as cut";
            Box->SetModalResult(mrCancel);
        });
    };
    expectEmpty();
    vcl::MessageBox(main->Handle(), "", "Title", win::MB_OK);
    expectEmpty();
    ShowMessage("");
    expectEmpty();
    String value;
    InputQuery("Title", "", value);
    EXPECT_EQ(shown, 3);
}

TEST_F(BoxFitTest, ABoxThatFitsWhereItIsPlacedStaysThereCentredOnItsWindow) {
    main->SetBounds(300, 200, 600, 400);
    TRect box;
    ui.WhenModal([&](TCustomForm* Box) {
        box = Box->BoundsRect();
        Box->SetModalResult(mrOk);
    });
    vcl::MessageBox(main->Handle(), "Saved.", "Title", win::MB_OK);
    EXPECT_NEAR(box.Left + box.Width() / 2, 600, 1);
    EXPECT_NEAR(box.Top + box.Height() / 2, 400, 1);
}

} // namespace
