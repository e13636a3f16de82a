#include "platform/classes/LayoutReader.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Resources.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace vcl {

namespace {

// A read error already carrying its place in the layout; passed through unchanged.
class TLayoutReadError : public EReadError {
public:
    using EReadError::EReadError;
};

std::vector<String> SplitDots(const String& s) {
    std::vector<String> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = s.find('.', start);
        parts.push_back(s.substr(start, dot == String::npos ? String::npos : dot - start));
        if (dot == String::npos) break;
        start = dot + 1;
    }
    return parts;
}

String Describe(TComponent* c) {
    return c->Name().empty() ? c->ClassName() : c->Name();
}

// The code point of a string that holds exactly one character (UTF-8, or a single byte); -1 otherwise.
Int64 SingleCodePoint(const String& S) {
    if (S.size() == 1) return static_cast<unsigned char>(S[0]);
    if (S.empty()) return -1;
    std::size_t i = 0;
    char32_t cp = Utf8Next(S, i);
    return i == S.size() ? static_cast<Int64>(cp) : -1;
}

} // namespace

TReader::TReader(String LayoutName) : FLayoutName(std::move(LayoutName)) {}

TReader::~TReader() = default;

void TReader::Fail(const String& Reason, int Line) const {
    throw TLayoutReadError(Reason + LayoutWhere(FLayoutName, Line));
}

void TReader::FailProp(const String& Context, const String& Reason, int Line) const {
    Fail("Error reading " + Context + ": " + Reason, Line);
}

TComponent* TReader::ReadRootComponent(const TLayoutObject& Layout, TComponent* Root, TComponent* Owner) {
    TComponent* created = nullptr;
    try {
        if (Root == nullptr) {
            TClass cls = GetClass(Layout.ClassName);
            if (cls == nullptr || GetClassFactory(cls) == nullptr)
                Fail("Class " + Layout.ClassName + " not found", Layout.Line);
            try {
                created = CreateComponentOfClass(cls, Owner);
            } catch (TLayoutReadError&) {
                throw;
            } catch (Exception& e) {
                Fail("Error creating " + Layout.ClassName + ": " + e.Message, Layout.Line);
            }
            Root = created;
        } else if (!SameText(Root->ClassName(), Layout.ClassName)) {
            Fail("The layout of a " + Layout.ClassName + " cannot be read into a " + Root->ClassName(),
                 Layout.Line);
        }
        FRoot = Root;
        FOwner = Root;
        FParent = nullptr;
        TComponentAccess::SetState(Root, csLoading, true);
        TComponentAccess::SetState(Root, csReading, true);
        FLoaded.assign(1, Root);
        if (!Layout.Name.empty() && !SameText(Root->Name(), Layout.Name)) {
            // The name must be unique among the root's owner's components, as the framework makes it.
            String name = Layout.Name;
            TComponent* owner = Root->Owner();
            for (int n = 1; owner != nullptr && owner->FindComponent(name) != nullptr &&
                            owner->FindComponent(name) != Root;
                 ++n)
                name = Layout.Name + "_" + std::to_string(n);
            try {
                Root->SetName(name);
            } catch (Exception& e) {
                Fail("Error reading " + Layout.Name + ": " + e.Message, Layout.Line);
            }
        }
        FNode = &Layout;
        try {
            Root->ReadState(*this);
        } catch (TLayoutReadError&) {
            throw;
        } catch (Exception& e) {
            Fail("Error reading " + Describe(Root) + ": " + e.Message, Layout.Line);
        }
        FNode = nullptr;
        TComponentAccess::SetState(Root, csReading, false);
        ResolveFixups();
    } catch (...) {
        Cleanup(created);
        throw;
    }
    try {
        for (TComponent* c : FLoaded)
            TComponentAccess::CallLoaded(c);
    } catch (...) {
        FreeComponent(created);
        throw;
    }
    FLoaded.clear();
    FCreated.clear();
    return Root;
}

