// A form class's own painting and its messages: an overridden Paint runs with or without OnPaint, and
// the application's loss or return of the activation reaches the forms (posted: a menu loop's hook
// sees it in the queue).

#include <gtest/gtest.h>

#include "platform/vcl/Forms.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;

// Fills its client area red from its own Paint and counts what ran.
class TSelfPaintedForm : public TForm {
    KV_CLASS(TSelfPaintedForm, TForm)
public:
    explicit TSelfPaintedForm(TComponent* AOwner) : TForm(AOwner) {
        SetColor(clWhite);
        SetClientWidth(200);
        SetClientHeight(120);
    }
    int Paints = 0;
    std::vector<win::UINT> Heard; // CM_ACTIVATE / CM_DEACTIVATE, in order

protected:
    void Paint() override {
        TForm::Paint();
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, 100, ClientHeight()));
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == CM_ACTIVATE || Message.Msg == CM_DEACTIVATE) Heard.push_back(Message.Msg);
        TForm::WndProc(Message);
    }
};

class FormOwnPaintingTest : public uitest::UiTest {
protected:
    win::COLORREF ClientPixel(TCustomForm* F, int X, int Y) {
        TPoint p = F->ClientToScreen(TPoint{X, Y});
        return ui.Screen().ScreenPixel(p.X, p.Y);
    }
};

TEST_F(FormOwnPaintingTest, AnOverriddenPaintRunsOncePerPaintAndTheApplicationsActivationReachesTheForm) {
    TComponentPtr<TSelfPaintedForm> f(new TSelfPaintedForm(Application));
    f->Show();
    ui.Process();
    EXPECT_GE(f->Paints, 1);
    EXPECT_THAT(ClientPixel(f.get(), 50, 60), colortest::IsColor(win::RGB(255, 0, 0)));
    EXPECT_THAT(ClientPixel(f.get(), 150, 60), colortest::IsColor(win::RGB(255, 255, 255)));

    // With a handler too, both run, each once per painting.
    int handled = 0;
    f->OnPaint = [&](TObject*) { ++handled; };
    f->Paints = 0;
    f->Invalidate();
    ui.Process();
    EXPECT_EQ(f->Paints, 1);
    EXPECT_EQ(handled, 1);

    // The application's loss and return of the activation reach its forms.
    f->Heard.clear();
    ui.Screen().DeactivateApp();
    ui.Process();
    EXPECT_EQ(f->Heard, (std::vector<win::UINT>{CM_DEACTIVATE}));
    ui.Click(f.get(), 150, 60);
    EXPECT_EQ(f->Heard, (std::vector<win::UINT>{CM_DEACTIVATE, CM_ACTIVATE}));
}

} // namespace
