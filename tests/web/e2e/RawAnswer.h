#pragma once
// An answer the demo service gives byte for byte: its "raw" misbehaviour (tools/demo-service/misbehave.py).

#include "platform/rtl/Types.h"
#include "tests/web/e2e/WebE2ESupport.h"

namespace kvweb {

// From now on the demo service answers Page (its path without the leading "/" and the query) with Bytes, a
// whole HTTP answer. The misbehaviour file holds them as a JSON string: each byte that is no printable ASCII
// as \u00XX, which the service writes back as that byte.
inline void AnswerRaw(const String& Page, const String& Bytes) {
    static const char* const Hex = "0123456789abcdef";
    String json;
    for (const unsigned char c : Bytes)
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            json += static_cast<char>(c);
        else
            json += String("\\u00") + Hex[c >> 4] + Hex[c & 15];
    DemoService::Get().Misbehave(R"({")" + Page + R"(": {"raw": ")" + json + R"("}})");
}

} // namespace kvweb