void TReader::Cleanup(TComponent* CreatedRoot) {
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
        FreeComponent(*it);
    FCreated.clear();
    FLoaded.clear();
    FFixups.clear();
    if (CreatedRoot != nullptr) {
        FreeComponent(CreatedRoot);
    } else if (FRoot != nullptr) {
        TComponentAccess::SetState(FRoot, csReading, false);
        TComponentAccess::SetState(FRoot, csLoading, false);
    }
}

void TReader::ReadData(TComponent* Instance) {
    if (FNode == nullptr) throw EReadError("No layout is being read");
    const TLayoutObject& node = *FNode;
    String name = Describe(Instance);
    for (const TLayoutProperty& prop : node.Props)
        ReadProperty(Instance, name, prop);
    TComponent* savedParent = FParent;
    TComponent* savedOwner = FOwner;
    FParent = Instance->GetChildParent();
    FOwner = Instance->GetChildOwner();
    if (FOwner == nullptr) FOwner = FRoot;
    for (const TLayoutObject& child : node.Children)
        ReadComponent(child);
    FParent = savedParent;
    FOwner = savedOwner;
}

TComponent* TReader::ReadComponent(const TLayoutObject& Node) {
    String what = Node.Name.empty() ? Node.ClassName : Node.Name;
    TClass cls = GetClass(Node.ClassName);
    if (cls == nullptr || GetClassFactory(cls) == nullptr)
        Fail("Class " + Node.ClassName + " not found", Node.Line);
    TComponent* c = nullptr;
    try {
        c = CreateComponentOfClass(cls, FOwner);
    } catch (Exception& e) {
        Fail("Error creating " + what + ": " + e.Message, Node.Line);
    }
    FCreated.push_back(c);
    TComponentAccess::SetState(c, csLoading, true);
    TComponentAccess::SetState(c, csReading, true);
    try {
        c->SetName(Node.Name);
    } catch (Exception& e) {
        Fail("Error reading " + what + ": " + e.Message, Node.Line);
    }
    if (!Node.Name.empty() && c->Owner() != nullptr) {
        const TFieldInfo* field = FindFieldInfo(c->Owner()->ClassType(), Node.Name);
        if (field != nullptr && !field->Accepts(c))
            Fail("Error reading " + what + ": the field " + field->Name + " of " + c->Owner()->ClassName() +
                     " is a " + field->TypeName + ", not a " + Node.ClassName,
                 Node.Line);
    }
    FLoaded.push_back(c);
    const TLayoutObject* saved = FNode;
    try {
        if (c->HasParent()) c->SetParentComponent(FParent);
        FNode = &Node;
        c->ReadState(*this);
    } catch (TLayoutReadError&) {
        throw;
    } catch (Exception& e) {
        Fail("Error reading " + what + ": " + e.Message, Node.Line);
    }
    FNode = saved;
    TComponentAccess::SetState(c, csReading, false);
    return c;
}

void TReader::ReadProperty(TObject* Instance, const String& InstanceName, const TLayoutProperty& Prop) {
    String ctx = InstanceName + "." + Prop.Name;
    try {
        std::vector<String> path = SplitDots(Prop.Name);
        TObject* target = Instance;
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            const TPropInfo* info = GetPropInfo(target, path[i]);
            if (info == nullptr) FailProp(ctx, "Property " + path[i] + " does not exist", Prop.Line);
            if (!info->GetObject)
                FailProp(ctx, "Property " + path[i] + " has no properties of its own", Prop.Line);
            TPersistent* sub = info->GetObject(target);
            if (sub == nullptr) FailProp(ctx, "Property " + path[i] + " is not assigned", Prop.Line);
            target = sub;
        }
        const String& last = path.back();
        if (auto* strings = dynamic_cast<TStrings*>(target);
            strings != nullptr && SameText(last, "Strings")) {
            if (Prop.Value.Kind != TLayoutValueKind::List)
                FailProp(ctx, "Invalid property value", Prop.Value.Line);
            ReadStrings(strings, Prop.Value);
            return;
        }
        const TPropInfo* info = GetPropInfo(target, last);
        if (info == nullptr) FailProp(ctx, "Property " + last + " does not exist", Prop.Line);
        SetValue(target, *info, Prop.Value, ctx);
    } catch (TLayoutReadError&) {
        throw;
    } catch (Exception& e) {
        FailProp(ctx, e.Message, Prop.Line);
    }
}

