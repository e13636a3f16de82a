#pragma once
// The text form of a layout, parsed into a tree before anything is created.
//
//     object Form1: TForm1
//       Caption = 'It''s'#13#10 +
//         'second line'
//       Font.Style = [fsBold]
//       Items.Strings = (
//         'a'
//         'b')
//       Panels = <
//         item
//           Width = 50
//         end>
//       Data = {0A1B2C}
//       object Button1: TButton
//         OnClick = Button1Click
//       end
//     end
//
// Syntax errors raise EReadError "<reason> (<layout> line <n>)".

#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl {

enum class TLayoutValueKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

struct TLayoutProperty;

struct TLayoutItem {
    int Line = 0;
    std::vector<TLayoutProperty> Props;
};

struct TLayoutValue {
    TLayoutValueKind Kind = TLayoutValueKind::Integer;
    int Line = 0;
    Int64 Int = 0;
    double Float = 0;
    String Str;                     // string text (UTF-8), identifier, or binary bytes
    std::vector<String> SetItems;   // Set
    std::vector<TLayoutValue> List; // List
    std::vector<TLayoutItem> Items; // Collection
};

struct TLayoutProperty {
    String Name; // dotted: "Font.Name"
    int Line = 0;
    TLayoutValue Value;
};

struct TLayoutObject {
    String Name; // may be empty
    String ClassName;
    int Line = 0;
    std::vector<TLayoutProperty> Props;
    std::vector<TLayoutObject> Children;
};

// Parses one top-level object; trailing text other than blanks is an error.
TLayoutObject ParseLayout(std::string_view Text, const String& LayoutName);

// " (<layout> line <n>)"
String LayoutWhere(const String& LayoutName, int Line);

} // namespace vcl
