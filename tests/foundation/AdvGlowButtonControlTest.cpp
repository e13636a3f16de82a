// The glow button as a control: fades, drop-down menu, sizes, action link, image lists, key tips.

#include <gtest/gtest.h>

#include "components/foundation/AdvGlowButton.h"
#include "components/foundation/GlowKeyTip.h"
#include "platform/vcl/ActnList.h"
#include "platform/win/WinUser.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvGlowButton;

// A popup menu that only notes where it was asked to show.
class TNotingMenu : public TPopupMenu {
public:
    explicit TNotingMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
    void Popup(int X, int Y) override {
        // A real menu takes the mouse for its loop.
        if (win::HWND capture = win::GetCapture()) win::SendMessage(capture, win::WM_CANCELMODE, 0, 0);
        Points.push_back(TPoint{X, Y});
        auto* b = dynamic_cast<TAdvCustomGlowButton*>(PopupComponent());
        DroppedWhileShown.push_back(b && b->DroppedDown());
    }
    std::vector<TPoint> Points;
    std::vector<bool> DroppedWhileShown;
};

// A square glyph of that size (a bitmap file: the picture keeps any image file's bytes).
void LoadGlyph(GDIPicture::TGDIPPicture* Picture, int Size) {
    TBitmap bmp(Size, Size);
    bmp.Canvas()->Brush()->SetColor(static_cast<TColor>(0xC06030));
    bmp.Canvas()->FillRect(TRect{0, 0, Size, Size});
    Picture->Assign(&bmp);
}

class AdvGlowButtonControlTest : public uitest::UiTest {
protected:
    void SetUp() override {
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetBounds(100, 100, 400, 300);
    }
    TAdvGlowButton* Make(int Top = 10) {
        auto* b = new TAdvGlowButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(20, Top, 120, 40);
        b->OnClick = [this](TObject*) { ++clicks; };
        return b;
    }
    void Show() {
        form->Show();
        ui.Process();
    }
    // Hover progress after each of Ticks fade ticks (the fade timer runs every GlowSpeed ms).
    std::vector<int> HoverTicks(TAdvGlowButton* B, int Ticks) {
        std::vector<int> seen;
        for (int i = 0; i < Ticks; ++i) {
            ui.Advance(static_cast<unsigned>(AdvGDIP::GlowSpeed));
            seen.push_back(B->HoverProgress());
        }
        return seen;
    }
    TComponentPtr<TCustomForm> form;
    int clicks = 0;
};

TEST_F(AdvGlowButtonControlTest, HoverFadesInAndOutInStepsOfTwentyAndStopsAtTheEnds) {
    TAdvGlowButton* b = Make();
    Show();
    ASSERT_EQ(AdvGDIP::GlowSpeed, 30);
    ui.MoveTo(b);
    EXPECT_TRUE(b->Fading());
    EXPECT_EQ(HoverTicks(b, 5), (std::vector<int>{20, 40, 60, 80, 100}));
    EXPECT_TRUE(b->Fading());
    ui.Advance(30); // the sixth tick passes the top: the fade ends
    EXPECT_FALSE(b->Fading());
    EXPECT_EQ(b->HoverProgress(), 100);
    EXPECT_EQ(b->GlowState(), gsNone);

    ui.MoveTo(form.get(), 300, 250);
    EXPECT_EQ(b->HoverProgress(), 100);
    EXPECT_EQ(HoverTicks(b, 6), (std::vector<int>{80, 60, 40, 20, 0, 0}));
    EXPECT_FALSE(b->Fading());
}

TEST_F(AdvGlowButtonControlTest, EnteringDuringTheFallContinuesUpwardFromThere) {
    TAdvGlowButton* b = Make();
    Show();
    ui.MoveTo(b);
    EXPECT_EQ(HoverTicks(b, 2), (std::vector<int>{20, 40}));
    ui.MoveTo(form.get(), 300, 250); // a leave during the rise: the look jumps to hot and falls
    EXPECT_EQ(HoverTicks(b, 2), (std::vector<int>{80, 60}));
    ui.MoveTo(b);
    EXPECT_EQ(HoverTicks(b, 3), (std::vector<int>{80, 100, 100}));
    EXPECT_FALSE(b->Fading());
}

