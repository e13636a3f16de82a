#include "platform/web/HtmlDocument.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtil.h"

namespace vcl {

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
