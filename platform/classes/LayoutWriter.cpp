#include "platform/classes/LayoutWriter.h"

#include <charconv>
#include <cmath>

#include "platform/classes/Properties.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Colors.h"
#include "platform/rtl/Strings.h"

namespace vcl {

String QuoteLayoutString(const String& S) {
    if (S.empty()) return "''";
    String out;
    bool inQuotes = false;
    for (char ch : S) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) {
            if (inQuotes) out += '\'';
            inQuotes = false;
            out += '#' + std::to_string(c);
        } else {
            if (!inQuotes) out += '\'';
            inQuotes = true;
            if (c == '\'') out += '\'';
            out += ch;
        }
    }
    if (inQuotes) out += '\'';
    return out;
}

namespace {

class Writer {
public:
    explicit Writer(TComponent* root) : FRoot(root) {}

    String Run() {
        WriteComponent(FRoot, 0);
        return FOut;
    }

private:
    static String Pad(int level) { return String(static_cast<size_t>(level) * 2, ' '); }

    void Line(int level, const String& text) {
        FOut += Pad(level);
        FOut += text;
        FOut += "\r\n";
    }

    void WriteComponent(TComponent* c, int level) {
        bool wasWriting = c->ComponentState().Contains(csWriting);
        TComponentAccess::SetState(c, csWriting, true);
        try {
            String head = "object ";
            if (!c->Name().empty()) head += c->Name() + ": ";
            Line(level, head + c->ClassName());
            WriteProperties(c, String(), level + 1);
            c->GetChildren([&](TComponent* child) { WriteComponent(child, level + 1); }, FRoot);
            Line(level, "end");
        } catch (...) {
            TComponentAccess::SetState(c, csWriting, wasWriting);
            throw;
        }
        TComponentAccess::SetState(c, csWriting, wasWriting);
    }

    static String FormatFloat(double v) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, v);
        String s(buf, res.ptr);
        if (s.find_first_of(".e") == String::npos) s += ".0";
        return s;
    }

    String RefName(TComponent* c) const {
        if (c == FRoot || c->Owner() == FRoot || c->Owner() == nullptr) return c->Name();
        return c->Owner()->Name() + "." + c->Name();
    }

    void WriteProperties(TObject* inst, const String& prefix, int level) {
        auto* comp = dynamic_cast<TComponent*>(inst);
        for (const TPropInfo* p : GetPropList(inst->ClassType())) {
            if (!p->Writable()) continue;
            if (p->Stored && !p->Stored(inst)) continue;
            String name = prefix + p->Name;
            switch (p->Kind) {
            case TPropKind::Integer:
            case TPropKind::Boolean:
            case TPropKind::Enumeration:
            case TPropKind::Set:
            case TPropKind::Color:
            case TPropKind::Char: {
                Int64 v = p->GetOrd(inst);
                if (p->DefaultOrd && *p->DefaultOrd == v) break;
                Line(level, name + " = " + FormatOrdinal(*p, v));
                break;
            }
            case TPropKind::Float: {
                double v = p->GetFloat(inst);
                if (!std::isfinite(v) || (p->DefaultFloat && *p->DefaultFloat == v)) break;
                Line(level, name + " = " + FormatFloat(v));
                break;
            }
            case TPropKind::String: {
                String v = p->GetStr(inst);
                if (v == p->DefaultStr) break;
                Line(level, name + " = " + QuoteLayoutString(v));
                break;
            }
            case TPropKind::Object:
            case TPropKind::Strings:
            case TPropKind::Collection: {
                TPersistent* obj = p->GetObject(inst);
                if (obj == nullptr) break;
                if (auto* strings = dynamic_cast<TStrings*>(obj)) {
                    if (strings->Count() == 0) break;
                    Line(level, name + ".Strings = (");
                    for (int i = 0; i < strings->Count(); ++i)
                        Line(level + 1,
                             QuoteLayoutString(strings->Strings(i)) + (i + 1 == strings->Count() ? ")" : ""));
                } else if (auto* coll = dynamic_cast<TCollection*>(obj)) {
                    if (coll->Count() == 0) break;
                    Line(level, name + " = <");
                    for (int i = 0; i < coll->Count(); ++i) {
                        Line(level + 1, "item");
                        WriteProperties(coll->Items(i), String(), level + 2);
                        Line(level + 1, i + 1 == coll->Count() ? "end>" : "end");
                    }
                } else {
                    WriteProperties(obj, name + ".", level);
                }
                break;
            }
            case TPropKind::Binary: {
                if (p->HasData && !p->HasData(inst)) break;
                String bytes = p->WriteData(inst);
                if (bytes.empty() && !p->HasData) break;
                WriteBinary(name, bytes, level);
                break;
            }
            case TPropKind::Component: {
                TComponent* target = p->GetRef(inst);
                if (target == nullptr || target->Name().empty()) break;
                Line(level, name + " = " + RefName(target));
                break;
            }
            case TPropKind::Event: {
                if (comp == nullptr || !p->EventAssigned(inst)) break;
                for (const auto& binding : comp->EventBindings())
                    if (binding.first == p->Name) Line(level, name + " = " + binding.second);
                break;
            }
            }
        }
    }

    static String FormatOrdinal(const TPropInfo& p, Int64 v) {
        switch (p.Kind) {
        case TPropKind::Boolean:
            return v != 0 ? "True" : "False";
        case TPropKind::Enumeration: {
            String n = GetEnumName(*p.Enum, static_cast<int>(v));
            return n.empty() ? std::to_string(v) : n;
        }
        case TPropKind::Set: {
            String s = "[";
            for (int i = 0; i < 64; ++i)
                if ((static_cast<std::uint64_t>(v) >> i) & 1) {
                    if (s.size() > 1) s += ", ";
                    s += GetEnumName(*p.Enum, i);
                }
            return s + "]";
        }
        case TPropKind::Color: {
            String ident;
            if (ColorToIdent(static_cast<std::int32_t>(v), ident)) return ident;
            return std::to_string(static_cast<std::int32_t>(v));
        }
        case TPropKind::Char: {
            if (v >= 32 && v < 127) return QuoteLayoutString(String(1, static_cast<char>(v)));
            return "#" + std::to_string(v);
        }
        default: {
            String ident;
            if (p.IntToIdent && p.IntToIdent(v, ident)) return ident;
            return std::to_string(v);
        }
        }
    }

    void WriteBinary(const String& name, const String& bytes, int level) {
        static const char hex[] = "0123456789ABCDEF";
        Line(level, name + " = {");
        String row;
        for (size_t i = 0; i < bytes.size(); ++i) {
            auto b = static_cast<unsigned char>(bytes[i]);
            row += hex[b >> 4];
            row += hex[b & 15];
            if (row.size() == 64 && i + 1 < bytes.size()) {
                Line(level + 1, row);
                row.clear();
            }
        }
        Line(level + 1, row + "}");
    }

    TComponent* FRoot;
    String FOut;
};

} // namespace

String WriteComponentToText(TComponent* Root) {
    return Writer(Root).Run();
}

} // namespace vcl
