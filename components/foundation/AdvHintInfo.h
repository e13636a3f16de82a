#pragma once
// TAdvHintInfo: the record behind a control's rich hint (title, notes, picture, help line). Owners
// publish it as OfficeHint and copy what is given to them with Assign.

#include <memory>

#include "components/foundation/GDIPicture.h"
#include "platform/rtl/Strings.h"

namespace AdvHintInfo {

using vcl::String;

class TAdvHintInfo : public vcl::TPersistent {
    KV_CLASS(TAdvHintInfo, vcl::TPersistent)
    KV_PUBLISHED_PROPERTIES(TAdvHintInfo)
public:
    TAdvHintInfo();
    ~TAdvHintInfo() override;

    // Copies another record (title, notes, help flag, picture, the wide texts); any other source is
    // ignored without an error.
    void Assign(vcl::TPersistent* Source) override;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    vcl::TStringList* Notes() const { return FNotes.get(); }
    void SetNotes(vcl::TStrings* Value);
    GDIPicture::TGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(GDIPicture::TGDIPPicture* Value);
    bool ShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool Value) { FShowHelp = Value; }

    // Unicode title and notes (not stored in layouts; copied by Assign).
    const String& WideTitle() const { return FWideTitle; }
    void SetWideTitle(const String& Value) { FWideTitle = Value; }
    const String& WideNotes() const { return FWideNotes; }
    void SetWideNotes(const String& Value) { FWideNotes = Value; }

private:
    std::unique_ptr<GDIPicture::TGDIPPicture> FPicture;
    bool FShowHelp = false;
    std::unique_ptr<vcl::TStringList> FNotes;
    String FTitle;
    String FWideTitle;
    String FWideNotes;
};

} // namespace AdvHintInfo
