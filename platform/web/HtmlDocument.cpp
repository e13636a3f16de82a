#include "platform/web/HtmlDocument.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"
#include "platform/web/MarkupText.h"

namespace vcl {

std::shared_ptr<THTMLDocument> THTMLDocument::FromBytes(const String& Url, const String& Bytes,
                                                        const String& ContentType, const String& EngineType) {
    return std::make_shared<THTMLDocument>(Url, markup::ToUtf8(Bytes, ContentType, EngineType));
}

HRESULT THTMLDocument::Save(const String& FileName, bool /*Remember*/) {
    if (FileName.empty()) return E_INVALIDARG;
    try {
        WriteFileAtomic(FileName, FHtml, 0600);
    } catch (const Exception&) {
        return STG_E_ACCESSDENIED;
    }
    return S_OK;
}

} // namespace vcl
