// What the windows take from the platform: text conversion, the user's number conventions
// and the message box through which the schedule speaks.
#pragma once

#include "TextoLocal.h"

class QWidget;

// Routes the schedule's messages to a modal box with one OK button and no icon, over the
// active window (or `principal`); RetirarCuadroDeMensajes restores the default.
void InstalarCuadroDeMensajes(QWidget* principal);
void RetirarCuadroDeMensajes();
