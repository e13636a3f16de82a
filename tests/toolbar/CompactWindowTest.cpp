// Compacting a page toolbar: its controls move into a clone inside a compact window, the toolbar
// shows one compact button that drops the window down, and un-compacting puts everything back.

#include "platform/rtl/Streams.h"
#include "platform/vcl/DragDrop.h"
#include "platform/win/Input.h"
#include "platform/win/Metrics.h"
#include "platform/win/WinUser.h"
#include "tests/toolbar/PageFixture.h"

namespace toolbartest {
namespace {

using AdvGlowButton::bsGlyph;
using AdvGlowButton::bsLarge;
using AdvGlowButton::TAdvGlowButton;

class CompactWindowTest : public PageTest {
protected:
    // A toolbar of three large glow buttons and one plain toolbar button.
    TAdvToolBar* Tools() {
        TAdvToolBar* tb = PageToolBar("Tools", 10);
        tb->SetCompactCaption("Tools");
        for (const char* n : {"Cut", "Copy", "Paste"})
            Glow(tb, n);
        auto* plain = Make<TAdvToolBarButton>("Plain", tb);
        plain->SetCaption("Plain");
        return tb;
    }
    static std::vector<TControl*> ListOf(TAdvCustomToolBar* Tb) {
        std::vector<TControl*> v;
        for (int i = 0; i < Tb->ToolBarControlCount(); ++i)
            v.push_back(Tb->ToolBarControls(i));
        return v;
    }
    static TPoint ScreenOf(TControl* C) { return C->ClientToScreen(TPoint{0, 0}); }
    // Each control's parent and place, as "parent:left,top".
    static std::vector<String> Places(const std::vector<TControl*>& Controls) {
        std::vector<String> v;
        for (TControl* c : Controls)
            v.push_back(c->Parent()->Name() + ":" + std::to_string(c->Left()) + "," +
                        std::to_string(c->Top()));
        return v;
    }
};

TEST_F(CompactWindowTest, CompactingNeedsAPageAndALoadedToolBarAndCompactModePinsTheState) {
    TAdvToolBar* fresh = PageToolBar("Fresh");
    Glow(fresh, "One");
    fresh->SetLoadedOnce(false);
    fresh->SetCompact(true);
    EXPECT_FALSE(fresh->Compact()) << "never loaded nor made by the page";

    auto* onForm = Make<TAdvToolBar>("OnForm", form.get());
    onForm->SetLoadedOnce(true);
    onForm->SetCompact(true);
    EXPECT_FALSE(onForm->Compact());
    EXPECT_EQ(onForm->GetCompactWidth(), onForm->Width());

    TAdvToolBar* tb = Tools();
    tb->SetCompactMode(true);
    EXPECT_TRUE(tb->Compact());
    EXPECT_TRUE(tb->CompactMode());
    EXPECT_FALSE(tb->CanUnCompact());
    tb->SetCompact(false);
    EXPECT_TRUE(tb->Compact()) << "compact mode refuses the change";
    tb->SetCompactMode(false);
    EXPECT_FALSE(tb->Compact());

    // The page compacted it first; switching the mode on still pins it.
    tb->SetCompact(true);
    tb->SetCompactMode(true);
    EXPECT_TRUE(tb->CompactMode());
    tb->SetCompact(false);
    EXPECT_TRUE(tb->Compact());
    tb->SetCompactMode(false);
    EXPECT_FALSE(tb->Compact());
}

TEST_F(CompactWindowTest, ControlsMoveToTheCloneAndBackInPlaceAndInOrder) {
    TAdvToolBar* tb = Tools();
    tb->CurrentStyler()->CompactGlowButtonAppearance()->SetBorderColor(0x3456AB);
    const std::vector<TControl*> order = ListOf(tb);
    std::vector<String> places = Places(order);
    const int width = tb->Width(), height = tb->Height();

    tb->SetCompact(true);
    ASSERT_TRUE(tb->Compact());
    EXPECT_EQ(tb->Width(), 45) << "the compact width";
    TAdvCustomToolBar* clone = tb->CloneLink();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->CloneLink(), tb);
    EXPECT_EQ(clone->Name(), "Tools_SelfClone");
    EXPECT_EQ(tb->CompactWindow()->Name(), "Tools_CompactWindow");
    EXPECT_EQ(clone->Parent(), tb->CompactWindow());
    EXPECT_EQ(ListOf(clone), order);
    std::vector<String> inClone = places;
    for (String& p : inClone)
        p.replace(0, p.find(':'), "Tools_SelfClone");
    EXPECT_EQ(Places(order), inClone) << "each control in the clone, in its place";
    EXPECT_EQ(clone->Width(), width);
    EXPECT_FALSE(tb->AutoPositionControls());
    EXPECT_FALSE(tb->AutoSize());

