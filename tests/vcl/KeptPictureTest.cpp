// The picture a windowed control keeps of its own painting for its children's transparent parts: the
// pixels of its painting, windowless children included, after any change that invalidates, resizes or
// moves it; painted once for children asking one after the other; refused when the painting leaves
// pixels transparent.

#include "platform/win/Gdi.h"
#include "tests/support/ColorMatch.h"
#include "tests/vcl/ControlTestSupport.h"

using namespace vcl;
using namespace controltest;

namespace {

constexpr win::COLORREF kBlue = win::RGB(0, 0, 255), kRed = win::RGB(255, 0, 0), kGreen = win::RGB(0, 128, 0),
                        kYellow = win::RGB(255, 255, 0);

// A container that erases nothing and fills only its left half: the right half shows what was there.
class THalf : public TCustomControl {
    KV_CLASS(THalf, TCustomControl)
public:
    explicit THalf(TComponent* AOwner) : TCustomControl(AOwner) {}
    ~THalf() override { BeforeDestruction(); }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
    }
    void WndProc(TMessage& Message) override {
        if (Message.Msg == win::WM_ERASEBKGND) {
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

class KeptPicture : public ControlTest {};

TEST_F(KeptPicture, HoldsThePaintingAndFollowsEveryChangeThatRepaintsIt) {
    MakeHost(10, 10, 300, 150);
    TBox* box = Box(clBlue, Rect(10, 10, 110, 60));
    TProbe* probe = Child<TProbe>(box, "", Rect(5, 5, 15, 15)); // windowless: part of the picture
    Child<TBox>(box, "", Rect(50, 20, 70, 40));                 // windowed: not in it
    ShowHost();
    const std::vector<TRect> all{Rect(0, 0, 100, 50)};
    win::HDC kept = box->KeptPicture(all);
    ASSERT_NE(kept, nullptr);
    EXPECT_THAT(win::GetPixel(kept, 2, 2), colortest::IsColor(kBlue));
    EXPECT_THAT(win::GetPixel(kept, 10, 10), colortest::IsColor(kRed));
    EXPECT_THAT(win::GetPixel(kept, 60, 30), colortest::IsColor(kBlue)) << "the box's own painting";
    // A change shown by invalidating the control (any part of it) is in the next picture.
    box->Fill = clGreen;
    const win::RECT corner{0, 0, 4, 4};
    win::InvalidateRect(box->Handle(), &corner, win::FALSE);
    kept = box->KeptPicture(all);
    EXPECT_THAT(win::GetPixel(kept, 90, 45), colortest::IsColor(kGreen));
    // Resized or moved in its window, the control is painted again.
    box->Fill = clYellow;
    box->SetBounds(10, 10, 120, 60);
    EXPECT_THAT(win::GetPixel(box->KeptPicture(all), 90, 45), colortest::IsColor(kYellow));
    box->Fill = clBlue;
    probe->Fill = clGreen;
    box->SetBounds(40, 30, 120, 60);
    kept = box->KeptPicture(all);
    EXPECT_THAT(win::GetPixel(kept, 90, 45), colortest::IsColor(kBlue));
    EXPECT_THAT(win::GetPixel(kept, 10, 10), colortest::IsColor(kGreen));
}

TEST_F(KeptPicture, ChildrenAskingOneAfterTheOtherHaveItPaintedOnce) {
    MakeHost(10, 10, 300, 150);
    TBox* box = Box(clBlue, Rect(10, 10, 210, 60));
    TProbe* probe = Child<TProbe>(box, "", Rect(0, 0, 200, 50)); // counts the box's paintings
    ShowHost();
    const int paints = probe->Paints;
    const std::vector<TRect> first{Rect(0, 0, 1, 1)}, second{Rect(100, 10, 101, 11)};
    auto both = [&](std::vector<TRect>& More) { More.insert(More.end(), second.begin(), second.end()); };
    ASSERT_NE(box->KeptPicture(first, both), nullptr);
    EXPECT_EQ(probe->Paints, paints + 1);
    ASSERT_NE(box->KeptPicture(second, both), nullptr);
    EXPECT_EQ(probe->Paints, paints + 1) << "the second child's part was painted with the first one's";
    // A part nobody asked for yet is painted when asked.
    EXPECT_THAT(win::GetPixel(box->KeptPicture({Rect(150, 40, 151, 41)}), 150, 40), colortest::IsColor(kRed));
    EXPECT_EQ(probe->Paints, paints + 2);
}

TEST_F(KeptPicture, APaintingThatLeavesPixelsAloneIsNotKept) {
    MakeHost(10, 10, 300, 150);
    THalf* half = Child<THalf>(host.get(), "", Rect(10, 10, 110, 60));
    ShowHost();
    EXPECT_EQ(half->KeptPicture({Rect(60, 10, 61, 11)}), nullptr) << "what was under it would show";
    win::HDC kept = half->KeptPicture({Rect(10, 10, 11, 11)});
    ASSERT_NE(kept, nullptr);
    EXPECT_THAT(win::GetPixel(kept, 10, 10), colortest::IsColor(kRed));
    TComponentPtr<TBox> loose(new TBox(nullptr));
    EXPECT_EQ(loose->KeptPicture({Rect(0, 0, 1, 1)}), nullptr) << "no window";
}

} // namespace
