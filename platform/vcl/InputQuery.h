#pragma once
// The framework's input box: a modal form with a caption, a prompt, an edit holding a value and the OK and
// Cancel buttons. Enter is OK, Escape and the frame's close box are Cancel. The edit starts with the value,
// all of it selected, so that typing replaces it. The prompt wraps at the box's width, inside a word too
// long for a line; a prompt taller than the work area leaves room for is cut, "..." marking the cut. The box
// shows within the work area wherever it is placed.

#include "platform/vcl/Form.h"

namespace vcl {

// Shows the box with Value in the edit; true (and Value the edit's text) when the user chose OK, false
// (and Value unchanged) otherwise. A "&" in APrompt underlines the next character ("&&" shows one).
bool InputQuery(const String& ACaption, const String& APrompt, String& Value);

// The form InputQuery shows, not shown yet (the caller runs it and frees it): the label "Prompt", the edit
// "Value", the buttons "OK" (mrOk) and "Cancel" (mrCancel).
TForm* CreateInputQueryForm(const String& ACaption, const String& APrompt, const String& Value);
// The text of the edit of a form made by CreateInputQueryForm.
String InputQueryValue(const TForm* Form);

} // namespace vcl