    TAdvGlowButton* button = tb->CompactButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ListOf(tb), std::vector<TControl*>{button});
    EXPECT_EQ(button->Caption(), "Tools");
    EXPECT_EQ(button->BoundsRect(), (TRect{0, 0, 45, height}));
    EXPECT_EQ(button->Layout(), AdvGlowButton::blGlyphTop);
    EXPECT_TRUE(button->DropDownButton());
    EXPECT_FALSE(button->DropDownSplit());
    EXPECT_EQ(button->Style(), AdvGlowButton::bsCheck);
    EXPECT_COLOR(button->Appearance()->BorderColor(), 0x3456AB);
    // A styler change reaches the compact button.
    tb->CurrentStyler()->CompactGlowButtonAppearance()->SetBorderColor(0x123456);
    tb->UpdateMe(7);
    EXPECT_COLOR(button->Appearance()->BorderColor(), 0x123456);

    // Un-compacted, the toolbar takes back the width of its smallest variant (measured on the clone);
    // the page then grows it step by step.
    const int smallest = tb->GetInCompactWidth();
    EXPECT_LT(smallest, width);
    tb->SetCompact(false);
    EXPECT_FALSE(tb->Compact());
    EXPECT_EQ(tb->Width(), smallest);
    tb->SetLargestVaraint();
    EXPECT_EQ(tb->CompactButton(), nullptr);
    EXPECT_EQ(tb->CompactWindow(), nullptr);
    EXPECT_EQ(tb->CloneLink(), nullptr);
    EXPECT_EQ(ListOf(tb), order);
    EXPECT_EQ(Places(order), places);
    EXPECT_TRUE(tb->AutoPositionControls());
    EXPECT_TRUE(tb->AutoSize());
    EXPECT_TRUE(tb->AutoArrangeButtons());
    EXPECT_EQ(tb->Width(), width);
    // Compacted again after a round trip, and freed while compacted: nothing is left behind.
    tb->SetCompact(true);
    EXPECT_TRUE(tb->Compact());
}

TEST_F(CompactWindowTest, TheCompactButtonShowsTheCompactPictureOrTheCompactImage) {
    auto square = [](int Size, TColor Colour) {
        auto b = std::make_unique<TBitmap>(Size, Size);
        b->Canvas()->Brush()->SetColor(Colour);
        b->Canvas()->FillRect(TRect{0, 0, Size, Size});
        return b;
    };
    auto* list = new TImageList(form.get());
    list->SetWidth(16);
    list->SetHeight(16);
    list->Add(square(16, clRed).get(), nullptr);
    auto other = std::make_unique<TDragImageList>(16, 16);
    other->Add(square(16, clBlue).get(), nullptr);
    TAdvToolBar* tb = Tools();
    tb->SetCompactImageIndex(0);

    // From an image list the button draws the image itself.
    tb->SetImages(list);
    tb->SetCompact(true);
    EXPECT_EQ(tb->CompactButton()->Images(), list);
    EXPECT_EQ(tb->CompactButton()->ImageIndex(), 0);
    EXPECT_TRUE(tb->CompactButton()->Picture()->Empty());
    tb->SetCompact(false);

    // Any other list's image is copied into the button's picture.
    tb->SetImages(other.get());
    tb->SetCompact(true);
    TAdvGlowButton* button = tb->CompactButton();
    EXPECT_EQ(button->ImageIndex(), -1);
    ASSERT_FALSE(button->Picture()->Empty());
    button->Picture()->GetImageSizes();
    EXPECT_EQ(button->Picture()->Width(), 16);

    // A compact picture goes first, and a change of it reaches the button at once.
    TMemoryStream stream;
    square(8, clLime)->SaveToStream(&stream);
    stream.SetPosition(0);
    tb->CompactPicture()->LoadFromStream(&stream);
    button->Picture()->GetImageSizes();
    EXPECT_EQ(button->Picture()->Width(), 8);
    tb->SetCompact(false);
    tb->SetImages(nullptr);
}

