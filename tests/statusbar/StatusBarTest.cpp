// The status bar control: defaults, panel geometry, simple mode and its styler links.

#include <functional>

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Exceptions.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

using AdvOfficeStatusBarStylers::TAdvOfficeStatusBarOfficeStyler;

class AdvOfficeStatusBarTest : public StatusBarTest {};

TEST_F(AdvOfficeStatusBarTest, ANewBarHasTheDocumentedDefaults) {
    auto* bar = new TAdvOfficeStatusBar(form.get());
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Panels()->Count(), 0);
    EXPECT_EQ(bar->GetVersion(), "1.2.0.2");
    bar->SetVersion("9.9");
    EXPECT_EQ(bar->GetVersion(), "1.2.0.2");
    // Its own styler, named and current while no styler is set.
    ASSERT_NE(bar->InternalStyler(), nullptr);
    EXPECT_EQ(bar->InternalStyler()->Name(), "InternalStyler");
    EXPECT_EQ(bar->InternalStyler()->Owner(), bar);
    EXPECT_TRUE(bar->InternalStyler()->ComponentStyle().Contains(csSubComponent));
    EXPECT_EQ(bar->CurrentStyler(), bar->InternalStyler());
    EXPECT_EQ(bar->Styler(), nullptr);
    EXPECT_EQ(bar->InternalStyler()->BorderColor(), 0x825A3B);
    EXPECT_EQ(bar->InternalStyler()->ControlCount(), 1);
    // It sits at the bottom of its form.
    bar->SetParent(form.get());
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    EXPECT_EQ(bar->Width(), form->ClientWidth());
}

// The bar paints double-buffered and takes no colour from its parent unless told otherwise: a layout
// leaves those out, and keeps either value set against them (a value equal to the declared default is
// not written).
TEST_F(AdvOfficeStatusBarTest, LayoutKeepsValuesSetAgainstTheConstructorsOwn) {
    TComponentPtr<TAdvOfficeStatusBar> bar(new TAdvOfficeStatusBar(nullptr));
    bar->SetName("Bar");
    const String plain = WriteComponentToText(bar.get());
    EXPECT_EQ(plain.find("DoubleBuffered"), String::npos) << plain;
    EXPECT_EQ(plain.find("ParentColor"), String::npos) << plain;
    bar->SetDoubleBuffered(false);
    bar->SetParentColor(true);
    const String text = WriteComponentToText(bar.get());
    TComponentPtr<TAdvOfficeStatusBar> again(new TAdvOfficeStatusBar(nullptr));
    ReadComponentFromText(text, again.get(), "Bar");
    EXPECT_FALSE(again->DoubleBuffered()) << text;
    EXPECT_TRUE(again->ParentColor()) << text;
}

// AntiAlias reads and writes by name, with aaClearType left out; the font is kept only when it is the
// bar's own, neither the system's nor the parent's.
TEST_F(AdvOfficeStatusBarTest, LayoutsKeepTheTextRenderingAndOnlyTheBarsOwnFont) {
    const char* layout = "object Bar: TAdvOfficeStatusBar\r\n"
                         "  AntiAlias = aaAntiAlias\r\n"
                         "end\r\n";
    TComponentPtr<TAdvOfficeStatusBar> bar(new TAdvOfficeStatusBar(nullptr));
    EXPECT_EQ(bar->AntiAlias(), AdvGDIP::aaClearType);
    ReadComponentFromText(layout, bar.get(), "Bar");
    EXPECT_EQ(bar->AntiAlias(), AdvGDIP::aaAntiAlias);
    EXPECT_NE(WriteComponentToText(bar.get()).find("AntiAlias = aaAntiAlias"), String::npos);
    bar->SetAntiAlias(AdvGDIP::aaNone);
    EXPECT_NE(WriteComponentToText(bar.get()).find("AntiAlias = aaNone"), String::npos);
    bar->SetAntiAlias(AdvGDIP::aaClearType);
    EXPECT_EQ(WriteComponentToText(bar.get()).find("AntiAlias"), String::npos);

    // The system's font (the default) is not written; neither is a parent's.
    bar->Font()->SetSize(13);
    EXPECT_EQ(WriteComponentToText(bar.get()).find("Font."), String::npos);
    bar->SetUseSystemFont(false);
    const String own = WriteComponentToText(bar.get());
    EXPECT_NE(own.find("Font."), String::npos) << own;
    TComponentPtr<TAdvOfficeStatusBar> again(new TAdvOfficeStatusBar(nullptr));
    ReadComponentFromText(own, again.get(), "Bar");
    EXPECT_FALSE(again->UseSystemFont());
    EXPECT_EQ(again->Font()->Size(), 13);
    bar->SetParentFont(true);
    EXPECT_EQ(WriteComponentToText(bar.get()).find("Font."), String::npos);
}

