#pragma once
// TPersistence: where a dock panel or a toolbar keeps its layout (registry key or INI file, section)
// and whether it keeps it at all.

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Events.h"

namespace AdvToolBar {

class TPersistence : public vcl::TPersistent {
    KV_CLASS(TPersistence, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TPersistence)
public:
    explicit TPersistence(vcl::TComponent* AOwner) : FOwner(AOwner) {}

    // From another TPersistence: Location, Key, Section and Enabled, without OnChange.
    void Assign(vcl::TPersistent* Source) override;

    // Each setter stores a differing value and calls Change.
    TPersistenceLocation Location() const { return FLocation; }
    void SetLocation(TPersistenceLocation Value);
    String Key() const { return FKey; }
    void SetKey(const String& Value);
    String Section() const { return FSection; }
    void SetSection(const String& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // Fires OnChange when assigned.
    void Change();

    vcl::TNotifyEvent OnChange;

protected:
    vcl::TPersistent* GetOwner() override { return FOwner; }

private:
    vcl::TComponent* FOwner;
    String FKey;
    String FSection;
    TPersistenceLocation FLocation = plRegistry;
    bool FEnabled = false;
};

} // namespace AdvToolBar
