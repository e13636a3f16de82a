#pragma once
// Published properties: what the layout reader and writer (and by-name queries) see of a class.
//
// Each class declares its published properties once, in its own .cpp; the table chains to the base
// class's table through the class references. In the class body:
//
//     class TMyButton : public TComponent {
//         KV_CLASS(TMyButton, TComponent)
//         KV_PUBLISHED_PROPERTIES(TMyButton)
//     public: ...
//     };
//
// and in the .cpp, inside the class's namespace:
//
//     KV_PUBLISHED(TMyButton) {
//         p.Int("Width", &TMyButton::FWidth, &TMyButton::SetWidth, 75);   // default 75
//         p.Bool("Flat", &TMyButton::FFlat, &TMyButton::SetFlat, false);
//         p.Enum("Layout", &TMyButton::FLayout, &TMyButton::SetLayout, blGlyphLeft);
//         p.Set("Style", &TMyButton::FStyle, &TMyButton::SetStyle, TFontStyles{});
//         p.Str("Caption", &TMyButton::FCaption, &TMyButton::SetCaption);   // strings default to ''
//         p.Color("Color", &TMyButton::FColor, &TMyButton::SetColor, clBtnFace);
//         p.Float("Ratio", &TMyButton::FRatio, &TMyButton::SetRatio, 1.0);
//         p.Object("Font", &TMyButton::FFont);           // sub-object: Font.Name = ...
//         p.Strings("Items", &TMyButton::FItems);        // Items.Strings = ( 'a' 'b' )
//         p.Collection("Panels", &TMyButton::FPanels);   // Panels = < item ... end >
//         p.Ref("Styler", &TMyButton::FStyler, &TMyButton::SetStyler);  // another component by name
//         p.Event("OnClick", &TMyButton::OnClick);       // OnClick = Button1Click
//         p.Binary("Data", &TMyButton::ReadData, &TMyButton::WriteData, &TMyButton::HasData);
//         p.Default("TabStop", true);   // an inherited ordinal property with this class's default
//     }
//
// The read accessor is a field or a getter; the write accessor is the setter, or nullptr to write the
// field directly. An ordinal property declared without a default is always written. Enumerations name
// their values once, next to the type, for enumeration and set properties:
//
//     KV_ENUM(TButtonLayout, blGlyphLeft, blGlyphTop, blGlyphRight, blGlyphBottom);   // declares it too
//     KV_ENUM_NAMES(TAlign, "alNone", "alTop", ...);                                  // for an existing enum
//
// A form class also declares its fields and its handler methods, by name:
//
//     p.Field("Button1", &TForm1::Button1);
//     p.Handler("Button1Click", &TForm1::Button1Click);
//
// Reading a layout sets the fields and binds each event to the handler of that name; a handler whose
// parameters differ from the event's is refused.

#include <any>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace vcl {

// ---- enumeration names ----

struct TEnumInfo {
    String TypeName;
    std::vector<String> Names; // ordinal value = position
    TEnumInfo(String typeName, std::vector<String> names)
        : TypeName(std::move(typeName)), Names(std::move(names)) {}
    // From "a, b, c" (the stringised enumerator list of KV_ENUM).
    TEnumInfo(String typeName, const char* commaList);
};

// The identifier of an ordinal value ("" when out of range) and the value of an identifier (-1 when
// unknown; any case).
String GetEnumName(const TEnumInfo& Info, int Value);
int GetEnumValue(const TEnumInfo& Info, const String& Name);

