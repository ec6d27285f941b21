#include "SelectorColegio.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QSettings>
#include <algorithm>

#include "Acerca.h"
#include "Ajustes.h"
#include "ArchivoBaremo.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"

namespace {

constexpr double kLetraCabecera = 14.25, kLetraCabeceraLarga = 10;

}  // namespace

SelectorColegio::SelectorColegio(QWidget* ventana, DocumentoSolicitud& documento, QLabel* cabecera,
                                 const QString& fija)
    : QObject(ventana), ventana_(ventana), documento_(documento), cabecera_(cabecera), fija_(fija) {
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::baremoCambiado, this,
            &SelectorColegio::MostrarCabecera);
    MostrarCabecera();
}

QString SelectorColegio::Nombre(const std::string& colegio) {
    return colegio.empty() ? QString(kAcercaPropietario) : Qs(colegio);
}

void SelectorColegio::AlEmpezar() {
    const std::vector<std::string> colegios = documento_.Baremos().Colegios();
    const std::optional<std::string> recordado = ColegioRecordado();
    if (recordado && std::find(colegios.begin(), colegios.end(), *recordado) != colegios.end()) {
        documento_.ElegirColegio(*recordado);
        return;
    }
    if (colegios.size() > 1) AlMostrarse(ventana_, [this] { Elegir(); });
}

void SelectorColegio::Elegir() {
    documento_.Baremos().LeerTodos();  // an association whose every schedule is refused is none
    const std::vector<std::string> colegios = documento_.Baremos().Colegios();
    QStringList nombres;
    for (const std::string& colegio : colegios) nombres << Nombre(colegio);
    QInputDialog dialogo(ventana_);
    dialogo.setObjectName("dlgColegio");
    dialogo.setWindowTitle(QString("   ") + kNombrePrograma);
    dialogo.setLabelText("Colegio con cuyo baremo se calculan las solicitudes nuevas:");
    dialogo.setComboBoxItems(nombres);
    dialogo.setComboBoxEditable(false);
    dialogo.setTextValue(Nombre(documento_.Colegio()));
    dialogo.setOkButtonText("Aceptar");
    dialogo.setCancelButtonText("Cancelar");
    if (dialogo.exec() != QDialog::Accepted) return;
    const auto elegido = nombres.indexOf(dialogo.textValue());
    if (elegido < 0) return;
    const std::string& colegio = colegios[static_cast<std::size_t>(elegido)];
    RecordarColegio(colegio);
    documento_.ElegirColegio(colegio);
    MostrarCabecera();
}

// The association of the request shown, in the heading's letter where it fits on its line,
// otherwise smaller, on two lines; the program's own heading for its own.
void SelectorColegio::MostrarCabecera() {
    const cdv::Baremo& baremo = documento_.Solicitud().Baremo();
    const QString texto = baremo.colegio.empty() ? fija_ : cdv::NombreColegio(baremo);
    QFont letra = cabecera_->font();
    letra.setPointSizeF(kLetraCabecera);
    const bool cabe = QFontMetrics(letra).horizontalAdvance(texto) < cabecera_->width();
    if (!cabe) letra.setPointSizeF(kLetraCabeceraLarga);
    cabecera_->setFont(letra);
    cabecera_->setWordWrap(!cabe);
    cabecera_->setText(texto);
    cabecera_->setToolTip(baremo.colegio.empty() ? QString() : texto);
}
