// Fonts, pens and brushes: their properties, change events, handles and assignment; and the graphics
// objects read from and written to a layout.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "platform/classes/LayoutWriter.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/ImgList.h"
#include "platform/win/Gdi.h"
#include "tests/vcl/GraphicsTestSupport.h"

using namespace vcl;
using namespace graphics_test;

namespace {

struct ChangeCounter {
    int Count = 0;
    TObject* LastSender = nullptr;
    TNotifyEvent Handler() {
        return [this](TObject* s) {
            ++Count;
            LastSender = s;
        };
    }
};

win::LOGFONT LogFontOf(win::HFONT font) {
    win::LOGFONT lf{};
    EXPECT_EQ(win::GetObject(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    return lf;
}

} // namespace

TEST(GraphicsFont, DefaultsAndPointPixelConversion) {
    TFont f;
    EXPECT_EQ(f.Name(), "Tahoma");
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_TRUE(f.Style().Empty());
    EXPECT_EQ(f.Pitch(), fpDefault);

    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13); // 10 * 96 / 72 = 13.33
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetHeight(-11);
    EXPECT_EQ(f.Size(), 8); // 8.25 rounds down

    EXPECT_EQ(graphics::MulDiv(-11, 72, 96), -8);
    EXPECT_EQ(graphics::MulDiv(3, 1, 2), 2); // halves away from zero
    EXPECT_EQ(graphics::MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(graphics::MulDiv(5, 5, 0), 0);
}

TEST(GraphicsFont, ChangeEventsFireOncePerRealChangeAndAssignCopiesWithOne) {
    TFont f;
    ChangeCounter c;
    f.OnChange = c.Handler();
    f.SetName("Tahoma");
    f.SetSize(8);
    f.SetColor(clWindowText);
    f.SetStyle({});
    EXPECT_EQ(c.Count, 0) << "setting a value it already has is no change";

    f.SetName("Arial");
    f.SetStyle({fsBold, fsUnderline});
    f.SetColor(clRed);
    f.SetSize(12);
    f.SetPitch(fpFixed);
    f.SetOrientation(900);
    EXPECT_EQ(c.Count, 6);
    EXPECT_EQ(c.LastSender, &f);

    f.SetName(""); // an empty face name is refused
    EXPECT_EQ(f.Name(), "Arial");
    EXPECT_EQ(c.Count, 6);

    // Assign copies everything with one change.
    TFont a, b;
    b.SetName("Verdana");
    b.SetSize(14);
    b.SetColor(clBlue);
    b.SetStyle({fsItalic, fsStrikeOut});
    b.SetCharset(win::SYMBOL_CHARSET);
    b.SetPitch(fpVariable);
    ChangeCounter c2;
    a.OnChange = c2.Handler();
    a.Assign(&b);
    EXPECT_EQ(c2.Count, 1);
    EXPECT_EQ(a.Name(), "Verdana");
    EXPECT_EQ(a.Size(), 14);
    EXPECT_EQ(a.Color(), clBlue);
    EXPECT_EQ(a.Style(), (TFontStyles{fsItalic, fsStrikeOut}));
    EXPECT_EQ(a.Charset(), win::SYMBOL_CHARSET);
    EXPECT_EQ(a.Pitch(), fpVariable);
    a.Assign(&b);
    EXPECT_EQ(c2.Count, 1) << "assigning an equal font changes nothing";

    TPen pen;
    try {
        a.Assign(&pen);
        FAIL() << "a pen was assigned to a font";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TPen to a TFont");
    }
}

TEST(GraphicsFont, HandleDescribesTheFontFollowsChangesAndCanBeSetFromOutside) {
    TFont f;
    EXPECT_FALSE(f.HandleAllocated());
    win::HFONT h = f.Handle();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(f.Handle(), h) << "the handle is made once";
    win::LOGFONT lf = LogFontOf(h);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, win::FW_NORMAL);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");

    f.SetStyle({fsBold, fsItalic});
    EXPECT_FALSE(f.HandleAllocated()) << "a change drops the old handle";
    lf = LogFontOf(f.Handle());
    EXPECT_EQ(lf.lfWeight, win::FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);

    // The colour is not part of the GDI font.
    win::HFONT before = f.Handle();
    f.SetColor(clRed);
    EXPECT_EQ(f.Handle(), before);

    // A handle set from outside is read back and owned.
    f.SetStyle({});
    lf = f.GetLogFont();
    lf.lfEscapement = -900;
    lf.lfOrientation = -900;
    lf.lfWeight = win::FW_BOLD;
    lf.lfUnderline = 1;
    std::strcpy(lf.lfFaceName, "Segoe UI");
    ChangeCounter c;
    f.OnChange = c.Handler();
    win::HFONT rotated = win::CreateFontIndirect(&lf);
    f.SetHandle(rotated);
    EXPECT_EQ(c.Count, 1);
    EXPECT_EQ(f.Handle(), rotated);
    EXPECT_EQ(f.Orientation(), -900);
    EXPECT_EQ(f.Name(), "Segoe UI");
    EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsUnderline}));

    // Letting the handle go keeps the description; the next handle is made from it.
    f.SetHandle(nullptr);
    EXPECT_FALSE(f.HandleAllocated());
    EXPECT_EQ(LogFontOf(f.Handle()).lfEscapement, -900);

    // Long face names are cut on a character boundary.
    String name;
    for (int i = 0; i < 20; ++i)
        name += "\xC3\xA9"; // 20 x "é", 40 bytes
    f.SetName(name);
    lf = f.GetLogFont();
    std::size_t n = std::strlen(lf.lfFaceName);
    EXPECT_LE(n, static_cast<std::size_t>(win::LF_FACESIZE - 1));
    EXPECT_EQ(n % 2, 0u) << "no half character at the end";
    EXPECT_EQ(String(lf.lfFaceName), name.substr(0, n));
}

