// The user's settings: the windows' places and sizes and the association chosen, in the user's
// settings folder, as a file on every system (not the Windows registry).
#pragma once

#include <QSettings>
#include <optional>
#include <string>

// The settings file, looked at as any file read is: where it or its lock is no small regular
// file (a pipe, a device, a huge file), neither is read nor replaced, and the run keeps its
// settings to itself.
QSettings Ajustes();

// The association whose schedules new requests are priced by, as the user chose it: empty for
// the program's own; nothing when none was ever chosen.
std::optional<std::string> ColegioRecordado();
void RecordarColegio(const std::string& colegio);
