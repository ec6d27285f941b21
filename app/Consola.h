// What the program writes on its standard output and standard error, the same on every system.
#pragma once

#include <QByteArrayView>
#include <QString>

enum class Flujo { Salida, Errores };

// Writes `utf8` on `flujo`: to a console as wide characters, which it shows in its own code
// page (Windows); to a file or a pipe, the bytes as they are. Answers whether all was written.
bool Escribir(Flujo flujo, QByteArrayView utf8);

inline bool Escribir(Flujo flujo, const QString& texto) {
    return Escribir(flujo, QByteArrayView(texto.toUtf8()));
}

// A message of the program's on standard error, a line: "cdv: " and `aviso`.
inline void Avisar(const QString& aviso) {
    Escribir(Flujo::Errores, "cdv: " + aviso + "\n");
}

// Run from a console without handles of its own (a windowed program started in cmd on
// Windows), writes in its parent's console from then on; elsewhere does nothing.
void EscribirEnLaConsolaDelPadre();
