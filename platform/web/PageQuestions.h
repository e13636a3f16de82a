#pragma once
// What the browser control makes of a page's questions (its alerts, confirmations and prompts): boxes of
// the program's own, and how often a page may put one in front of the user.

#include "platform/vcl/Forms.h"
#include "platform/web/BrowserEngine.h"

namespace vcl {

// A page that asks again at once after every answer would keep the user answering for ever: from the third
// question within ten seconds on, a page's questions are answered without showing them (declined), as
// browsers do, until the control navigates again. The ten seconds are the page's own time: the time the
// user spends on a box does not count, so that a slow reader is no less protected than a quick one.
class TQuestionPace {
public:
    static constexpr unsigned Window = 10000; // milliseconds

    // A question arrives at Now (a millisecond tick count): true when it may be shown. Once false, every
    // further question is answered without showing until Reset.
    bool MayShow(unsigned Now);
    // The box of the question shown last was answered (or closed) at Now.
    void Answered(unsigned Now);
    void Reset() { *this = TQuestionPace(); }

private:
    int FShown = 0;
    unsigned FAnsweredAt = 0;
    unsigned FLastGap = 0; // from the answer before the last shown question to that question
    bool FSilenced = false;
};

// The box that asks Question, not shown yet (the caller runs it modally and frees it): titled with the
// page's host, centred over Over (the control's form) when that shows. An alert has OK; a confirmation OK
// and Cancel; a prompt an edit holding the suggested answer (CreateInputQueryForm). The page's text is
// shown as it stands ("&" is no accelerator), cut to a length that fits on a screen.
TForm* CreateQuestionBox(const TPageQuestion& Question, TCustomForm* Over);
// Answers Question with what its box (made by CreateQuestionBox) ended with.
void AnswerFromBox(TPageQuestion& Question, TForm* Box, TModalResult Result);

// Text cut to at most MaxLines lines and MaxBytes bytes (whole UTF-8 characters), "..." marking a cut.
String ShortenForBox(const String& Text, int MaxLines = 20, std::size_t MaxBytes = 1500);

} // namespace vcl
