// Published properties by name, inherited tables and enumeration names.

#include <gtest/gtest.h>

#include "platform/classes/Properties.h"
#include "platform/rtl/Exceptions.h"
#include "tests/classes/TestComponents.h"

using namespace vcl;
using namespace TestComponents;

namespace {

// Redeclares an inherited property with another default and adds one of its own.
class TWideControl : public TTestControl {
    KV_CLASS(TWideControl, TTestControl)
    KV_PUBLISHED_PROPERTIES(TWideControl)
public:
    using TTestControl::TTestControl;
    String GetShortCutHint() const { return FHint; }
    void SetShortCutHint(const String& Value) { FHint = Value + "!"; }
    String FHint;
    int Clicks = 0;
    void Click(TObject*) { ++Clicks; }
};

KV_PUBLISHED(TWideControl) {
    p.Int("Width", &TWideControl::FWidth, &TWideControl::SetWidth, 300);
    p.Str("ShortCutHint", &TWideControl::GetShortCutHint, &TWideControl::SetShortCutHint);
    p.Event("OnKey", &TWideControl::OnKey); // a field of the base class
    p.Handler("WideClick", &TWideControl::Click);
}

} // namespace

TEST(PublishedProperties, InheritedTablesKeepOrderAndTakeRedeclarations) {
    const auto& base = GetPropList(TTestControl::StaticClassType());
    const auto& wide = GetPropList(TWideControl::StaticClassType());
    ASSERT_EQ(wide.size(), base.size() + 1);
    EXPECT_EQ(wide[2]->Name, "Width"); // keeps the base class's place
    EXPECT_EQ(wide[2]->DefaultOrd, 300);
    EXPECT_EQ(base[2]->DefaultOrd, 100);
    EXPECT_EQ(wide.back()->Name, "ShortCutHint");
    EXPECT_EQ(GetPropInfo(TWideControl::StaticClassType(), "OnKey"),
              GetPropList(TWideControl::StaticClassType())[19]);
    const THandlerInfo* h = FindHandlerInfo(TWideControl::StaticClassType(), "wideclick");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h->Signature, typeid(void(TObject*)));
    EXPECT_EQ(FindHandlerInfo(TTestControl::StaticClassType(), "WideClick"), nullptr);
    EXPECT_EQ(GetPropInfo(TComponent::StaticClassType(), "Width"), nullptr);
    EXPECT_TRUE(GetPropList(TComponent::StaticClassType()).empty());
}

TEST(PublishedProperties, StringOrdinalFloatEnumAndObjectAccessByName) {
    TComponentPtr<TWideControl> w(new TWideControl(nullptr));
    TComponentPtr<TTestControl> plain(new TTestControl(nullptr));
    EXPECT_TRUE(IsPublishedProp(w.get(), "shortcuthint"));
    EXPECT_FALSE(IsPublishedProp(plain.get(), "ShortCutHint"));
    EXPECT_FALSE(IsPublishedProp(nullptr, "ShortCutHint"));
    SetStrProp(w.get(), "ShortCutHint", "F");
    EXPECT_EQ(GetStrProp(w.get(), "ShortCutHint"), "F!"); // through the setter and the getter
    try {
        GetStrProp(plain.get(), "ShortCutHint");
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message, "Property ShortCutHint does not exist");
    }
    EXPECT_THROW(GetStrProp(plain.get(), "Width"), EPropertyError);
    EXPECT_THROW(SetOrdProp(plain.get(), "Area", 3), EPropertyError); // read-only
    TComponentPtr<TTestControl> c(new TTestControl(nullptr));
    SetOrdProp(c.get(), "Width", 33);
    EXPECT_EQ(c->FWidth, 33);
    EXPECT_EQ(GetOrdProp(c.get(), "Area"), 33 * 25);
    EXPECT_THROW(SetOrdProp(c.get(), "Width", -1), EInvalidOperation); // the setter's own check
    EXPECT_THROW(SetOrdProp(c.get(), "Small", 1 << 20), ERangeError);
    SetFloatProp(c.get(), "Ratio", 0.5);
    EXPECT_EQ(GetFloatProp(c.get(), "Ratio"), 0.5);
    SetEnumProp(c.get(), "Align", "TACLIENT");
    EXPECT_EQ(c->FAlign, taClient);
    EXPECT_EQ(GetEnumProp(c.get(), "Align"), "taClient");
    EXPECT_EQ(GetEnumProp(c.get(), "Visible"), "True");
    EXPECT_THROW(SetEnumProp(c.get(), "Align", "taNowhere"), EPropertyError);
    EXPECT_THROW(SetOrdProp(c.get(), "Align", 9), ERangeError);
    EXPECT_EQ(GetObjectProp(c.get(), "Font"), c->FFont.get());
    EXPECT_EQ(GetObjectProp(c.get(), "Buddy"), nullptr);
    SetOrdProp(c.get(), "Color", 0xFF000005);
    EXPECT_EQ(c->FColor, clWindow);
}

TEST(PublishedProperties, EnumerationNames) {
    const TEnumInfo& info = KvEnumInfo(taNone);
    EXPECT_EQ(info.TypeName, "TTestAlign");
    EXPECT_EQ(info.Names, (std::vector<String>{"taNone", "taTop", "taBottom", "taClient"}));
    EXPECT_EQ(GetEnumName(info, 3), "taClient");
    EXPECT_EQ(GetEnumName(info, 4), "");
    EXPECT_EQ(GetEnumValue(info, "TATOP"), 1);
    EXPECT_EQ(GetEnumValue(info, "top"), -1);
    EXPECT_EQ(static_cast<int>(tsStrikeOut), 3);
}