void TReader::SetValue(TObject* Target, const TPropInfo& Info, const TLayoutValue& V, const String& Context) {
    auto invalid = [&]() { FailProp(Context, "Invalid property value", V.Line); };
    if (!Info.Writable()) FailProp(Context, "Property " + Info.Name + " is read-only", V.Line);
    using K = TLayoutValueKind;
    switch (Info.Kind) {
    case TPropKind::Integer: {
        Int64 n = 0;
        if (V.Kind == K::Integer)
            n = V.Int;
        else if (!(V.Kind == K::Ident && Info.IdentToInt && Info.IdentToInt(V.Str, n)))
            invalid();
        Info.SetOrd(Target, n);
        break;
    }
    case TPropKind::Boolean:
        if (V.Kind != K::Ident) invalid();
        if (SameText(V.Str, "True"))
            Info.SetOrd(Target, 1);
        else if (SameText(V.Str, "False"))
            Info.SetOrd(Target, 0);
        else
            invalid();
        break;
    case TPropKind::Enumeration: {
        if (V.Kind != K::Ident) invalid();
        int n = GetEnumValue(*Info.Enum, V.Str);
        if (n < 0) invalid();
        Info.SetOrd(Target, n);
        break;
    }
    case TPropKind::Set: {
        if (V.Kind != K::Set) invalid();
        std::uint64_t bits = 0;
        for (const String& item : V.SetItems) {
            int n = GetEnumValue(*Info.Enum, item);
            if (n < 0 || n >= 64) invalid();
            bits |= std::uint64_t{1} << n;
        }
        Info.SetOrd(Target, static_cast<Int64>(bits));
        break;
    }
    case TPropKind::String:
        if (V.Kind != K::String) invalid();
        Info.SetStr(Target, V.Str);
        break;
    case TPropKind::Char:
        if (V.Kind == K::String) {
            Int64 code = SingleCodePoint(V.Str);
            if (code < 0) invalid();
            Info.SetOrd(Target, code);
        } else if (V.Kind == K::Integer && V.Int >= 0) {
            Info.SetOrd(Target, V.Int);
        } else {
            invalid();
        }
        break;
    case TPropKind::Color: {
        if (V.Kind == K::Integer) {
            Info.SetOrd(Target, V.Int);
        } else {
            std::int32_t color = 0;
            if (V.Kind != K::Ident || !IdentToColor(V.Str, color)) invalid();
            Info.SetOrd(Target, color);
        }
        break;
    }
    case TPropKind::Float:
        if (V.Kind == K::Float)
            Info.SetFloat(Target, V.Float);
        else if (V.Kind == K::Integer)
            Info.SetFloat(Target, static_cast<double>(V.Int));
        else
            invalid();
        break;
    case TPropKind::Object:
    case TPropKind::Strings:
    case TPropKind::Collection: {
        TPersistent* obj = Info.GetObject(Target);
        if (obj == nullptr) FailProp(Context, "Property " + Info.Name + " is not assigned", V.Line);
        if (V.Kind == K::List && dynamic_cast<TStrings*>(obj) != nullptr)
            ReadStrings(obj, V);
        else if (V.Kind == K::Collection && dynamic_cast<TCollection*>(obj) != nullptr)
            ReadCollection(obj, V, Context);
        else
            invalid();
        break;
    }
    case TPropKind::Binary:
        if (V.Kind != K::Binary) invalid();
        Info.ReadData(Target, V.Str);
        break;
    case TPropKind::Component:
        if (V.Kind != K::Ident) invalid();
        if (SameText(V.Str, "nil"))
            Info.SetRef(Target, nullptr);
        else
            FFixups.push_back({Target, &Info, V.Str, Context, V.Line});
        break;
    case TPropKind::Event: {
        if (V.Kind != K::Ident) invalid();
        const THandlerInfo* h = FindHandlerInfo(FRoot->ClassType(), V.Str);
        if (h == nullptr)
            FailProp(Context, "Handler " + V.Str + " not found in " + FRoot->ClassName(), V.Line);
        if (*h->Signature != *Info.EventSignature)
            FailProp(Context, "Handler " + h->Name + " does not match the parameters of " + Info.Name,
                     V.Line);
        Info.SetEvent(Target, h->Bind(FRoot));
        if (auto* comp = dynamic_cast<TComponent*>(Target)) comp->SetEventBinding(Info.Name, h->Name);
        break;
    }
    }
}

