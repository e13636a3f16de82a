// TControl's side of drag and drop; the engine is in DragDrop.cpp.

#include "platform/vcl/Control.h"
#include "platform/vcl/DragDrop.h"
#include "platform/vcl/Screen.h"

namespace vcl {

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (ComponentState().Contains(csDesigning)) return;
    detail::BeginDrag(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    detail::EndDrag(this, Drop);
}

bool TControl::Dragging() const {
    return detail::IsDragSource(this);
}

void TControl::BeginAutoDrag() {
    BeginDrag(Mouse->DragImmediate(), Mouse->DragThreshold());
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

} // namespace vcl
