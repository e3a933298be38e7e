#pragma once

#include <QString>

// Who the program is: its title, edition and version. The program folder, the settings and
// the wheels are not kept here: the main window hands them to the windows that use them.
namespace zelmora::corpo {

// The title and edition of one running program, kept by the program's owner.
struct Identity
{
    // The application title: "Zelmoravintesca", or "unwanted instance" for a copy started
    // beside a running one that could not be reached.
    QString AppTitle = QStringLiteral("Zelmoravintesca");
    QString gEdition; // "Freeware", shown in the main caption
};
// The project's version, as the build sets it.
constexpr int AppMajor = ZELMORA_VERSION_MAJOR;
constexpr int AppMinor = ZELMORA_VERSION_MINOR;
constexpr int AppRevision = ZELMORA_VERSION_PATCH;
QString versionText(); // "major.minor.revision", such as "0.1.4"

} // namespace zelmora::corpo
