// The web's encoding labels (see WebEncodings.h).

#include "platform/web/WebEncodings.h"

#include <iterator>

#include "platform/rtl/SysUtils.h"

namespace vcl::markup {

namespace {

// The legacy encodings take their characters from the system's converter under the name of the code page that
// the web's encoding of that name is: the web's "EUC-KR" is the extended one of Windows (949), its
// "Shift_JIS" is Windows' 932, its "GBK" decodes as GB 18030, its "Big5" holds the Hong Kong supplement, its
// "x-mac-cyrillic" is the Ukrainian variant, and ISO-8859-8-I is ISO-8859-8 read in logical order. Where
// the web's table of a single-byte encoding has another character than the converter's, it is listed.
constexpr TByteChar kMacintoshDifferences[] = {{0xC6, 0x2206}, {0xF0, 0xF8FF}}; // increment, Apple's logo
constexpr TByteChar kMacCyrillicDifferences[] = {{0xFF, 0x20AC}};               // euro sign
constexpr TByteChar kKoi8UDifferences[] = {{0xAE, 0x045E}, {0xBE, 0x040E}};     // Belarusian short u
constexpr TByteChar kWindows1255Differences[] = {{0xCA, 0x05BA}};               // holam haser for vav

constexpr TWebEncoding kUtf8{"UTF-8", TDecoder::Utf8};
constexpr TWebEncoding kIbm866{"IBM866", TDecoder::SingleByte, "IBM866"};
constexpr TWebEncoding kIso8859_2{"ISO-8859-2", TDecoder::SingleByte, "ISO-8859-2"};
constexpr TWebEncoding kIso8859_3{"ISO-8859-3", TDecoder::SingleByte, "ISO-8859-3"};
constexpr TWebEncoding kIso8859_4{"ISO-8859-4", TDecoder::SingleByte, "ISO-8859-4"};
constexpr TWebEncoding kIso8859_5{"ISO-8859-5", TDecoder::SingleByte, "ISO-8859-5"};
constexpr TWebEncoding kIso8859_6{"ISO-8859-6", TDecoder::SingleByte, "ISO-8859-6"};
constexpr TWebEncoding kIso8859_7{"ISO-8859-7", TDecoder::SingleByte, "ISO-8859-7"};
constexpr TWebEncoding kIso8859_8{"ISO-8859-8", TDecoder::SingleByte, "ISO-8859-8"};
constexpr TWebEncoding kIso8859_8I{"ISO-8859-8-I", TDecoder::SingleByte, "ISO-8859-8"};
constexpr TWebEncoding kIso8859_10{"ISO-8859-10", TDecoder::SingleByte, "ISO-8859-10"};
constexpr TWebEncoding kIso8859_13{"ISO-8859-13", TDecoder::SingleByte, "ISO-8859-13"};
constexpr TWebEncoding kIso8859_14{"ISO-8859-14", TDecoder::SingleByte, "ISO-8859-14"};
constexpr TWebEncoding kIso8859_15{"ISO-8859-15", TDecoder::SingleByte, "ISO-8859-15"};
constexpr TWebEncoding kIso8859_16{"ISO-8859-16", TDecoder::SingleByte, "ISO-8859-16"};
constexpr TWebEncoding kKoi8R{"KOI8-R", TDecoder::SingleByte, "KOI8-R"};
constexpr TWebEncoding kKoi8U{"KOI8-U", TDecoder::SingleByte, "KOI8-U", false, kKoi8UDifferences};
constexpr TWebEncoding kMacintosh{"macintosh", TDecoder::SingleByte, "MACINTOSH", false,
                                  kMacintoshDifferences};
constexpr TWebEncoding kWindows874{"windows-874", TDecoder::SingleByte, "WINDOWS-874", true};
constexpr TWebEncoding kWindows1250{"windows-1250", TDecoder::SingleByte, "CP1250", true};
constexpr TWebEncoding kWindows1251{"windows-1251", TDecoder::SingleByte, "CP1251", true};
constexpr TWebEncoding kWindows1252{"windows-1252", TDecoder::Windows1252};
constexpr TWebEncoding kWindows1253{"windows-1253", TDecoder::SingleByte, "CP1253", true};
constexpr TWebEncoding kWindows1254{"windows-1254", TDecoder::SingleByte, "CP1254", true};
constexpr TWebEncoding kWindows1255{"windows-1255", TDecoder::SingleByte, "CP1255", true,
                                    kWindows1255Differences};
constexpr TWebEncoding kWindows1256{"windows-1256", TDecoder::SingleByte, "CP1256", true};
constexpr TWebEncoding kWindows1257{"windows-1257", TDecoder::SingleByte, "CP1257", true};
constexpr TWebEncoding kWindows1258{"windows-1258", TDecoder::SingleByte, "CP1258", true};
constexpr TWebEncoding kMacCyrillic{"x-mac-cyrillic", TDecoder::SingleByte, "MACUKRAINIAN", false,
                                    kMacCyrillicDifferences};
constexpr TWebEncoding kGbk{"GBK", TDecoder::Gb18030, "GB18030"};
constexpr TWebEncoding kGb18030{"gb18030", TDecoder::Gb18030, "GB18030"};
constexpr TWebEncoding kBig5{"Big5", TDecoder::Big5, "BIG5-HKSCS"};
// The converter reads a broken sequence of EUC-JP or ISO-2022-JP otherwise than the web (its C1 controls
// where the web has U+FFFD, say), but never takes into it an ASCII character that the web shows after it.
constexpr TWebEncoding kEucJp{"EUC-JP", TDecoder::Converter, "EUC-JP"};
constexpr TWebEncoding kIso2022Jp{"ISO-2022-JP", TDecoder::Converter, "ISO-2022-JP"};
constexpr TWebEncoding kShiftJis{"Shift_JIS", TDecoder::ShiftJis, "CP932"};
constexpr TWebEncoding kEucKr{"EUC-KR", TDecoder::EucKr, "CP949"};
// Encodings whose decoders could let a page hide markup from a reader that decodes them otherwise: such
// a page reads as one U+FFFD.
constexpr TWebEncoding kReplacement{"replacement", TDecoder::Replacement};
constexpr TWebEncoding kUtf16BE{"UTF-16BE", TDecoder::Utf16BE};
constexpr TWebEncoding kUtf16LE{"UTF-16LE", TDecoder::Utf16LE};
constexpr TWebEncoding kUserDefined{"x-user-defined", TDecoder::UserDefined};

constexpr TEncodingLabel kLabels[] = {
    {"unicode-1-1-utf-8", &kUtf8},
    {"unicode11utf8", &kUtf8},
    {"unicode20utf8", &kUtf8},
    {"utf-8", &kUtf8},
    {"utf8", &kUtf8},
    {"x-unicode20utf8", &kUtf8},
    {"866", &kIbm866},
    {"cp866", &kIbm866},
    {"csibm866", &kIbm866},
    {"ibm866", &kIbm866},
    {"csisolatin2", &kIso8859_2},
    {"iso-8859-2", &kIso8859_2},
    {"iso-ir-101", &kIso8859_2},
    {"iso8859-2", &kIso8859_2},
    {"iso88592", &kIso8859_2},
    {"iso_8859-2", &kIso8859_2},
    {"iso_8859-2:1987", &kIso8859_2},
    {"l2", &kIso8859_2},
    {"latin2", &kIso8859_2},
    {"csisolatin3", &kIso8859_3},
    {"iso-8859-3", &kIso8859_3},
    {"iso-ir-109", &kIso8859_3},
    {"iso8859-3", &kIso8859_3},
    {"iso88593", &kIso8859_3},
    {"iso_8859-3", &kIso8859_3},
    {"iso_8859-3:1988", &kIso8859_3},
    {"l3", &kIso8859_3},
    {"latin3", &kIso8859_3},
    {"csisolatin4", &kIso8859_4},
    {"iso-8859-4", &kIso8859_4},
    {"iso-ir-110", &kIso8859_4},
    {"iso8859-4", &kIso8859_4},
    {"iso88594", &kIso8859_4},
    {"iso_8859-4", &kIso8859_4},
    {"iso_8859-4:1988", &kIso8859_4},
    {"l4", &kIso8859_4},
    {"latin4", &kIso8859_4},
    {"csisolatincyrillic", &kIso8859_5},
    {"cyrillic", &kIso8859_5},
    {"iso-8859-5", &kIso8859_5},
    {"iso-ir-144", &kIso8859_5},
    {"iso8859-5", &kIso8859_5},
    {"iso88595", &kIso8859_5},
    {"iso_8859-5", &kIso8859_5},
    {"iso_8859-5:1988", &kIso8859_5},
    {"arabic", &kIso8859_6},
    {"asmo-708", &kIso8859_6},
    {"csiso88596e", &kIso8859_6},
    {"csiso88596i", &kIso8859_6},
    {"csisolatinarabic", &kIso8859_6},
    {"ecma-114", &kIso8859_6},
    {"iso-8859-6", &kIso8859_6},
    {"iso-8859-6-e", &kIso8859_6},
    {"iso-8859-6-i", &kIso8859_6},
    {"iso-ir-127", &kIso8859_6},
    {"iso8859-6", &kIso8859_6},
    {"iso88596", &kIso8859_6},
    {"iso_8859-6", &kIso8859_6},
    {"iso_8859-6:1987", &kIso8859_6},
    {"csisolatingreek", &kIso8859_7},
    {"ecma-118", &kIso8859_7},
    {"elot_928", &kIso8859_7},
    {"greek", &kIso8859_7},
    {"greek8", &kIso8859_7},
    {"iso-8859-7", &kIso8859_7},
    {"iso-ir-126", &kIso8859_7},
    {"iso8859-7", &kIso8859_7},
    {"iso88597", &kIso8859_7},
    {"iso_8859-7", &kIso8859_7},
    {"iso_8859-7:1987", &kIso8859_7},
    {"sun_eu_greek", &kIso8859_7},
    {"csiso88598e", &kIso8859_8},
    {"csisolatinhebrew", &kIso8859_8},
    {"hebrew", &kIso8859_8},
    {"iso-8859-8", &kIso8859_8},
    {"iso-8859-8-e", &kIso8859_8},
    {"iso-ir-138", &kIso8859_8},
    {"iso8859-8", &kIso8859_8},
    {"iso88598", &kIso8859_8},
    {"iso_8859-8", &kIso8859_8},
    {"iso_8859-8:1988", &kIso8859_8},
    {"visual", &kIso8859_8},
    {"csiso88598i", &kIso8859_8I},
    {"iso-8859-8-i", &kIso8859_8I},
    {"logical", &kIso8859_8I},
    {"csisolatin6", &kIso8859_10},
    {"iso-8859-10", &kIso8859_10},
    {"iso-ir-157", &kIso8859_10},
    {"iso8859-10", &kIso8859_10},
    {"iso885910", &kIso8859_10},
    {"l6", &kIso8859_10},
    {"latin6", &kIso8859_10},
    {"iso-8859-13", &kIso8859_13},
    {"iso8859-13", &kIso8859_13},
    {"iso885913", &kIso8859_13},
    {"iso-8859-14", &kIso8859_14},
    {"iso8859-14", &kIso8859_14},
    {"iso885914", &kIso8859_14},
    {"csisolatin9", &kIso8859_15},
    {"iso-8859-15", &kIso8859_15},
    {"iso8859-15", &kIso8859_15},
    {"iso885915", &kIso8859_15},
    {"iso_8859-15", &kIso8859_15},
    {"l9", &kIso8859_15},
    {"iso-8859-16", &kIso8859_16},
    {"cskoi8r", &kKoi8R},
    {"koi", &kKoi8R},
    {"koi8", &kKoi8R},
    {"koi8-r", &kKoi8R},
    {"koi8_r", &kKoi8R},
    {"koi8-ru", &kKoi8U},
    {"koi8-u", &kKoi8U},
    {"csmacintosh", &kMacintosh},
    {"mac", &kMacintosh},
    {"macintosh", &kMacintosh},
    {"x-mac-roman", &kMacintosh},
    {"dos-874", &kWindows874},
    {"iso-8859-11", &kWindows874},
    {"iso8859-11", &kWindows874},
    {"iso885911", &kWindows874},
    {"tis-620", &kWindows874},
    {"windows-874", &kWindows874},
    {"cp1250", &kWindows1250},
    {"windows-1250", &kWindows1250},
    {"x-cp1250", &kWindows1250},
    {"cp1251", &kWindows1251},
    {"windows-1251", &kWindows1251},
    {"x-cp1251", &kWindows1251},
    {"ansi_x3.4-1968", &kWindows1252},
    {"ascii", &kWindows1252},
    {"cp1252", &kWindows1252},
    {"cp819", &kWindows1252},
    {"csisolatin1", &kWindows1252},
    {"ibm819", &kWindows1252},
    {"iso-8859-1", &kWindows1252},
    {"iso-ir-100", &kWindows1252},
    {"iso8859-1", &kWindows1252},
    {"iso88591", &kWindows1252},
    {"iso_8859-1", &kWindows1252},
    {"iso_8859-1:1987", &kWindows1252},
    {"l1", &kWindows1252},
    {"latin1", &kWindows1252},
    {"us-ascii", &kWindows1252},
    {"windows-1252", &kWindows1252},
    {"x-cp1252", &kWindows1252},
    {"cp1253", &kWindows1253},
    {"windows-1253", &kWindows1253},
    {"x-cp1253", &kWindows1253},
    {"cp1254", &kWindows1254},
    {"csisolatin5", &kWindows1254},
    {"iso-8859-9", &kWindows1254},
    {"iso-ir-148", &kWindows1254},
    {"iso8859-9", &kWindows1254},
    {"iso88599", &kWindows1254},
    {"iso_8859-9", &kWindows1254},
    {"iso_8859-9:1989", &kWindows1254},
    {"l5", &kWindows1254},
    {"latin5", &kWindows1254},
    {"windows-1254", &kWindows1254},
    {"x-cp1254", &kWindows1254},
    {"cp1255", &kWindows1255},
    {"windows-1255", &kWindows1255},
    {"x-cp1255", &kWindows1255},
    {"cp1256", &kWindows1256},
    {"windows-1256", &kWindows1256},
    {"x-cp1256", &kWindows1256},
    {"cp1257", &kWindows1257},
    {"windows-1257", &kWindows1257},
    {"x-cp1257", &kWindows1257},
    {"cp1258", &kWindows1258},
    {"windows-1258", &kWindows1258},
    {"x-cp1258", &kWindows1258},
    {"x-mac-cyrillic", &kMacCyrillic},
    {"x-mac-ukrainian", &kMacCyrillic},
    {"chinese", &kGbk},
    {"csgb2312", &kGbk},
    {"csiso58gb231280", &kGbk},
    {"gb2312", &kGbk},
    {"gb_2312", &kGbk},
    {"gb_2312-80", &kGbk},
    {"gbk", &kGbk},
    {"iso-ir-58", &kGbk},
    {"x-gbk", &kGbk},
    {"gb18030", &kGb18030},
    {"big5", &kBig5},
    {"big5-hkscs", &kBig5},
    {"cn-big5", &kBig5},
    {"csbig5", &kBig5},
    {"x-x-big5", &kBig5},
    {"cseucpkdfmtjapanese", &kEucJp},
    {"euc-jp", &kEucJp},
    {"x-euc-jp", &kEucJp},
    {"csiso2022jp", &kIso2022Jp},
    {"iso-2022-jp", &kIso2022Jp},
    {"csshiftjis", &kShiftJis},
    {"ms932", &kShiftJis},
    {"ms_kanji", &kShiftJis},
    {"shift-jis", &kShiftJis},
    {"shift_jis", &kShiftJis},
    {"sjis", &kShiftJis},
    {"windows-31j", &kShiftJis},
    {"x-sjis", &kShiftJis},
    {"cseuckr", &kEucKr},
    {"csksc56011987", &kEucKr},
    {"euc-kr", &kEucKr},
    {"iso-ir-149", &kEucKr},
    {"korean", &kEucKr},
    {"ks_c_5601-1987", &kEucKr},
    {"ks_c_5601-1989", &kEucKr},
    {"ksc5601", &kEucKr},
    {"ksc_5601", &kEucKr},
    {"windows-949", &kEucKr},
    {"csiso2022kr", &kReplacement},
    {"hz-gb-2312", &kReplacement},
    {"iso-2022-cn", &kReplacement},
    {"iso-2022-cn-ext", &kReplacement},
    {"iso-2022-kr", &kReplacement},
    {"replacement", &kReplacement},
    {"unicodefffe", &kUtf16BE},
    {"utf-16be", &kUtf16BE},
    {"csunicode", &kUtf16LE},
    {"iso-10646-ucs-2", &kUtf16LE},
    {"ucs-2", &kUtf16LE},
    {"unicode", &kUtf16LE},
    {"unicodefeff", &kUtf16LE},
    {"utf-16", &kUtf16LE},
    {"utf-16le", &kUtf16LE},
    {"x-user-defined", &kUserDefined},
};

bool AsciiWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

} // namespace

const TWebEncoding* EncodingOfLabel(std::string_view Label) {
    while (!Label.empty() && AsciiWhitespace(Label.front()))
        Label.remove_prefix(1);
    while (!Label.empty() && AsciiWhitespace(Label.back()))
        Label.remove_suffix(1);
    const String label(Label);
    for (const TEncodingLabel& l : kLabels)
        if (SameText(label, l.Label)) return l.Encoding;
    return nullptr;
}

std::span<const TEncodingLabel> EncodingLabels() {
    return {std::begin(kLabels), std::end(kLabels)};
}

} // namespace vcl::markup
