#pragma once
// A scoped flag for the toolbar's units: set for the lifetime of the guard, then given its earlier value
// back.

namespace AdvToolBar {

class TFlagGuard {
public:
    TFlagGuard(bool& Flag, bool Value) : FFlag(Flag), FSaved(Flag) { Flag = Value; }
    ~TFlagGuard() { FFlag = FSaved; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace AdvToolBar
