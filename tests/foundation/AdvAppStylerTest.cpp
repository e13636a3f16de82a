// The application and form stylers: one style reaching the styled components of forms and frames.

#include <gtest/gtest.h>

#include "components/foundation/AdvAppStyler.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/SysInfo.h"
#include "platform/vcl/Form.h"
#include "platform/win/Messages.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using namespace AdvAppStyler;
using AdvStyleIF::TBrixStyle;

// A styled component that remembers the styles pushed to it.
class TStyled : public TComponent, public AdvStyleIF::IBrixStyle {
public:
    using TComponent::TComponent;
    void SetComponentStyle(TBrixStyle AStyle) override { Styles.push_back(AStyle); }
    std::vector<TBrixStyle> Styles;
};

class AppStylerTest : public uitest::UiTest {
protected:
    void TearDown() override {
        SysInfo().Reset();
        for (auto& f : forms)
            f.reset();
    }
    TCustomForm* NewForm() {
        forms.emplace_back(TCustomForm::CreateNew(nullptr));
        return forms.back().get();
    }
    std::vector<TComponentPtr<TCustomForm>> forms;
};

TEST_F(AppStylerTest, TheApplicationStyleReachesTheComponentsOfEveryLinkedForm) {
    TComponentPtr<TAdvAppStyler> app(new TAdvAppStyler(nullptr));
    TCustomForm* one = NewForm();
    TCustomForm* two = NewForm();
    auto* a = new TStyled(one);
    auto* b = new TStyled(two);
    auto* fa = new TAdvFormStyler(one);
    auto* fb = new TAdvFormStyler(two);
    fa->SetAppStyle(app.get());
    fb->SetAppStyle(app.get());
    EXPECT_EQ(app->FormStylerCount(), 2);
    a->Styles.clear();
    b->Styles.clear();
    app->SetStyle(AdvStyleIF::tsOffice2007Luna);
    EXPECT_EQ(a->Styles, std::vector<TBrixStyle>{AdvStyleIF::tsOffice2007Luna});
    EXPECT_EQ(b->Styles, std::vector<TBrixStyle>{AdvStyleIF::tsOffice2007Luna});
    FreeComponent(fb);
    EXPECT_EQ(app->FormStylerCount(), 1);
    app.reset();
    EXPECT_EQ(fa->AppStyle(), nullptr);
}

TEST_F(AppStylerTest, AFormStylerRestylesOnAChangeNeverForCustomAndHonoursAVeto) {
    TCustomForm* form = NewForm();
    auto* styled = new TStyled(form);
    auto* styler = new TAdvFormStyler(form);
    int changes = 0;
    styler->OnChange = [&](TObject*) { ++changes; };
    styler->SetStyle(styler->Style());
    EXPECT_EQ(changes, 0);
    styler->SetStyle(AdvStyleIF::tsCustom);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(styled->Styles.empty());
    styler->SetStyle(AdvStyleIF::tsWhidbey);
    EXPECT_EQ(styled->Styles, std::vector<TBrixStyle>{AdvStyleIF::tsWhidbey});
    EXPECT_EQ(styler->Version(), "1.2.0.1");
    // A veto keeps one component's look; the others are styled.
    TCustomForm* vetoForm = NewForm();
    auto* kept = new TStyled(vetoForm);
    auto* other = new TStyled(vetoForm);
    auto* vetoing = new TAdvFormStyler(vetoForm);
    vetoing->OnApplyStyle = [&](TObject*, TComponent* C, bool& Allow) { Allow = C != kept; };
    vetoing->SetStyle(AdvStyleIF::tsOffice2003Olive);
    EXPECT_TRUE(kept->Styles.empty());
    EXPECT_EQ(other->Styles.size(), 1u);
}

