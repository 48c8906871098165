#pragma once
// The program's second form. It is made at start and never shown.

#include "platform/forms/Application.h"

class TForm2 final : public TForm {
 public:
  explicit TForm2(TApplication& Application) : TForm(Application, "Form2") {
    SetCaption("Form2");
    SetBounds(0, 0, 521, 452);
  }
};
