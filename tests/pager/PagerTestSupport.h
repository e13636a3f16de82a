#pragma once
// Shared by the pager tests: a form with a pager across its top, pages made by caption, and pixel
// probes in a control's client coordinates.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "components/toolbar/AdvToolBar.h"
#include "platform/vcl/Forms.h"
#include "tests/support/ColorMatch.h"
#include "tests/support/UiDriver.h"

namespace pagertest {

using namespace vcl;
using namespace AdvToolBar;
using colortest::IsColor;
using colortest::IsColorNear;

class PagerTest : public uitest::UiTest {
protected:
    void SetUp() override {
        RegisterAdvToolBarClasses();
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetName("MainForm");
        form->SetBounds(40, 40, 600, 320);
        pager = new TAdvToolBarPager(form.get());
        pager->SetName("Pager");
        pager->SetParent(form.get());
    }
    void TearDown() override { form.reset(); }

    TAdvPage* AddPage(const String& Caption) { return pager->GetAdvPages(pager->AddAdvPage(Caption)); }
    void AddPages(std::initializer_list<const char*> Captions) {
        for (const char* c : Captions)
            AddPage(c);
    }
    // The colour on screen at a client point of a control (as 0x00BBGGRR).
    win::COLORREF At(TControl* C, int X, int Y) {
        ui.Process();
        TPoint p = C->ClientToScreen(TPoint{X, Y});
        return ui.Pixel(form.get(), p.X - form->Left(), p.Y - form->Top());
    }
    static win::COLORREF Ref(TColor Color) {
        return static_cast<win::COLORREF>(ColorToRGB(Color)) & 0xFFFFFF;
    }

    TComponentPtr<TCustomForm> form;
    TAdvToolBarPager* pager = nullptr;
};

} // namespace pagertest
