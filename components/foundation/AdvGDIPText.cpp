#include "components/foundation/AdvGDIPText.h"

#include "components/foundation/AdvGDIPUtf16.h"
#include "platform/rtl/Exceptions.h"

namespace AdvGDIP {

// ---- TGPFontCollection ----

Status TGPFontCollection::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

// ---- TGPFontFamily ----

TGPFontFamily::TGPFontFamily(const gdip::WCHAR* name, TGPFontCollection* fontCollection) {
    lastResult = gdip::GdipCreateFontFamilyFromName(
        name, fontCollection ? fontCollection->nativeFontCollection : nullptr, &nativeFamily);
}

TGPFontFamily::TGPFontFamily(const vcl::String& name, TGPFontCollection* fontCollection)
    : TGPFontFamily(Utf8ToUtf16Buffer(name).data(), fontCollection) {}

TGPFontFamily::TGPFontFamily(gdip::GpFontFamily* nativeFamily, Status status)
    : nativeFamily(nativeFamily), lastResult(status) {}

TGPFontFamily::~TGPFontFamily() {
    gdip::GdipDeleteFontFamily(nativeFamily);
}

Status TGPFontFamily::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

// ---- TGPFont ----

TGPFont::TGPFont(TGPFontFamily* family, float emSize, int style, Unit_ unit) {
    lastResult =
        gdip::GdipCreateFont(family ? family->nativeFamily : nullptr, emSize, style, unit, &nativeFont);
}

TGPFont::TGPFont(gdip::GpFont* nativeFont, Status status) : nativeFont(nativeFont), lastResult(status) {}

TGPFont::~TGPFont() {
    gdip::GdipDeleteFont(nativeFont);
}

Status TGPFont::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

// ---- TGPStringFormat ----

TGPStringFormat::TGPStringFormat(int formatFlags, gdip::LANGID language) {
    lastResult = gdip::GdipCreateStringFormat(formatFlags, language, &nativeFormat);
}

TGPStringFormat::TGPStringFormat(gdip::GpStringFormat* nativeFormat, Status status)
    : nativeFormat(nativeFormat), lastResult(status) {}

TGPStringFormat::~TGPStringFormat() {
    gdip::GdipDeleteStringFormat(nativeFormat);
}

Status TGPStringFormat::SetStatus(Status status) {
    if (status != Ok && lastResult == Ok) lastResult = status; // the first failure stays until read
    return status;
}

Status TGPStringFormat::GetLastStatus() {
    Status kept = lastResult;
    lastResult = Ok;
    return kept;
}

Status TGPStringFormat::SetAlignment(StringAlignment align) {
    return SetStatus(gdip::GdipSetStringFormatAlign(nativeFormat, align));
}

StringAlignment TGPStringFormat::GetAlignment() {
    StringAlignment align = StringAlignmentNear;
    SetStatus(gdip::GdipGetStringFormatAlign(nativeFormat, &align));
    return align;
}

Status TGPStringFormat::SetLineAlignment(StringAlignment align) {
    return SetStatus(gdip::GdipSetStringFormatLineAlign(nativeFormat, align));
}

StringAlignment TGPStringFormat::GetLineAlignment() {
    StringAlignment align = StringAlignmentNear;
    SetStatus(gdip::GdipGetStringFormatLineAlign(nativeFormat, &align));
    return align;
}

Status TGPStringFormat::SetTrimming(StringTrimming trimming) {
    return SetStatus(gdip::GdipSetStringFormatTrimming(nativeFormat, trimming));
}

StringTrimming TGPStringFormat::GetTrimming() {
    StringTrimming trimming = StringTrimmingNone;
    SetStatus(gdip::GdipGetStringFormatTrimming(nativeFormat, &trimming));
    return trimming;
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
    return SetStatus(gdip::GdipSetStringFormatHotkeyPrefix(nativeFormat, hotkeyPrefix));
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
    gdip::INT prefix = HotkeyPrefixNone;
    SetStatus(gdip::GdipGetStringFormatHotkeyPrefix(nativeFormat, &prefix));
    if (prefix < HotkeyPrefixNone || prefix > HotkeyPrefixHide) return HotkeyPrefixNone;
    return static_cast<HotkeyPrefix>(prefix);
}

void TGPStringFormat::Assign(TGPStringFormat* source) {
    if (source == nullptr) throw vcl::EAssertionFailed("Assertion failure (AdvGDIP, line 1839)");
    if (source == this) return;
    // The clone is made before the own format goes, so a failed clone leaves the own format in place.
    gdip::GpStringFormat* clone = nullptr;
    lastResult = gdip::GdipCloneStringFormat(source->nativeFormat, &clone);
    if (lastResult != Ok || clone == nullptr) {
        gdip::GdipDeleteStringFormat(clone);
        return;
    }
    gdip::GdipDeleteStringFormat(nativeFormat);
    nativeFormat = clone;
}

} // namespace AdvGDIP
