#pragma once
// Menus in UI tests: open a form's menu, choose an item by its caption path ("File|Exit"), close menus.
// Choosing runs the menu loop inside the call; the steps after the first click run as idle actions of
// that loop, so the call returns when the menu has closed and the chosen item's OnClick has run.

#include "platform/vcl/Menus.h"
#include "tests/support/UiDriver.h"

namespace uitest {

class MenuDriver {
public:
    explicit MenuDriver(UiDriver& Ui) : ui(Ui) {}

    // The item at the end of a caption path under Root ("File|Save As"; "&" and case ignored), or null.
    static vcl::TMenuItem* ItemByPath(vcl::TMenuItem* Root, const String& Path);
    // Screen centre of a bar item of the form's main menu.
    static TPoint BarItemPoint(vcl::TCustomForm* Form, vcl::TMenuItem* Item);
    // Screen centre of an item of an open popup menu window.
    static TPoint OpenItemPoint(vcl::TMenuItem* Item);

    // Clicks the bar item: the menu loop runs until the queued idle actions close it.
    void OpenMenu(vcl::TCustomForm* Form, const String& Caption);
    // Opens the path's bar item and clicks every further item of the path.
    void Choose(vcl::TCustomForm* Form, const String& Path);
    // Pops the menu up at (X, Y) and clicks the items of the path.
    void ChoosePopup(vcl::TPopupMenu* Menu, const String& Path, int X, int Y);
    // From an idle action: moves to and clicks an item of an open popup (only injected).
    void ClickOpenItem(vcl::TMenuItem* Item);
    // From an idle action: closes every open menu.
    void CloseMenus();

private:
    void QueueClicks(vcl::TMenuItem* Root, const std::vector<String>& Steps, size_t From);
    UiDriver& ui;
};

} // namespace uitest