TEST_F(AppStylerTest, TheStyleIsWrittenUnlessItIsTheDeclaredCustom) {
    for (bool formStyler : {false, true}) {
        SCOPED_TRACE(formStyler ? "form styler" : "application styler");
        TComponentPtr<TComponent> styler(formStyler ? static_cast<TComponent*>(new TAdvFormStyler(nullptr))
                                                    : static_cast<TComponent*>(new TAdvAppStyler(nullptr)));
        styler->SetName("Styler");
        const TPropInfo* style = GetPropInfo(styler.get(), "Style");
        ASSERT_NE(style, nullptr);
        ASSERT_TRUE(style->DefaultOrd.has_value());
        EXPECT_EQ(*style->DefaultOrd, AdvStyleIF::tsCustom);
        EXPECT_EQ(style->GetOrd(styler.get()), AdvStyleIF::tsOffice2003Blue) << "a new styler";
        EXPECT_NE(WriteComponentToText(styler.get()).find("Style = tsOffice2003Blue"), String::npos);
        style->SetOrd(styler.get(), AdvStyleIF::tsCustom);
        EXPECT_EQ(WriteComponentToText(styler.get()).find("Style ="), String::npos);
    }
}

TEST_F(AppStylerTest, AFrameStylerReachesNestedFramesButAFormStylerStopsAtItsFrames) {
    TCustomForm* form = NewForm();
    auto* frame = new TFrame(form);
    auto* inner = new TFrame(frame);
    auto* onFrame = new TStyled(frame);
    auto* onInner = new TStyled(inner);
    auto* formStyler = new TAdvFormStyler(form);
    formStyler->SetStyle(AdvStyleIF::tsOffice2003Silver);
    EXPECT_TRUE(onFrame->Styles.empty());
    auto* frameStyler = new TAdvFormStyler(frame);
    frameStyler->SetStyle(AdvStyleIF::tsOffice2007Obsidian);
    EXPECT_EQ(onFrame->Styles, std::vector<TBrixStyle>{AdvStyleIF::tsOffice2007Obsidian});
    EXPECT_EQ(onInner->Styles, std::vector<TBrixStyle>{AdvStyleIF::tsOffice2007Obsidian});
}

TEST_F(AppStylerTest, StylersFollowTheDesktopThemeOnceAdapting) {
    TCustomForm* form = NewForm();
    auto* styled = new TStyled(form);
    auto* styler = new TAdvFormStyler(form);
    styler->SetAutoThemeAdapt(true); // no visual style active
    EXPECT_EQ(styler->Style(), AdvStyleIF::tsOffice2003Classic);
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(styler->Style(), AdvStyleIF::tsOffice2003Olive);
    // The broadcast reached the notifier without making the form's window before the form needs it.
    EXPECT_FALSE(form->HandleAllocated());
    SysInfo().SetTheme(true, "Metallic");
    ASSERT_NE(styler->NotifierWindow(), nullptr);
    styler->NotifierWindow()->Perform(win::WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(styled->Styles.back(), AdvStyleIF::tsOffice2003Silver);
    TComponentPtr<TAdvAppStyler> app(new TAdvAppStyler(nullptr));
    TComponentPtr<TAdvAppStyler> copy(new TAdvAppStyler(nullptr));
    app->SetAutoThemeAdapt(true);
    copy->Assign(app.get());
    EXPECT_TRUE(copy->AutoThemeAdapt());
    EXPECT_EQ(copy->Style(), AdvStyleIF::tsOffice2003Silver);
}

// A hidden window is not made again with its parent's: the notifier must still hear the broadcast after
// the form's window was recreated, and after the form left its parent and came back.
TEST_F(AppStylerTest, ThemeChangesReachTheStylerAfterTheFormsWindowIsRecreated) {
    TCustomForm* form = NewForm();
    auto* styled = new TStyled(form);
    auto* styler = new TAdvFormStyler(form);
    styler->SetAutoThemeAdapt(true);
    form->Show();
    SysInfo().SetVersion(5, 1, 2600, 2, "");
    form->RecreateWnd();
    ASSERT_TRUE(form->HandleAllocated());
    SysInfo().SetTheme(true, "HomeStead");
    EXPECT_EQ(styler->Style(), AdvStyleIF::tsOffice2003Olive);
    form->RecreateWnd();
    SysInfo().SetTheme(true, "Metallic");
    EXPECT_EQ(styled->Styles.back(), AdvStyleIF::tsOffice2003Silver);
}

} // namespace
