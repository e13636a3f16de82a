#pragma once
// The program's five forms: made at start-up in their fixed order (the first is the main form) and
// freed at the end, last made first. The program itself makes the about box and the registration and
// password-recovery dialogs only when first shown (Need): the login dialog's first frame does not wait
// for them.

#include "platform/vcl/Application.h"

namespace AppForms {

// Registers every class the layouts name (idempotent).
void RegisterLayoutClasses();
// Registers the classes, then makes the forms: all five, or with WhenNeeded the main form and the login
// dialog only.
void CreateForms(bool WhenNeeded = false);
void FreeForms();

// The form, made now if it is not yet.
template <typename T> T* Need(T*& Form) {
    if (Form == nullptr) vcl::Application->CreateForm(Form);
    return Form;
}

} // namespace AppForms
