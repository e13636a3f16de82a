// The form-placement component: owner rules, the saved placement, the magnet and dragging.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "components/foundation/FormSize.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WinUser.h"
#include "platform/win/Window.h"
#include "tests/support/UiDriver.h"

namespace {

using namespace vcl;
using FormSize::EFormSizeError;
using FormSize::TFormSize;

class FormSizeTest : public uitest::UiTest {
protected:
    void SetUp() override {
        ini = ::testing::TempDir() + "formsize_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::filesystem::remove(ini);
        form.reset(TCustomForm::CreateNew(nullptr));
        form->SetName("MainForm");
        form->Show();
        form->SetBounds(100, 120, 400, 300); // after showing: a form takes a place of its own then
        ui.Process();
    }
    // The form saves its placement as it goes: it goes first, then the file and the writers' lock file.
    void TearDown() override {
        form.reset();
        std::filesystem::remove(ini);
        std::filesystem::remove(ini + ".lock");
    }
    TFormSize* Make() {
        auto* fs = new TFormSize(form.get());
        fs->SaveName = ini;
        return fs;
    }
    void Store(const String& Key, const String& Value) {
        TIniFile f(ini);
        f.WriteString("MainForm", Key, Value);
    }
    String ini;
    TComponentPtr<TCustomForm> form;
};

TEST_F(FormSizeTest, OwnerMustBeAFormWithNoOtherPlacementComponent) {
    TComponentPtr<TComponent> plain(new TComponent(nullptr));
    EXPECT_THROW(
        try { TFormSize fs(plain.get()); } catch (const EFormSizeError& e) {
            EXPECT_EQ(e.Message, "Control parent must be a form!");
            throw;
        },
        EFormSizeError);
    TFormSize* first = Make();
    EXPECT_EQ(first->SaveKey, "MainForm");
    EXPECT_EQ(first->MagnetDistance, 32);
    EXPECT_EQ(first->GetVersion(), "1.1.0.2");
    try {
        new TFormSize(form.get());
        ADD_FAILURE() << "a second component was accepted";
    } catch (const EFormSizeError& e) {
        EXPECT_EQ(e.Message, "The form already contains a TFormSize component");
    }
}

TEST_F(FormSizeTest, SectionNameAddsUserAndComputer) {
    TSystemInfo& si = SysInfo();
    const String user = si.UserName(), computer = si.ComputerName();
    si.SetUserName("ann");
    si.SetComputerNameOverride("box");
    TFormSize* fs = Make();
    EXPECT_EQ(fs->CreateKey(), "MainForm");
    fs->SaveUser = true;
    fs->SaveMachine = true;
    EXPECT_EQ(fs->CreateKey(), "MainForm-ann-box");
    si.SetUserName(user);
    si.SetComputerNameOverride(computer);
}

TEST_F(FormSizeTest, SavedPlacementComesBackAndDestroyingTheWindowSavesIt) {
    TFormSize* fs = Make();
    fs->SaveFormSettings();
    {
        TIniFile f(ini);
        EXPECT_EQ(f.ReadInteger("MainForm", "Left", -1), 100);
        EXPECT_EQ(f.ReadInteger("MainForm", "Top", -1), 120);
        EXPECT_EQ(f.ReadInteger("MainForm", "Right", -1), 500);
        EXPECT_EQ(f.ReadInteger("MainForm", "Bottom", -1), 420);
        EXPECT_EQ(f.ReadString("MainForm", "Maximized", ""), "0");
    }
    form->SetBounds(10, 10, 200, 100);
    fs->LoadFormSettings();
    EXPECT_EQ(form->BoundsRect(), (TRect{100, 120, 500, 420}));

    // Without SaveSize only the position is written and read; the size stays.
    std::filesystem::remove(ini);
    fs->SaveSize = false;
    fs->DoSavePlacement();
    EXPECT_EQ(TIniFile(ini).ReadInteger("MainForm", "Right", -1), -1);
    form->SetBounds(10, 10, 200, 100);
    fs->LoadPlacement();
    EXPECT_EQ(form->BoundsRect(), (TRect{100, 120, 300, 220}));
    // Destroying the window saves it.
    std::filesystem::remove(ini);
    form->SetBounds(100, 120, 400, 300);
    form.reset();
    EXPECT_EQ(TIniFile(ini).ReadInteger("MainForm", "Left", -1), 100);
}

TEST_F(FormSizeTest, ARectanglePastTheDesktopIsMovedBackWholeAndMaximizedComesBack) {
    TFormSize* fs = Make();
    const int dw = win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN);
    Store("Left", std::to_string(dw - 100));
    Store("Top", "50");
    Store("Right", std::to_string(dw + 300));
    Store("Bottom", "350");
    fs->LoadPlacement();
    EXPECT_EQ(form->BoundsRect(), (TRect{dw - 400, 50, dw, 350}));
    Store("Maximized", "1");
    fs->LoadPlacement();
    EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(FormSizeTest, DamagedOrMissingValuesKeepTheWindowWhereItIs) {
    TFormSize* fs = Make();
    fs->LoadPlacement(); // no file at all
    EXPECT_EQ(form->BoundsRect(), (TRect{100, 120, 500, 420}));
    // Left, top, right and bottom: not numbers, on no monitor, inside out.
    const char* cases[][4] = {
        {"abc", "", "500", "420"}, {"-5000", "-4000", "-4600", "-3700"}, {"300", "200", "100", "50"}};
    for (const auto& c : cases) {
        Store("Left", c[0]);
        Store("Top", c[1]);
        Store("Right", c[2]);
        Store("Bottom", c[3]);
        fs->LoadPlacement();
        EXPECT_EQ(form->BoundsRect(), (TRect{100, 120, 500, 420})) << c[0] << "," << c[1];
    }
}

// Stored values are input: the window must end on a monitor whatever they say, and no arithmetic on
// them may overflow.
TEST_F(FormSizeTest, AStoredRectangleIsCheckedAtTheSizeTheWindowEndsWith) {
    TFormSize* fs = Make();
    const int dw = win::GetSystemMetrics(win::SM_CXVIRTUALSCREEN);
    const int dh = win::GetSystemMetrics(win::SM_CYVIRTUALSCREEN);
    auto load = [&](const String& l, const String& t, const String& r, const String& b) {
        Store("Left", l);
        Store("Top", t);
        Store("Right", r);
        Store("Bottom", b);
        form->SetBounds(100, 120, 400, 300);
        fs->LoadPlacement();
        return form->BoundsRect();
    };
    const TRect kept{100, 120, 500, 420};
    // Larger than the screen and reaching onto it only at its far corner: the window system shrinks it
    // to the largest size it allows, which leaves it on no monitor.
    EXPECT_EQ(load("-6000", "-6000", "200", "200"), kept);
    form->Hide(); // as while the form's layout is read
    EXPECT_EQ(load("-6000", "-6000", "200", "200"), kept);
    form->Show();
    // Far off every monitor, above and to the left: nothing moves it back.
    EXPECT_EQ(load("-900000", "-900000", "-899600", "-899700"), kept);
    // Far past the right and bottom: moved back whole, as any rectangle past the desktop is.
    EXPECT_EQ(load("900000", "900000", "900400", "900300"), (TRect{dw - 400, dh - 300, dw, dh}));
    // At the ends of the integer range.
    EXPECT_EQ(load("-2147483648", "-2147483648", "2147483647", "2147483647"), kept);
    EXPECT_EQ(load("2147483000", "2147483300", "2147483647", "2147483647"),
              (TRect{dw - 647, dh - 347, dw, dh}));
    EXPECT_EQ(load("-2147483648", "0", "2147483647", "300"), kept);
    EXPECT_EQ(load("0", "-2147483648", "400", "2147483647"), kept);

    // A monitor unplugged since: the place on it is on no monitor now.
    ui.Screen().SetMonitors(
        {backend::Monitor{TRect{0, 0, 1024, 768}, TRect{0, 0, 1024, 728}, true, "one"},
         backend::Monitor{TRect{-1280, 0, 0, 1024}, TRect{-1280, 0, 0, 1024}, false, "two"}});
    EXPECT_EQ(load("-1000", "100", "-600", "400"), (TRect{-1000, 100, -600, 400}));
    ui.Screen().SetMonitors({backend::Monitor{TRect{0, 0, 1024, 768}, TRect{0, 0, 1024, 728}, true, "one"}});
    EXPECT_EQ(load("-1000", "100", "-600", "400"), kept);
}

TEST_F(FormSizeTest, MagnetSnapsToTheWorkAreaEdges) {
    TFormSize* fs = Make();
    fs->Magnet = true;
    form->SetBounds(20, 200, 400, 300);
    EXPECT_EQ(form->Left(), 0); // within 32 pixels of the left edge
    form->SetBounds(60, 200, 400, 300);
    EXPECT_EQ(form->Left(), 60);
    win::RECT wa{};
    win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &wa, 0);
    form->SetBounds(60, wa.Bottom - 300 - 10, 400, 300);
    EXPECT_EQ(form->Top(), wa.Bottom - 300); // the bottom edge (above the task bar)