void TReader::ReadStrings(TPersistent* Target, const TLayoutValue& Value) {
    auto* strings = static_cast<TStrings*>(Target);
    for (const TLayoutValue& item : Value.List)
        if (item.Kind != TLayoutValueKind::String)
            throw EReadError("Invalid property value: a string list holds only strings");
    strings->BeginUpdate();
    try {
        strings->Clear();
        for (const TLayoutValue& item : Value.List)
            strings->Add(item.Str);
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}

void TReader::ReadCollection(TPersistent* Target, const TLayoutValue& Value, const String& Context) {
    auto* coll = static_cast<TCollection*>(Target);
    coll->BeginUpdate();
    try {
        coll->Clear();
        int index = 0;
        for (const TLayoutItem& item : Value.Items) {
            TCollectionItem* ci = coll->Add();
            String name = Context + "[" + std::to_string(index++) + "]";
            for (const TLayoutProperty& prop : item.Props)
                ReadProperty(ci, name, prop);
        }
    } catch (...) {
        coll->EndUpdate();
        throw;
    }
    coll->EndUpdate();
}

void TReader::ResolveFixups() {
    for (const Fixup& f : FFixups) {
        if (f.Target.find('.') != String::npos)
            FailProp(f.Context, "References to components of other forms are not supported: " + f.Target,
                     f.Line);
        TComponent* c = SameText(FRoot->Name(), f.Target) ? FRoot : FRoot->FindComponent(f.Target);
        for (size_t i = 0; c == nullptr && i < FCreated.size(); ++i)
            if (SameText(FCreated[i]->Name(), f.Target)) c = FCreated[i];
        if (c == nullptr) FailProp(f.Context, "Component " + f.Target + " not found", f.Line);
        if (!f.Prop->AcceptsRef(c))
            FailProp(f.Context, "Invalid property value: " + f.Target + " is not a " + f.Prop->TypeName,
                     f.Line);
        try {
            f.Prop->SetRef(f.Instance, c);
        } catch (Exception& e) {
            FailProp(f.Context, e.Message, f.Line);
        }
    }
    FFixups.clear();
}

TComponent* ReadComponentFromText(std::string_view Text, TComponent* Root, const String& LayoutName,
                                  TComponent* Owner) {
    TLayoutObject layout = ParseLayout(Text, LayoutName);
    TReader reader(LayoutName);
    return reader.ReadRootComponent(layout, Root, Owner);
}

void ReadComponentRes(const String& ResName, TComponent* Root) {
    // Read where it is compiled in: a form's layout can be large (pictures as hexadecimal text).
    const TResourceEntry* layout = FindResource(ResName, RT_RCDATA);
    if (!layout) throw EResNotFound("Resource " + ResName + " not found");
    ReadComponentFromText(layout->Data, Root, ResName);
}

} // namespace vcl
