#pragma once
// String, number and file-name helpers of the run-time library.
//
// Strings are UTF-8. Pos, PosEx and Copy count bytes (1-based), so that their results fit together;
// Utf8Length, Utf8Copy and Utf8Pos count characters for what the user sees. UpperCase, LowerCase,
// CompareText and SameText fold ASCII letters only; the Ansi variants also fold accented Latin,
// Greek and Cyrillic letters (AnsiUpperChar says which).

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "platform/rtl/Types.h"

namespace vcl {

// ---- Trimming and case

String Trim(const String& S); // removes spaces and control characters at both ends
String TrimLeft(const String& S);
String TrimRight(const String& S);
String UpperCase(const String& S); // ASCII only
String LowerCase(const String& S);
String AnsiUpperCase(const String& S); // UTF-8 aware
String AnsiLowerCase(const String& S);
// The simple case mapping of one code point that the Ansi functions apply: Latin-1, Latin Extended-A,
// the letters of Latin Extended-B and Latin Extended Additional that come in upper/lower pairs side by
// side, Greek and Cyrillic (U+0400 to U+052F). Anything else (digraphs such as U+01C4, IPA, the Turkish
// dotless i, the sharp s, the micro sign) is its own case.
char32_t AnsiUpperChar(char32_t C);
char32_t AnsiLowerChar(char32_t C);

// ---- Comparison: results < 0, 0 or > 0

int CompareStr(const String& S1, const String& S2);  // byte order, case-sensitive
int CompareText(const String& S1, const String& S2); // ASCII case-insensitive
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Character-aware comparisons: AnsiCompareText folds case; AnsiCompareStr orders as the folded text
// and, between texts differing only in case, puts the lower-case letter first.
int AnsiCompareText(const String& S1, const String& S2);
int AnsiCompareStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);
bool AnsiSameStr(const String& S1, const String& S2);

// ---- Searching and copying (1-based byte positions)

int Pos(const String& SubStr, const String& S);                   // 0 when absent or SubStr empty
int PosEx(const String& SubStr, const String& S, int Offset = 1); // 0 when Offset is outside S
String Copy(const String& S, int Index, int Count);               // clamped to S

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
class TReplaceFlags {
public:
    TReplaceFlags() = default;
    TReplaceFlags(TReplaceFlag Flag) : FBits(1u << Flag) {}
    TReplaceFlags(std::initializer_list<TReplaceFlag> Flags) {
        for (auto f : Flags)
            FBits |= 1u << f;
    }
    bool Contains(TReplaceFlag Flag) const { return (FBits & (1u << Flag)) != 0; }

private:
    unsigned FBits = 0;
};
// Replaces the first (or every, with rfReplaceAll) occurrence; an empty OldPattern changes nothing.
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags = {});

// ---- Characters (UTF-8)

int Utf8Length(const String& S);                        // number of characters
String Utf8Copy(const String& S, int Index, int Count); // 1-based characters, clamped
int Utf8Pos(const String& SubStr, const String& S);     // 1-based character position, 0 when absent
String Utf8Encode(char32_t CodePoint);                  // the UTF-8 bytes of one code point

// ---- Integers

// Any integer type (not bool).
template <std::integral T>
requires(!std::same_as<T, bool>) String IntToStr(T Value) {
    return std::to_string(Value);
}
// Upper-case hexadecimal of the value's unsigned bits, with at least Digits digits: negative values
// appear as two's complement of their own width (IntToHex(-1, 2) is "FFFFFFFF" for an int).
String UIntToHex(std::uint64_t Value, int Digits);
template <std::integral T>
requires(!std::same_as<T, bool>) String IntToHex(T Value, int Digits) {
    return UIntToHex(static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(Value)), Digits);
}
// Decimal, or hexadecimal after "$" or "0x"; an optional sign; leading blanks allowed. Anything else,
// or a value outside the 32-bit range, raises EConvertError "'<s>' is not a valid integer value".
int StrToInt(const String& S);
int StrToIntDef(const String& S, int Default);
bool TryStrToInt(const String& S, int& Value);
Int64 StrToInt64(const String& S);
bool TryStrToInt64(const String& S, Int64& Value);

// ---- Floating point (the decimal separator is always ".")

