// Toolbar buttons on a quick access toolbar: they paint from its image lists, track the pointer, share a
// group between the bar and its overflow window, hide that window when clicked in it, and forget the bar
// once they leave it.

#include "tests/pager/PagerTestSupport.h"

#include "components/toolbar/options/OptionWindow.h"
#include "platform/vcl/ImgList.h"

namespace pagertest {
namespace {

TImageList* SolidList(TComponent* Owner, TColor Color) {
    auto* list = new TImageList(Owner);
    list->SetWidth(16);
    list->SetHeight(16);
    TBitmap b(16, 16);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(TRect{0, 0, 16, 16});
    list->Add(&b, nullptr);
    return list;
}

class QuickAccessButtonTest : public PagerTest {
protected:
    void SetUp() override {
        PagerTest::SetUp();
        pager->SetAlign(alNone);
        pager->SetBounds(0, 0, 600, 140);
        AddPages({"Home", "Insert"});
        qat = new TAdvQuickAccessToolBar(form.get());
        qat->SetParent(pager);
        form->Show();
    }
    TAdvToolBarButton* Button(int Group = 0) {
        auto* b = new TAdvToolBarButton(form.get());
        b->SetBounds(0, 0, 24, 20);
        if (Group != 0) {
            b->SetGroupIndex(Group);
        }
        b->OnClick = [this, b](TObject*) { clicked.push_back(b); };
        qat->AddToolBarControl(b);
        return b;
    }

    TAdvQuickAccessToolBar* qat = nullptr;
    std::vector<TControl*> clicked;
};

TEST_F(QuickAccessButtonTest, AButtonPaintsTheBarsImagesAndTurnsHotUnderThePointer) {
    qat->SetImages(SolidList(form.get(), 0x2020C0));
    qat->SetDisabledImages(SolidList(form.get(), 0x808080));
    TAdvToolBarButton* b = Button();
    b->SetImageIndex(0);
    EXPECT_EQ(b->AdvQuickAccessToolBar(), qat);
    EXPECT_EQ(b->AdvToolBar(), nullptr);
    EXPECT_THAT(At(b, b->Width() / 2, b->Height() / 2), IsColor(0x2020C0));
    ui.MoveTo(b, 2, 2);
    EXPECT_TRUE(b->Hot());
    ui.MoveTo(pager, 300, 100);
    EXPECT_FALSE(b->Hot());
    b->SetEnabled(false);
    EXPECT_THAT(At(b, b->Width() / 2, b->Height() / 2), IsColor(0x808080));
}

TEST_F(QuickAccessButtonTest, AButtonInTheOverflowWindowSharesItsGroupAndHidesTheWindowWhenClicked) {
    TAdvToolBarButton* onBar = Button(1);
    for (int i = 0; i < 20; ++i)
        Button();
    TAdvToolBarButton* hidden = Button(1);
    ui.Process();
    onBar->SetDown(true);
    ui.Click(qat->OverflowButton());
    TOptionSelectorWindow* w = qat->OverflowWindow();
    ASSERT_TRUE(w != nullptr && w->Visible());
    ASSERT_NE(hidden->Parent(), qat) << "offered in the window";
    EXPECT_EQ(hidden->AdvQuickAccessToolBar(), qat);
    ui.Click(hidden, 4, 4);
    EXPECT_EQ(clicked, std::vector<TControl*>{hidden});
    EXPECT_FALSE(w->Visible());
    EXPECT_TRUE(hidden->Down());
    EXPECT_FALSE(onBar->Down()) << "one group across the bar and its window";
}

TEST_F(QuickAccessButtonTest, AButtonTakenOffTheBarForgetsIt) {
    TAdvToolBarButton* b = Button();
    b->SetParent(form.get());
    b->SetTop(200);
    EXPECT_EQ(b->AdvQuickAccessToolBar(), nullptr);
    delete qat;
    ui.MoveTo(b, 2, 2);
    EXPECT_FALSE(b->Hot()) << "a button on no bar is never hot";
    ui.Click(b, 2, 2);
    EXPECT_EQ(clicked, std::vector<TControl*>{b});
}

} // namespace
} // namespace pagertest
