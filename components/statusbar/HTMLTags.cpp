// The tag handlers of the mark-up renderer: each changes the canvas (font, brush, pen) or the state of the
// call and the line. Drawing effects happen only in a drawing pass, layout effects in every pass.

#include <algorithm>

#include "components/statusbar/ClipScope.h"
#include "components/statusbar/HTMLRenderer.h"
#include "components/statusbar/PictureContainer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Screen.h"

namespace HTMLRender::detail {

using namespace vcl;

namespace {

char Up(char Ch) {
    return Ch >= 'a' && Ch <= 'z' ? static_cast<char>(Ch - 'a' + 'A') : Ch;
}

bool IsLetter(char Ch) {
    Ch = Up(Ch);
    return Ch >= 'A' && Ch <= 'Z';
}

// The attribute text of a tag from its N-th character (1-based) to the character before its '>'.
std::string_view AttrTextOf(std::string_view Tag, size_t N) {
    if (!Tag.empty() && Tag.back() == '>') Tag.remove_suffix(1);
    return N - 1 < Tag.size() ? Tag.substr(N - 1) : std::string_view{};
}

// The integer between the quotes after the first letter Letter (either case) of Attrs, skipping that
// letter and the character after it; false when it is no integer.
bool LetterValue(std::string_view Attrs, char Letter, int& Value) {
    size_t at = Attrs.find_first_of(String{Letter, static_cast<char>(Letter - 'A' + 'a')});
    if (at == std::string_view::npos || at + 2 > Attrs.size()) return false;
    std::string_view rest = Attrs.substr(at + 2);
    size_t q1 = rest.find('"');
    String text;
    if (q1 == std::string_view::npos) {
        text = String(rest);
    } else {
        size_t q2 = rest.find('"', q1 + 1);
        text =
            String(rest.substr(q1 + 1, q2 == std::string_view::npos ? std::string_view::npos : q2 - q1 - 1));
    }
    size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    Value = AttrToInt(text);
    return true;
}

// Images and pictures are never larger than this on a line: a huge WIDTH or HEIGHT stays drawable.
constexpr int MaxImageSide = 4096;

// An image's advance on a line: its size in pixels of a 96 pixels-per-inch screen, scaled to the screen's
// pixels per inch (rounded, as the framework's multiply-divide rounds).
int ScreenAdvance(int Pixels) {
    const long long ppi = vcl::Screen != nullptr ? vcl::Screen->PixelsPerInch() : 96;
    return static_cast<int>(std::clamp<long long>((std::max(Pixels, 0) * ppi + 48) / 96, 0, MaxImageSide));
}

} // namespace

String Upper(std::string_view S) {
    String out(S);
    for (char& ch : out)
        ch = Up(ch);
    return out;
}

size_t FindAttr(std::string_view Attrs, std::string_view Name) {
    for (size_t at = 0; at + Name.size() <= Attrs.size(); ++at) {
        bool match = true;
        for (size_t i = 0; match && i < Name.size(); ++i)
            match = Up(Attrs[at + i]) == Up(Name[i]);
        if (!match) continue;
        size_t after = at + Name.size();
        if (after < Attrs.size() && IsLetter(Attrs[after])) continue; // BGCOLORTO is not BGCOLOR
        return at;
    }
    return std::string_view::npos;
}

String AttrValueAt(std::string_view Attrs, size_t Where, size_t NameLength) {
    if (Where == std::string_view::npos) return {};
    std::string_view rest = Attrs.substr(Where + NameLength);
    size_t q1 = rest.find('"');
    size_t eq = rest.find('=');
    bool quoted = q1 != std::string_view::npos && (eq == std::string_view::npos || eq < q1) &&
                  rest.substr(eq + 1, q1 - eq - 1).find_first_not_of(' ') == std::string_view::npos;
    if (quoted) {
        size_t q2 = rest.find('"', q1 + 1);
        return String(
            rest.substr(q1 + 1, q2 == std::string_view::npos ? std::string_view::npos : q2 - q1 - 1));
    }
    if (eq == std::string_view::npos) return {};
    rest = rest.substr(eq + 1);
    size_t end = rest.find(' ');
    return String(rest.substr(0, end));
}

String AttrValue(std::string_view Attrs, std::string_view Name) {
    return AttrValueAt(Attrs, FindAttr(Attrs, Name), Name.size());
}

TColor TagColor(const String& Value) {
    if (!Value.empty() && Value[0] == '#') return ColorFromHex(Value);
    return ColorFromName(Value);
}

void TRenderer::SetStyle(TFontStyle Style, bool On) {
    TFontStyles s = C->Font()->Style();
    if (On)
        s.Include(Style);
    else
        s.Exclude(Style);
    C->Font()->SetStyle(s);
    FGhHeight = -1;
}

void TRenderer::SetFontColor(TColor Color) {
    C->Font()->SetColor(Color);
}

void TRenderer::TurnFont(int Angle) {
    FTurned.push_back(C->Font()->Orientation());
    C->Font()->SetOrientation((Angle % 360) * 10);
    FGhHeight = -1;
}

void TRenderer::RestoreFont() {
    if (FTurned.empty()) return;
    C->Font()->SetOrientation(FTurned.back());
    FGhHeight = -1;
    FTurned.pop_back();
}

void TRenderer::HandleTag(std::string_view Tag, TPass Pass, TLine& L) {
    const bool drawing = Drawing(Pass);
    if (Tag.size() >= 2 && Tag[1] == '/') {
        if (Tag.size() < 4) return;
        char c1 = Up(Tag[2]), c2 = Up(Tag[3]);
        switch (c1) {
        case 'A':
            CloseAnchor(Pass, L);
            break;
        case 'B':
            if (c2 == '>') {
                SetStyle(fsBold, false);
            } else {
                SetFontColor(FBaseFont->Color()); // the end of a blink
                FBlinkHidden = false;
            }
            break;
        case 'E':
            if (drawing) FError = false;
            break;
        case 'F':
            CloseFont(Pass);
            break;
        case 'H':
            if (drawing) {
                SetFontColor(FHiSavedFont == clNone ? FBaseFont->Color() : FHiSavedFont);
                SetBrushColor(FHiSavedBrush);
            }
            break;
        case 'I':
            SetStyle(fsItalic, false);
            break;
        case 'L':
            L.Full = true;
            break;
        case 'O':
            FOffset = 0;
            break;
        case 'P':
            L.Full = true;
            if (drawing) {
                SetBrushColor(FParaSavedBrush);
                FParaBackground = false;
            }
            break;
        case 'R':
            RestoreFont();
            break;
        case 'S':
            if (c2 == 'U') {
                FSub = FSup = false;
            } else if (c2 == 'H') {
                FShadow = false;
            } else {
                SetStyle(fsStrikeOut, false);
            }
            break;
        case 'U':
            if (c2 != '>' && FListLevel > 0)
                --FListLevel;
            else
                SetStyle(fsUnderline, false);
            break;
        case 'Z':
            FHidden = false;
            break;
        default:
            break;
        }
        return;
    }
    const char c1 = Tag.size() > 1 ? Up(Tag[1]) : '\0';
    const char c2 = Tag.size() > 2 ? Up(Tag[2]) : '\0';
    switch (c1) {
    case 'A':
        OpenAnchor(Tag, Pass, L);
        break;
    case 'B':
        if (c2 == '>') {
            SetStyle(fsBold, true);
        } else if (c2 == 'L') {
            // Blinking text in its off phase takes its room but is not drawn.
            if (!FArgs.BlinkOn) FBlinkHidden = true;
        } else if (c2 == 'O') {
            if (drawing && !FArgs.KeepColors) BodyTag(Tag, L);
        } else if (c2 == 'R') {
            L.Full = true;
        }
        break;
    case 'E':
        if (drawing) FError = true;
        break;
    case 'F':
        FontTag(Tag, Pass);
        break;
    case 'H':
        if (c2 == 'I') {
            if (drawing) {
                FHiSavedFont = C->Font()->Color();
                FHiSavedBrush = BrushColor();
                SetBrushColor(clHighlight);
                SetFontColor(clHighlightText);
            }
        } else if (c2 == 'R') {
            L.Full = true;
            if (drawing) {
                TColor keep = C->Pen()->Color();
                C->Pen()->SetColor(clBlack);
                C->Pen()->SetWidth(1);
                int y = L.Rect.Bottom + 1;
                C->MoveTo(L.Rect.Left, y);
                C->LineTo(L.Rect.Right, y);
                C->Pen()->SetColor(keep);
            }
        }
        break;
    case 'I':
        if (c2 == '>') {
            SetStyle(fsItalic, true);
        } else if (c2 == 'M') {
            ImageTag(Tag, Pass, L);
        } else if (c2 == 'N') {
            int v = 0;
            if (LetterValue(AttrTextOf(Tag, 3), 'X', v) && L.Width < v) {
                L.Width = v;
                L.X = L.Rect.Left + v;
            }
        }
        break;
    case 'L':
        ListItem(Pass, L);
        break;
    case 'O':
        if (c2 == 'F') {
            int v = 0;
            if (LetterValue(AttrTextOf(Tag, 3), 'X', v)) {
                FOffset = v;
                L.X = L.Rect.Left + v;
                L.Width = v;
            }
        }
        break;
    case 'P':
        ParagraphTag(Tag, Pass, L);
        break;
    case 'R': {
        int angle = 0;
        if (LetterValue(AttrTextOf(Tag, 3), 'A', angle)) TurnFont(angle);
        break;
    }
    case 'S': {
        String upper = Upper(Tag);
        if (c2 == '>')
            SetStyle(fsStrikeOut, true);
        else if (c2 == 'H')
            FShadow = true;
        else if (upper == "<SUB>")
            FSub = true;
        else if (upper == "<SUP>")
            FSup = true;
        break;
    }
    case 'U':
        if (c2 == '>') {
            SetStyle(fsUnderline, true);
        } else {
            ++FListLevel;
            L.Full = true;
        }
        break;
    case 'Z':
        FHidden = true;
        break;
    default:
        break; // tags of other letters are consumed and ignored
    }
}

void TRenderer::OpenAnchor(std::string_view Tag, TPass Pass, TLine& L) {
    const bool drawing = Drawing(Pass);
    if (drawing && FAnchorCount == FArgs.FocusIndex) FFocusStart = TPoint{L.X, L.Rect.Top};
    ++FAnchorCount;
    if (drawing && (!FArgs.HotOnly || FAnchorCount == FArgs.HotIndex)) {
        SetStyle(fsUnderline, true);
        if (FArgs.HotBackColor != clNone) {
            FAnchorSavedBrush = BrushColor();
            SetBrushColor(FArgs.HotBackColor);
        }
        if (FArgs.HotTextColor != clNone) {
            FAnchorSavedFont = C->Font()->Color();
            SetFontColor(FArgs.HotTextColor);
        }
    }
    if (!FArgs.KeepColors && !(FArgs.HotTextColor != clNone && FAnchorCount == FArgs.HotIndex))
        SetFontColor(FArgs.AnchorColor);
    FInAnchor = true;
    size_t q1 = Tag.find('"');
    size_t q2 = q1 == std::string_view::npos ? q1 : Tag.find('"', q1 + 1);
    FHref = q2 == std::string_view::npos ? String() : String(Tag.substr(q1 + 1, q2 - q1 - 1));
}

void TRenderer::CloseAnchor(TPass Pass, TLine& L) {
    const bool drawing = Drawing(Pass);
    if (drawing && (!FArgs.HotOnly || FAnchorCount == FArgs.HotIndex)) {
        SetStyle(fsUnderline, false);
        if (FArgs.HotBackColor != clNone) SetBrushColor(FAnchorSavedBrush);
        if (FArgs.HotTextColor != clNone) SetFontColor(FAnchorSavedFont);
    }
    if (!FArgs.KeepColors) SetFontColor(FBaseFont->Color());
    if (drawing && FInAnchor && FAnchorCount - 1 == FArgs.FocusIndex && FFocusStart.X >= 0) {
        int bottom = L.Rect.Bottom - L.BaselineOffset;
        C->DrawFocusRect(TRect{FFocusStart.X - 1, bottom - GhHeight(), L.X + 1, bottom});
        FFocusStart = TPoint{-1, -1};
    }
    FInAnchor = false;
}

void TRenderer::FontTag(std::string_view Tag, TPass Pass) {
    std::string_view raw = AttrTextOf(Tag, 6);
    String attrs = Upper(raw);
    size_t face = FindAttr(attrs, "FACE");
    if (face != String::npos) {
        String name = AttrValueAt(raw, face, 4); // the face keeps its case
        if (!name.empty()) {
            C->Font()->SetName(name);
            FGhHeight = -1;
        }
    }
    if (!FArgs.KeepColors) {
        size_t color = attrs.find(" COLOR");
        String value = AttrValueAt(attrs, color, 6);
        if (!value.empty()) SetFontColor(TagColor(value));
        if (Drawing(Pass)) {
            size_t bg = FindAttr(attrs, "BGCOLOR");
            if (bg != String::npos) {
                FFontSavedBrush = BrushColor();
                String v = AttrValueAt(attrs, bg, 7);
                if (!v.empty()) SetBrushColor(TagColor(v));
            }
        }
    }
    size_t size = FindAttr(attrs, "SIZE");
    if (size != String::npos) {
        size_t eq = attrs.find('=', size);
        if (eq != String::npos) {
            size_t at = eq + 1;
            if (at < attrs.size() && attrs[at] == '"') ++at;
            int v = AttrToInt(attrs.substr(at));
            static const int sizes[] = {8, 10, 12, 14, 16};
            int points = v >= 1 && v <= 5 ? sizes[v - 1] : v;
            // A size of nothing or of thousands of points is no text a bar can show.
            C->Font()->SetSize(std::clamp(points, 1, 144));
            FGhHeight = -1;
        }
    }
}

void TRenderer::CloseFont(TPass Pass) {
    C->Font()->SetName(FBaseFont->Name());
    C->Font()->SetSize(FBaseFont->Size());
    FGhHeight = -1;
    if (Drawing(Pass) && !FArgs.KeepColors) {
        SetFontColor(FBaseFont->Color());
        SetBrushColor(FFontSavedBrush);
    }
}

void TRenderer::ImageTag(std::string_view Tag, TPass Pass, TLine& L) {
    ++FImageCounter;
    std::string_view raw = AttrTextOf(Tag, 3);
    String source = AttrValue(raw, "SRC");
    String attrs = Upper(raw);
    if (FindAttr(attrs, "ALT") != String::npos && FImageCounter == FHotImage)
        source = AttrValue(attrs, "ALT");
    int width = std::clamp(AttrToInt(AttrValue(attrs, "WIDTH")), 0, MaxImageSide);
    int height = std::clamp(AttrToInt(AttrValue(attrs, "HEIGHT")), 0, MaxImageSide);
    const bool drawing = Drawing(Pass);

    int w = 0, h = 0;
    String upper = Upper(source);
    PictureContainer::THTMLPicture* picture = nullptr;
    if (upper.find("IDX:") != String::npos) {
        int n = AttrToInt(source.size() > 4 ? source.substr(4) : String());
        TCustomImageList* list = FArgs.ImageList;
        // A negative index names no image, as one past the end does.
        if (list != nullptr && n >= 0 && n < list->Count()) {
            w = list->Width();
            h = list->Height();
            if (drawing) {
                if (FArgs.PrintMode) {
                    TBitmap bmp(w, h);
                    list->Draw(bmp.Canvas(), 0, 0, n, true);
                    int sw = std::clamp(Round(w * FArgs.PrintScale), 0, MaxImageSide);
                    int sh = std::clamp(Round(h * FArgs.PrintScale), 0, MaxImageSide);
                    C->StretchDraw(TRect{L.X, L.Rect.Top, L.X + sw, L.Rect.Top + sh}, &bmp);
                } else {
                    list->Draw(C, L.X, L.Rect.Top, n, true);
                }
            }
            w = ScreenAdvance(w);
            h = ScreenAdvance(h);
        }
    } else if (upper.find("SSYS:") != String::npos || upper.find("LSYS:") != String::npos) {
        DrawShellIcon(C, L.X, L.Rect.Top, w, FArgs.PrintScale, FArgs.PrintMode, drawing,
                      upper.find("SSYS:") == String::npos, source.substr(std::min<size_t>(5, source.size())));
        h = w;
    } else if (source.find(':') == String::npos && FArgs.Pictures != nullptr) {
        picture = FArgs.Pictures->FindPicture(source);
    } else if (source.find("://") != String::npos && FArgs.PictureCache != nullptr) {
        picture = FArgs.PictureCache->FindPicture(source);
        if (picture == nullptr) {
            picture = FArgs.PictureCache->AddPicture();
            picture->SetAsynch(false);
            picture->LoadFromURL(source);
        }
    }
    if (picture != nullptr && !picture->Empty()) {
        if (width >= 1 && height >= 1) {
            picture->SetStretch(true);
            if (drawing) C->StretchDraw(TRect{L.X, L.Rect.Top, L.X + width, L.Rect.Top + height}, picture);
            w = ScreenAdvance(width);
            h = ScreenAdvance(height);
        } else {
            picture->SetStretch(false);
            if (drawing) C->Draw(L.X + picture->FrameLeft(), L.Rect.Top + picture->FrameTop(), picture);
            w = ScreenAdvance(picture->GetMaxWidth());
            h = ScreenAdvance(picture->GetMaxHeight());
        }
    }

    if (Pass == TPass::Second && FInAnchor && w > 0)
        FResult.Anchors.push_back({FHref, TRect{L.X, L.Rect.Top, L.X + w, L.Rect.Top + h}});
    if (HitTesting(Pass) && FInAnchor) {
        int px = FArgs.HitX - L.Rect.Left;
        if (px > L.Width && px < L.Width + w && FArgs.HitY > L.Rect.Top && FArgs.HitY < L.Rect.Top + h) {
            L.HitImage = true;
            FResult.HitHref = FHref;
            FHotImage = FImageCounter;
        }
    }
    const int lineWidth = L.Rect.Right - L.Rect.Left;
    if (L.Width + w > lineWidth && w < lineWidth) {
        L.Stop = true; // the image starts the next line
        --FImageCounter;
        return;
    }
    L.Width += w;
    L.X += w;
    L.Height = std::max(L.Height, h);
    if (FindAttr(attrs, "ALIGN") != String::npos) {
        if (attrs.find("\"TOP") != String::npos)
            L.BaselineOffset = L.Height - GhHeight();
        else if (attrs.find("\"MIDDLE") != String::npos)
            L.BaselineOffset = (L.Height - GhHeight()) / 2;
    }
    if (FindAttr(attrs, "WRAP") != String::npos) {
        L.Height = GhHeight();
        L.BaselineOffset = 0;
    }
}

void TRenderer::ListItem(TPass Pass, TLine& L) {
    if (L.Item) {
        L.Stop = true; // the item starts the next line
        return;
    }
    L.Item = true;
    L.Width += FListLevel * 12;
    L.X += (FListLevel - 1) * 12;
    if (Drawing(Pass) && !FHidden) {
        const char* bullet = FListLevel % 2 != 0 ? "\u2022" : "o";
        win::RECT r{L.X, L.Rect.Top, L.X + 12, L.Rect.Bottom};
        win::DrawText(C->Handle(), bullet, -1, &r,
                      win::DT_LEFT | win::DT_TOP | win::DT_SINGLELINE | win::DT_NOCLIP);
    }
    L.X += 12;
}

void TRenderer::ParagraphTag(std::string_view Tag, TPass Pass, TLine& L) {
    String attrs = Upper(AttrTextOf(Tag, 3));
    if (FindAttr(attrs, "ALIGN") != String::npos) {
        String v = AttrValue(attrs, "ALIGN");
        if (v.find("RIGHT") != String::npos) FAlignment = 1;
        if (v.find("LEFT") != String::npos) FAlignment = 0;
        if (v.find("CENTER") != String::npos) FAlignment = 2;
    }
    if (FindAttr(attrs, "INDENT") != String::npos)
        FIndent = std::clamp(AttrToInt(AttrValue(attrs, "INDENT")), -MaxImageSide, MaxImageSide);
    String bg = AttrValue(attrs, "BGCOLOR");
    if (bg.empty() || !Drawing(Pass)) return;
    FParaBackground = true;
    String to = AttrValue(attrs, "BGCOLORTO");
    if (to.empty()) {
        FParaSavedBrush = BrushColor();
        TColor color = TagColor(bg);
        SetBrushColor(color);
        C->Pen()->SetColor(color);
        C->FillRect(TRect{FBounds.Left, L.Rect.Top, FBounds.Right, L.Rect.Bottom});
    } else {
        DrawHTMLGradient(C, TagColor(bg), TagColor(to), true,
                         TRect{FBounds.Left, L.Rect.Top, FBounds.Right, L.Rect.Bottom + 2}, 64, clNone);
    }
}

void TRenderer::BodyTag(std::string_view Tag, const TLine& L) {
    std::string_view raw = AttrTextOf(Tag, 6);
    String attrs = Upper(raw);
    auto pictureOf = [&](const char* Name) -> PictureContainer::THTMLPicture* {
        String source = AttrValue(raw, Name);
        if (source.empty()) return nullptr;
        const String upper = Upper(source);
        if (upper.rfind("IDX:", 0) == 0) {
            // An image-list image or a shell icon is drawn once where the text stands.
            int n = AttrToInt(source.substr(4));
            if (FArgs.ImageList != nullptr && n >= 0 && n < FArgs.ImageList->Count())
                FArgs.ImageList->Draw(C, L.X, L.Rect.Top, n, true);
            return nullptr;
        }
        if (upper.find("SSYS:") != String::npos || upper.find("LSYS:") != String::npos) {
            int size = 0;
            DrawShellIcon(C, L.X, L.Rect.Top, size, FArgs.PrintScale, FArgs.PrintMode, true,
                          upper.find("SSYS:") == String::npos,
                          source.substr(std::min<size_t>(5, source.size())));
            return nullptr;
        }
        if (source.find(':') == String::npos && FArgs.Pictures != nullptr)
            return FArgs.Pictures->FindPicture(source);
        if (source.find("://") != String::npos && FArgs.PictureCache != nullptr)
            return FArgs.PictureCache->FindPicture(source);
        return nullptr;
    };
    auto clipped = [&](auto Draw) {
        AdvOfficeStatusBar::TClipScope clip(C, FBounds);
        Draw();
    };
    if (auto* p = pictureOf("BACKGROUND"); p != nullptr && !p->Empty()) {
        int w = p->Width(), h = p->Height();
        if (w > 0 && h > 0)
            clipped([&] {
                for (int y = FBounds.Top; y < FBounds.Bottom; y += h)
                    for (int x = FBounds.Left; x < FBounds.Right; x += w)
                        C->Draw(x, y, p);
            });
    }
    if (auto* p = pictureOf("BGTOPLEFT"); p != nullptr && !p->Empty())
        clipped([&] { C->Draw(FBounds.Left, FBounds.Top, p); });
    if (auto* p = pictureOf("BGTOPRIGHT"); p != nullptr && !p->Empty())
        clipped([&] { C->Draw(FBounds.Right - p->Width(), FBounds.Top, p); });
    String bg = AttrValue(attrs, "BGCOLOR");
    if (bg.empty()) return;
    String to = AttrValue(attrs, "BGCOLORTO");
    TColor from = TagColor(bg);
    if (to.empty()) {
        FFontSavedBrush = BrushColor();
        TColor pen = C->Pen()->Color();
        SetBrushColor(from);
        C->Pen()->SetColor(from);
        C->FillRect(TRect{FBounds.Left - 2, FBounds.Top, FBounds.Right, FBounds.Bottom});
        C->Pen()->SetColor(pen);
    } else {
        C->Pen()->SetColor(from);
        String dir = AttrValue(attrs, "DIR");
        bool leftToRight = dir.empty() || dir[0] == 'H';
        DrawHTMLGradient(C, from, TagColor(to), leftToRight, FBounds, 64, clNone);
        SetBrushColor(clNone);
    }
}

} // namespace HTMLRender::detail
