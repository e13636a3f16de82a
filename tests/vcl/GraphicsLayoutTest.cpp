#include <gtest/gtest.h>

#include <cstdio>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/ImgList.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using namespace graphics_test;

namespace {

// A component with the graphics objects a control publishes.
class TGraphicsHolder : public TComponent {
    KV_CLASS(TGraphicsHolder, TComponent)
    KV_PUBLISHED_PROPERTIES(TGraphicsHolder)
public:
    explicit TGraphicsHolder(TComponent* AOwner) : TComponent(AOwner) {}
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TPen> FPen = std::make_unique<TPen>();
    std::unique_ptr<TBrush> FBrush = std::make_unique<TBrush>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};

KV_PUBLISHED(TGraphicsHolder) {
    p.Object("Brush", &TGraphicsHolder::FBrush);
    p.Object("Font", &TGraphicsHolder::FFont);
    p.Object("Glyph", &TGraphicsHolder::FGlyph);
    p.Object("Pen", &TGraphicsHolder::FPen);
    p.Object("Picture", &TGraphicsHolder::FPicture);
}

String Hex(const String& bytes) {
    String out;
    char buf[3];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", c);
        out += buf;
    }
    return out;
}

String DataOf(TGraphic& g) {
    TStringStream s;
    g.WriteData(&s);
    return s.DataString();
}

} // namespace

TEST(GraphicsLayout, FontPenBrushAndPicturesAreReadFromALayout) {
    RegisterClass<TGraphicsHolder>();
    auto glyph = Filled(2, 2, clRed);
    TPicture picture;
    picture.Bitmap()->Assign(Filled(3, 1, clBlue).get());
    TStringStream pictureData;
    picture.WriteData(&pictureData);

    const String text = "object Holder: TGraphicsHolder\n"
                        "  Brush.Style = bsClear\n"
                        "  Font.Charset = ANSI_CHARSET\n"
                        "  Font.Color = clRed\n"
                        "  Font.Height = -13\n"
                        "  Font.Name = 'Verdana'\n"
                        "  Font.Style = [fsBold, fsItalic]\n"
                        "  Glyph.Data = {" +
                        Hex(DataOf(*glyph)) +
                        "}\n"
                        "  Pen.Mode = pmXor\n"
                        "  Pen.Width = 2\n"
                        "  Picture.Data = {" +
                        Hex(pictureData.DataString()) +
                        "}\n"
                        "  object Images: TImageList\n"
                        "    DrawingStyle = dsTransparent\n"
                        "    Height = 24\n"
                        "    Width = 20\n"
                        "  end\n"
                        "end\n";
    TComponentPtr<TGraphicsHolder> holder(new TGraphicsHolder(nullptr));
    ReadComponentFromText(text, holder.get(), "test layout");

    EXPECT_EQ(holder->FBrush->Style(), bsClear);
    EXPECT_EQ(holder->FFont->Charset(), win::ANSI_CHARSET);
    EXPECT_EQ(holder->FFont->Color(), clRed);
    EXPECT_EQ(holder->FFont->Height(), -13);
    EXPECT_EQ(holder->FFont->Size(), 10);
    EXPECT_EQ(holder->FFont->Name(), "Verdana");
    EXPECT_EQ(holder->FFont->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(holder->FPen->Mode(), pmXor);
    EXPECT_EQ(holder->FPen->Width(), 2);
    ASSERT_EQ(holder->FGlyph->Width(), 2);
    EXPECT_EQ(holder->FGlyph->Canvas()->Pixels(1, 1), Rgb(255, 0, 0));
    ASSERT_NE(dynamic_cast<TBitmap*>(holder->FPicture->Graphic()), nullptr);
    EXPECT_EQ(holder->FPicture->Width(), 3);

    auto* images = dynamic_cast<TImageList*>(holder->FindComponent("Images"));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->Height(), 24);
    EXPECT_EQ(images->Width(), 20);
    EXPECT_EQ(images->DrawingStyle(), dsTransparent);

    // Written back, the layout names the same values (and not the font's size).
    String written = WriteComponentToText(holder.get());
    EXPECT_NE(written.find("Font.Charset = ANSI_CHARSET"), String::npos) << written;
    EXPECT_NE(written.find("Font.Style = [fsBold, fsItalic]"), String::npos) << written;
    EXPECT_EQ(written.find("Font.Size"), String::npos) << written;
    EXPECT_NE(written.find("Glyph.Data"), String::npos) << written;
    UnRegisterClass(TGraphicsHolder::StaticClassType());
}

TEST(GraphicsLayout, CharsetNamesBothWays) {
    String ident;
    EXPECT_TRUE(CharsetToIdent(1, ident));
    EXPECT_EQ(ident, "DEFAULT_CHARSET");
    EXPECT_TRUE(CharsetToIdent(204, ident));
    EXPECT_EQ(ident, "RUSSIAN_CHARSET");
    EXPECT_FALSE(CharsetToIdent(3, ident));
    Int64 value = 0;
    EXPECT_TRUE(IdentToCharset("oem_charset", value));
    EXPECT_EQ(value, 255);
    EXPECT_FALSE(IdentToCharset("DEFAULT", value));
    EXPECT_FALSE(IdentToCharset("DEFAULT_CHARSETX", value));
}
