// Published properties by name, inherited tables and enumeration names; property order: a property a
// derived class puts first comes before everything inherited, so a preset it sets is read before the
// inherited values that override it.

#include <gtest/gtest.h>

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
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

// Three levels, used by one test only, so that names are looked up before any list is flattened.
class TTallControl : public TTestControl {
    KV_CLASS(TTallControl, TTestControl)
    KV_PUBLISHED_PROPERTIES(TTallControl)
public:
    using TTestControl::TTestControl;
    int FDepth = 0;
};

KV_PUBLISHED(TTallControl) {
    p.Int("Height", &TTallControl::FHeight, nullptr, 40);
    p.Int("Depth", &TTallControl::FDepth, nullptr, 1);
}

class TTallerControl : public TTallControl {
    KV_CLASS(TTallerControl, TTallControl)
    KV_PUBLISHED_PROPERTIES(TTallerControl)
public:
    using TTallControl::TTallControl;
    int FTint = 0;
};

KV_PUBLISHED(TTallerControl) {
    p.Int("HEIGHT", &TTallerControl::FHeight, nullptr, 50); // the same name in another case
    p.Int("Tint", &TTallerControl::FTint, nullptr, 0).First();
}
} // namespace

TEST(PublishedProperties, InheritedTablesKeepOrderAndTakeRedeclarationsAndEnumerationsKeepTheirNames) {
    const auto& base = GetPropList(TTestControl::StaticClassType());
    const auto& wide = GetPropList(TWideControl::StaticClassType());
    ASSERT_EQ(wide.size(), base.size() + 1);
    EXPECT_EQ(wide[2]->Name, "Width"); // keeps the base class's place
    EXPECT_EQ(wide[2]->DefaultOrd, 300);
    EXPECT_EQ(base[2]->DefaultOrd, 100);
    EXPECT_EQ(wide.back()->Name, "ShortCutHint");
    EXPECT_EQ(GetPropInfo(TWideControl::StaticClassType(), "OnKey"),
              GetPropList(TWideControl::StaticClassType())[19]);
    // Found by name in any case, the derived class's declaration over the base's.
    EXPECT_EQ(GetPropInfo(TWideControl::StaticClassType(), "wIDTH"), wide[2]);
    EXPECT_EQ(GetPropInfo(TTestControl::StaticClassType(), "Width"), base[2]);
    const THandlerInfo* h = FindHandlerInfo(TWideControl::StaticClassType(), "wideclick");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(*h->Signature, typeid(void(TObject*)));
    EXPECT_EQ(FindHandlerInfo(TTestControl::StaticClassType(), "WideClick"), nullptr);
    EXPECT_EQ(GetPropInfo(TComponent::StaticClassType(), "Width"), nullptr);
    EXPECT_TRUE(GetPropList(TComponent::StaticClassType()).empty());
    const TEnumInfo& info = KvEnumInfo(taNone);
    EXPECT_EQ(info.TypeName, "TTestAlign");
    EXPECT_EQ(info.Names, (std::vector<String>{"taNone", "taTop", "taBottom", "taClient"}));
    EXPECT_EQ(GetEnumName(info, 3), "taClient");
    EXPECT_EQ(GetEnumName(info, 4), "");
    EXPECT_EQ(GetEnumValue(info, "TATOP"), 1);
    EXPECT_EQ(GetEnumValue(info, "top"), -1);
    EXPECT_EQ(static_cast<int>(tsStrikeOut), 3);
}

