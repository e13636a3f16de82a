// Mark-up is input: broken, random and mutated texts render without failing.

#include <gtest/gtest.h>

#include <random>

#include "components/statusbar/HTMLRender.h"
#include "platform/vcl/Bitmap.h"

namespace {

using namespace vcl;
using namespace HTMLRender;

std::vector<String> Split(const String& Text) {
    std::vector<String> out(1);
    for (char c : Text)
        if (c == '|')
            out.emplace_back();
        else
            out.back() += c;
    return out;
}

class HTMLRenderRobustnessTest : public ::testing::Test {
protected:
    THTMLRenderResult Render(const String& Text, bool Draw, int HitX = 0, int HitY = 0,
                             bool HeightOnly = false) {
        THTMLRenderArgs a;
        a.NoDraw = !Draw;
        a.HitX = HitX;
        a.HitY = HitY;
        a.HeightOnly = HeightOnly;
        THTMLRenderResult r;
        RenderHTML(bmp.Canvas(), Text, TRect{0, 0, 200, 40}, a, r);
        return r;
    }
    TBitmap bmp{200, 40};
};

TEST_F(HTMLRenderRobustnessTest, BrokenMarkupRenders) {
    const std::vector<String> texts =
        Split("<b><i>unclosed|</b></i></a>closed first|<a href=\"x\">no end|<a href=\"x|"
              "<font size=\"99999\">huge</font>|<font size=\"-40\">neg</font>|"
              "<font color=\"#zzzzzz\">x|<img src=\"missing\" width=\"-5\" height=\"100000\">|"
              "<img src=\"idx:99999999999\">|&amp;&amp;&amp;&unknown;&|<|<<|<<<>>>|<x|</|</>|"
              "<>|a<br|\x01\x02\x7f<b>\xff\xfe\xc3</b>|\xe2\x82|<r a=\"45\"><r a=\"90\">turned|"
              "<ul><ul><ul><li>a<li>b</ul></ul></ul></ul>|"
              "<p align=\"right\" indent=\"-99999\">x|"
              "<body bgcolor=\"clred\" bgcolorto=\"clblue\" dir=\"v\">x|<hi>high<e>err</e></h>|"
              "<sh>shadow<of x=\"-50\">off</o><in x=\"9999\">tab");
    for (const String& t : texts) {
        for (bool draw : {true, false}) {
            THTMLRenderResult r = Render(t, draw, 10, 10);
            EXPECT_GE(r.TotalHeight, 0) << t;
            EXPECT_GE(r.MaxLineWidth, 0) << t;
        }
    }
    // A word longer than any line, with nowhere to break.
    EXPECT_GT(Render(String(5000, 'w'), false).MaxLineWidth, 200);
}

TEST_F(HTMLRenderRobustnessTest, RandomAndMutatedTexts) {
    std::mt19937 rng(1234);
    // The pieces random texts are made of, separated by "|".
    const std::vector<String> pieces =
        Split("<a href=\"u\">|</a>|<b>|</b>|<font color=\"clred\" size=\"3\">|</font>|"
              "<br>|<img src=\"idx:0\">|&amp;|&nbsp;| |word|<p align=\"center\">|</p>|"
              "<li>|<ul>|</ul>|<blink>|</blink>|<z>|</z>|<|>|\"|\xc3\xa9|\xff|\r\n|<sub>|"
              "</su>|<hr>|<sh>|</sh>|<e>|</e>");
    for (int round = 0; round < 2000; ++round) {
        String text;
        int n = static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i) {
            if (rng() % 4 == 0)
                text += static_cast<char>(rng() % 256);
            else
                text += pieces[rng() % pieces.size()];
        }
        THTMLRenderResult r = Render(text, round % 3 == 0, static_cast<int>(rng() % 200),
                                     static_cast<int>(rng() % 40), round % 7 == 0);
        ASSERT_GE(r.TotalHeight, 0) << text;
        ASSERT_GE(r.MaxLineWidth, 0) << text;
        if (r.Hit) {
            ASSERT_GT(r.AnchorCount, 0) << text;
        }
    }
}

} // namespace