TEST_F(AdvGlowButtonControlTest, PressFadesUpAndReleaseFadesDownThenClearsPressed) {
    TAdvGlowButton* b = Make();
    Show();
    ui.MoveTo(b);
    ui.Advance(300);
    ui.Screen().Press();
    ui.Process();
    EXPECT_EQ(b->GlowState(), gsPush);
    ui.Advance(60);
    EXPECT_EQ(b->PushProgress(), 40);
    ui.Screen().Release();
    ui.Process();
    EXPECT_EQ(clicks, 1);
    ui.Advance(30);
    EXPECT_EQ(b->PushProgress(), 20);
    ui.Advance(90);
    EXPECT_EQ(b->PushProgress(), 0);
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->Fading());
}

// A press dragged off the button and released at once ends its fade with the leave's hover fade cut
// short: the button must still come to rest on the screen, as an untouched one looks.
TEST_F(AdvGlowButtonControlTest, APressReleasedOutsideComesToRestOnTheScreen) {
    TAdvGlowButton* b = Make();
    TAdvGlowButton* untouched = Make(60);
    Show();
    ui.MoveTo(b);
    ui.Advance(300); // fully hot
    ui.Screen().Press();
    ui.Process();
    ui.MoveTo(form.get(), 300, 250);
    ui.Screen().Release();
    ui.Process();
    ui.Advance(600);
    ASSERT_FALSE(b->Fading());
    EXPECT_EQ(clicks, 0);
    ui.Process();
    const TPoint at = b->ClientToScreen(TPoint{0, 0});
    const TPoint rest = untouched->ClientToScreen(TPoint{0, 0});
    for (int y : {4, 15, 26}) // the face's upper half, its middle and its mirror half
        EXPECT_EQ(ui.Screen().ScreenPixel(at.X + 60, at.Y + y),
                  ui.Screen().ScreenPixel(rest.X + 60, rest.Y + y))
            << "row " << y;
}

TEST_F(AdvGlowButtonControlTest, DropDownMenuOpensBelowOrBesideTheButton) {
    TAdvGlowButton* b = Make();
    auto* menu = new TNotingMenu(form.get());
    b->SetDropDownButton(true);
    b->SetDropDownMenu(menu);
    int dropped = 0;
    b->OnDropDown = [&](TObject*) { ++dropped; };
    Show();
    const TPoint origin = b->ClientToScreen(TPoint{0, 0});

    ui.Click(b, 120 - 13, 20); // on the edge of the drop part: the main part
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(menu->Points.empty());
    ui.Advance(1000);
    ui.Click(b, 120 - 12, 20); // within 13 pixels of the right edge
    ASSERT_EQ(menu->Points.size(), 1u);
    EXPECT_EQ(menu->Points[0], (TPoint{origin.X, origin.Y + 40})); // bottom-left corner
    EXPECT_TRUE(menu->DroppedWhileShown[0]);
    EXPECT_FALSE(b->DroppedDown());
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(clicks, 1); // the drop part does not click

    b->SetDropDownDirection(ddRight);
    b->SetTabStop(true);
    b->SetFocus();
    ui.Process();
    ui.Key(win::VK_F4);
    ASSERT_EQ(menu->Points.size(), 2u);
    EXPECT_EQ(menu->Points[1], (TPoint{origin.X + 120, origin.Y})); // top-right corner
    EXPECT_EQ(dropped, 2);

    delete menu; // the button forgets a freed menu
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    ui.Key(win::VK_F4);
}

