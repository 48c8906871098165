// Leaving the program: the settings are saved, the display is given back, the form closes.

#include "Haupt.h"
#include "lib/network/VXGNetwork.h"

void TForm1::SaveSettings() {
  Settings.NetworkChecked = cbNetz->Checked() ? 1 : 0;
  Settings.DoubledChecked = cbdoppelt->Checked() ? 1 : 0;
  Settings.ConnectionIndex = lbd->ItemIndex();
  Settings.TrackPosition = track->Position();
  Settings.LastPlayerName.Set(eName->Text());
  ::SaveSettings(Settings, SettingsFileName);
}

void TForm1::SaveAndQuit() {
  SaveSettings();
  Assets.BackBuffer.reset();
  Assets.Primary.reset();
  Assets.Graphics.reset();
  Close();
}

void TForm1::FormDestroy(TControl& /*Sender*/) {
  if (Net.NetworkGame && Net.Network) Net.Network->LeaveSession();
  Net.Network.reset();
}
