#include "platform/web/PageQuestions.h"

#include <algorithm>
#include <cstdint>

#include "platform/vcl/Application.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/InputQuery.h"

namespace vcl {

// ---- The pace of a page's questions

bool TQuestionPace::MayShow(unsigned Now) {
    if (FSilenced) return false;
    if (FShown == 0) {
        FShown = 1;
        return true;
    }
    // Tick counts wrap: the difference is right across a wrap.
    const unsigned gap = Now - FAnsweredAt;
    if (FShown >= 2 && std::uint64_t{FLastGap} + gap <= Window) {
        FSilenced = true;
        return false;
    }
    FLastGap = gap;
    ++FShown;
    return true;
}

void TQuestionPace::Answered(unsigned Now) {
    FAnsweredAt = Now;
}

// ---- The boxes

String ShortenForBox(const String& Text, int MaxLines, std::size_t MaxBytes) {
    std::size_t end = std::min(Text.size(), MaxBytes);
    int lines = 1;
    for (std::size_t i = 0; i < end; ++i)
        if (Text[i] == '\n' && ++lines > MaxLines) end = i;
    if (end == Text.size()) return Text;
    // Back to the start of a character: never half of one.
    while (end > 0 && (static_cast<unsigned char>(Text[end]) & 0xC0) == 0x80)
        --end;
    return Text.substr(0, end) + "...";
}

namespace {

String Escaped(const String& Text) {
    String out;
    for (char c : Text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

} // namespace

TForm* CreateQuestionBox(const TPageQuestion& Question, TCustomForm* Over) {
    const String text = ShortenForBox(Question.Text);
    TForm* box = nullptr;
    switch (Question.Kind) {
    case TPageQuestionKind::Alert:
        box = CreateMessageDialog(text, mtInformation, TMsgDlgButtons{mbOK});
        break;
    case TPageQuestionKind::Confirm:
        box = CreateMessageDialog(text, mtConfirmation, mbOKCancel);
        break;
    case TPageQuestionKind::Prompt:
        box = CreateInputQueryForm(String(), Escaped(text), Question.DefaultText);
        break;
    }
    // Whose question it is: the page's host, as a browser names it; never the program's own title alone,
    // which would make the page's words look like the program's.
    box->SetCaption(Question.Host.empty() ? GetApplication()->Title() + ": a page" : Question.Host);
    if (Over && Over->Visible()) {
        const TRect r = Over->BoundsRect();
        box->SetPosition(poDesigned);
        box->SetBounds(r.Left + (r.Width() - box->Width()) / 2, r.Top + (r.Height() - box->Height()) / 2,
                       box->Width(), box->Height());
    }
    return box;
}

void AnswerFromBox(TPageQuestion& Question, TForm* Box, TModalResult Result) {
    const bool ok = Result == mrOk;
    Question.Answer(ok, ok && Question.Kind == TPageQuestionKind::Prompt ? InputQueryValue(Box) : String());
}

} // namespace vcl
