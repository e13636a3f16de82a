#pragma once
// Font collections, font families, fonts and string formats.

#include "components/foundation/AdvGDIPBase.h"

namespace AdvGDIP {

// Stands for the installed fonts: holds an empty handle, makes and deletes nothing.
class TGPFontCollection : public TGdiplusBase {
    KV_CLASS(TGPFontCollection, TGdiplusBase)
public:
    TGPFontCollection() = default;
    ~TGPFontCollection() override = default;

    Status GetLastStatus();

private:
    friend class TGPFontFamily;
    gdip::GpFontCollection* nativeFontCollection = nullptr;
    Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
    KV_CLASS(TGPFontFamily, TGdiplusBase)
public:
    // A family of the installed fonts (or of the collection); a name no font has keeps the status
    // FontFamilyNotFound, which callers read to fall back to another family.
    explicit TGPFontFamily(const gdip::WCHAR* name, TGPFontCollection* fontCollection = nullptr);
    explicit TGPFontFamily(const vcl::String& name, TGPFontCollection* fontCollection = nullptr);
    // Takes over the native family and its status.
    TGPFontFamily(gdip::GpFontFamily* nativeFamily, Status status);
    ~TGPFontFamily() override;

    Status GetLastStatus();

private:
    friend class TGPFont;
    gdip::GpFontFamily* nativeFamily = nullptr;
    Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
    KV_CLASS(TGPFont, TGdiplusBase)
public:
    TGPFont(TGPFontFamily* family, float emSize, int style = FontStyleRegular, Unit_ unit = UnitPoint);
    // Takes over the native font and its status.
    TGPFont(gdip::GpFont* nativeFont, Status status);
    ~TGPFont() override;

    Status GetLastStatus();

private:
    friend class TGPGraphics;
    gdip::GpFont* nativeFont = nullptr;
    Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase {
    KV_CLASS(TGPStringFormat, TGdiplusBase)
public:
    explicit TGPStringFormat(int formatFlags = 0, gdip::LANGID language = 0);
    // Takes over the native format and its status.
    TGPStringFormat(gdip::GpStringFormat* nativeFormat, Status status);
    ~TGPStringFormat() override;

    Status SetAlignment(StringAlignment align);
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment align);
    StringAlignment GetLineAlignment();
    Status SetTrimming(StringTrimming trimming);
    StringTrimming GetTrimming();
    Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
    HotkeyPrefix GetHotkeyPrefix();

    // Becomes a clone of source; the clone's status becomes the kept status. A missing source fails
    // an assertion; assigning a format to itself changes nothing.
    void Assign(TGPStringFormat* source);

    Status GetLastStatus();

protected:
    Status SetStatus(Status status);

private:
    friend class TGPGraphics;
    gdip::GpStringFormat* nativeFormat = nullptr;
    Status lastResult = Ok;
};

} // namespace AdvGDIP
