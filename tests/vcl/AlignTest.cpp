// Alignment, margins, anchors and constraints of child controls; controls read from a layout (parenting
// by the reader, alignment deferred until the layout is read, tab order as written, inherited fonts) and
// the published properties.
// Painting: windowless children painted by their parent in z-order and clipped to their bounds, windowed
// children above them, invalidation, double buffering and PaintTo (pixel probes); the stacking of windowed
// children (what the screen shows and what the window list says), also for windows made later.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/vcl/Bitmap.h"
#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

class AlignTest : public ControlTest {
protected:
    TBox* Box(const char* Name, TAlign Align, int W = 10, int H = 10) {
        TBox* b = Child<TBox>(host.get(), Name, Rect(0, 0, W, H));
        b->SetAlign(Align);
        return b;
    }
};

TEST_F(AlignTest, ClientControlFillsWhatTheSidesLeave) {
    MakeHost(0, 0, 300, 200);
    TBox* top = Box("Top", alTop, 10, 30);
    TBox* bottom = Box("Bottom", alBottom, 10, 20);
    TBox* left = Box("Left", alLeft, 40, 10);
    TBox* right = Box("Right", alRight, 50, 10);
    TBox* client = Box("Client", alClient);

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 40, 180));
    EXPECT_EQ(right->BoundsRect(), Rect(250, 30, 300, 180));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 250, 180));

    // Resizing the parent lays everything out again.
    host->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
    EXPECT_EQ(right->BoundsRect(), Rect(350, 30, 400, 280));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 350, 280));

    // A hidden aligned control gives its room back.
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(40, 0, 350, 280));
    // Changing a side's size moves the client edge.
    left->SetWidth(60);
    EXPECT_EQ(client->BoundsRect(), Rect(60, 0, 350, 280));
}

TEST_F(AlignTest, MarginsKeepDistanceAroundAlignedControls) {
    MakeHost(0, 0, 200, 100);
    TBox* top = Box("Top", alTop, 10, 20);
    top->SetAlignWithMargins(true); // 3 on each side by default
    TBox* right = Box("Right", alRight, 30, 10);
    right->SetAlignWithMargins(true);
    right->Margins()->SetBounds(5, 6, 7, 8);
    TBox* client = Box("Client", alClient);

    EXPECT_EQ(top->BoundsRect(), Rect(3, 3, 197, 23));
    EXPECT_EQ(right->BoundsRect(), Rect(200 - 7 - 30, 26 + 6, 200 - 7, 100 - 8));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 26, 200 - 7 - 30 - 5, 100));

    // Margins without AlignWithMargins change nothing; switching it off takes them away.
    right->SetAlignWithMargins(false);
    EXPECT_EQ(right->BoundsRect(), Rect(170, 26, 200, 100));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 26, 170, 100));
}

TEST_F(AlignTest, RowOrderFollowsPositionAndTheMovedControlWinsTies) {
    MakeHost(0, 0, 100, 100);
    TBox* a = Box("A", alTop, 10, 10);
    TBox* b = Box("B", alTop, 10, 20);
    // B was aligned last at the same place: it goes first.
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(a->Top(), 20);
    // Moving A to the top puts it first again.
    a->SetTop(0);
    EXPECT_EQ(a->Top(), 0);
    EXPECT_EQ(b->Top(), 10);
    // Bottom-aligned controls stack upwards from the bottom in their order.
    TBox* c = Box("C", alBottom, 10, 15);
    TBox* d = Box("D", alBottom, 10, 5);
    EXPECT_EQ(c->BoundsRect(), Rect(0, 85, 100, 100));
    EXPECT_EQ(d->BoundsRect(), Rect(0, 80, 100, 85));
}

TEST_F(AlignTest, AlignmentWaitsWhileDisabledAndForBorderWidth) {
    MakeHost(0, 0, 100, 100);
    host->DisableAlign();
    TBox* client = Box("Client", alClient);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 10, 10));
    host->EnableAlign();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 100, 100));
    host->SetBorderWidth(5);
    EXPECT_EQ(client->BoundsRect(), Rect(5, 5, 95, 95));
}

