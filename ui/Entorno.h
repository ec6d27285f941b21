// What the windows take from the platform: text conversion, the user's number conventions
// and the message box through which the schedule speaks.
#pragma once

#include "TextoLocal.h"

class QWidget;

// What the program sets for itself before its first window: its name and version (which
// name its data folder), Qt's own texts in Spanish and the forms' style for all its widgets.
void PrepararPrograma(const char* version);

// Qt's own texts (standard buttons, the file dialog, the print preview, the command line's
// help) in the program's language, Spanish, from Qt's translations; once.
void TraducirQt();

// Routes the schedule's messages to a modal box with one OK button and no icon, over the
// active window (or `principal`); RetirarCuadroDeMensajes restores the default.
void InstalarCuadroDeMensajes(QWidget* principal);
void RetirarCuadroDeMensajes();
