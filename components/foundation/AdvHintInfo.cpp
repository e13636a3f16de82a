#include "components/foundation/AdvHintInfo.h"

#include "platform/classes/Properties.h"

namespace AdvHintInfo {

using namespace vcl;

KV_PUBLISHED(TAdvHintInfo) {
    p.Str("Title", &TAdvHintInfo::FTitle, nullptr);
    p.Strings("Notes", &TAdvHintInfo::FNotes);
    p.Object("Picture", &TAdvHintInfo::FPicture);
    p.Bool("ShowHelp", &TAdvHintInfo::FShowHelp, nullptr, false);
}

TAdvHintInfo::TAdvHintInfo()
    : FPicture(std::make_unique<GDIPicture::TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TAdvHintInfo::~TAdvHintInfo() = default;

void TAdvHintInfo::SetNotes(TStrings* Value) {
    FNotes->Assign(Value);
}

void TAdvHintInfo::SetPicture(GDIPicture::TGDIPPicture* Value) {
    FPicture->Assign(Value);
}

void TAdvHintInfo::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TAdvHintInfo*>(Source);
    if (!src || src == this) return;
    FTitle = src->FTitle;
    FNotes->Assign(src->FNotes.get());
    FShowHelp = src->FShowHelp;
    FPicture->Assign(src->FPicture.get());
    FWideTitle = src->FWideTitle;
    FWideNotes = src->FWideNotes;
}

} // namespace AdvHintInfo