TEST_F(AlignTest, AnchorsKeepDistancesWhenTheParentResizes) {
    MakeHost(0, 0, 300, 200);
    TBox* br = Box("BR", alNone);
    br->SetBounds(220, 150, 60, 30); // 20 from the right, 20 from the bottom
    br->SetAnchors({akRight, akBottom});
    TBox* stretch = Box("Stretch", alNone);
    stretch->SetBounds(10, 10, 280, 20);
    stretch->SetAnchors({akLeft, akTop, akRight});
    TBox* fixed = Box("Fixed", alNone);
    fixed->SetBounds(10, 50, 30, 30);
    TBox* centred = Box("Centred", alNone);
    centred->SetBounds(140, 90, 20, 20); // centre at 150, 100
    centred->SetAnchors({});

    host->SetBounds(0, 0, 400, 260);
    EXPECT_EQ(br->BoundsRect(), Rect(320, 210, 380, 240));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 390, 30));
    EXPECT_EQ(fixed->BoundsRect(), Rect(10, 50, 40, 80));
    EXPECT_EQ(centred->BoundsRect(), Rect(190, 120, 210, 140));

    // Shrinking below the original size and growing back restores the original layout.
    host->SetBounds(0, 0, 250, 180);
    EXPECT_EQ(br->BoundsRect(), Rect(170, 130, 230, 160));
    host->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(br->BoundsRect(), Rect(220, 150, 280, 180));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 10, 290, 30));

    // A control moved by the program takes its new place as the reference.
    br->SetBounds(100, 100, 60, 30);
    host->SetBounds(0, 0, 320, 200);
    EXPECT_EQ(br->BoundsRect(), Rect(120, 100, 180, 130));
}

// A control whose content asks for 64 x 16 whenever AutoSize is on.
class TAutoBox : public TBox {
    KV_CLASS(TAutoBox, TBox)
public:
    using TBox::TBox;

protected:
    bool CanAutoSize(int& NewWidth, int& NewHeight) override {
        NewWidth = 64;
        NewHeight = 16;
        return true;
    }
};

TEST_F(AlignTest, ConstraintsClampSizesAlsoOfAutoSizedControls) {
    MakeHost(0, 0, 300, 200);
    auto* c = Child<TBox>(host.get(), "C", Rect(0, 0, 0, 0));
    c->Constraints()->SetMinWidth(50);
    c->Constraints()->SetMaxWidth(100);
    c->Constraints()->SetMinHeight(20);
    c->SetBounds(5, 6, 10, 10);
    EXPECT_EQ(c->BoundsRect(), Rect(5, 6, 55, 26));
    c->SetWidth(500);
    EXPECT_EQ(c->Width(), 100);
    // A tighter limit applies to the current size at once.
    c->Constraints()->SetMaxWidth(80);
    EXPECT_EQ(c->Width(), 80);
    // A minimum above the maximum raises the maximum; a maximum below the minimum lowers it.
    c->Constraints()->SetMinWidth(120);
    EXPECT_EQ(c->Constraints()->MaxWidth(), 120);
    EXPECT_EQ(c->Width(), 120);
    c->Constraints()->SetMaxHeight(10);
    EXPECT_EQ(c->Constraints()->MinHeight(), 10);
    EXPECT_EQ(c->Height(), 10);
    // Negative sizes are not kept.
    c->Constraints()->SetMinWidth(0);
    c->Constraints()->SetMaxWidth(0);
    c->SetBounds(0, 0, -5, -5);
    EXPECT_EQ(c->Width(), 0);
    EXPECT_EQ(c->Height(), 10); // min height 10 still holds

    // AutoSize asks the content; the constraints still apply.
    auto* autoBox = Child<TAutoBox>(host.get(), "Auto", Rect(1, 2, 11, 12));
    EXPECT_EQ(autoBox->BoundsRect(), Rect(1, 2, 11, 12));
    autoBox->SetAutoSize(true);
    EXPECT_EQ(autoBox->BoundsRect(), Rect(1, 2, 65, 18));
    autoBox->SetWidth(500);
    EXPECT_EQ(autoBox->Width(), 64);
    autoBox->Constraints()->SetMaxWidth(50);
    EXPECT_EQ(autoBox->Width(), 50);
}

TEST_F(AlignTest, AlignedControlsRespectConstraints) {
    MakeHost(0, 0, 300, 200);
    TBox* right = Box("Right", alRight, 40, 10);
    right->Constraints()->SetMaxHeight(100);
    TBox* client = Box("Client", alClient);
    client->Constraints()->SetMaxWidth(150);
    EXPECT_EQ(right->BoundsRect(), Rect(260, 0, 300, 100));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 150, 200));
    TBox* top = Box("Top", alTop, 10, 10);
    top->Constraints()->SetMinHeight(30);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(right->Top(), 30);
}

