#pragma once
// Drag and drop between controls of this program.
//
// A drag starts with TControl::BeginDrag (or by itself on a left press when the control's DragMode is
// dmAutomatic). Immediate drags start at once; the others wait until the pointer has moved Threshold
// pixels from the press, and a release before that is an ordinary click. Once started, the source's
// OnStartDrag may supply a drag object; without one, the source control itself is the Source that
// targets see. The engine then holds the mouse capture in a hidden window of its own:
//   - every move asks the control under the pointer (FindDragTarget) through DragOver: dsDragEnter when
//     the pointer comes onto it, dsDragMove while it stays, dsDragLeave when it goes. A control accepts
//     only when it has an OnDragOver that leaves Accept true. The cursor is the source's DragCursor over
//     a control that accepts, crNoDrop elsewhere;
//   - the left button's release drops: the target gets dsDragLeave and then, when it accepted,
//     DragDrop (OnDragDrop); the source then gets DoEndDrag (OnEndDrag) with the target, or with null
//     when nothing took the drop;
//   - Escape, the right button, or losing the capture cancels: the target gets dsDragLeave and the
//     source OnEndDrag with no target.
// A control freed during a drag is forgotten: freeing the target ends nothing, freeing the source
// cancels the drag without events. Coordinates in the events are the receiving control's client
// coordinates.
//
// Drag images: a drag object whose GetDragImages returns a list that has a drag image set shows that
// image beside the pointer in a half-transparent popup while the pointer is over a control whose
// ControlStyle holds csDisplayDragImage.

#include <memory>

#include "platform/vcl/Control.h"
#include "platform/vcl/ImgList.h"

namespace vcl {

class TDragObject : public TObject {
    KV_CLASS(TDragObject, TObject)
public:
    TDragObject() = default;
    ~TDragObject() override;

    // The control under the pointer (the last one asked), its client position, and the screen position.
    TControl* DragTarget() const { return FDragTarget; }
    TPoint DragTargetPos() const { return FDragTargetPos; }
    TPoint DragPos() const { return FDragPos; }
    bool Cancelling() const { return FCancelling; }
    bool Dropped() const { return FDropped; }

    // The cursor over a control that accepts (Accepted) or not.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    // The image list whose drag image follows the pointer (null: none).
    virtual class TDragImageList* GetDragImages() { return nullptr; }
    // Called once the drag is over, before the source's end event.
    virtual void Finished(TObject* Target, int X, int Y, bool Accepted);

private:
    friend class TDragEngine;
    TControl* FDragTarget = nullptr;
    TPoint FDragTargetPos;
    TPoint FDragPos;
    bool FCancelling = false;
    bool FDropped = false;
};

// A drag object for one control.
class TBaseDragControlObject : public TDragObject {
    KV_CLASS(TBaseDragControlObject, TDragObject)
public:
    explicit TBaseDragControlObject(TControl* AControl) : FControl(AControl) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    TDragImageList* GetDragImages() override;

private:
    friend class TDragEngine;
    TControl* FControl;
};

// The drag object made for a source control whose OnStartDrag supplied none; it is freed when the drag
// ends, and targets see the control itself as Source.
class TDragControlObject : public TBaseDragControlObject {
    KV_CLASS(TDragControlObject, TBaseDragControlObject)
public:
    using TBaseDragControlObject::TBaseDragControlObject;
};

// An image list that can show one of its images as the drag image. The hot spot is the point of the
// image that sits under the pointer.
class TDragImageList : public TCustomImageList {
    KV_CLASS(TDragImageList, TCustomImageList)
public:
    explicit TDragImageList(TComponent* AOwner);
    TDragImageList(int AWidth, int AHeight);
    ~TDragImageList() override;

    // False for an index outside the list.
    bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
    int DragImageIndex() const { return FDragIndex; }
    TPoint DragHotspot() const { return FHotSpot; }

    // Shows the image with its hot spot at the screen point (X, Y); DragMove follows the pointer.
    bool BeginDrag(int X, int Y);
    bool DragMove(int X, int Y);
    void ShowDragImage();
    void HideDragImage();
    bool EndDrag();
    bool Dragging() const { return FWindow != nullptr; }
    // The popup that shows the image (null when not dragging), for tests.
    win::HWND DragWindow() const { return FWindow; }

private:
    static win::LRESULT WndProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    int FDragIndex = -1;
    TPoint FHotSpot;
    win::HWND FWindow = nullptr;
};

// The drag in progress, if any (null between drags).
TDragObject* CurrentDragObject();

namespace detail {
// The doors of TControl into the engine.
void BeginDrag(TControl* Source, bool Immediate, int Threshold);
void EndDrag(TControl* Source, bool Drop);
bool IsDragSource(const TControl* Control);
// A press that waits for its threshold: a move of the source's, and its release (true when a waiting
// drag ended: the release is an ordinary one).
void PendingMove(TControl* Source);
bool PendingRelease(TControl* Source);
void ForgetDragControl(TControl* Control);
} // namespace detail

} // namespace vcl
