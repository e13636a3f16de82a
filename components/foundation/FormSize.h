#pragma once
// TFormSize: a non-visual component a form holds to keep its placement in an INI file between runs,
// to let the user drag the form by its client area, and to snap the form to the work area's edges. It
// subclasses the form's window procedure when it is made and puts the old one back when it goes.

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Forms.h"

namespace FormSize {

using vcl::String;

class EFormSizeError : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

class TFormSize : public vcl::TComponent {
    KV_CLASS(TFormSize, vcl::TComponent)
    KV_PUBLISHED_PROPERTIES(TFormSize)
public:
    // Raises EFormSizeError when AOwner is not a form or already holds a TFormSize.
    explicit TFormSize(vcl::TComponent* AOwner);
    ~TFormSize() override;

    // The section name: SaveKey, then "-" and the user name, then "-" and the computer name, each
    // when asked for.
    String CreateKey() const;
    // Read and write the INI section (only the parts SavePosition and SaveSize ask for).
    void LoadPlacement();
    void DoSavePlacement();
    // Both parts, whatever SavePosition and SaveSize say.
    void LoadFormSettings();
    void SaveFormSettings();

    int GetVersionNr() const { return (1 << 24) | (1 << 16) | (0 << 8) | 2; }
    String GetVersion() const;
    void SetVersion(const String&) {}

    bool SaveMachine = false;
    bool SaveUser = false;
    bool SavePosition = true;
    bool SaveSize = true;
    String SaveName = ".\\FORM.INI";
    String SaveKey;
    bool DragAlways = false;
    bool Magnet = false;
    int MagnetDistance = 32;

protected:
    void Loaded() override;

private:
    static win::LRESULT HookProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
    win::LRESULT HookWndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
    void SnapToWorkArea(win::WINDOWPOS& Pos);
    vcl::TCustomForm* Form() const;
    bool NeverStored() const { return false; }
    vcl::TCustomForm* FForm = nullptr; // the owner
    // The form's window while the hook is installed, and the procedure it replaced.
    win::HWND FWnd = nullptr;
    win::WNDPROC FPrevWndProc = nullptr;
};

} // namespace FormSize
