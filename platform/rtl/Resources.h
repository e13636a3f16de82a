#pragma once
// Compiled-in resources found by name and type.
//
// Every file under a resource folder is turned into a byte array at build time (see
// tools/embed_resources.py) whose registration runs at static-initialisation time. Names are looked
// up without regard to ASCII case, as the platform upper-cases resource names; a name of digits, or
// "#" and digits, is a numeric identifier ("1", "#1" and "#01" are one resource, named "#1"). A type
// is a number (RT_RCDATA, RT_BITMAP, ...) or a name. Form layouts are RT_RCDATA resources named by
// the form's class name.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

namespace vcl {

constexpr int RT_CURSOR = 1;
constexpr int RT_BITMAP = 2;
constexpr int RT_ICON = 3;
constexpr int RT_MENU = 4;
constexpr int RT_DIALOG = 5;
constexpr int RT_STRING = 6;
constexpr int RT_FONTDIR = 7;
constexpr int RT_FONT = 8;
constexpr int RT_ACCELERATOR = 9;
constexpr int RT_RCDATA = 10;
constexpr int RT_MESSAGETABLE = 11;
constexpr int RT_GROUP_CURSOR = 12;
constexpr int RT_GROUP_ICON = 14;
constexpr int RT_VERSION = 16;
constexpr int RT_HTML = 23;
constexpr int RT_MANIFEST = 24;

// A resource type: a number, or a name (stored upper-cased).
class TResType {
public:
    TResType(int Id) : FId(Id) {}
    TResType(const String& Name);
    TResType(const char* Name) : TResType(String(Name)) {}

    bool IsNumber() const { return FName.empty(); }
    int Id() const { return FId; }
    const String& Name() const { return FName; }
    // "10" for a number, the name otherwise.
    String ToString() const;
    bool operator==(const TResType& Other) const { return FId == Other.FId && FName == Other.FName; }

private:
    int FId = 0;
    String FName;
};

struct TResourceEntry {
    String Name; // upper-cased
    TResType Type;
    std::string_view Data; // the bytes: the registered ones, or Owned
    String Owned;          // the copy of bytes registered by RegisterResource
};

// Adds a resource (the bytes are copied); a later registration of the same name and type replaces
// the earlier one. Safe to call from static initialisers.
void RegisterResource(const String& Name, const TResType& Type, const void* Data, std::size_t Size);
// The same for bytes that live as long as the program (the compiled-in resources): they are used where
// they are, not copied.
void RegisterStaticResource(const String& Name, const TResType& Type, const void* Data, std::size_t Size);

// The resource of that name and type, or nullptr.
const TResourceEntry* FindResource(const String& Name, const TResType& Type);
bool ResourceExists(const String& Name, const TResType& Type);

// The bytes of a resource; a missing one raises EResNotFound "Resource <name> not found".
String LoadResourceBytes(const String& Name, const TResType& Type);

// Every registered resource (of one type, when given), ordered by type and then name.
std::vector<const TResourceEntry*> EnumResources();
std::vector<const TResourceEntry*> EnumResources(const TResType& Type);

} // namespace vcl
