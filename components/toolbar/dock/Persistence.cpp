#include "components/toolbar/dock/Persistence.h"

namespace AdvToolBar {

// Written whatever their value: none of them has a stored default.
KV_PUBLISHED(TPersistence) {
    p.Enum("Location", &TPersistence::FLocation, &TPersistence::SetLocation);
    p.Str("Key", &TPersistence::FKey, &TPersistence::SetKey);
    p.Str("Section", &TPersistence::FSection, &TPersistence::SetSection);
    p.Bool("Enabled", &TPersistence::FEnabled, &TPersistence::SetEnabled);
    p.Event("OnChange", &TPersistence::OnChange);
}

void TPersistence::Assign(vcl::TPersistent* Source) {
    auto* src = dynamic_cast<TPersistence*>(Source);
    if (src == nullptr) {
        vcl::TPersistent::Assign(Source);
        return;
    }
    FLocation = src->FLocation;
    FKey = src->FKey;
    FSection = src->FSection;
    FEnabled = src->FEnabled;
}

void TPersistence::Change() {
    if (OnChange) OnChange(this);
}

void TPersistence::SetLocation(TPersistenceLocation Value) {
    if (FLocation == Value) return;
    FLocation = Value;
    Change();
}

void TPersistence::SetKey(const String& Value) {
    if (FKey == Value) return;
    FKey = Value;
    Change();
}

void TPersistence::SetSection(const String& Value) {
    if (FSection == Value) return;
    FSection = Value;
    Change();
}

void TPersistence::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Change();
}

} // namespace AdvToolBar