TEST_F(AdvGlowButtonControlTest, WholeButtonDropDownAndAcceleratorOpenTheMenu) {
    TAdvGlowButton* b = Make();
    auto* menu = new TNotingMenu(form.get());
    b->SetDropDownButton(true);
    b->SetDropDownSplit(false);
    b->SetDropDownMenu(menu);
    b->SetCaption("&Tools");
    Show();
    ui.Click(b, 10, 10);
    EXPECT_EQ(menu->Points.size(), 1u);
    EXPECT_EQ(clicks, 0);
    ui.Key('T', TShiftState{ssAlt});
    EXPECT_EQ(menu->Points.size(), 2u);
    EXPECT_EQ(clicks, 0);
}

TEST_F(AdvGlowButtonControlTest, AutoSizeTheSizeOfEachStateLineBreaksAndNotes) {
    TAdvGlowButton* empty = Make();
    empty->SetCaption("");
    empty->SetAutoSizeEx(true);
    // Nothing to show: three spacings, two pixels and both horizontal margins by two spacings and
    // both vertical margins.
    EXPECT_EQ(empty->Width(), 2 * 3 + 2 + 2 * 2);
    EXPECT_EQ(empty->Height(), 2 * 2 + 2 * 2);

    TAdvGlowButton* b = Make(60);
    LoadGlyph(b->Picture(), 32);
    b->SetCaption("Settings");
    b->SetLayout(blGlyphTop);
    b->SetAutoSizeEx(true);
    const TSize glyph = b->GetButtonSize(bsGlyph);
    EXPECT_EQ(glyph, (TSize{28, 24})); // the picture measured as 16 x 16, no caption
    const TSize label = b->GetButtonSize(bsLabel);
    EXPECT_GT(label.cx, glyph.cx + 20); // the caption beside the small glyph
    EXPECT_EQ(label.cy, glyph.cy + 2);  // the small glyph and one spacing: higher than one line of text
    const TSize large = b->GetButtonSize(bsLarge);
    EXPECT_GE(large.cy, 32 + 2 + 8 + 8); // the 32-pixel glyph above the caption
    EXPECT_EQ(b->Width(), large.cx);     // the button is in the large state
    EXPECT_EQ(b->Height(), large.cy);

    b->SetButtonSizeState(bsGlyph);
    EXPECT_EQ(b->Width(), 28);
    EXPECT_EQ(b->Layout(), blGlyphLeft);
    b->SetButtonSizeState(bsLarge);
    EXPECT_EQ(b->Layout(), blGlyphTop); // the large state's layout comes back
    EXPECT_EQ(b->Width(), large.cx);

    // A drop-down part adds its 13 pixels; the toolbar's size hook has the last word.
    b->SetDropDownButton(true);
    EXPECT_EQ(b->GetButtonSize(bsGlyph), (TSize{28 + 13, 24}));
    b->OnSizeRequest = [](TObject*, int& W, int& H) {
        W += 5;
        H = 30;
    };
    b->SetButtonSizeState(bsGlyph);
    EXPECT_EQ(b->Width(), 28 + 13 + 5);
    EXPECT_EQ(b->Height(), 30);
    // Line breaks and notes in the measured size.
    TAdvGlowButton* lines = Make(110);
    lines->SetCaption("Alpha\\nBeta"); // the two characters backslash and n
    lines->SetAutoSizeEx(true);
    // Large: two lines; the small states force the glyph size and join the words with a blank.
    const TSize twoLines = lines->GetButtonSize(bsLarge), label2 = lines->GetButtonSize(bsLabel);
    EXPECT_GT(twoLines.cy, label2.cy);
    EXPECT_LT(twoLines.cx, label2.cx);

    // Notes lay the button out glyph-left-adjusted whatever its layout says.
    TAdvGlowButton* n = Make(160);
    n->SetCaption("Report");
    n->Notes()->Add("monthly figures");
    n->SetAutoSizeEx(true);
    n->SetLayout(blGlyphTop);
    const TSize top = n->GetButtonSize(bsLarge);
    n->SetLayout(blGlyphLeftAdjusted);
    EXPECT_EQ(n->GetButtonSize(bsLarge), top);
    n->Notes()->Clear();
    EXPECT_NE(n->GetButtonSize(bsLarge), top);
}