TEST_F(AlignTest, WindowedLayoutFollowsTheWindowSize) {
    MakeHost(50, 60, 200, 100);
    TBox* client = Box("Client", alClient);
    ShowHost();
    ASSERT_TRUE(client->HandleAllocated());
    win::RECT r{};
    win::GetWindowRect(client->Handle(), &r);
    EXPECT_EQ(r, Rect(50, 60, 250, 160));
    // A size change made by the window system reaches the control and its children.
    win::SetWindowPos(host->Handle(), nullptr, 0, 0, 260, 120, win::SWP_NOMOVE | win::SWP_NOZORDER);
    EXPECT_EQ(host->Width(), 260);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 260, 120));
}

TEST_F(AlignTest, FlipChildrenMirrorsPlacesAndSidesAndChangeScaleScales) {
    MakeHost(0, 0, 200, 100);
    TBox* left = Box("Left", alLeft, 30, 10);
    TBox* free = Box("Free", alNone);
    free->SetBounds(50, 10, 20, 20);
    TBox* client = Box("Client", alClient);
    host->FlipChildren(false);
    EXPECT_EQ(left->Align(), alRight);
    EXPECT_EQ(left->BoundsRect(), Rect(170, 0, 200, 100));
    EXPECT_EQ(free->BoundsRect(), Rect(130, 10, 150, 30));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 170, 100));

    // ChangeScale scales the bounds and a font of the control's own.
    auto* c = Child<TBox>(host.get(), "Scaled", Rect(10, 20, 40, 60));
    c->Font()->SetSize(10);
    c->ChangeScale(3, 2);
    EXPECT_EQ(c->BoundsRect(), Rect(15, 30, 60, 90));
    EXPECT_EQ(c->Font()->Size(), 15);
}

class ControlLayoutTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterClasses({ClassEntry<THost>(), ClassEntry<TBox>(), ClassEntry<TProbe>()});
    }
};

constexpr const char* kLayout = R"(object Host: THost
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  Font.Name = 'Verdana'
  object Top1: TBox
    Height = 30
    Align = alTop
    TabOrder = 2
  end
  object Client1: TBox
    Align = alClient
    TabOrder = 0
    object Mark: TProbe
      Left = 10
      Top = 12
      Width = 20
      Height = 22
      Cursor = crHandPoint
      Hint = 'A mark'
    end
  end
  object Corner: TBox
    Left = 250
    Top = 170
    Width = 40
    Height = 20
    Anchors = [akRight, akBottom]
    TabOrder = 1
    Constraints.MinWidth = 45
  end
end
)";

TEST_F(ControlLayoutTest, ReadLayoutParentsAlignsAndOrdersTabs) {
    MakeHost(0, 0, 10, 10);
    ReadComponentFromText(kLayout, host.get(), "Host");
    auto* top = dynamic_cast<TBox*>(host->FindComponent("Top1"));
    auto* client = dynamic_cast<TBox*>(host->FindComponent("Client1"));
    auto* corner = dynamic_cast<TBox*>(host->FindComponent("Corner"));
    auto* mark = dynamic_cast<TProbe*>(host->FindComponent("Mark"));
    ASSERT_NE(top, nullptr);
    ASSERT_NE(client, nullptr);
    ASSERT_NE(corner, nullptr);
    ASSERT_NE(mark, nullptr);

    EXPECT_EQ(top->Parent(), host.get());
    EXPECT_EQ(mark->Parent(), client);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 200));
    EXPECT_EQ(mark->BoundsRect(), Rect(10, 12, 30, 34));
    EXPECT_EQ(corner->Width(), 45); // the constraint read after the size still applies
    EXPECT_EQ(mark->Cursor(), crHandPoint);
    EXPECT_EQ(mark->Hint(), "A mark");

    TWinControlList tabs;
    host->GetTabOrderList(tabs);
    EXPECT_EQ(tabs, (TWinControlList{client, corner, top}));
    EXPECT_EQ(top->TabOrder(), 2);

    // Fonts flow from the root to the controls read under it.
    EXPECT_EQ(mark->Font()->Name(), "Verdana");
    EXPECT_TRUE(mark->ParentFont());

    // Anchors read from the layout keep the corner's distances.
    host->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(corner->Left(), 250 + 100);
    EXPECT_EQ(corner->Top(), 170 + 100);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 400, 300));
}

