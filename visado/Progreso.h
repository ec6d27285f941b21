// Long work tells how far it has gone, and stops when told to.
#pragma once

#include <QtGlobal>
#include <functional>

namespace cdv {

// Told now and then the work done out of the whole; answers false to stop the work.
using Progreso = std::function<bool(qint64 hecho, qint64 total)>;

// Whether the work goes on: always, when nobody watches it.
inline bool Seguir(const Progreso& progreso, qint64 hecho, qint64 total) {
    return !progreso || progreso(hecho, total);
}

}  // namespace cdv