TEST(GraphicsPen, PropertiesHandleAndMode) {
    TPen p;
    EXPECT_EQ(p.Color(), clBlack);
    EXPECT_EQ(p.Width(), 1);
    EXPECT_EQ(p.Style(), psSolid);
    EXPECT_EQ(p.Mode(), pmCopy);
    ChangeCounter c;
    p.OnChange = c.Handler();
    p.SetWidth(-3);
    EXPECT_EQ(p.Width(), 1) << "negative widths are ignored";
    EXPECT_EQ(c.Count, 0);

    p.SetColor(clRed);
    p.SetWidth(3);
    p.SetStyle(psDash);
    EXPECT_EQ(c.Count, 3);
    win::LOGPEN lp{};
    ASSERT_NE(win::GetObject(p.Handle(), sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnStyle & win::PS_STYLE_MASK, win::PS_DASH);
    EXPECT_EQ(lp.lopnWidth.X, 3);
    EXPECT_EQ(lp.lopnColor, win::RGB(255, 0, 0));

    win::HPEN h = p.Handle();
    p.SetMode(pmXor);
    EXPECT_EQ(c.Count, 4) << "a mode change is reported";
    EXPECT_EQ(p.Handle(), h) << "but needs no new pen";
    EXPECT_EQ(PenModeToRop2(pmXor), win::R2_XORPEN);
    EXPECT_EQ(PenModeToRop2(pmNotCopy), win::R2_NOTCOPYPEN);

    // System colours are resolved.
    p.SetColor(clBtnShadow);
    ASSERT_NE(win::GetObject(p.Handle(), sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnColor, static_cast<win::COLORREF>(ColorToRGB(clBtnShadow)));
}

TEST(GraphicsPen, PensAndBrushesOfOneDescriptionShareAKeptHandleThatOutlivesEveryOtherColour) {
    TPen a, b, wide;
    a.SetColor(clRed);
    b.SetColor(clRed);
    wide.SetColor(clRed);
    wide.SetWidth(2);
    win::HPEN red = a.Handle();
    EXPECT_EQ(b.Handle(), red);
    EXPECT_NE(wide.Handle(), red) << "a width makes another pen";
    // Colours by the thousand come and go: a handle still in use is never let go.
    TPen churn;
    TBrush brushes;
    for (int i = 0; i < 3000; ++i) {
        churn.SetColor(static_cast<TColor>(i * 97));
        churn.Handle();
        brushes.SetColor(static_cast<TColor>(i * 89));
        brushes.Handle();
    }
    b.SetColor(clBlue);
    EXPECT_EQ(a.Handle(), red);
    win::LOGPEN lp{};
    ASSERT_NE(win::GetObject(red, sizeof(lp), &lp), 0) << "the kept pen is alive";
    EXPECT_EQ(lp.lopnColor, win::RGB(255, 0, 0));
    ASSERT_NE(win::GetObject(wide.Handle(), sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnWidth.X, 2);
    // It draws in its colour.
    TBitmap bmp(4, 4);
    bmp.Canvas()->Pen()->Assign(&a);
    bmp.Canvas()->MoveTo(0, 1);
    bmp.Canvas()->LineTo(4, 1);
    EXPECT_EQ(bmp.Canvas()->GetPixel(2, 1), clRed);
    // A hatch is not the solid brush of its colour.
    TBrush solid, hatch;
    solid.SetColor(clGreen);
    hatch.SetColor(clGreen);
    hatch.SetStyle(bsCross);
    EXPECT_NE(solid.Handle(), hatch.Handle());
    win::LOGBRUSH lb{};
    ASSERT_NE(win::GetObject(hatch.Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, win::BS_HATCHED);
    ASSERT_NE(win::GetObject(solid.Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, win::BS_SOLID);
}

TEST(GraphicsBrush, AKeptHandleGivenToAnotherBrushOrPenOutlivesItForTheOthersThatUseIt) {
    TBrush kept;
    kept.SetColor(clFuchsia);
    win::HBRUSH brush = kept.Handle();
    TPen keptPen;
    keptPen.SetColor(clFuchsia);
    win::HPEN pen = keptPen.Handle();
    {
        TBrush other;
        other.SetHandle(kept.Handle());
        TPen otherPen;
        otherPen.SetHandle(keptPen.Handle());
        otherPen.SetColor(clLime); // lets the given handle go
    }
    win::LOGBRUSH lb{};
    ASSERT_NE(win::GetObject(brush, sizeof(lb), &lb), 0) << "the kept brush is alive";
    EXPECT_EQ(lb.lbColor, win::RGB(255, 0, 255));
    win::LOGPEN lp{};
    ASSERT_NE(win::GetObject(pen, sizeof(lp), &lp), 0) << "the kept pen is alive";
    TBrush later;
    later.SetColor(clFuchsia);
    EXPECT_EQ(later.Handle(), brush);
}

TEST(GraphicsBrush, StylesAndTheClearBrush) {
    TBrush b;
    EXPECT_EQ(b.Color(), clWhite);
    EXPECT_EQ(b.Style(), bsSolid);

    b.SetStyle(bsClear);
    win::LOGBRUSH lb{};
    ASSERT_NE(win::GetObject(b.Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, win::BS_NULL);
    EXPECT_EQ(b.Handle(), static_cast<win::HBRUSH>(win::GetStockObject(win::NULL_BRUSH)));

    // A colour on a clear brush makes it solid again.
    b.SetColor(clYellow);
    EXPECT_EQ(b.Style(), bsSolid);
    ASSERT_NE(win::GetObject(b.Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, win::BS_SOLID);
    EXPECT_EQ(lb.lbColor, win::RGB(255, 255, 0));

    b.SetStyle(bsCross);
    ASSERT_NE(win::GetObject(b.Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, win::BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, static_cast<win::ULONG_PTR>(win::HS_CROSS));

    TBrush copy;
    copy.Assign(&b);
    EXPECT_EQ(copy.Style(), bsCross);
    EXPECT_EQ(copy.Color(), clYellow);
}

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