#define KV_ENUM_NAMES(E, ...)                                                                                \
    [[maybe_unused]] inline const ::vcl::TEnumInfo& KvEnumInfo(E) {                                          \
        static const ::vcl::TEnumInfo info{#E, {__VA_ARGS__}};                                               \
        return info;                                                                                         \
    }                                                                                                        \
    static_assert(true, "")

#define KV_ENUM(E, ...)                                                                                      \
    enum E { __VA_ARGS__ };                                                                                  \
    [[maybe_unused]] inline const ::vcl::TEnumInfo& KvEnumInfo(E) {                                          \
        static const ::vcl::TEnumInfo info{#E, #__VA_ARGS__};                                                \
        return info;                                                                                         \
    }                                                                                                        \
    static_assert(true, "")

template <typename E>
concept NamedEnum = std::is_enum_v<E> && requires(E e) {
    { KvEnumInfo(e) } -> std::same_as<const TEnumInfo&>;
};

// ---- property descriptions ----

enum class TPropKind {
    Integer,
    Boolean,
    Enumeration,
    Set,
    String,
    Color,
    Float,
    Char,
    Object,
    Strings,
    Collection,
    Binary,
    Component,
    Event
};

struct TPropInfo {
    String Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr; // enumeration and set properties
    String TypeName;                 // of the value, for messages

    std::optional<Int64> DefaultOrd; // ordinal kinds; none = always written
    std::optional<double> DefaultFloat;
    String DefaultStr;
    std::function<bool(TObject*)> Stored; // optional extra condition for writing

    std::function<Int64(TObject*)> GetOrd;
    std::function<void(TObject*, Int64)> SetOrd;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<String(TObject*)> GetStr;
    std::function<void(TObject*, const String&)> SetStr;
    // Object, Strings and Collection properties: the owned object.
    std::function<TPersistent*(TObject*)> GetObject;
    // Component references.
    std::function<TComponent*(TObject*)> GetRef;
    std::function<void(TObject*, TComponent*)> SetRef;
    std::function<bool(TComponent*)> AcceptsRef;
    // Binary data (the bytes as a string).
    std::function<void(TObject*, const String&)> ReadData;
    std::function<String(TObject*)> WriteData;
    std::function<bool(TObject*)> HasData;
    // Events: the std::function's call signature; SetEvent takes a std::any holding a
    // std::function of that signature.
    const std::type_info* EventSignature = nullptr;
    std::function<bool(TObject*)> EventAssigned;
    std::function<void(TObject*, std::any)> SetEvent;
    // Integer properties with named values (cursors and the like).
    std::function<bool(const String&, Int64&)> IdentToInt;
    std::function<bool(Int64, String&)> IntToIdent;
    // Listed (so written and read) before every inherited property: a property whose setter resets
    // inherited ones, such as a style preset, must come before the values that override it.
    bool First = false;

    bool Writable() const;
};

// A field of a form that reading sets to the component of that name.
struct TFieldInfo {
    String Name;
    String TypeName;
    std::function<bool(TComponent*)> Accepts;
    std::function<void(TObject*, TComponent*)> Set;
    std::function<TComponent*(TObject*)> Get;
};

// A handler method of a form, bound by name to events.
struct THandlerInfo {
    String Name;
    const std::type_info* Signature = nullptr;
    std::function<std::any(TObject* Root)> Bind; // a std::function of that signature
};

struct TPropertyTable {
    TClass Class = nullptr;
    std::vector<TPropInfo> Props;
    std::vector<TFieldInfo> Fields;
    std::vector<THandlerInfo> Handlers;
};

// ---- look-up ----

// Every published property of a class, the base class's first, in declaration order (a property
// declared again by a derived class keeps its place and takes the new description). Properties a class
// marks First go before everything it inherits, in their own order.
const std::vector<const TPropInfo*>& GetPropList(TClass Class);
const TPropInfo* GetPropInfo(TClass Class, const String& PropName);
const TPropInfo* GetPropInfo(TObject* Instance, const String& PropName);
const TFieldInfo* FindFieldInfo(TClass Class, const String& Name);
const THandlerInfo* FindHandlerInfo(TClass Class, const String& Name);
bool IsPublishedProp(TObject* Instance, const String& PropName);

// By-name access. A missing property raises EPropertyError "Property <name> does not exist"; a
// property of another kind raises EPropertyError "Invalid property type: <name>".
String GetStrProp(TObject* Instance, const String& PropName);
void SetStrProp(TObject* Instance, const String& PropName, const String& Value);
Int64 GetOrdProp(TObject* Instance, const String& PropName);
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value);
double GetFloatProp(TObject* Instance, const String& PropName);
void SetFloatProp(TObject* Instance, const String& PropName, double Value);
TObject* GetObjectProp(TObject* Instance, const String& PropName);
String GetEnumProp(TObject* Instance, const String& PropName);
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value);