TEST_F(ControlLayoutTest, PublishedPropertiesByName) {
    MakeHost(0, 0, 100, 100);
    auto* box = new TBox(host.get());
    box->SetParent(host.get());
    SetEnumProp(box, "Align", "alClient");
    EXPECT_EQ(box->Align(), alClient);
    EXPECT_EQ(box->BoundsRect(), Rect(0, 0, 100, 100));
    SetOrdProp(box, "Visible", 0);
    EXPECT_FALSE(box->Visible());
    EXPECT_EQ(GetOrdProp(box, "TabOrder"), 0);
    auto* margins = dynamic_cast<TMargins*>(GetObjectProp(box, "Margins"));
    ASSERT_NE(margins, nullptr);
    EXPECT_EQ(margins->Left(), 3);
    EXPECT_THROW(GetOrdProp(box, "NoSuchProperty"), EPropertyError);
}

constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);
constexpr win::COLORREF kRed = win::RGB(255, 0, 0);
constexpr win::COLORREF kGreen = win::RGB(0, 128, 0);
constexpr win::COLORREF kBlue = win::RGB(0, 0, 255);

class PaintTest : public ControlTest {
protected:
    TProbe* Probe(TWinControl* Parent, TColor Fill, TRect R) {
        TProbe* p = Child<TProbe>(Parent, "", R);
        p->Fill = Fill;
        return p;
    }
};

TEST_F(PaintTest, WindowlessChildrenPaintInZOrderClippedToTheirBounds) {
    MakeHost(50, 50, 200, 150);
    TProbe* red = Probe(host.get(), clRed, Rect(10, 10, 60, 60));
    TProbe* green = Probe(host.get(), clGreen, Rect(30, 30, 80, 80));
    ShowHost();
    // The host's background; red alone; the later one on top; right and bottom edges excluded; red's fill
    // stops at its own bounds.
    ExpectHostPixels({{5, 5, kWhite},
                      {15, 15, kRed},
                      {40, 40, kGreen},
                      {75, 75, kGreen},
                      {80, 80, kWhite},
                      {60, 15, kWhite}});

    red->BringToFront();
    Pump();
    ExpectHostPixels({{40, 40, kRed}});
    red->SendToBack();
    Pump();
    ExpectHostPixels({{40, 40, kGreen}});

    // Hidden controls are not painted and their place is painted again.
    green->SetVisible(false);
    Pump();
    ExpectHostPixels({{40, 40, kRed}, {70, 70, kWhite}});
}

TEST_F(PaintTest, InvalidateRepaintsMovingLeavesNoTrailAndDrawingOutsidePaintingGivesItsContextBack) {
    MakeHost(50, 50, 200, 150);
    TProbe* p = Probe(host.get(), clRed, Rect(10, 10, 30, 30));
    ShowHost();
    int paints = p->Paints;
    p->Fill = clBlue;
    p->Invalidate();
    Pump();
    EXPECT_GT(p->Paints, paints);
    ExpectHostPixels({{20, 20, kBlue}});
    p->SetBounds(100, 100, 20, 20);
    Pump();
    ExpectHostPixels({{20, 20, kWhite}, {110, 110, kBlue}});
    // Repaint paints at once, without a trip through the queue.
    p->Fill = clGreen;
    p->Repaint();
    ExpectHostPixels({{110, 110, kGreen}});

    TBox* box = Box(clBlue, Rect(10, 10, 70, 50));
    Pump();
    // Drawing on the canvas outside painting takes a device context of the window...
    box->Canvas()->Brush()->SetColor(clRed);
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(box->Canvas()->HandleAllocated());
    // ...which goes back (and so reaches the screen) once a control has handled a message.
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_FALSE(box->Canvas()->HandleAllocated());
    ExpectHostPixels({{15, 15, kRed}});
    // A canvas someone is drawing on (locked) keeps its context.
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    box->Canvas()->Lock();
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_TRUE(box->Canvas()->HandleAllocated());
    box->Canvas()->Unlock();
    win::SendMessage(box->Handle(), win::WM_NULL, 0, 0);
    EXPECT_FALSE(box->Canvas()->HandleAllocated());
}

