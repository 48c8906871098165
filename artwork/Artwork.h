#pragma once
// Every part of the game data, each drawn or synthesised by its own module.

#include "DataWriter.h"

namespace artwork {

void MakeNumbers(DataWriter& out);      // cdu\0.bmp .. cdu\11.bmp
void MakeCartridges(DataWriter& out);   // cdu\patron.bmp, cdu\p_1.bmp .. p_8.bmp
void MakeSights(DataWriter& out);       // cdu\kalib.bmp, cdu\akalib1.bmp .. akalib3.bmp
void MakeStorks(DataWriter& out);       // animf\ flying and falling storks
void MakeGroundFigure(DataWriter& out); // ani2\g1_*, g2_*, g3_*
void MakePlane(DataWriter& out);        // ani2\flieger, rflieger, banner*, rbanner*
void MakeScenery(DataWriter& out);      // cdu\tsGJ.bmp and their hit masks ps\tsGJ.bmp
void MakeScreens(DataWriter& out);      // title, palette source, captions and prompts
void MakeStartScreen(DataWriter& out);  // start\ logo, emblem and background
void MakeSounds(DataWriter& out);       // ps\*.wav

}  // namespace artwork
