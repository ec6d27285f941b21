// What the windows take from the platform: text conversion, the user's number conventions,
// the program's own setting up and its message box.
#pragma once

#include "TextoLocal.h"

class QMessageBox;
class QWidget;

// What the program sets for itself before its first window: its name and version (which
// name its data folder), Qt's own texts in Spanish and the forms' style for all its widgets.
void PrepararPrograma(const char* version);

// Qt's own texts (standard buttons, the file dialog, the print preview, the command line's
// help) in the program's language, Spanish, from Qt's translations; once.
void TraducirQt();

inline constexpr char kTituloError[] = "   ERROR";

// How much of a whole message shows: beyond that, "…" (what it quotes, cdv::Recortado).
inline constexpr qsizetype kLargoMensaje = 4000;
using cdv::Recortado;

// Tells the user `texto` in a modal box titled `titulo`, with one OK button and no icon, over
// the program's active window (or `sobre`); returns once the user has acknowledged it. The
// text is shown as plain text, never as markup, and bounded.
void Avisar(QWidget* sobre, const QString& texto, const QString& titulo = kTituloError);
// The same for a message that tells how things stand (information) or what to mind (a
// warning), with its icon and the program's title.
void Informar(QWidget* sobre, const QString& texto);
void Advertir(QWidget* sobre, const QString& texto);
// Asks `texto`, to be answered Sí or Cancelar (the default); answers whether it was Sí.
bool Confirmar(QWidget* sobre, const QString& texto);
// Makes a message box show its texts as plain text, its main text bounded.
void TextoLlano(QMessageBox& cuadro);
