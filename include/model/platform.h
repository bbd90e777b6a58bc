#ifndef SORTIVANE_PLATFORM_H
#define SORTIVANE_PLATFORM_H

#include <QString>

#include <cstdio>
#include <memory>

class QIODevice;

// What differs between Windows and the other platforms, each behind one name,
// so that the rest of the program reads the same everywhere.
namespace platform
{
// Where Qt's own Russian texts are: beside Qt on Linux, inside the program on
// Windows, where no Qt is installed.
QString qtTranslationsFolder();

// Before the application exists: the offscreen platform on Windows looks
// for fonts in a folder beside Qt, which no installed program has, and warns
// that it is missing. The program brings its own fonts as resources, so the
// platform is pointed there; elsewhere nothing changes.
void useOwnFontsOffscreen();

// Whether a window program started here has no graphical session to show
// its windows in: on Linux neither DISPLAY nor WAYLAND_DISPLAY is set and no
// platform was chosen. Never on Windows.
bool lacksGraphicalSession();

// A device that writes the text of stdout or stderr (stream_p), given as
// UTF-8. On a Windows console it goes through the console's wide-character
// call, so that cmd.exe and PowerShell show Cyrillic whatever their code
// page; redirected, or on other platforms, the UTF-8 bytes are written as
// they are.
std::unique_ptr< QIODevice > openStandardStream( FILE* stream_p );
}

#endif