TEST(PublishedProperties, NamesAreFoundThroughTheChainBeforeAnyListIsFlattenedAndAgreeWithTheList) {
    const TClass base = TTestControl::StaticClassType(), tall = TTallControl::StaticClassType(),
                 taller = TTallerControl::StaticClassType();
    // Published by the base only: the base's own declaration, from any class below it.
    const TPropInfo* caption = GetPropInfo(base, "Caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(GetPropInfo(taller, "caption"), caption);
    EXPECT_EQ(GetPropInfo(tall, "CAPTION"), caption);
    // Declared again: the nearest declaration, whatever the case of the name asked or declared.
    ASSERT_NE(GetPropInfo(taller, "Height"), nullptr);
    EXPECT_EQ(GetPropInfo(taller, "Height")->DefaultOrd, 50);
    EXPECT_EQ(GetPropInfo(tall, "height")->DefaultOrd, 40);
    EXPECT_EQ(GetPropInfo(base, "Height")->DefaultOrd, 25);
    // Published in the middle: found below it, not above it.
    ASSERT_NE(GetPropInfo(taller, "Depth"), nullptr);
    EXPECT_EQ(GetPropInfo(taller, "Depth"), GetPropInfo(tall, "Depth"));
    EXPECT_EQ(GetPropInfo(base, "Depth"), nullptr);
    EXPECT_EQ(GetPropInfo(tall, "Tint"), nullptr);
    EXPECT_EQ(GetPropInfo(taller, "NoSuchProperty"), nullptr);
    // The flattened list holds exactly what the look-ups found: each name once, the First one first,
    // a redeclared one in the base's place.
    const auto& list = GetPropList(taller);
    ASSERT_EQ(list.size(), GetPropList(base).size() + 2);
    EXPECT_EQ(list[0]->Name, "Tint");
    EXPECT_EQ(list[4], GetPropInfo(taller, "Height")); // after Tint, Left, Top and Width
    EXPECT_EQ(list.back()->Name, "Depth");
    for (const TPropInfo* p : list)
        EXPECT_EQ(GetPropInfo(taller, p->Name), p) << p->Name;
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

namespace {

KV_ENUM(TPaletteTheme, ptPlain, ptNight);

class TPaletteBase : public TComponent {
    KV_CLASS(TPaletteBase, TComponent)
    KV_PUBLISHED_PROPERTIES(TPaletteBase)
public:
    using TComponent::TComponent;
    TColor FBack = clWhite;
    TColor FText = clBlack;
};

KV_PUBLISHED(TPaletteBase) {
    p.Color("Back", &TPaletteBase::FBack, nullptr, clWhite);
    p.Color("Text", &TPaletteBase::FText, nullptr, clBlack);
}

// The theme's setter overwrites both inherited colours, as a styler's preset does.
class TThemedPalette : public TPaletteBase {
    KV_CLASS(TThemedPalette, TPaletteBase)
    KV_PUBLISHED_PROPERTIES(TThemedPalette)
public:
    using TPaletteBase::TPaletteBase;
    void SetTheme(TPaletteTheme Value) {
        FTheme = Value;
        FBack = Value == ptNight ? clNavy : clWhite;
        FText = Value == ptNight ? clYellow : clBlack;
    }
    TPaletteTheme FTheme = ptPlain;
    int FMargin = 0;
    bool FRounded = false;
};

KV_PUBLISHED(TThemedPalette) {
    p.Int("Margin", &TThemedPalette::FMargin, nullptr, 0);
    p.Enum("Theme", &TThemedPalette::FTheme, &TThemedPalette::SetTheme, ptPlain).First();
    p.Bool("Rounded", &TThemedPalette::FRounded, nullptr, false).First();
    p.Color("Text", &TThemedPalette::FText, nullptr, clBlack); // declared again: keeps its place
}

std::vector<String> Names(TClass Class) {
    std::vector<String> v;
    for (const TPropInfo* p : GetPropList(Class))
        v.push_back(p->Name);
    return v;
}

TEST(PropertyOrder, FirstPropertiesPrecedeInheritedOnesSoAPresetAndItsCustomisedColoursSurviveARoundTrip) {
    // The First ones in declaration order, then the inherited ones (Text, declared again, keeps its
    // inherited place), then the class's other own ones.
    EXPECT_EQ(Names(TThemedPalette::StaticClassType()),
              (std::vector<String>{"Theme", "Rounded", "Back", "Text", "Margin"}));
    // The base class's own list is untouched.
    EXPECT_EQ(Names(TPaletteBase::StaticClassType()), (std::vector<String>{"Back", "Text"}));
    TComponentPtr<TThemedPalette> first(new TThemedPalette(nullptr));
    first->SetName("Palette1");
    first->SetTheme(ptNight);
    first->FText = clRed; // customised after the preset
    const String text = WriteComponentToText(first.get());
    EXPECT_LT(text.find("Theme = ptNight"), text.find("Text = clRed")) << text;

    TComponentPtr<TThemedPalette> second(new TThemedPalette(nullptr));
    ReadComponentFromText(text, second.get(), "second");
    EXPECT_EQ(second->FTheme, ptNight);
    EXPECT_EQ(second->FText, clRed) << "the preset read later would have wiped it";
    EXPECT_EQ(second->FBack, clNavy);
    EXPECT_EQ(WriteComponentToText(second.get()), text);
}

} // namespace
