#include "components/menus/AdvMenuStyler.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

namespace AdvMenuStylers {

using namespace vcl;

namespace {
const char* const kAntiAliasNames[] = {"aaNone", "aaClearType", "aaAntiAlias"};
} // namespace

bool IdentToAntiAlias(const String& Ident, Int64& Value) {
    for (int i = 0; i < 3; ++i)
        if (SameText(Ident, kAntiAliasNames[i])) {
            Value = i;
            return true;
        }
    return false;
}

bool AntiAliasToIdent(Int64 Value, String& Ident) {
    if (Value < 0 || Value > 2) return false;
    Ident = kAntiAliasNames[Value];
    return true;
}

KV_PUBLISHED(TAdvMenuStyler) {
    DeclareAntiAliasProperty(p);
    DeclareStylerProperties(p);
}

KV_REGISTER_CLASS(TAdvMenuStyler)

TCustomAdvMenuStyler::TCustomAdvMenuStyler(TComponent* AOwner)
    : TComponent(AOwner), FSideBar(std::make_unique<TSideBar>()),
      FBackground(std::make_unique<TBackground>()), FIconBar(std::make_unique<TIconBar>()),
      FSelectedItem(std::make_unique<TSelectedItem>()), FRootItem(std::make_unique<TRootItem>()),
      FGlyphs(std::make_unique<TMenuGlyphs>()), FSeparator(std::make_unique<TSeparator>()),
      FFont(NewMenuFont()), FWorkBitmap(std::make_unique<TBitmap>()), FNotesFont(NewNotesFont(0x808080)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {}

TCustomAdvMenuStyler::~TCustomAdvMenuStyler() {
    BeforeDestruction();
    // The font's change event may point at a menu; nothing may call it from here on.
    FFont->OnChange = nullptr;
}

void TCustomAdvMenuStyler::Refresh(bool SideBar, bool Size) {
    RefreshServedMenu(FMenu, SideBar, Size);
}

void TCustomAdvMenuStyler::SetAntiAlias(TAntiAlias Value) {
    FAntiAlias = Value;
    Refresh(false, true);
}

void TCustomAdvMenuStyler::SetBackground(TBackground* Value) {
    FBackground->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetIconBar(TIconBar* Value) {
    FIconBar->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetSelectedItem(TSelectedItem* Value) {
    FSelectedItem->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetRootItem(TRootItem* Value) {
    FRootItem->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetGlyphs(TMenuGlyphs* Value) {
    FGlyphs->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetSideBar(TSideBar* Value) {
    FSideBar->Assign(Value);
    Refresh(true, false);
}

void TCustomAdvMenuStyler::SetSeparator(TSeparator* Value) {
    FSeparator->Assign(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::SetFont(TFont* Value) {
    FFont->Assign(Value);
    Refresh(false, true);
}

void TCustomAdvMenuStyler::SetNotesFont(TFont* Value) {
    FNotesFont->Assign(Value);
    Refresh(false, true);
}

void TCustomAdvMenuStyler::SetUseSystemFont(bool Value) {
    FUseSystemFont = Value;
    Refresh(false, true);
}

void TCustomAdvMenuStyler::SetTButtonAppearance(TButtonAppearance* Value) {
    FButtonAppearance->Assign(Value);
}

void TCustomAdvMenuStyler::SetMenu(TMenu* Value) {
    FMenu = Value;
    FBackground->SetMenu(Value);
    FIconBar->SetMenu(Value);
    FSelectedItem->SetMenu(Value);
    FRootItem->SetMenu(Value);
    FGlyphs->SetMenu(Value);
    FSideBar->SetMenu(Value);
    FSeparator->SetMenu(Value);
    Refresh(false, false);
}

void TCustomAdvMenuStyler::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TAdvMenuStyler*>(Source);
    if (!src) {
        TComponent::Assign(Source);
        return;
    }
    SetBackground(src->Background());
    SetIconBar(src->IconBar());
    SetSelectedItem(src->SelectedItem());
    SetRootItem(src->RootItem());
    SetGlyphs(src->Glyphs());
    SetSideBar(src->SideBar());
    SetSeparator(src->Separator());
    FFont->Assign(src->Font());
    SetUseSystemFont(src->UseSystemFont());
}

} // namespace AdvMenuStylers
