#pragma once
// OleVariant: the small variant the browser control's navigation takes. It holds nothing (varEmpty), a
// 32-bit integer (varInteger), a wide string (varOleStr; held as UTF-8 like every string of ours) or a
// one-dimensional array of bytes with lower bound 0 (varArray | varByte).
//
// Reading a value of another type raises EVariantTypeCastError ("Could not convert variant of type
// (<from>) into type (<to>)"), as the framework's variants do.

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

namespace vcl {

class EVariantTypeCastError : public Exception {
public:
    using Exception::Exception;
};

using TVarType = std::uint16_t;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varArray = 0x2000;

using TByteArray = std::vector<std::uint8_t>;

class OleVariant {
public:
    OleVariant() = default;
    OleVariant(int Value) : FValue(Value) {}
    OleVariant(const String& Value) : FValue(Value) {}
    OleVariant(const char* Value) : FValue(String(Value ? Value : "")) {}
    OleVariant(TByteArray Value) : FValue(std::move(Value)) {}
    // A byte array of Count bytes copied from Data (lower bound 0, high bound Count - 1).
    static OleVariant ByteArray(const void* Data, std::size_t Count);

    TVarType VarType() const;
    bool IsEmpty() const { return FValue.index() == 0; }
    bool IsArray() const { return FValue.index() == 3; }
    void Clear() { FValue = std::monostate{}; }

    int AsInteger() const;
    const String& AsString() const;
    const TByteArray& AsBytes() const;
    // Bounds of the array's only dimension (raises for a value that is no array).
    int VarArrayLowBound() const;
    int VarArrayHighBound() const;

    bool operator==(const OleVariant& Other) const { return FValue == Other.FValue; }

private:
    [[noreturn]] void CastError(TVarType To) const;
    std::variant<std::monostate, int, String, TByteArray> FValue;
};

// The framework's name of a variant type ("Empty", "Integer", "OleStr", "Array Byte").
String VarTypeName(TVarType Type);

} // namespace vcl
