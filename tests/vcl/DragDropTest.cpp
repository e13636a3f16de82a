// Drag and drop between controls: the events in order, thresholds, cancelling, list boxes with automatic
// dragging (a click stays a click), freed controls, and the drag image.

#include <map>

#include "platform/vcl/DragDrop.h"
#include "tests/vcl/EditTestSupport.h"

namespace stdtest {
namespace {

class DragDropTest : public StdControlTest {
protected:
    // Records every drag event of a control as "<name>:<event>".
    void Watch(TControl* C, bool Accepts) {
        C->OnDragOver = [this, Accepts](TObject* Sender, TObject* Source, int, int, TDragState State,
                                        bool& Accept) {
            // Moves are counted, not logged: the pointer may report one place more than once.
            static const char* names[] = {"enter", "leave", "move"};
            if (State == dsDragMove)
                ++moves[static_cast<TControl*>(Sender)->Name()];
            else
                log.push_back(static_cast<TControl*>(Sender)->Name() + ":" + names[State]);
            lastSource = Source;
            Accept = Accepts;
        };
        C->OnDragDrop = [this](TObject* Sender, TObject* Source, int X, int Y) {
            log.push_back(static_cast<TControl*>(Sender)->Name() + ":drop");
            lastSource = Source;
            dropAt = TPoint{X, Y};
        };
        C->OnStartDrag = [this](TObject* Sender, TDragObject*&) {
            log.push_back(static_cast<TControl*>(Sender)->Name() + ":start");
        };
        C->OnEndDrag = [this](TObject* Sender, TObject* Target, int, int) {
            log.push_back(static_cast<TControl*>(Sender)->Name() + ":end " +
                          (Target ? static_cast<TControl*>(Target)->Name() : String("none")));
        };
    }
    std::vector<String> log;
    std::map<String, int> moves;
    TObject* lastSource = nullptr;
    TPoint dropAt;
};

using Log = std::vector<String>;

TEST_F(DragDropTest, AnImmediateDragVisitsTargetsAndDropsOnTheOneThatAcceptsOrOnNone) {
    auto* source = Make<TPanel>("Source", 10, 10, 60, 40);
    auto* refuses = Make<TPanel>("Refuses", 100, 10, 60, 40);
    auto* takes = Make<TPanel>("Takes", 200, 10, 60, 40);
    auto* silent = Make<TPanel>("Silent", 300, 10, 60, 40); // no OnDragOver: never accepts
    Watch(source, false);
    Watch(refuses, false);
    Watch(takes, true);
    bool silentDropped = false;
    silent->OnDragDrop = [&](TObject*, TObject*, int, int) { silentDropped = true; };
    ShowHost();
    Down(source, 5, 5);
    source->BeginDrag(true);
    EXPECT_TRUE(source->Dragging());
    MoveOver(refuses, 10, 10);
    MoveOver(refuses, 12, 10);
    MoveOver(takes, 20, 15);
    Up();
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(log, (Log{"Source:start", "Source:enter", "Source:leave", "Refuses:enter", "Refuses:leave",
                        "Takes:enter", "Takes:leave", "Takes:drop", "Source:end Takes"}));
    EXPECT_GE(moves["Refuses"], 1);
    // Without a drag object of its own, targets see the source control itself, and the drop point is
    // in the target's client coordinates.
    EXPECT_EQ(lastSource, source);
    EXPECT_EQ(dropAt, (TPoint{20, 15}));
    EXPECT_EQ(win::GetCapture(), nullptr);

    // Dropped where nothing accepts, the drag ends with no target.
    log.clear();
    Down(source, 5, 5);
    source->BeginDrag(true);
    MoveOver(silent, 5, 5);
    Up();
    EXPECT_FALSE(silentDropped);
    EXPECT_EQ(log.back(), "Source:end none");
    log.clear();
    Down(source, 5, 5);
    source->BeginDrag(true);
    MoveOver(refuses, 5, 5);
    Up();
    EXPECT_EQ(log, (Log{"Source:start", "Source:enter", "Source:leave", "Refuses:enter", "Refuses:leave",
                        "Source:end none"}));
}

TEST_F(DragDropTest, EscapeTheRightButtonAndEndDragCancelAndAutomaticModeDragsOnThePress) {
    auto* source = Make<TPanel>("Source", 10, 10, 60, 40);
    auto* takes = Make<TPanel>("Takes", 200, 10, 60, 40);
    Watch(source, false);
    Watch(takes, true);
    ShowHost();
    for (int way = 0; way < 3; ++way) {
        log.clear();
        Down(source, 5, 5);
        source->BeginDrag(true);
        MoveOver(takes, 5, 5);
        if (way == 0) {
            Press(win::VK_ESCAPE);
        } else if (way == 1) {
            screen->Press(backend::MouseButton::Right);
            Pump();
        } else {
            source->EndDrag(false);
        }
        EXPECT_FALSE(source->Dragging()) << way;
        EXPECT_EQ(log, (Log{"Source:start", "Source:enter", "Source:leave", "Takes:enter", "Takes:leave",
                            "Source:end none"}))
            << way;
        if (way == 1) screen->Release(backend::MouseButton::Right);
        Up();
    }
    // EndDrag(true) drops where the pointer is.
    log.clear();
    Down(source, 5, 5);
    source->BeginDrag(true);
    MoveOver(takes, 5, 5);
    source->EndDrag(true);
    EXPECT_EQ(log.back(), "Source:end Takes");
    Up();

    // With the automatic drag mode a press starts the drag, and the control gets no mouse-down.
    source->SetDragMode(dmAutomatic);
    int downs = 0;
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    log.clear();
    Down(source, 5, 5);
    EXPECT_TRUE(source->Dragging());
    EXPECT_EQ(downs, 0);
    MoveOver(takes, 5, 5);
    Up();
    EXPECT_EQ(log.back(), "Source:end Takes");
}

TEST_F(DragDropTest, ADelayedDragStartsAtTheThresholdAndAClickBeforeItStaysAClick) {
    auto* list = Make<TListBox>("List", 10, 10, 120, 100);
    auto* target = Make<TPanel>("Target", 200, 10, 60, 40);
    for (const char* s : {"One", "Two", "Three"})
        list->Items()->Add(s);
    list->SetDragMode(dmAutomatic);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    Watch(list, false);
    Watch(target, true);
    ShowHost();
    TRect second = list->ItemRect(1);
    // A press and release without moving: the line is selected and clicked, no drag happens.
    Down(list, 10, second.Top + 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    Up();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(list->Dragging());
    // Moving less than the threshold (5 pixels) is still no drag; reaching it starts one.
    TRect third = list->ItemRect(2);
    Down(list, 10, third.Top + 2);
    MoveOver(list, 14, third.Top + 2);
    EXPECT_TRUE(list->Dragging()); // waiting for the threshold counts as dragging, as the framework has it
    EXPECT_EQ(CurrentDragObject(), nullptr);
    MoveOver(list, 15, third.Top + 2);
    EXPECT_NE(CurrentDragObject(), nullptr);
    MoveOver(target, 5, 5);
    Up();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(log.front(), "List:start");
    EXPECT_EQ(log.back(), "List:end Target");
    EXPECT_EQ(clicks, 2); // the press that became a drag is no second click
}

TEST_F(DragDropTest, AnOwnDragObjectIsTheSourceTargetsSeeAndFreedControlsAreForgotten) {
    auto* source = Make<TPanel>("Source", 10, 10, 60, 40);
    auto* target = Make<TPanel>("Target", 200, 10, 60, 40);
    Watch(source, false);
    Watch(target, true);
    TDragObject own;
    source->OnStartDrag = [&](TObject*, TDragObject*& Object) { Object = &own; };
    ShowHost();
    Down(source, 5, 5);
    source->BeginDrag(true);
    MoveOver(target, 5, 5);
    EXPECT_EQ(CurrentDragObject(), &own);
    EXPECT_EQ(own.DragTarget(), target);
    EXPECT_EQ(lastSource, &own);
    // The target goes while the pointer is on it: the drop finds nothing.
    delete target;
    Up();
    EXPECT_FALSE(own.Dropped());
    EXPECT_EQ(log.back(), "Source:end none");
    EXPECT_EQ(CurrentDragObject(), nullptr);
    // The source goes during its drag: the drag ends without events and releases the capture.
    source->OnStartDrag = nullptr;
    Down(source, 5, 5);
    source->BeginDrag(true);
    log.clear();
    delete source;
    EXPECT_EQ(win::GetCapture(), nullptr);
    EXPECT_EQ(CurrentDragObject(), nullptr);
    Up();
    EXPECT_TRUE(log.empty());
}

class ImageSource : public TPanel {
public:
    using TPanel::TPanel;
    TDragImageList* Images = nullptr;

protected:
    TDragImageList* GetDragImages() override { return Images; }
};

TEST_F(DragDropTest, TheDragImageFollowsThePointerOnlyOverControlsThatShowIt) {
    auto* source = new ImageSource(host.get());
    source->SetBounds(10, 10, 60, 40);
    source->SetParent(host.get());
    auto* shows = Make<TPanel>("Shows", 100, 10, 60, 40);
    auto* hides = Make<TPanel>("Hides", 200, 10, 60, 40);
    TControlStyle st = shows->ControlStyle();
    st.Include(csDisplayDragImage);
    shows->SetControlStyle(st);
    TDragImageList images(8, 8);
    TBitmap b(8, 8);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(TRect{0, 0, 8, 8});
    images.Add(&b, nullptr);
    EXPECT_FALSE(images.SetDragImage(1, 0, 0));
    ASSERT_TRUE(images.SetDragImage(0, 2, 3));
    source->Images = &images;
    ShowHost();
    Down(source, 5, 5);
    source->BeginDrag(true);
    ASSERT_NE(images.DragWindow(), nullptr);
    EXPECT_FALSE(win::IsWindowVisible(images.DragWindow()));
    MoveOver(shows, 20, 20);
    EXPECT_TRUE(win::IsWindowVisible(images.DragWindow()));
    win::RECT r{};
    win::GetWindowRect(images.DragWindow(), &r);
    TPoint p = ScreenOf(shows, 20, 20);
    // The hot spot sits under the pointer, and the image does not hide the control beneath.
    EXPECT_EQ(r.Left, p.X - 2);
    EXPECT_EQ(r.Top, p.Y - 3);
    MoveOver(hides, 20, 20);
    EXPECT_FALSE(win::IsWindowVisible(images.DragWindow()));
    Up();
    EXPECT_EQ(images.DragWindow(), nullptr);
}

} // namespace
} // namespace stdtest
