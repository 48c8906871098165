// The main form as it is built: the start screen's components with their captions, sizes,
// positions, fonts and settings, and the handlers wired to their events.

#include "Haupt.h"
#include "StartScreenPictures.h"
#include "game/rules/StoredAddress.h"

namespace {

TFont MakeFont(const std::string& Name, std::int32_t Size, TColor Color, bool Bold = false) {
  TFont font;
  font.Name = Name;
  font.Size = Size;
  font.Color = Color;
  font.Bold = Bold;
  return font;
}

constexpr TColor PanelGrey = RGBColor(119, 119, 119);

}  // namespace

TForm1::TForm1(TApplication& Application) : TForm(Application, "Form1") {
  SetBorderStyle(TFormBorderStyle::None);
  SetPosition(TPosition::ScreenCenter);
  SetColor(clBlack);
  SetFont(MakeFont("MS Sans Serif", 8, clWindowText));
  SetBounds(0, 0, 668, 507);
  CreateComponents();

  OnCreate = [this](TControl& Sender) { FormCreate(Sender); };
  OnPaint = [this](TControl& Sender) { FormPaint(Sender); };
  OnActivate = [this](TControl& Sender) { FormActivate(Sender); };
  OnCloseQuery = [this](TForm& Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  OnDestroy = [this](TControl& Sender) { FormDestroy(Sender); };
  OnKeyDown = [this](TControl& Sender, WORD& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
  OnKeyUp = [this](TControl& Sender, WORD& Key, TShiftState Shift) { FormKeyUp(Sender, Key, Shift); };
  OnMouseDown = [this](TControl& Sender, platform::MouseButton Button, TShiftState Shift, std::int32_t X,
                       std::int32_t Y) { FormMouseDown(Sender, Button, Shift, X, Y); };
  // Closing the window leaves the game the way the "X" button does.
  OnCloseRequest = [this](TControl& Sender) { Button3Click(Sender); };
}

TForm1::~TForm1() = default;

void TForm1::CreateComponents() {
  pname = &Add<TPanel>("pname");
  pname->SetBounds(8, 4, 641, 477);
  pname->SetBevelOuter(TBevelCut::None);
  pname->SetColor(clBlack);
  pname->SetVisible(false);

  Image4 = &pname->Add<TImage>("Image4");
  Image4->SetBounds(0, 0, 641, 477);
  Image4->LoadPicture(StartBackgroundPicture());
  Image4->SetCenter(true);
  Image4->SetTransparent(true);

  CreateControlPanel();
  CreateTitlePanel();
  CreateAddressDialog();

  Button1 = &pname->Add<TButton>("Button1");
  Button1->SetBounds(0, 0, 0, 0);
  Button1->SetTabStop(false);
  Button1->SetDefault(true);
  Button1->OnClick = [this](TControl& Sender) { eNameExit(Sender); };
}

void TForm1::CreateTitlePanel() {
  Panel1 = &pname->Add<TPanel>("Panel1");
  Panel1->SetBounds(0, 0, 641, 132);
  Panel1->SetBevelOuter(TBevelCut::None);
  Panel1->SetParentBackground(true);

  Image3 = &Panel1->Add<TImage>("Image3");
  Image3->SetBounds(16, 14, 64, 64);
  Image3->LoadPicture(StartEmblemPicture());
  Image3->SetTransparent(true);

  Image1 = &Panel1->Add<TImage>("Image1");
  Image1->SetBounds(88, 0, 330, 96);
  Image1->LoadPicture(StartLogoPicture());
  Image1->SetTransparent(true);

  Label2 = &Panel1->Add<TLabel>("Label2");
  Label2->SetTransparent(true);
  Label2->SetFont(MakeFont("Arial Black", 14, clWhite));
  Label2->SetBounds(108, 92, 0, 0);
  Label2->SetCaption(
      "Die gro\xDF"
      "e Storchenjagd");

  Label5 = &Panel1->Add<TLabel>("Label5");
  Label5->SetTransparent(true);
  Label5->SetFont(MakeFont("Arial", 8, clWhite));
  Label5->SetCaption("Linux-Ausgabe \xB7 Bilder und Kl\xE4nge aus eigener Werkstatt");
  Label5->SetBounds(Panel1->Width() - 12 - Label5->Width(), 114, 0, 0);

  Button3 = &Panel1->Add<TButton>("Button3");
  Button3->SetBounds(616, 8, 17, 17);
  Button3->SetCaption("X");
  Button3->SetFont(MakeFont("MS Sans Serif", 8, clWindowText, true));
  Button3->OnClick = [this](TControl& Sender) { Button3Click(Sender); };
}

void TForm1::CreateControlPanel() {
  Panel2 = &pname->Add<TPanel>("Panel2");
  Panel2->SetBounds(12, 236, 617, 229);
  Panel2->SetColor(PanelGrey);

  Label1 = &Panel2->Add<TLabel>("Label1");
  Label1->SetTransparent(true);
  Label1->SetFont(MakeFont("Arial Black", 12, clWhite));
  Label1->SetBounds(12, 21, 0, 0);
  Label1->SetCaption("Name:");

  eName = &Panel2->Add<TMemo>("eName");
  eName->SetBounds(76, 8, 320, 52);
  eName->SetFont(MakeFont("Arial Black", -35, clWindowText));
  eName->SetAlignment(TAlignment::Center);
  eName->SetMaxLength(20);

  Button2 = &Panel2->Add<TButton>("Button2");
  Button2->SetBounds(408, 8, 197, 52);
  Button2->SetCaption("&Start");
  Button2->SetFont(MakeFont("Arial Black", -19, clWindowText));
  Button2->OnClick = [this](TControl& Sender) { Button2Click(Sender); };

  CreateNetworkPanel();

  Button4 = &Panel2->Add<TButton>("Button4");
  Button4->SetBounds(8, 196, 170, 25);
  Button4->SetCaption(
      "Highscores &zur\xFC"
      "cksetzen");
  Button4->OnClick = [this](TControl& Sender) { Button4Click(Sender); };

  for (TControl* control :
       {static_cast<TControl*>(eName), static_cast<TControl*>(lbd), static_cast<TControl*>(cbdoppelt),
        static_cast<TControl*>(track), static_cast<TControl*>(cbNetz), static_cast<TControl*>(Button2)})
    control->OnKeyDown = [this](TControl& Sender, WORD& Key, TShiftState Shift) { eNameKeyDown(Sender, Key, Shift); };
}

void TForm1::CreateNetworkPanel() {
  Panel3 = &Panel2->Add<TPanel>("Panel3");
  Panel3->SetBounds(8, 68, 601, 120);
  Panel3->SetBevelOuter(TBevelCut::Lowered);
  Panel3->SetColor(clBtnFace);

  cbNetz = &Panel3->Add<TCheckBox>("cbNetz");
  cbNetz->SetBounds(8, 6, 200, 17);
  cbNetz->SetCaption("Netzwerkspiel");
  cbNetz->SetChecked(true);
  cbNetz->OnClick = [this](TControl& Sender) { cbNetzClick(Sender); };

  lbd = &Panel3->Add<TListBox>("lbd");
  lbd->SetBounds(8, 28, 222, 84);
  lbd->SetMultiSelect(true);

  ln1 = &Panel3->Add<TLabel>("ln1");
  ln1->SetBounds(246, 8, 0, 0);
  ln1->SetCaption("Status:");

  lStatus = &Panel3->Add<TLabel>("lStatus");
  lStatus->SetBounds(286, 8, 0, 0);
  lStatus->SetCaption("bereit");

  cbdoppelt = &Panel3->Add<TCheckBox>("cbdoppelt");
  cbdoppelt->SetBounds(246, 30, 220, 17);
  cbdoppelt->SetCaption("Doppelt solange (3 Minuten)");
  cbdoppelt->SetChecked(true);
  cbdoppelt->SetEnabled(false);

  ln2 = &Panel3->Add<TLabel>("ln2");
  ln2->SetBounds(246, 64, 0, 0);
  ln2->SetCaption("Anzahl der St\xF6rche:");

  track = &Panel3->Add<TTrackBar>("track");
  track->SetBounds(360, 56, 180, 32);
  track->SetRange(0, 2);
  track->SetPosition(2);

  const char* const names[] = {"ln3", "ln4", "ln5"};
  const char* const captions[] = {"wenig", "normal", "viel"};
  TLabel** labels[] = {&ln3, &ln4, &ln5};
  for (int i = 0; i < 3; ++i) {
    TLabel& label = Panel3->Add<TLabel>(names[i]);
    label.SetCaption(captions[i]);
    label.SetBounds(track->Left() + track->TickX(i) - label.Width() / 2, track->Top() + track->Height() + 2, 0, 0);
    *labels[i] = &label;
  }

  vollbild = &Panel3->Add<TCheckBox>("vollbild");
  vollbild->SetBounds(488, 30, 100, 17);
  vollbild->SetCaption("Vollbild");
  vollbild->SetChecked(true);
  vollbild->SetVisible(false);
}

// Hidden until Start asks for an address; it lies over the start screen, in the middle.
void TForm1::CreateAddressDialog() {
  pAdresse = &pname->Add<TPanel>("pAdresse");
  pAdresse->SetBounds(90, 180, 460, 132);
  pAdresse->SetBevelOuter(TBevelCut::Raised);
  pAdresse->SetColor(clBtnFace);
  pAdresse->SetVisible(false);

  lAdresse = &pAdresse->Add<TLabel>("lAdresse");
  lAdresse->SetBounds(12, 12, 0, 0);
  lAdresse->SetCaption("Name oder IP-Adresse des anderen Computers (wahlweise mit :Port):");

  eAdresse = &pAdresse->Add<TMemo>("eAdresse");
  eAdresse->SetBounds(12, 32, 436, 28);
  eAdresse->SetFont(MakeFont("Arial", 12, clWindowText));
  eAdresse->SetMaxLength(MaxAddressLength);

  lAdresseHinweis = &pAdresse->Add<TLabel>("lAdresseHinweis");
  lAdresseHinweis->SetBounds(12, 68, 0, 0);

  bAdresseOK = &pAdresse->Add<TButton>("bAdresseOK");
  bAdresseOK->SetBounds(264, 94, 88, 26);
  bAdresseOK->SetCaption("OK");
  bAdresseOK->OnClick = [this](TControl&) { addressAnswer_ = DialogAnswer::Ok; };

  bAdresseAbbrechen = &pAdresse->Add<TButton>("bAdresseAbbrechen");
  bAdresseAbbrechen->SetBounds(360, 94, 88, 26);
  bAdresseAbbrechen->SetCaption("Abbrechen");
  bAdresseAbbrechen->OnClick = [this](TControl&) { addressAnswer_ = DialogAnswer::Cancel; };
}
