// The status bar's panels: defaults, repaints, image indexes, Assign and auto-size.

#include <set>

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Bitmap.h"
#include "tests/foundation/PublishedValues.h"
#include "tests/statusbar/StatusBarTestSupport.h"

namespace statusbartest {
namespace {

class StatusPanelTest : public StatusBarTest {};

TEST_F(StatusPanelTest, ANewPanelHasTheDocumentedDefaults) {
    auto* bar = MakeBar({});
    TAdvOfficeStatusPanel* p = bar->Panels()->Add();
    publishedtest::ExpectDeclaredDefaults(p);
    EXPECT_EQ(p->AnimationImages(), nullptr);
    EXPECT_EQ(p->Text(), "");
    // The system's long time and short date formats.
    EXPECT_EQ(p->TimeFormat(), SysInfo().LongTimeFormat());
    EXPECT_EQ(p->DateFormat(), SysInfo().ShortDateFormat());
    EXPECT_EQ(p->Progress()->Owner(), p);
    EXPECT_EQ(p->OfficeHint()->Title(), "");
    EXPECT_EQ(p->Bar(), bar);
    EXPECT_EQ(p->ImageCount(), 0);
}

TEST_F(StatusPanelTest, SettingTheSameTextRepaintsNothingAndANewTextRepaints) {
    auto* bar = MakeBar({100, 100});
    bar->Panels()->GetItem(0)->SetText("Ready");
    ShowAndPaint();
    ASSERT_FALSE(RepaintPending(bar));
    bar->Panels()->GetItem(0)->SetText("Ready");
    EXPECT_FALSE(RepaintPending(bar));
    bar->Panels()->GetItem(0)->SetText("Overview loading...");
    EXPECT_TRUE(RepaintPending(bar));
    EXPECT_EQ(bar->Panels()->GetItem(0)->Text(), "Overview loading...");
    ui.Process();
    EXPECT_FALSE(RepaintPending(bar));
    // Inside BeginUpdate / EndUpdate nothing is invalidated until the end.
    bar->Panels()->BeginUpdate();
    bar->Panels()->GetItem(1)->SetText("x");
    bar->Panels()->GetItem(1)->SetWidth(60);
    EXPECT_FALSE(RepaintPending(bar));
    bar->Panels()->EndUpdate();
    EXPECT_TRUE(RepaintPending(bar));
    ui.Process();
    bar->Panels()->Delete(0);
    EXPECT_TRUE(RepaintPending(bar));
    EXPECT_EQ(bar->Panels()->Count(), 1);
    EXPECT_EQ(bar->Panels()->GetItem(0)->Width(), 60);
}

TEST_F(StatusPanelTest, GaugeWritesRepaintOnlyOnceTheBarHasAWindow) {
    auto* bar = MakeBar({100, 100});
    TAdvOfficeStatusPanel* p = bar->Panels()->GetItem(1);
    p->SetStyle(psProgress);
    // No window yet: storing does not make one.
    p->Progress()->SetMax(0);
    p->Progress()->SetPosition(40);
    EXPECT_FALSE(bar->HandleAllocated());
    ShowAndPaint();
    ASSERT_FALSE(RepaintPending(bar));
    p->Progress()->SetPosition(40); // stored and repainted even when equal
    EXPECT_TRUE(RepaintPending(bar));
    win::RECT r{};
    win::GetUpdateRect(bar->Handle(), &r, 0);
    EXPECT_EQ(r, bar->GetPanelRect(1));
}

TEST_F(StatusPanelTest, ImageIndexListGrowsWithMinusOnesAndStepItStopsAtMax) {
    auto* bar = MakeBar({});
    TAdvOfficeStatusPanel* p = bar->Panels()->Add();
    p->SetImageIndexes(3, 7);
    EXPECT_EQ(p->ImageCount(), 4);
    EXPECT_EQ(p->GetImageIndexes(0), -1);
    EXPECT_EQ(p->GetImageIndexes(2), -1);
    EXPECT_EQ(p->GetImageIndexes(3), 7);
    EXPECT_EQ(p->GetImageIndexes(9), -1);
    EXPECT_EQ(p->GetImageIndexes(-1), -1);
    p->SetImageIndexes(1, 12);
    EXPECT_EQ(p->GetImageIndexes(1), 12);
    EXPECT_EQ(p->ImageCount(), 4);
    EXPECT_THROW(p->SetImageIndexes(-1, 5), EStringListError);
    EXPECT_EQ(p->ImageCount(), 4);
    p->ClearImageIndexes();
    EXPECT_EQ(p->ImageCount(), 0);
    EXPECT_EQ(p->GetImageIndexes(3), -1);
    // StepIt stops at Max; negative animation delays are ignored.
    p->Progress()->SetPosition(99);
    p->StepIt();
    EXPECT_EQ(p->Progress()->Position(), 100);
    p->StepIt();
    EXPECT_EQ(p->Progress()->Position(), 100);
    p->Progress()->SetPosition(150); // beyond Max: left alone
    p->StepIt();
    EXPECT_EQ(p->Progress()->Position(), 150);
    p->SetAnimationDelay(3);
    p->SetAnimationDelay(-1);
    EXPECT_EQ(p->AnimationDelay(), 3);
}

TEST_F(StatusPanelTest, AssignCopiesTheLookButNotImagesEnabledOrButton) {
    auto* bar = MakeBar({});
    TAdvOfficeStatusPanel* a = bar->Panels()->Add();
    TAdvOfficeStatusPanel* b = bar->Panels()->Add();
    TAdvOfficeStatusPanel* untouched = bar->Panels()->Add();
    publishedtest::ChangeEveryValue(a);
    a->SetBevel(pbRaised);
    a->Progress()->SetPosition(33);
    a->OfficeHint()->SetTitle("Tip");
    b->Assign(a);
    // Width is copied too, but an auto-sized panel's width follows its text and minimum.
    const std::set<String> copied{"Text",       "Width",    "Alignment",       "Style",   "DateFormat",
                                  "TimeFormat", "AutoSize", "AppearanceStyle", "MinWidth"};
    auto isCopied = [&](const String& Name) { return copied.count(Name) != 0; };
    publishedtest::ExpectSameValues(a, b,
                                    [&](const String& Name) { return isCopied(Name) && Name != "Width"; });
    // The image index, the offsets, the animation, Enabled and Button stay the target's own.
    publishedtest::ExpectSameValues(untouched, b, [&](const String& Name) { return !isCopied(Name); });
    EXPECT_EQ(b->Bevel(), pbRaised);
    EXPECT_EQ(b->Progress()->Position(), 33);
    EXPECT_NE(b->Progress(), a->Progress());
    EXPECT_EQ(b->OfficeHint()->Title(), "Tip");
    // SetItem assigns into the existing item.
    bar->Panels()->SetItem(2, a);
    EXPECT_EQ(bar->Panels()->GetItem(2), untouched);
    EXPECT_EQ(untouched->Text(), a->Text());
}

TEST_F(StatusPanelTest, TypedAccessRaisesTheListErrorOutOfRangeAndDisplayNames) {
    auto* bar = MakeBar({80, 100});
    EXPECT_EQ(bar->Panels()->GetItem(1)->Width(), 100);
    EXPECT_EQ((*bar->Panels())[0], bar->Panels()->Items(0));
    EXPECT_THROW(bar->Panels()->GetItem(2), EListError);
    EXPECT_THROW(bar->Panels()->GetItem(-1), EListError);
    TAdvOfficeStatusPanel* other = bar->Panels()->GetItem(0);
    EXPECT_THROW(bar->Panels()->SetItem(5, other), EListError);
    // The display name is the text when there is one.
    String plain = other->DisplayName();
    EXPECT_FALSE(plain.empty());
    other->SetText("Ready");
    EXPECT_EQ(other->DisplayName(), "Ready");
    other->SetText("");
    EXPECT_EQ(other->DisplayName(), plain);
}

TEST_F(StatusPanelTest, AutoSizedPanelsFollowTheirText) {
    auto* bar = MakeBar({80, 100});
    TAdvOfficeStatusPanel* p = bar->Panels()->GetItem(0);
    p->SetText("A rather long status text");
    EXPECT_EQ(p->Width(), 80); // not auto-sized yet
    p->SetAutoSize(true);
    int longWidth = p->Width();
    EXPECT_GT(longWidth, 100);
    p->SetText("Hi");
    EXPECT_LT(p->Width(), longWidth);
    EXPECT_GE(p->Width(), p->MinWidth());
    p->SetMinWidth(120);
    p->SetText("Hi!");
    EXPECT_EQ(p->Width(), 120);
    // Key-lock panels take the width of their "on" text whatever they show now.
    TAdvOfficeStatusPanel* caps = bar->Panels()->GetItem(1);
    caps->SetStyle(psCapsLock);
    caps->SetMinWidth(1);
    caps->SetAutoSize(true);
    EXPECT_GT(caps->Width(), 12);
    EXPECT_LT(caps->Width(), 100);
    // A mark-up panel takes its widest line (plus 2) and 10 more.
    TAdvOfficeStatusPanel* html = bar->Panels()->Add();
    html->SetWidth(77);
    html->SetText("<b>bold</b> and a longer tail");
    html->SetAutoSize(true);
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(bar->Font());
    measure.Canvas()->Font()->SetStyle(TFontStyles{fsBold});
    int bold = measure.Canvas()->TextWidth("bold");
    measure.Canvas()->Font()->SetStyle(TFontStyles{});
    int tail = measure.Canvas()->TextWidth(" and ") + measure.Canvas()->TextWidth("a ") +
               measure.Canvas()->TextWidth("longer ") + measure.Canvas()->TextWidth("tail");
    EXPECT_EQ(html->Width(), bold + tail + 2 + 10);
}

} // namespace
} // namespace statusbartest