TEST_F(PaintTest, WindowedChildrenCoverWindowlessSiblingsAndPaintTheirOwn) {
    MakeHost(50, 50, 200, 150);
    TProbe* under = Probe(host.get(), clRed, Rect(0, 0, 100, 100));
    TBox* box = Box(clBlue, Rect(50, 50, 150, 130));
    Probe(box, clGreen, Rect(10, 10, 20, 20)); // in the box's coordinates
    under->BringToFront();                     // windowless z-order cannot lift it over a window
    ShowHost();
    // The box covers the red probe; the box's own child sits at (60, 60)..(80, 80).
    ExpectHostPixels({{25, 25, kRed}, {55, 55, kBlue}, {65, 65, kGreen}, {145, 125, kBlue}});
}

TEST_F(PaintTest, DoubleBufferedPaintsTheSame) {
    MakeHost(50, 50, 120, 80);
    host->SetDoubleBuffered(true);
    Probe(host.get(), clRed, Rect(10, 10, 40, 40));
    Probe(host.get(), clBlue, Rect(20, 20, 60, 60));
    ShowHost();
    ExpectHostPixels({{5, 5, kWhite}, {15, 15, kRed}, {30, 30, kBlue}, {119, 79, kWhite}});
}

TEST_F(PaintTest, PaintToDrawsTheControlTreeIntoAnotherContext) {
    MakeHost(50, 50, 100, 60);
    Probe(host.get(), clRed, Rect(0, 0, 20, 20));
    TBox* box = Box(clBlue, Rect(50, 10, 90, 50));
    Probe(box, clGreen, Rect(5, 5, 10, 10));
    // No window is needed to paint into a bitmap.
    TBitmap bmp(120, 80);
    bmp.Canvas()->Brush()->SetColor(clBlack);
    bmp.Canvas()->FillRect(Rect(0, 0, 120, 80));
    host->PaintTo(bmp.Canvas()->Handle(), 10, 10);
    EXPECT_FALSE(host->HandleAllocated());
    // Outside the control; the probe at the control's origin; the host's background; the windowed child;
    // its windowless child; clipped to the control's size.
    for (THostProbe p : std::vector<THostProbe>{{5, 5, win::RGB(0, 0, 0)},
                                                {15, 15, kRed},
                                                {40, 40, kWhite},
                                                {62, 22, kBlue},
                                                {67, 27, kGreen},
                                                {110, 70, win::RGB(0, 0, 0)}})
        EXPECT_THAT(bmp.Canvas()->GetPixel(p.X, p.Y), colortest::IsColor(p.Color))
            << "at (" << p.X << ", " << p.Y << ")";
}

class ZOrderTest : public ControlTest {
protected:
    // The host's child windows, top first.
    std::vector<win::HWND> Stack() const {
        std::vector<win::HWND> v;
        for (win::HWND h = win::GetWindow(host->Handle(), win::GW_CHILD); h;
             h = win::GetWindow(h, win::GW_HWNDNEXT))
            v.push_back(h);
        return v;
    }
};

TEST_F(ZOrderTest, BringToFrontAndSendToBackRestackTheWindowsOnScreen) {
    MakeHost(50, 50, 200, 150);
    TBox* red = Box(clRed, Rect(10, 10, 90, 90));
    TBox* blue = Box(clBlue, Rect(50, 50, 130, 130));
    TBox* green = Box(clGreen, Rect(70, 20, 150, 60));
    // Restacked before its window is made, a child takes its place when it is.
    green->SendToBack();
    ShowHost();
    ExpectHostPixels({{60, 60, kBlue}, {80, 30, kRed}});
    EXPECT_EQ(Stack(), (std::vector<win::HWND>{blue->Handle(), red->Handle(), green->Handle()}));

    green->BringToFront();
    Pump();
    ExpectHostPixels({{80, 30, kGreen}, {60, 60, kBlue}});
    red->BringToFront();
    Pump();
    ExpectHostPixels({{60, 60, kRed}, {80, 30, kRed}, {100, 100, kBlue}});
    EXPECT_EQ(Stack(), (std::vector<win::HWND>{red->Handle(), green->Handle(), blue->Handle()}));
    EXPECT_EQ(host->WinControls().back(), red) << "the list follows the windows";
    EXPECT_EQ(host->ControlAtPos(TPoint{60, 60}, false, true, false), red);

    red->SendToBack();
    Pump();
    ExpectHostPixels({{60, 60, kBlue}, {80, 30, kGreen}, {20, 20, kRed}});
    EXPECT_EQ(win::ChildWindowFromPoint(host->Handle(), win::POINT{60, 60}), blue->Handle());
}

} // namespace
} // namespace controltest