// General format with 15 significant digits: "0.5", "1E20", "1.5E-7", "NAN", "INF", "-INF".
String FloatToStr(double Value);
// [blanks][sign]digits[.digits][E[sign]digits][blanks]; otherwise EConvertError
// "'<s>' is not a valid floating point value".
double StrToFloat(const String& S);
double StrToFloatDef(const String& S, double Default);
bool TryStrToFloat(const String& S, double& Value);

// ---- Format

// One argument of Format.
class TVarRec {
public:
    enum TVarType { vtInteger, vtInt64, vtUnsigned, vtUInt64, vtString, vtChar, vtExtended };

    TVarRec(int V) : FType(vtInteger), FInt(V) {}
    TVarRec(long V) : FType(sizeof(long) > 4 ? vtInt64 : vtInteger), FInt(V) {}
    TVarRec(long long V) : FType(vtInt64), FInt(V) {}
    TVarRec(unsigned V) : FType(vtUnsigned), FInt(V) {}
    TVarRec(unsigned long V) : FType(sizeof(long) > 4 ? vtUInt64 : vtUnsigned), FInt(static_cast<Int64>(V)) {}
    TVarRec(unsigned long long V) : FType(vtUInt64), FInt(static_cast<Int64>(V)) {}
    TVarRec(short V) : TVarRec(static_cast<int>(V)) {}
    TVarRec(unsigned short V) : TVarRec(static_cast<int>(V)) {}
    TVarRec(char V) : FType(vtChar), FString(1, V) {}
    TVarRec(double V) : FType(vtExtended), FFloat(V) {}
    TVarRec(float V) : TVarRec(static_cast<double>(V)) {}
    TVarRec(const char* V) : FType(vtString), FString(V ? V : "") {}
    TVarRec(const String& V) : FType(vtString), FString(V) {}
    TVarRec(bool) = delete; // the framework has no Boolean format

    TVarType Type() const { return FType; }
    Int64 AsInt64() const { return FInt; }
    double AsDouble() const { return FFloat; }
    const String& AsString() const { return FString; }

private:
    TVarType FType;
    Int64 FInt = 0;
    double FFloat = 0;
    String FString;
};

// Format specifiers: "%" ["index:"] ["-"] [width] ["." precision] type, where width and precision may
// be "*" (taken from the arguments), and type is one of
//   d  decimal integer (precision: minimum digits, zero-padded)
//   u  unsigned decimal integer
//   x  hexadecimal integer, upper-case digits (X is the same)
//   s  string or character (precision: maximum characters)
//   f  fixed point, e scientific, g general, n fixed with thousands separators (precision: decimals
//      for f and n, default 2; significant digits for e and g, default 15)
// and "%%" is a percent sign. Width pads with spaces on the left, or on the right after "-".
// A wrong type or a bad specifier raises EConvertError "Format '<fmt>' invalid or incompatible with
// argument"; a missing argument raises EConvertError "No argument for format '<fmt>'".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);
String Format(const String& Fmt, const TVarRec* Args, int ArgCount);
template <class... A> String Format(const String& Fmt, const A&... Args) {
    if constexpr (sizeof...(A) == 0) {
        return Format(Fmt, static_cast<const TVarRec*>(nullptr), 0);
    } else {
        const TVarRec args[] = {TVarRec(Args)...};
        return Format(Fmt, args, static_cast<int>(sizeof...(A)));
    }
}

// ---- Quoting

String QuotedStr(const String& S);                 // 'It''s'
String AnsiQuotedStr(const String& S, char Quote); // quotes doubled inside
// Reads a quoted string at Src (which must start with Quote, else ""), un-doubling quotes, and leaves
// Src after the closing quote (or at the end when there is none).
String AnsiExtractQuotedStr(const char*& Src, const char* End, char Quote);
// The text inside the quotes when S is quoted; S itself otherwise.
String AnsiDequotedStr(const String& S, char Quote);

// ---- File names (the path delimiter is "/")

constexpr char PathDelim = '/';
String ExtractFilePath(const String& FileName); // "/a/b/" of "/a/b/c.txt"
String ExtractFileName(const String& FileName); // "c.txt"
String ExtractFileExt(const String& FileName);  // ".txt", "" when none
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
// Removes one trailing "/", except from the root "/" itself.
String ExcludeTrailingPathDelimiter(const String& S);

} // namespace vcl
