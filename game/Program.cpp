#include "Program.h"

#include "Form2.h"
#include "Haupt.h"

void RunVeltranzik(TApplication& Application, const GameOptions& Options) {
  Application.Initialize();
  Application.SetTitle("Veltranzik");
  Application.CreateForm<TForm1>().SetFixedSeed(Options.Seed);
  Application.CreateForm<TForm2>();
  Application.Run();
}