    // A task bar on the left: the edge is its right side.
    ui.Screen().SetMonitors({backend::Monitor{TRect{0, 0, 1024, 768}, TRect{40, 0, 1024, 768}, true, "one"}});
    form->SetBounds(60, 200, 400, 300);
    EXPECT_EQ(form->Left(), 40);
    fs->Magnet = false;
    form->SetBounds(60, 200, 400, 300);
    EXPECT_EQ(form->Left(), 60);

    // A distance or a proposed place at the ends of the integer range snaps without overflowing.
    fs->Magnet = true;
    fs->MagnetDistance = INT_MAX;
    form->SetBounds(300, 200, 400, 300);
    EXPECT_EQ(form->BoundsRect(), (TRect{1024 - 400, 768 - 300, 1024, 768})) << "every edge is near";
    fs->MagnetDistance = INT_MIN;
    form->SetBounds(300, 200, 400, 300);
    EXPECT_EQ(form->BoundsRect(), (TRect{300, 200, 700, 500})) << "no edge is near";
    fs->MagnetDistance = 32;
    form->SetBounds(INT_MAX - 100, INT_MAX - 100, 400, 300);
    EXPECT_EQ(form->BoundsRect(), (TRect{1024 - 400, 768 - 300, 1024, 768}));
}

TEST_F(FormSizeTest, DragAlwaysMakesTheClientAreaACaption) {
    TFormSize* fs = Make();
    const TPoint inside = form->ClientToScreen(TPoint{50, 50});
    const win::LPARAM at = static_cast<win::LPARAM>((inside.Y << 16) | (inside.X & 0xFFFF));
    EXPECT_EQ(win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, at), win::HTCLIENT);
    fs->DragAlways = true;
    EXPECT_EQ(win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, at), win::HTCAPTION);
    const TRect wr = form->BoundsRect();
    const win::LPARAM border = static_cast<win::LPARAM>(((wr.Top + 100) << 16) | (wr.Left & 0xFFFF));
    EXPECT_NE(win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, border), win::HTCAPTION);
    delete fs; // the form's own procedure is back
    EXPECT_EQ(win::SendMessage(form->Handle(), win::WM_NCHITTEST, 0, at), win::HTCLIENT);
}

} // namespace