// Sets (Enable) or clears (when it still points at Instance) the field of Owner named Name. Used by
// TComponent when components are named, added and removed; fields of another type are left alone.
void SetDeclaredField(TObject* Owner, const String& Name, TComponent* Instance, bool Enable);

// ---- declaring ----

using TPropertyBuilder = void (*)(TPropertyTable& Table);
void RegisterPropertyTable(TClass Class, TPropertyBuilder Builder);

namespace detail {

template <typename P> TPersistent* ToPersistent(P* p) {
    return p;
}
template <typename P, typename D> TPersistent* ToPersistent(const std::unique_ptr<P, D>& p) {
    return p.get();
}

template <typename P> TComponent* ToComponentPtr(P* p) {
    return p;
}

template <typename F> struct FunctionSignature;
template <typename Sig> struct FunctionSignature<std::function<Sig>> { using Type = Sig; };

template <typename M> struct MethodSignature;
template <typename R, typename C, typename... A> struct MethodSignature<R (C::*)(A...)> {
    using Type = R(A...);
    using Class = C;
};
template <typename R, typename C, typename... A> struct MethodSignature<R (C::*)(A...) const> {
    using Type = R(A...);
    using Class = C;
};

template <typename T, typename G> using ValueOf = std::remove_cvref_t<std::invoke_result_t<G, T*>>;

// Without a setter a property is written to its field; a getter without a setter is read-only.
template <typename G, typename S>
inline constexpr bool CanWrite = !std::is_null_pointer_v<S> || std::is_member_object_pointer_v<G>;

template <typename T, typename G, typename S, typename V> void Store(T* obj, G get, S set, V value) {
    if constexpr (std::is_null_pointer_v<S>) {
        static_assert(std::is_member_object_pointer_v<G>, "without a setter the property must read a field");
        std::invoke(get, obj) = value;
    } else {
        std::invoke(set, obj, value);
    }
}

} // namespace detail

// Options of a declared property, chained after the declaration.
template <typename T> class TPropOptions {
public:
    explicit TPropOptions(TPropInfo& info) : FInfo(info) {}
    // A condition for writing the property (beyond differing from its default).
    TPropOptions& Stored(bool (T::*pred)() const) {
        FInfo.Stored = [pred](TObject* o) { return (static_cast<T*>(o)->*pred)(); };
        return *this;
    }
    // Named values of an integer property.
    TPropOptions& Idents(bool (*toInt)(const String&, Int64&), bool (*toIdent)(Int64, String&)) {
        FInfo.IdentToInt = toInt;
        FInfo.IntToIdent = toIdent;
        return *this;
    }
    // Puts the property before the ones the class inherits.
    TPropOptions& First() {
        FInfo.First = true;
        return *this;
    }
    TPropOptions& NoDefault() {
        FInfo.DefaultOrd.reset();
        FInfo.DefaultFloat.reset();
        return *this;
    }

private:
    TPropInfo& FInfo;
};