TEST_F(AdvGlowButtonControlTest, SizeStateLimitsAndUnsetCustomizerValues) {
    TAdvGlowButton* b = Make();
    b->SetMaxButtonSizeState(bsLabel);
    EXPECT_EQ(b->ButtonSizeState(), bsLabel);
    b->SetMinButtonSizeState(bsLarge);
    EXPECT_EQ(b->ButtonSizeState(), bsLarge);
    // The customizer values start unset.
    EXPECT_EQ(b->CustomizerCommand(), -1);
    EXPECT_FALSE(b->CustomizerCreated());
}

TEST_F(AdvGlowButtonControlTest, ActionLinkCarriesCheckedGroupAndImageIndex) {
    TAdvGlowButton* b = Make();
    auto* list = new TActionList(form.get());
    auto* action = new TAction(form.get());
    action->SetActionList(list);
    action->SetCaption("Act");
    action->SetGroupIndex(4);
    action->SetImageIndex(2);
    b->SetAction(action);
    EXPECT_EQ(b->Caption(), "Act");
    EXPECT_EQ(b->GroupIndex(), 4);
    EXPECT_EQ(b->ImageIndex(), 2);
    action->SetChecked(true);
    EXPECT_TRUE(b->Down());
    action->SetImageIndex(5);
    EXPECT_EQ(b->ImageIndex(), 5);
    Show();
    int executed = 0;
    action->OnExecute = [&](TObject*) { ++executed; };
    b->OnClick = nullptr;
    b->Click();
    EXPECT_EQ(executed, 1);
}

// A one-image list of a solid colour.
TImageList* SolidList(TComponent* Owner, TColor Colour) {
    auto* list = new TImageList(Owner);
    TBitmap bmp(16, 16);
    bmp.Canvas()->Brush()->SetColor(Colour);
    bmp.Canvas()->FillRect(TRect{0, 0, 16, 16});
    list->Add(&bmp, nullptr);
    return list;
}

TEST_F(AdvGlowButtonControlTest, TheGlyphListFollowsTheLookAndFreedListsAreForgotten) {
    TAdvGlowButton* b = Make();
    b->SetCaption("");
    b->SetImages(SolidList(form.get(), 0x0000FF));
    b->SetHotImages(SolidList(form.get(), 0x00FF00));
    b->SetDisabledImages(SolidList(form.get(), 0xFF0000));
    b->SetImageIndex(0);
    Show();
    // Without a caption the glyph is centred: (120 - 16) / 2, (40 - 16) / 2.
    auto centre = [&] {
        const TPoint o = b->ClientToScreen(TPoint{60, 20});
        const TRect wr = form->BoundsRect();
        return ui.Screen().WindowPixel(form->Handle(), o.X - wr.Left, o.Y - wr.Top);
    };
    EXPECT_EQ(centre(), 0x0000FFu);
    ui.MoveTo(b, 5, 5);
    EXPECT_EQ(centre(), 0x00FF00u); // the hot list while hovering
    ui.MoveTo(form.get(), 300, 250);
    b->SetEnabled(false);
    ui.Process();
    EXPECT_EQ(centre(), 0xFF0000u); // the disabled list, drawn as it is
    // Freed lists are forgotten, and painting without them is fine.
    auto* images2 = new TImageList(form.get());
    auto* hot2 = new TImageList(form.get());
    b->SetImages(images2);
    b->SetHotImages(hot2);
    delete images2;
    delete hot2;
    EXPECT_EQ(b->Images(), nullptr);
    EXPECT_EQ(b->HotImages(), nullptr);
    b->SetEnabled(true);
    ui.Process();
}

