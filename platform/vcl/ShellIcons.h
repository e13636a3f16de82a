#pragma once
// The desktop's file icons, standing in for the shell's system image lists: every folder and file type
// has a system icon index, and the icon of an index is drawn in the small or the large size.
//
// The icons come from the desktop's icon theme (the one the desktop has chosen while a display is open,
// else the toolkit's default theme), by the content type of the name: the desktop's folder icon for an
// existing folder, else the icon of the file type its name says. Nothing is read from the files named.
// Everything here runs on the GUI thread.

#include "platform/rtl/Strings.h"

namespace vcl {

class TCanvas;

// The first indexes are those of the platform's shell: a file of unknown type, a document, a program, a
// folder and an open folder. Further indexes are given out as new file types are asked for.
enum : int {
    SystemIconUnknownFile = 0,
    SystemIconDocument = 1,
    SystemIconProgram = 2,
    SystemIconFolder = 3,
    SystemIconOpenFolder = 4
};

// The system icon index for Name (a path, a folder, or a file name or bare extension such as ".pdf");
// a type the desktop does not know has the unknown file's icon. -1 for an empty name.
int SystemIconIndex(const String& Name);

// The icon size of the large or the small system image list (the system metrics of icons: 32 and 16).
int SystemIconSize(bool Large);

// Draws icon Index at (X, Y) of the canvas in Size x Size pixels, blended by its own transparency.
// False, drawing nothing, when there is no such index or the theme has no icon for it; with a null
// canvas it only says whether there is an icon to draw.
bool DrawSystemIcon(TCanvas* Canvas, int X, int Y, int Index, int Size);

} // namespace vcl
