#pragma once

#include "core/Sistema.h"

#include <QString>

// The program-wide state that every window and print run shares.
namespace zelmora::corpo {

extern QString gEdition;            // "Freeware", shown in the main caption
extern QString gAppPath;            // the program folder, always ending in "/"
extern QString gIntestazioneStampa; // print heading from the settings
extern QString gStampanteTabulato;  // listing printer from the settings
extern bool gInterrompiStampa;      // interrupt request of the slip run

// The application title: "Zelmoravintesca", or "unwanted instance" for a copy started beside
// a running one that could not be reached.
extern QString AppTitle;
constexpr int AppMajor = 0;
constexpr int AppMinor = 1;
constexpr int AppRevision = 4;
QString versionText(); // "0.1.4"

extern RuoteList Ruote; // the wheels list

} // namespace zelmora::corpo
