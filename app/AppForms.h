#pragma once
// The program's five forms: made at start-up in their fixed order (the first is the main form) and
// freed at the end, last made first.

namespace AppForms {

// Registers every class the layouts name (idempotent).
void RegisterLayoutClasses();
// Registers the classes, then makes the forms.
void CreateForms();
void FreeForms();

} // namespace AppForms
