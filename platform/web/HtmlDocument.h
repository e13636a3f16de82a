#pragma once
// The document objects the browser control hands out: a small stand-in for the browser's document
// interfaces. Document (and the event's pDisp) is an IDispatch; a loaded HTML document answers
// QueryHTMLDocument2, and that answers QueryPersistFile, whose Save writes the document's HTML.
//
// The HTML is the one captured when the document completed (the document's markup: a frame's as the engine
// holds it then, a page's as its server sent it), so Save is synchronous and needs no round trip to the
// engine.

#include <cstdint>
#include <memory>

#include "platform/rtl/Types.h"

namespace vcl {

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT STG_E_ACCESSDENIED = static_cast<HRESULT>(0x80030005u);
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

class IHTMLDocument2;
class IPersistFile;

class IDispatch {
public:
    virtual ~IDispatch() = default;
    // The document interface, or null when this object has none.
    virtual IHTMLDocument2* QueryHTMLDocument2() { return nullptr; }
};
using IDispatchPtr = std::shared_ptr<IDispatch>;

class IPersistFile {
public:
    virtual ~IPersistFile() = default;
    // Writes the document to FileName. Remember is accepted for the interface's sake: the document never
    // takes the file as its own. S_OK, E_INVALIDARG (empty name) or STG_E_ACCESSDENIED (not written).
    virtual HRESULT Save(const String& FileName, bool Remember) = 0;
};

class IHTMLDocument2 : public IDispatch {
public:
    // The document's address.
    virtual String URL() const = 0;
    // The document's markup.
    virtual const String& Html() const = 0;
    virtual IPersistFile* QueryPersistFile() = 0;
};

// A completed document: its address and markup.
class THTMLDocument final : public IHTMLDocument2, public IPersistFile {
public:
    THTMLDocument(String Url, String Html) : FUrl(std::move(Url)), FHtml(std::move(Html)) {}
    // The document of the bytes a server sent for Url (MarkupText.h), with their Content-Type header as the
    // HTTP library gives it (its lines joined with ", ") and the type the engine gave the answer; both empty
    // for an answer without Content-Type.
    static std::shared_ptr<THTMLDocument> FromBytes(const String& Url, const String& Bytes,
                                                    const String& ContentType, const String& EngineType);

    IHTMLDocument2* QueryHTMLDocument2() override { return this; }
    String URL() const override { return FUrl; }
    const String& Html() const override { return FHtml; }
    IPersistFile* QueryPersistFile() override { return this; }
    // Replaces the file atomically with the markup, readable and writable by the owner only; a symbolic
    // link at FileName is replaced, never followed.
    HRESULT Save(const String& FileName, bool Remember) override;

private:
    String FUrl;
    String FHtml;
};

} // namespace vcl