TEST_F(AdvGlowButtonControlTest, KeyTipStandsHalfOutsideTheNamedEdge) {
    TAdvGlowButton* b = Make();
    b->HideShortCutHint(); // never shown: nothing happens
    EXPECT_EQ(b->ShortCutHintWindow(), nullptr);
    b->SetShortCutHint("F");
    Show();
    const TPoint p = b->ClientToScreen(TPoint{0, 0});
    b->ShowShortCutHint();
    TShortCutHintWindow* tip = b->ShortCutHintWindow();
    ASSERT_NE(tip, nullptr);
    const int w = tip->Width(), h = tip->Height();
    EXPECT_EQ(tip->Caption(), "F");
    EXPECT_EQ(tip->BoundsRect().TopLeft(), (TPoint{p.X + (120 - w) / 2, p.Y - h / 2}));

    b->SetShortCutHintPos(shpRight);
    b->SetShortCutHint("G");
    b->ShowShortCutHint();
    EXPECT_EQ(b->ShortCutHintWindow(), tip); // the same window, moved and refreshed
    EXPECT_EQ(tip->Caption(), "G");
    const int w2 = tip->Width(), h2 = tip->Height();
    EXPECT_EQ(tip->BoundsRect().TopLeft(), (TPoint{p.X + 120 - w2 / 2, p.Y + (40 - h2) / 2}));
    EXPECT_TRUE(win::IsWindowVisible(tip->Handle()));
    b->HideShortCutHint();
    EXPECT_FALSE(win::IsWindowVisible(tip->Handle()));

    b->SetShortCutHint(""); // an empty tip still shows its box
    b->SetShortCutHintPos(shpBottom);
    b->ShowShortCutHint();
    EXPECT_GT(tip->Width(), 0);
    EXPECT_EQ(tip->BoundsRect().Top, p.Y + 40 - tip->Height() / 2);
    // White at the top running to silver at the bottom, in a grey outline.
    const int tw = tip->Width(), th = tip->Height();
    auto px = [&](int x, int y) { return ui.Screen().WindowPixel(tip->Handle(), x, y); };
    EXPECT_EQ(px(tw / 2, 0), 0x808080u);
    EXPECT_EQ(px(0, th / 2), 0x808080u);
    EXPECT_GT(px(tw / 2, 1) & 0xFF, 0xF0u);
    EXPECT_LT(px(tw / 2, th - 2) & 0xFF, 0xD0u);
    EXPECT_GT(px(tw / 2, th - 2) & 0xFF, 0xB8u);
}

TEST_F(AdvGlowButtonControlTest, AGlyphIsDecodedOnceUntilThePictureChanges) {
    TAdvGlowButton* b = Make();
    LoadGlyph(b->Picture(), 24);
    b->SetCaption("Glyph");
    Show();
    const int once = b->Picture()->DecodeCount();
    EXPECT_EQ(once, 1);
    ui.MoveTo(b);
    ui.Advance(300); // six fade repaints
    EXPECT_EQ(b->Picture()->DecodeCount(), once);
    LoadGlyph(b->Picture(), 16);
    form->Repaint();
    ui.Process();
    EXPECT_EQ(b->Picture()->DecodeCount(), once + 1);
    EXPECT_EQ(b->Picture()->Width(), 16);
}

TEST_F(AdvGlowButtonControlTest, TheToolbarsKeyHookSeesTheArrowKeys) {
    TAdvGlowButton* a = Make();
    TAdvGlowButton* b = Make(60);
    a->SetTabStop(true);
    b->SetTabStop(true);
    Show();
    a->SetFocus();
    ui.Process();
    ui.Key(win::VK_DOWN); // without the hook an arrow moves the focus as a dialog does
    EXPECT_TRUE(b->Focused());
    std::vector<Word> keys;
    b->OnInternalKeyDown = [&](TObject*, Word& Key, TShiftState) { keys.push_back(Key); };
    ui.Key(win::VK_RIGHT);
    ui.Key(win::VK_UP);
    EXPECT_EQ(keys, (std::vector<Word>{win::VK_RIGHT, win::VK_UP}));
    EXPECT_TRUE(b->Focused()); // the button kept them
}

} // namespace