template <typename T> class TPropertyDeclarer {
public:
    explicit TPropertyDeclarer(TPropertyTable& table) : FTable(table) {}

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Int(const char* name, G get, S set = nullptr, std::optional<Int64> def = std::nullopt) {
        using V = detail::ValueOf<T, G>;
        static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>, "Int needs an integer value");
        TPropInfo& p = Add(name, TPropKind::Integer, "Integer");
        p.DefaultOrd = def;
        p.GetOrd = [get](TObject* o) { return static_cast<Int64>(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetOrd = [get, set](TObject* o, Int64 v) {
                if (v < static_cast<Int64>(std::numeric_limits<V>::min()) ||
                    (v > 0 && static_cast<std::uint64_t>(v) >
                                  static_cast<std::uint64_t>(std::numeric_limits<V>::max())))
                    throw ERangeError("Value " + std::to_string(v) + " is out of range");
                detail::Store(static_cast<T*>(o), get, set, static_cast<V>(v));
            };
        }
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Bool(const char* name, G get, S set = nullptr, std::optional<bool> def = std::nullopt) {
        static_assert(std::is_same_v<detail::ValueOf<T, G>, bool>, "Bool needs a bool value");
        TPropInfo& p = Add(name, TPropKind::Boolean, "Boolean");
        if (def) p.DefaultOrd = *def ? 1 : 0;
        p.GetOrd = [get](TObject* o) {
            return static_cast<Int64>(std::invoke(get, static_cast<T*>(o)) ? 1 : 0);
        };
        if constexpr (detail::CanWrite<G, S>)
            p.SetOrd = [get, set](TObject* o, Int64 v) {
                detail::Store(static_cast<T*>(o), get, set, v != 0);
            };
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Enum(const char* name, G get, S set = nullptr,
                         std::optional<detail::ValueOf<T, G>> def = std::nullopt) {
        using V = detail::ValueOf<T, G>;
        static_assert(NamedEnum<V>, "Enum needs an enumeration with KV_ENUM or KV_ENUM_NAMES");
        const TEnumInfo& info = KvEnumInfo(V{});
        TPropInfo& p = Add(name, TPropKind::Enumeration, info.TypeName);
        p.Enum = &info;
        if (def) p.DefaultOrd = static_cast<Int64>(*def);
        p.GetOrd = [get](TObject* o) { return static_cast<Int64>(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetOrd = [get, set, &info](TObject* o, Int64 v) {
                if (v < 0 || v >= static_cast<Int64>(info.Names.size()))
                    throw ERangeError("Value " + std::to_string(v) + " is out of range");
                detail::Store(static_cast<T*>(o), get, set, static_cast<V>(v));
            };
        }
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Set(const char* name, G get, S set = nullptr,
                        std::optional<detail::ValueOf<T, G>> def = std::nullopt) {
        using V = detail::ValueOf<T, G>;
        using E = decltype(ElementOf(std::declval<V>()));
        static_assert(NamedEnum<E>, "Set needs a TSet of an enumeration with KV_ENUM or KV_ENUM_NAMES");
        const TEnumInfo& info = KvEnumInfo(E{});
        TPropInfo& p = Add(name, TPropKind::Set, "set of " + info.TypeName);
        p.Enum = &info;
        if (def) p.DefaultOrd = static_cast<Int64>(def->Bits());
        p.GetOrd = [get](TObject* o) {
            return static_cast<Int64>(std::invoke(get, static_cast<T*>(o)).Bits());
        };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetOrd = [get, set](TObject* o, Int64 v) {
                detail::Store(static_cast<T*>(o), get, set, V::FromBits(static_cast<std::uint64_t>(v)));
            };
        }
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Str(const char* name, G get, S set = nullptr, String def = String()) {
        static_assert(std::is_same_v<detail::ValueOf<T, G>, String>, "Str needs a String value");
        TPropInfo& p = Add(name, TPropKind::String, "String");
        p.DefaultStr = std::move(def);
        p.GetStr = [get](TObject* o) { return String(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>)
            p.SetStr = [get, set](TObject* o, const String& v) {
                detail::Store(static_cast<T*>(o), get, set, v);
            };
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Color(const char* name, G get, S set = nullptr,
                          std::optional<TColor> def = std::nullopt) {
        static_assert(std::is_same_v<detail::ValueOf<T, G>, TColor>, "Color needs a TColor value");
        TPropInfo& p = Add(name, TPropKind::Color, "TColor");
        if (def) p.DefaultOrd = *def;
        p.GetOrd = [get](TObject* o) { return static_cast<Int64>(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetOrd = [get, set](TObject* o, Int64 v) {
                // A colour is 32 bits: negative (system colours) or written as an unsigned number.
                if (v < static_cast<Int64>(std::numeric_limits<std::int32_t>::min()) ||
                    v > static_cast<Int64>(std::numeric_limits<std::uint32_t>::max()))
                    throw ERangeError("Value " + std::to_string(v) + " is out of range");
                detail::Store(static_cast<T*>(o), get, set,
                              static_cast<TColor>(static_cast<std::uint32_t>(v)));
            };
        }
        return TPropOptions<T>(p);
    }

    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Float(const char* name, G get, S set = nullptr,
                          std::optional<double> def = std::nullopt) {
        using V = detail::ValueOf<T, G>;
        static_assert(std::is_floating_point_v<V>, "Float needs a floating-point value");
        TPropInfo& p = Add(name, TPropKind::Float, "Double");
        p.DefaultFloat = def.value_or(0.0); // without a declared default, a float that is not 0 is written
        p.GetFloat = [get](TObject* o) { return static_cast<double>(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetFloat = [get, set](TObject* o, double v) {
                detail::Store(static_cast<T*>(o), get, set, static_cast<V>(v));
            };
        }
        return TPropOptions<T>(p);
    }

    static Int64 CharCode(char c) { return static_cast<unsigned char>(c); }
    static Int64 CharCode(char32_t c) { return static_cast<Int64>(c); }

    // A character: a byte (char) or a Unicode code point (char32_t); read from a one-character string or
    // a #code, written as a quoted printable ASCII character or as #code.
    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Char(const char* name, G get, S set = nullptr,
                         std::optional<detail::ValueOf<T, G>> def = std::nullopt) {
        using V = detail::ValueOf<T, G>;
        static_assert(std::is_same_v<V, char> || std::is_same_v<V, char32_t>,
                      "Char needs a char or char32_t value");
        constexpr Int64 kMax = std::is_same_v<V, char> ? 255 : 0x10FFFF;
        TPropInfo& p = Add(name, TPropKind::Char, "Char");
        if (def) p.DefaultOrd = CharCode(*def);
        p.GetOrd = [get](TObject* o) { return CharCode(std::invoke(get, static_cast<T*>(o))); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetOrd = [get, set](TObject* o, Int64 v) {
                if (v < 0 || v > kMax || (v >= 0xD800 && v <= 0xDFFF))
                    throw ERangeError("Value " + std::to_string(v) + " is out of range");
                detail::Store(static_cast<T*>(o), get, set, static_cast<V>(v));
            };
        }
        return TPropOptions<T>(p);
    }

    // An ordinal property inherited from a base class, with this class's own default: a class whose
    // constructor sets another value than the base's declares it here, so that a layout keeps an
    // explicit value equal to the base's default (values equal to the default are not written).
    TPropOptions<T> Default(const char* name, Int64 def) {
        const TPropInfo* inherited = GetPropInfo(T::StaticClassType()->Parent, name);
        if (inherited == nullptr) throw EPropertyError(String("Property ") + name + " does not exist");
        const TPropKind k = inherited->Kind;
        if (k != TPropKind::Boolean && k != TPropKind::Integer && k != TPropKind::Enumeration &&
            k != TPropKind::Set && k != TPropKind::Color && k != TPropKind::Char)
            throw EPropertyError(String("Invalid property type: ") + name);
        FTable.Props.push_back(*inherited);
        TPropInfo& p = FTable.Props.back();
        p.DefaultOrd = p.Kind == TPropKind::Boolean ? (def != 0 ? 1 : 0) : def;
        return TPropOptions<T>(p);
    }

    // A persistent object owned by the instance (a pointer or unique_ptr field, or a getter).
    template <typename G> TPropOptions<T> Object(const char* name, G get) {
        return AddObject(name, get, TPropKind::Object);
    }
    template <typename G> TPropOptions<T> Strings(const char* name, G get) {
        return AddObject(name, get, TPropKind::Strings);
    }
    template <typename G> TPropOptions<T> Collection(const char* name, G get) {
        return AddObject(name, get, TPropKind::Collection);
    }

    // A reference to another component, written by name.
    template <typename G, typename S = std::nullptr_t>
    TPropOptions<T> Ref(const char* name, G get, S set = nullptr) {
        using P = detail::ValueOf<T, G>;
        static_assert(std::is_pointer_v<P> && std::is_base_of_v<TComponent, std::remove_pointer_t<P>>,
                      "Ref needs a pointer to a component");
        using C = std::remove_pointer_t<P>;
        TPropInfo& p = Add(name, TPropKind::Component, C::StaticClassType()->Name);
        p.GetRef = [get](TObject* o) -> TComponent* { return std::invoke(get, static_cast<T*>(o)); };
        if constexpr (detail::CanWrite<G, S>) {
            p.SetRef = [get, set](TObject* o, TComponent* c) {
                detail::Store(static_cast<T*>(o), get, set, static_cast<P>(dynamic_cast<C*>(c)));
            };
        }
        p.AcceptsRef = [](TComponent* c) { return c == nullptr || dynamic_cast<C*>(c) != nullptr; };
        return TPropOptions<T>(p);
    }

    // An event: a std::function member, bound by handler name.
    template <typename F> TPropOptions<T> Event(const char* name, F T::*field) {
        using Sig = typename detail::FunctionSignature<std::remove_cvref_t<F>>::Type;
        TPropInfo& p = Add(name, TPropKind::Event, "event");
        p.EventSignature = &typeid(Sig);
        p.EventAssigned = [field](TObject* o) { return static_cast<bool>(static_cast<T*>(o)->*field); };
        p.SetEvent = [field](TObject* o, std::any fn) {
            static_cast<T*>(o)->*field = std::any_cast<std::function<Sig>>(std::move(fn));
        };
        return TPropOptions<T>(p);
    }
    template <typename F, typename B> TPropOptions<T> Event(const char* name, F B::*field) {
        static_assert(std::is_base_of_v<B, T>);
        return Event<F>(name, static_cast<F T::*>(field));
    }

    // Binary data. ReadData takes a TStream* positioned at the start of the bytes, or the bytes as a
    // const String&; WriteData writes to a TStream* or returns the bytes; HasData (optional) says
    // whether there is anything to write.
    template <typename R, typename W, typename H = std::nullptr_t>
    TPropOptions<T> Binary(const char* name, R read, W write, H has = nullptr) {
        TPropInfo& p = Add(name, TPropKind::Binary, "binary");
        if constexpr (std::is_invocable_v<R, T*, TStream*>) {
            p.ReadData = [read](TObject* o, const String& bytes) {
                TMemoryStream s;
                if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
                s.SetPosition(0);
                std::invoke(read, static_cast<T*>(o), static_cast<TStream*>(&s));
            };
        } else {
            p.ReadData = [read](TObject* o, const String& bytes) {
                std::invoke(read, static_cast<T*>(o), bytes);
            };
        }
        if constexpr (std::is_invocable_v<W, T*, TStream*>) {
            p.WriteData = [write](TObject* o) {
                TMemoryStream s;
                std::invoke(write, static_cast<T*>(o), static_cast<TStream*>(&s));
                const char* mem = static_cast<const char*>(s.Memory());
                return mem == nullptr ? String() : String(mem, static_cast<size_t>(s.Size()));
            };
        } else {
            p.WriteData = [write](TObject* o) { return String(std::invoke(write, static_cast<T*>(o))); };
        }
        if constexpr (!std::is_null_pointer_v<H>)
            p.HasData = [has](TObject* o) { return static_cast<bool>(std::invoke(has, static_cast<T*>(o))); };
        return TPropOptions<T>(p);
    }

    // A form's field, set to the component of that name when it is read (and cleared when it goes).
    template <typename P, typename B> void Field(const char* name, P* B::*field) {
        static_assert(std::is_base_of_v<TComponent, P> && std::is_base_of_v<B, T>);
        TFieldInfo f;
        f.Name = name;
        f.TypeName = P::StaticClassType()->Name;
        f.Accepts = [](TComponent* c) { return c == nullptr || dynamic_cast<P*>(c) != nullptr; };
        f.Set = [field](TObject* o, TComponent* c) { static_cast<T*>(o)->*field = dynamic_cast<P*>(c); };
        f.Get = [field](TObject* o) -> TComponent* { return static_cast<T*>(o)->*field; };
        FTable.Fields.push_back(std::move(f));
    }

    // A form's handler method, bound by name to events of the same signature.
    template <typename M> void Handler(const char* name, M method) {
        using Sig = typename detail::MethodSignature<M>::Type;
        using C = typename detail::MethodSignature<M>::Class;
        static_assert(std::is_base_of_v<C, T>);
        THandlerInfo h;
        h.Name = name;
        h.Signature = &typeid(Sig);
        h.Bind = [method](TObject* root) -> std::any {
            return std::any(BindMethod(static_cast<C*>(static_cast<T*>(root)), method));
        };
        FTable.Handlers.push_back(std::move(h));
    }

private:
    template <typename E> static E ElementOf(TSet<E>);

    template <typename C, typename R, typename... A>
    static std::function<R(A...)> BindMethod(C* self, R (C::*m)(A...)) {
        return [self, m](A... args) -> R { return (self->*m)(std::forward<A>(args)...); };
    }
    template <typename C, typename R, typename... A>
    static std::function<R(A...)> BindMethod(C* self, R (C::*m)(A...) const) {
        return [self, m](A... args) -> R { return (self->*m)(std::forward<A>(args)...); };
    }

    template <typename G> TPropOptions<T> AddObject(const char* name, G get, TPropKind kind) {
        TPropInfo& p = Add(name, kind, "object");
        p.GetObject = [get](TObject* o) -> TPersistent* {
            return detail::ToPersistent(std::invoke(get, static_cast<T*>(o)));
        };
        return TPropOptions<T>(p);
    }

    TPropInfo& Add(const char* name, TPropKind kind, String typeName) {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        p.TypeName = std::move(typeName);
        FTable.Props.push_back(std::move(p));
        return FTable.Props.back();
    }

    TPropertyTable& FTable;
};

template <typename T> struct TPropertyRegistrar {
    TPropertyRegistrar() {
        RegisterPropertyTable(T::StaticClassType(), [](TPropertyTable& table) {
            TPropertyDeclarer<T> p(table);
            T::DeclareProperties(p);
        });
    }
};

} // namespace vcl

// In the class body: declares the class's property table.
#define KV_PUBLISHED_PROPERTIES(Cls)                                                                         \
public:                                                                                                      \
    static void DeclareProperties(::vcl::TPropertyDeclarer<Cls>& p);                                         \
                                                                                                             \
private:

// In the class's .cpp (inside its namespace): registers the table and opens its declaration body.
#define KV_PUBLISHED(Cls)                                                                                    \
    static const ::vcl::TPropertyRegistrar<Cls> kv_published_##Cls{};                                        \
    void Cls::DeclareProperties([[maybe_unused]] ::vcl::TPropertyDeclarer<Cls>& p)
