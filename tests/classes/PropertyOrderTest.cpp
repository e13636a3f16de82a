// Property order: a property a derived class puts first comes before everything inherited, so a preset
// it sets is read before the inherited values that override it.

#include <gtest/gtest.h>

#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/classes/Properties.h"

namespace {

using namespace vcl;

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

TEST(PropertyOrder, FirstPropertiesPrecedeInheritedOnesInTheirOwnOrder) {
    // The First ones in declaration order, then the inherited ones (Text, declared again, keeps its
    // inherited place), then the class's other own ones.
    EXPECT_EQ(Names(TThemedPalette::StaticClassType()),
              (std::vector<String>{"Theme", "Rounded", "Back", "Text", "Margin"}));
    // The base class's own list is untouched.
    EXPECT_EQ(Names(TPaletteBase::StaticClassType()), (std::vector<String>{"Back", "Text"}));
}

TEST(PropertyOrder, APresetAndItsCustomisedColoursSurviveARoundTrip) {
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