TEST_F(AdvOfficeStatusBarTest, WithTheSystemFontOnlyTheTopIsScaled) {
    auto* bar = MakeBar({80}, 400);
    const int size = bar->Font()->Size();
    ASSERT_TRUE(bar->UseSystemFont());
    bar->ChangeScale(3, 2);
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 150, 400, 169}));
    EXPECT_EQ(bar->Font()->Size(), size);
    // A font of its own scales with the bar.
    bar->SetUseSystemFont(false);
    bar->Font()->SetSize(10);
    bar->ChangeScale(2, 1);
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 300, 800, 338}));
    EXPECT_EQ(bar->Font()->Size(), 20);
}

TEST_F(AdvOfficeStatusBarTest, PanelRectanglesInANarrowAndAWideBar) {
    auto* bar = MakeBar({80, 100, 50}, 150);
    EXPECT_EQ(bar->GetPanelRect(0), (TRect{0, 1, 80, 18}));
    EXPECT_EQ(bar->GetPanelRect(1), (TRect{80, 1, 180, 18}));
    // The last panel reaches the right edge, but never gets a negative width.
    EXPECT_EQ(bar->GetPanelRect(2), (TRect{180, 1, 180, 18}));
    EXPECT_EQ(bar->GetPanelRect(3), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(bar->GetPanelRect(-1), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(bar->GetPanel(80), 0); // the boundary belongs to the left panel
    EXPECT_EQ(bar->GetPanel(81), 1);
    EXPECT_EQ(bar->GetPanel(0), 0);
    EXPECT_EQ(bar->GetPanel(-1), -1);
    EXPECT_EQ(bar->GetPanel(500), -1);
    EXPECT_EQ(bar->PanelFixedSize(), 230);
    EXPECT_EQ(bar->GetSimplePanelRect(), (TRect{1, 1, 149, 18}));
    // Painting: the second panel runs past the edge (clipped), the last one is empty.
    EXPECT_EQ(bar->GetPaintRect(0), (TRect{1, 0, 80, 18}));
    EXPECT_EQ(bar->GetPaintRect(1), (TRect{80, 0, 180, 18}));
    EXPECT_EQ(bar->GetPaintRect(2), (TRect{180, 0, 180, 18}));
    // In a wide bar the last panel reaches the edge; a stretch panel takes the room.
    auto* wide = MakeBar({80, 100, 50}, 400);
    EXPECT_EQ(wide->GetPanelRect(2), (TRect{180, 1, 399, 18}));
    EXPECT_EQ(wide->GetPaintRect(2), (TRect{180, 0, 400, 18}));
    wide->SetStretchPanel(0);
    EXPECT_EQ(wide->StretchPanel(), 0);
    EXPECT_EQ(wide->PanelFixedSize(), 150);
    EXPECT_EQ(wide->GetPanelRect(0), (TRect{0, 1, 250, 18}));
    EXPECT_EQ(wide->GetPanelRect(1), (TRect{250, 1, 350, 18}));
    // With a stretch panel the last panel is painted at its own width but hit-tested to the edge.
    EXPECT_EQ(wide->GetPaintRect(2), (TRect{350, 0, 400, 18}));
    EXPECT_EQ(wide->GetPanelRect(2), (TRect{350, 1, 399, 18}));
    // Out of range values are ignored.
    wide->SetStretchPanel(5);
    EXPECT_EQ(wide->StretchPanel(), 0);
    wide->SetStretchPanel(-2);
    EXPECT_EQ(wide->StretchPanel(), 0);
    wide->SetStretchPanel(-1);
    EXPECT_EQ(wide->StretchPanel(), -1);
    // A stretch panel in a bar narrower than the others keeps a width of 0.
    wide->SetStretchPanel(1);
    wide->SetWidth(100);
    EXPECT_EQ(wide->GetPanelRect(1), (TRect{80, 1, 80, 18}));
}

TEST_F(AdvOfficeStatusBarTest, LookupAndSimpleText) {
    auto* bar = MakeBar({80, 100, 50});
    TAdvOfficeStatusPanel* p1 = bar->Panels()->GetItem(1);
    EXPECT_EQ(bar->IndexOfPanel(p1), 1);
    EXPECT_TRUE(bar->IsFirstPanel(bar->Panels()->GetItem(0)));
    EXPECT_FALSE(bar->IsFirstPanel(p1));
    EXPECT_TRUE(bar->IsLastPanel(bar->Panels()->GetItem(2)));
    EXPECT_EQ(bar->IndexOfPanel(nullptr), -1);
    ShowAndPaint();
    bar->SetSimpleText("Hello");
    EXPECT_TRUE(RepaintPending(bar));
    ui.Process();
    bar->SetSimpleText("Hello");
    EXPECT_FALSE(RepaintPending(bar));
    EXPECT_EQ(bar->Perform(win::WM_GETTEXTLENGTH, 0, 0), 5);
    bar->SetSimplePanel(true);
    EXPECT_TRUE(RepaintPending(bar));
    // The background is never erased: every paint covers the bar.
    EXPECT_EQ(bar->Perform(win::WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(AdvOfficeStatusBarTest, FreedStylersAndImageListsAreDropped) {
    auto* bar = MakeBar({80});
    auto* internal = bar->InternalStyler();
    auto* a = new TAdvOfficeStatusBarOfficeStyler(form.get());
    auto* b = new TAdvOfficeStatusBarOfficeStyler(form.get());
    bar->SetStyler(a);
    EXPECT_EQ(bar->Styler(), a);
    EXPECT_EQ(bar->CurrentStyler(), a);
    EXPECT_EQ(a->ControlCount(), 1);
    bar->SetStyler(a); // the same: nothing
    EXPECT_EQ(a->ControlCount(), 1);
    bar->SetStyler(b);
    EXPECT_EQ(a->ControlCount(), 0);
    EXPECT_EQ(b->ControlCount(), 1);
    bar->SetStyler(nullptr);
    EXPECT_EQ(b->ControlCount(), 0);
    EXPECT_EQ(bar->CurrentStyler(), internal);
    // Freeing the styler in use: the bar hears of it, whoever owns the styler.
    bar->SetStyler(a);
    FreeComponent(a);
    EXPECT_EQ(bar->Styler(), nullptr);
    EXPECT_EQ(bar->CurrentStyler(), internal);
    FreeComponent(b);
    TComponentPtr<TAdvOfficeStatusBarOfficeStyler> unowned(new TAdvOfficeStatusBarOfficeStyler(nullptr));
    bar->SetStyler(unowned.get());
    unowned.reset();
    EXPECT_EQ(bar->Styler(), nullptr);
    EXPECT_EQ(bar->CurrentStyler(), internal);
    ShowAndPaint(); // painting with the internal styler works
    // Freed image lists are dropped too.
    TComponentPtr<TImageList> images(new TImageList(nullptr));
    bar->SetImages(images.get());
    bar->SetDisabledImages(images.get());
    bar->Panels()->GetItem(0)->SetAnimationImages(images.get());
    images.reset();
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(bar->DisabledImages(), nullptr);
    EXPECT_EQ(bar->Panels()->GetItem(0)->AnimationImages(), nullptr);
}

// A change of a shared styler repaints every living bar; only size-neutral hot colours store quietly.
TEST_F(AdvOfficeStatusBarTest, BarsSharingAStylerRepaintAndAFreedBarLeavesItLivingOn) {
    TComponentPtr<TAdvOfficeStatusBarOfficeStyler> styler(new TAdvOfficeStatusBarOfficeStyler(nullptr));
    auto* gone = MakeBar({80});
    auto* one = MakeBar({80});
    auto* two = MakeBar({80});
    two->SetTop(130);
    for (TAdvOfficeStatusBar* b : {gone, one, two})
        b->SetStyler(styler.get());
    EXPECT_EQ(styler->ControlCount(), 3);
    FreeComponent(gone);
    EXPECT_EQ(styler->ControlCount(), 2);
    ShowAndPaint();
    ASSERT_FALSE(RepaintPending(one));
    ASSERT_FALSE(RepaintPending(two));
    styler->SetBorderColor(0x0000FF);
    EXPECT_TRUE(RepaintPending(one));
    EXPECT_TRUE(RepaintPending(two));
    ui.Process();
    styler->PanelAppearanceLight()->SetColorHot(0x00FF00); // hot colours store only
    EXPECT_FALSE(RepaintPending(one));
    styler->PanelAppearanceDark()->SetColor(0x00FF00);
    EXPECT_TRUE(RepaintPending(one));
    form.reset(); // the bars go with their form
    EXPECT_EQ(styler->ControlCount(), 0);
    styler->SetBorderColor(0x445566);
}

TEST(StatusBarDbgList, RangeCheckedAccessRaisesItsOwnMessages) {
    TDbgList<int> list;
    int a = 1, b = 2;
    list.Add(&a);
    EXPECT_EQ(list.GetItemsEx(0), &a);
    list.SetItemsEx(0, &b);
    EXPECT_EQ(list.GetItemsEx(0), &b);
    auto message = [](const std::function<void()>& Access) {
        try {
            Access();
        } catch (const Exception& e) {
            return e.Message;
        }
        return String("no exception");
    };
    EXPECT_EQ(message([&] { list.GetItemsEx(1); }), "Index out of bounds in list read access");
    EXPECT_EQ(message([&] { list.SetItemsEx(-1, &a); }), "Index out of bounds in list write access");
}

} // namespace
} // namespace statusbartest
