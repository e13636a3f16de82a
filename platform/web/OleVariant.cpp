#include "platform/web/OleVariant.h"

#include <cstring>

namespace vcl {

OleVariant OleVariant::ByteArray(const void* Data, std::size_t Count) {
    TByteArray bytes(Count);
    if (Count) std::memcpy(bytes.data(), Data, Count);
    return OleVariant(std::move(bytes));
}

TVarType OleVariant::VarType() const {
    switch (FValue.index()) {
    case 1:
        return varInteger;
    case 2:
        return varOleStr;
    case 3:
        return varArray | varByte;
    default:
        return varEmpty;
    }
}

String VarTypeName(TVarType Type) {
    switch (Type) {
    case varEmpty:
        return "Empty";
    case varInteger:
        return "Integer";
    case varOleStr:
        return "OleStr";
    case varArray | varByte:
        return "Array Byte";
    case varByte:
        return "Byte";
    default:
        return "Unknown";
    }
}

void OleVariant::CastError(TVarType To) const {
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeName(VarType()) +
                                ") into type (" + VarTypeName(To) + ")");
}

int OleVariant::AsInteger() const {
    if (auto* v = std::get_if<int>(&FValue)) return *v;
    CastError(varInteger);
}

const String& OleVariant::AsString() const {
    if (auto* v = std::get_if<String>(&FValue)) return *v;
    CastError(varOleStr);
}

const TByteArray& OleVariant::AsBytes() const {
    if (auto* v = std::get_if<TByteArray>(&FValue)) return *v;
    CastError(varArray | varByte);
}

int OleVariant::VarArrayLowBound() const {
    AsBytes();
    return 0;
}

int OleVariant::VarArrayHighBound() const {
    return static_cast<int>(AsBytes().size()) - 1;
}

} // namespace vcl