TEST_F(CompactWindowTest, TheCompactButtonDropsTheToolBarDownAndDeactivationHidesIt) {
    form->Show();
    TAdvToolBar* tb = Tools();
    tb->SetCompact(true);
    ui.Process();
    TAdvGlowButton* button = tb->CompactButton();
    TCompactWindow* window = tb->CompactWindow();
    TAdvCustomToolBar* clone = tb->CloneLink();
    ui.WritePng(form.get(), ui.OutputPath("compact-button.png"));

    // The form's caption stays active while the window it drops has the activation.
    std::vector<win::WPARAM> ncActivate;
    TWndMethod formProc = form->WindowProc;
    form->WindowProc = [&](TMessage& M) {
        if (M.Msg == win::WM_NCACTIVATE) ncActivate.push_back(M.WParam);
        formProc(M);
    };
    ui.Click(button);
    form->WindowProc = formProc;
    ASSERT_FALSE(ncActivate.empty());
    EXPECT_EQ(ncActivate.back(), 1u);
    ASSERT_TRUE(window->Visible());
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(window->DropDownButton(), button);
    const TPoint below = ScreenOf(tb);
    EXPECT_EQ(window->Left(), below.X);
    EXPECT_EQ(window->Top(), below.Y + tb->Height() + 1) << "one pixel below the toolbar";
    EXPECT_EQ(window->Width(), clone->Width() + 2);
    EXPECT_EQ(window->Height(), clone->Height() + 2);
    EXPECT_EQ(clone->Left(), 1);
    EXPECT_EQ(clone->Top(), 1);
    ui.Process();
    // The one-pixel frame around the clone shows the window's colour: the styler's background.
    EXPECT_COLOR(ui.Screen().WindowPixel(window->Handle(), 0, window->Height() / 2),
                 Ref(clone->CurrentStyler()->Color()->Color()));
    ui.WritePng(window, ui.OutputPath("compact-window.png"));

    // A button in the window works as on the toolbar.
    int clicks = 0;
    auto* copy = dynamic_cast<TAdvGlowButton*>(clone->ToolBarControls(1));
    ASSERT_NE(copy, nullptr);
    copy->OnClick = [&](TObject*) { ++clicks; };
    ui.Click(copy);
    EXPECT_EQ(clicks, 1);

    // While a button in it has its menu dropped down, losing the activation does not close it.
    copy->SetDroppedDown(true);
    win::SetActiveWindow(form->Handle());
    ui.Advance(10);
    EXPECT_TRUE(window->Visible());
    copy->SetDroppedDown(false);
    win::SetActiveWindow(window->Handle());
    ui.Process();

    // Deactivated, the window hides through its 1 ms timer (a window timer ticks after 10 ms at the
    // least) and the compact button comes up.
    win::SetActiveWindow(form->Handle());
    ui.Process();
    EXPECT_TRUE(window->Visible());
    ui.Advance(10);
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(button->Down());
}

TEST_F(CompactWindowTest, TheWindowSizesByItsCornerAndKeepsInsideTheWorkAreasRightAndBottomEdges) {
    win::RECT work{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &work, 0);
    TAdvToolBar* tb = Tools();
    tb->SetCompact(true);
    TCompactWindow* window = tb->CompactWindow();
    const int wide = tb->CloneLink()->Width() + 2;
    // Only its bottom right corner sizes the window.
    tb->OnCompactBtnDropDown(tb->CompactButton());
    auto hit = [&](int X, int Y) {
        TPoint p = window->ClientToScreen(TPoint{X, Y});
        return win::SendMessage(window->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(p.X, p.Y));
    };
    const int w = window->Width(), h = window->Height();
    EXPECT_EQ(hit(w - 5, h - 5), win::HTBOTTOMRIGHT);
    EXPECT_EQ(hit(w - 10, h - 5), win::HTNOWHERE) << "x must lie beyond Width - 10";
    EXPECT_EQ(hit(w - 5, h - 10), win::HTNOWHERE);
    EXPECT_EQ(hit(3, 3), win::HTNOWHERE);
    window->Hide();

    form->SetLeft(work.Right - 60);
    tb->OnCompactBtnDropDown(tb->CompactButton());
    EXPECT_EQ(window->Left() + window->Width(), work.Right);
    EXPECT_EQ(window->Width(), wide);
    window->Hide();

    form->SetLeft(work.Right + 10);
    tb->OnCompactBtnDropDown(tb->CompactButton());
    EXPECT_EQ(window->Left(), ScreenOf(tb).X) << "a window that starts beyond the edge stays";
    window->Hide();

    // Nor does it leave the bottom: it ends two pixels above it.
    form->SetBounds(work.Left, work.Bottom - 50, form->Width(), form->Height());
    tb->OnCompactBtnDropDown(tb->CompactButton());
    EXPECT_EQ(window->Top() + window->Height() + 2, work.Bottom);
    window->Hide();
}

TEST_F(CompactWindowTest, TheWidthTakenBackIsTheSmallestVariantAndTheWindowShowsTheLargest) {
    // A reference toolbar with the same buttons, set to its smallest variant.
    TAdvToolBar* ref = PageToolBar("Ref", 300);
    for (const char* n : {"Cut", "Copy", "Paste"})
        Glow(ref, n);
    auto* plain = Make<TAdvToolBarButton>("RefPlain", ref);
    plain->SetCaption("Plain");
    ref->SetSmallestVaraint();

    TAdvToolBar* tb = Tools();
    const int largest = tb->Width();
    tb->SetCompact(true);
    EXPECT_EQ(tb->GetInCompactWidth(), ref->Width());
    EXPECT_TRUE(tb->CloneAtSmallest());
    auto* first = dynamic_cast<TAdvGlowButton*>(tb->CloneLink()->ToolBarControls(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ButtonSizeState(), bsGlyph);

    tb->OnCompactBtnDropDown(tb->CompactButton());
    EXPECT_FALSE(tb->CloneAtSmallest());
    EXPECT_EQ(first->ButtonSizeState(), bsLarge);
    EXPECT_EQ(tb->CloneLink()->Width(), largest);
    EXPECT_EQ(tb->CompactWindow()->Width(), largest + 2);
    tb->HideCompactWindow();
    EXPECT_FALSE(tb->CompactWindow()->Visible());
}

} // namespace
} // namespace toolbartest
