#include "ProgresoEnVentana.h"

#include <QCoreApplication>
#include <limits>

#include "Acerca.h"
#include "Diseno.h"

namespace {

// The work shorter than this goes without the dialog.
constexpr qint64 kAntesDeMostrar = 500;
// How often the dialog is drawn again and answers the user, in milliseconds.
constexpr qint64 kEntreVistas = 40;
constexpr int kPasos = 1000;

}  // namespace

ProgresoEnVentana::ProgresoEnVentana(QWidget* ventana, const QString& texto)
    : dialogo_(texto, "Cancelar", 0, kPasos, ventana) {
    dialogo_.setObjectName("dlgProgreso");
    dialogo_.setWindowTitle(kTituloPrograma);
    dialogo_.setWindowModality(Qt::ApplicationModal);
    dialogo_.setAutoReset(false);
    dialogo_.setAutoClose(false);
    // Shown here when the time comes, not by the dialog's own guess of what is left.
    dialogo_.setMinimumDuration(std::numeric_limits<int>::max());
    dialogo_.hide();
    desdeElInicio_.start();
    desdeLaUltima_.start();
}

cdv::Progreso ProgresoEnVentana::Progreso() {
    return [this](qint64 hecho, qint64 total) { return Seguir(hecho, total); };
}

bool ProgresoEnVentana::Seguir(qint64 hecho, qint64 total) {
    if (dialogo_.wasCanceled()) return false;
    if (desdeLaUltima_.elapsed() < kEntreVistas) return true;
    desdeLaUltima_.start();
    if (!dialogo_.isVisible()) {
        if (desdeElInicio_.elapsed() < kAntesDeMostrar) return true;
        dialogo_.show();
    }
    dialogo_.setValue(total > 0 ? int(hecho * kPasos / total) : 0);
    QCoreApplication::processEvents();
    return !dialogo_.wasCanceled();
}
