#include "tests/support/MenuDriver.h"

#include <cctype>

#include "platform/vcl/Form.h"
#include "platform/win/Windows.h"

namespace uitest {
namespace {

std::vector<String> SplitPath(const String& Path) {
    std::vector<String> r;
    size_t start = 0;
    for (;;) {
        size_t bar = Path.find('|', start);
        r.push_back(Path.substr(start, bar == String::npos ? String::npos : bar - start));
        if (bar == String::npos) break;
        start = bar + 1;
    }
    return r;
}

// The item's position in its parent's window-system menu (hidden items take none).
int VisiblePosition(vcl::TMenuItem* Item) {
    vcl::TMenuItem* parent = Item->Parent();
    int pos = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        if (parent->Items(i) == Item) return pos;
        if (parent->Items(i)->Visible()) ++pos;
    }
    return -1;
}

win::HMENU ParentHandle(vcl::TMenuItem* Item) {
    vcl::TMenuItem* parent = Item->Parent();
    if (parent->Parent() == nullptr && parent->GetParentMenu()) return parent->GetParentMenu()->Handle();
    return parent->Handle();
}

TPoint Centre(const win::RECT& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

} // namespace

vcl::TMenuItem* MenuDriver::ItemByPath(vcl::TMenuItem* Root, const String& Path) {
    vcl::TMenuItem* item = Root;
    for (const String& step : SplitPath(Path)) {
        item = item ? item->Find(step) : nullptr;
        if (!item) return nullptr;
    }
    return item;
}

TPoint MenuDriver::BarItemPoint(vcl::TCustomForm* Form, vcl::TMenuItem* Item) {
    win::RECT r{};
    if (!win::GetMenuItemRect(Form->Handle(), ParentHandle(Item),
                              static_cast<win::UINT>(VisiblePosition(Item)), &r))
        throw std::runtime_error("bar item has no place: " + Item->Caption());
    return Centre(r);
}

TPoint MenuDriver::OpenItemPoint(vcl::TMenuItem* Item) {
    win::RECT r{};
    if (!win::GetMenuItemRect(nullptr, ParentHandle(Item), static_cast<win::UINT>(VisiblePosition(Item)), &r))
        throw std::runtime_error("menu item is not open: " + Item->Caption());
    return Centre(r);
}

void MenuDriver::ClickOpenItem(vcl::TMenuItem* Item) {
    TPoint p = OpenItemPoint(Item);
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Screen().Press();
    ui.Screen().Release();
}

void MenuDriver::CloseMenus() {
    win::EndMenu();
}

void MenuDriver::QueueClicks(vcl::TMenuItem* Root, const std::vector<String>& Steps, size_t From) {
    // Each step finds its item when it runs: menus filled as they open are found too.
    for (size_t i = From; i < Steps.size(); ++i) {
        std::vector<String> path(Steps.begin(), Steps.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        ui.WhenIdle([this, Root, path] {
            vcl::TMenuItem* item = Root;
            for (const String& step : path) {
                item = item ? item->Find(step) : nullptr;
                if (!item) {
                    ADD_FAILURE() << "no menu item '" << step << "'";
                    win::EndMenu();
                    return;
                }
            }
            ClickOpenItem(item);
        });
    }
}

void MenuDriver::OpenMenu(vcl::TCustomForm* Form, const String& Caption) {
    auto* menu = dynamic_cast<vcl::TMainMenu*>(Form->Menu());
    vcl::TMenuItem* item = menu ? menu->Items()->Find(Caption) : nullptr;
    if (!item) {
        ADD_FAILURE() << "no bar item '" << Caption << "'";
        throw std::runtime_error("bar item not found: " + Caption);
    }
    TPoint p = BarItemPoint(Form, item);
    ui.Screen().MoveMouse(p.X, p.Y);
    ui.Screen().Press();
    ui.Screen().Release();
    ui.Process();
}

void MenuDriver::Choose(vcl::TCustomForm* Form, const String& Path) {
    auto* menu = dynamic_cast<vcl::TMainMenu*>(Form->Menu());
    if (!menu) throw std::runtime_error("the form has no main menu");
    std::vector<String> steps = SplitPath(Path);
    QueueClicks(menu->Items(), steps, 1);
    OpenMenu(Form, steps[0]);
}

void MenuDriver::ChoosePopup(vcl::TPopupMenu* Menu, const String& Path, int X, int Y) {
    QueueClicks(Menu->Items(), SplitPath(Path), 0);
    Menu->Popup(X, Y);
    ui.Process();
}

} // namespace uitest
