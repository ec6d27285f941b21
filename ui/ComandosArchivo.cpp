#include "ComandosArchivo.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>

#include "Acerca.h"
#include "Ajustes.h"
#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "Impresion.h"
#include "Liquidacion.h"
#include "Lote.h"
#include "ProgresoEnVentana.h"
#include "TextoLocal.h"
#include "dlgRecuperar.h"

namespace {

const QString kFiltroArchivos = "Solicitudes de visado (*.cdv)";
// The fees changed by an opening that the message lists; the rest are in its details, up to
// a bound that keeps the box quick whatever the file.
constexpr qsizetype kCambiosALaVista = 20;
constexpr qsizetype kCambiosEnDetalle = 1000;

QString Nombre(const QString& ruta) {
    return QFileInfo(ruta).fileName();
}

// The first `cuantas` of `lineas`, then how many more there are.
QString Primeras(const QStringList& lineas, qsizetype cuantas, const QString& resto) {
    QString texto = lineas.mid(0, cuantas).join('\n');
    if (lineas.size() > cuantas) texto += '\n' + resto.arg(lineas.size() - cuantas);
    return texto;
}

}  // namespace

ComandosArchivo::ComandosArchivo(QWidget* ventana, DocumentoSolicitud& documento)
    : QObject(ventana), ventana_(ventana), documento_(documento) {}

bool ComandosArchivo::PuedeReemplazarse() {
    if (!documento_.SinGuardar()) return true;
    QMessageBox pregunta(QMessageBox::Warning, kTituloPrograma,
                         "La solicitud tiene cambios que no se han guardado. ¿Desea guardarlos?",
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, ventana_);
    pregunta.setObjectName("PreguntaGuardar");
    pregunta.setDefaultButton(QMessageBox::Save);
    pregunta.setEscapeButton(QMessageBox::Cancel);
    pregunta.button(QMessageBox::Save)->setText("&Guardar");
    pregunta.button(QMessageBox::Discard)->setText("&Descartar");
    pregunta.button(QMessageBox::Cancel)->setText("&Cancelar");
    TextoLlano(pregunta);
    switch (pregunta.exec()) {
        case QMessageBox::Save:
            return Guardar();  // goes on only once saved
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

// The progress goes before anything is asked or told of what was opened.
bool ComandosArchivo::AbrirArchivo(const QString& ruta) {
    DocumentoSolicitud::Apertura apertura;
    {
        ProgresoEnVentana progreso(ventana_, "Abriendo «" + Recortado(Nombre(ruta)) + "»…");
        apertura = documento_.Abrir(ruta, progreso.Progreso());
    }
    if (apertura.abierta) Recordar(ruta);
    return Abierta(apertura, "Las cuotas de «" + Recortado(Nombre(ruta)) + "»");
}

QStringList ComandosArchivo::Recientes() const {
    return Ajustes().value("recientes").toStringList();
}

void ComandosArchivo::Recordar(const QString& ruta) {
    QStringList recientes = Recientes();
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    recientes.removeAll(absoluta);
    recientes.prepend(absoluta);
    Ajustes().setValue("recientes", recientes.mid(0, kRecientes));
    emit recientesCambiados();
}

void ComandosArchivo::Olvidar(const QString& ruta) {
    QStringList recientes = Recientes();
    recientes.removeAll(ruta);
    Ajustes().setValue("recientes", recientes);
    emit recientesCambiados();
}

void ComandosArchivo::AbrirReciente(const QString& ruta) {
    if (!QFileInfo::exists(ruta)) {
        Olvidar(ruta);
        Informar(ventana_, QString("«%1» ya no está en «%2»: se quita de los archivos recientes.")
                               .arg(Recortado(Nombre(ruta)),
                                    Recortado(QDir::toNativeSeparators(QFileInfo(ruta).path()))));
        return;
    }
    if (PuedeReemplazarse()) AbrirArchivo(ruta);
}

bool ComandosArchivo::Abierta(const DocumentoSolicitud::Apertura& apertura, const QString& que) {
    if (!apertura.error.isEmpty()) Avisar(ventana_, apertura.error);
    if (!apertura.abierta) return false;
    if (!apertura.baremoDisponible) {
        AvisarBaremoAusente(apertura);  // before the request shows
        emit abierta();
        return true;
    }
    emit abierta();
    MostrarCambios(que, apertura.cambios);
    OfrecerBaremoVigente();
    return true;
}

void ComandosArchivo::AvisarBaremoAusente(const DocumentoSolicitud::Apertura& apertura) {
    const cdv::Baremo& vigente = documento_.Solicitud().Baremo();
    QString texto = QString(
                        "Esta solicitud se calculó con el baremo %1, que no está instalado. "
                        "Se ha calculado de nuevo con el baremo «%2», vigente desde el %3.")
                        .arg(Recortado(apertura.baremoRegistrado), Recortado(Qs(vigente.nombre)),
                             cdv::FechaDeVigencia(vigente));
    if (!apertura.otroSentido.isEmpty()) {
        texto +=
            "\n\nEstas referencias significan ahora otra cosa (marcadas con «(!)» en la "
            "lista):\n" +
            Primeras(apertura.otroSentido, kCambiosALaVista, "… y %1 más.");
    }
    texto += apertura.cambios.isEmpty()
                 ? QString("\n\nNinguna cuota cambia.")
                 : "\n\nCuotas que cambian:\n" +
                       Primeras(apertura.cambios, kCambiosALaVista, "… y %1 más.");
    QMessageBox aviso(QMessageBox::Warning, kTituloPrograma, texto, QMessageBox::Ok, ventana_);
    aviso.setObjectName("AvisoBaremoAusente");
    TextoLlano(aviso);
    aviso.exec();
}

void ComandosArchivo::MostrarCambios(const QString& que, const QStringList& cambios) {
    if (cambios.isEmpty()) return;
    const cdv::Baremo& vigente = documento_.Solicitud().Baremo();
    QMessageBox aviso(
        QMessageBox::NoIcon, "   Cuotas recalculadas",
        QString("%1 se han calculado de nuevo con el baremo «%2», vigente desde el "
                "%3 (%4 %5):\n")
                .arg(que, Recortado(Qs(vigente.nombre)), cdv::FechaDeVigencia(vigente))
                .arg(cambios.size())
                .arg(cambios.size() == 1 ? "cambio" : "cambios") +
            Primeras(cambios, kCambiosALaVista, "… y %1 más (véanse los detalles)."),
        QMessageBox::Ok, ventana_);
    aviso.setObjectName("CuadroMensaje");
    TextoLlano(aviso);
    if (cambios.size() > kCambiosALaVista)
        aviso.setDetailedText(Primeras(cambios, kCambiosEnDetalle, "… y %1 más."));
    aviso.exec();
}

void ComandosArchivo::Abrir() {
    if (!PuedeReemplazarse()) return;
    const QString inicio =
        documento_.Ruta().isEmpty() ? CarpetaInicial() : QFileInfo(documento_.Ruta()).path();
    const QString ruta = Elegido([&] {
        return QFileDialog::getOpenFileName(ventana_, "Abrir una solicitud", inicio,
                                            kFiltroArchivos);
    });
    if (!ruta.isEmpty()) AbrirArchivo(ruta);
}

bool ComandosArchivo::Guardar() {
    return documento_.RutaConfirmada() ? GuardarEn(documento_.Ruta()) : GuardarComo();
}

bool ComandosArchivo::GuardarComo() {
    const QString inicio = documento_.Ruta().isEmpty()
                               ? QDir(CarpetaInicial()).filePath(NombreParaGuardar() + ".cdv")
                               : documento_.Ruta();
    const QString ruta = ElegirDestino("Guardar la solicitud", inicio, kFiltroArchivos, "cdv");
    return !ruta.isEmpty() && GuardarEn(ruta);
}

// A file changed on disk since the request last opened or saved it is replaced only if the
// user says so.
bool ComandosArchivo::GuardarEn(const QString& ruta) {
    DocumentoSolicitud::Guardado guardado = documento_.Guardar(ruta);
    if (guardado == DocumentoSolicitud::Guardado::CambiadoEnDisco) {
        if (!Confirmar(ventana_, QString("«%1» ha cambiado en el disco desde que se abrió o se "
                                         "guardó por última vez. ¿Desea reemplazarlo por esta "
                                         "solicitud?")
                                     .arg(Recortado(Nombre(ruta)))))
            return false;
        guardado = documento_.Guardar(ruta, true);
    }
    if (guardado != DocumentoSolicitud::Guardado::Hecho) return false;
    Recordar(ruta);
    return true;
}

void ComandosArchivo::Recuperar() {
    const std::vector<SesionAnterior> sesiones = documento_.SesionesAnteriores();
    if (sesiones.empty()) {
        Informar(ventana_, "No hay ninguna sesión anterior que recuperar.");
        return;
    }
    dlgRecuperar dialogo(ventana_, sesiones,
                         [this](const QString& ruta) { return documento_.DescartarSesion(ruta); });
    if (dialogo.exec() != QDialog::Accepted || !PuedeReemplazarse()) return;
    DocumentoSolicitud::Apertura apertura;
    {
        ProgresoEnVentana progreso(ventana_, "Recuperando la sesión anterior…");
        apertura = documento_.Recuperar(dialogo.Elegida(), progreso.Progreso());
    }
    Abierta(apertura, "Las cuotas de la sesión recuperada");
}

void ComandosArchivo::OfrecerBaremoVigente() {
    const cdv::Baremo& solicitud = documento_.Solicitud().Baremo();
    const auto vigente = documento_.Vigente();
    if (solicitud.huella == vigente->huella) return;
    QMessageBox pregunta(QMessageBox::Question, kTituloPrograma,
                         QString("Esta solicitud se calculó con el baremo «%1», vigente desde el "
                                 "%2; hoy está en vigor «%3», desde el %4.")
                             .arg(Recortado(Qs(solicitud.nombre)), cdv::FechaDeVigencia(solicitud),
                                  Recortado(Qs(vigente->nombre)), cdv::FechaDeVigencia(*vigente)),
                         QMessageBox::NoButton, ventana_);
    pregunta.setObjectName("PreguntaBaremo");
    TextoLlano(pregunta);
    QPushButton* actualizar =
        pregunta.addButton("&Actualizar al baremo vigente", QMessageBox::AcceptRole);
    pregunta.setDefaultButton(pregunta.addButton("&Mantener", QMessageBox::RejectRole));
    pregunta.exec();
    if (pregunta.clickedButton() == actualizar) ActualizarBaremo();
}

// Says so when there is nothing to update, or when no fee changed.
void ComandosArchivo::ActualizarBaremo() {
    const auto vigente = documento_.Vigente();
    const QString cual = QString("el baremo vigente, «%1», desde el %2")
                             .arg(Recortado(Qs(vigente->nombre)), cdv::FechaDeVigencia(*vigente));
    if (documento_.Solicitud().Baremo().huella == vigente->huella) {
        Informar(ventana_,
                 "La solicitud ya se calcula con " + cual + ": no hay nada que actualizar.");
        return;
    }
    const DocumentoSolicitud::Apertura actualizacion = documento_.ActualizarBaremo();
    if (!actualizacion.abierta) return;
    if (actualizacion.cambios.isEmpty()) {
        Informar(ventana_, "La solicitud se calcula ahora con " + cual + "; ninguna cuota cambia.");
        return;
    }
    MostrarCambios("Las cuotas de la solicitud", actualizacion.cambios);
}

// Only a schedule that passes every check is installed, always under a .json name, the only
// files the program looks for.
void ComandosArchivo::InstalarBaremo() {
    const QString origen = Elegido([this] {
        return QFileDialog::getOpenFileName(ventana_, "Instalar un baremo", CarpetaInicial(),
                                            "Baremos (*.json);;Todos (*)");
    });
    if (origen.isEmpty()) return;
    const cdv::LecturaArchivo archivo = cdv::LeerArchivo(origen, cdv::kTamanoMaximoBaremo);
    const cdv::LecturaBaremo lectura = archivo.datos ? cdv::LeerBaremo(*archivo.datos)
                                                     : cdv::LecturaBaremo{nullptr, {archivo.error}};
    if (!lectura.baremo) {
        Advertir(ventana_, "No se instala el baremo «" + Recortado(Nombre(origen)) +
                               "», que tiene faltas:\n" +
                               Primeras(lectura.faltas, kCambiosALaVista, "… y %1 más."));
        return;
    }
    const QString destino = DestinoDeBaremo(*lectura.baremo, origen);
    if (destino.isEmpty()) return;
    cdv::CrearCarpetaPropia(QFileInfo(destino).path());
    if (const QString error = cdv::GuardarArchivo(destino, *archivo.datos); !error.isEmpty()) {
        Avisar(ventana_, QString("No se ha podido instalar «%1»: %2.").arg(destino, error));
        return;
    }
    documento_.CambiarBaremos(cdv::Baremos::Instalados());
    emit baremosCambiados();
    // Another association's is used once it is chosen.
    const std::string colegio = cdv::ClaveColegio(*lectura.baremo);
    const QString deOtro = colegio == documento_.Colegio()
                               ? QString(".")
                               : ", de " + Recortado(Qs(colegio)) +
                                     ". Se calcula con él al elegir su colegio en Principal → "
                                     "Colegio...";
    Informar(ventana_, QString("Se ha instalado el baremo «%1», vigente desde el %2")
                               .arg(Recortado(Qs(lectura.baremo->nombre)),
                                    cdv::FechaDeVigencia(*lectura.baremo)) +
                           deOtro);
    OfrecerBaremoVigente();
}

QString ComandosArchivo::DestinoDeBaremo(const cdv::Baremo& baremo, const QString& origen) {
    // Never a hidden name, which the folder's scan would not see.
    QString nombre = QFileInfo(origen).fileName();
    if (const qsizetype punto = nombre.lastIndexOf(u'.'); punto > 0) nombre.truncate(punto);
    while (nombre.startsWith(u'.')) nombre.remove(0, 1);
    if (nombre.isEmpty()) nombre = "baremo";
    QString destino = cdv::Baremos::CarpetaUsuario() + "/" + nombre + ".json";
    // One of the same date would tie with it, and both would be refused: it is replaced.
    QString instalado = Qs(baremo.nombre);
    for (const cdv::BaremoHallado& hallado : documento_.Baremos().Hallados()) {
        if (hallado.procedencia == cdv::Procedencia::Usuario &&
            hallado.vigenteDesde == baremo.vigenteDesde &&
            hallado.colegio == cdv::ClaveColegio(baremo)) {
            destino = hallado.ruta;
            instalado = Qs(hallado.nombre);
        }
    }
    if (!QFileInfo::exists(destino)) return destino;
    const bool reemplazar = Confirmar(
        ventana_,
        QString("Ya hay instalado un baremo «%1», vigente desde el %2, o un archivo "
                "«%3». ¿Desea reemplazarlo?")
            .arg(Recortado(instalado), cdv::FechaDeVigencia(baremo), Recortado(Nombre(destino))));
    return reemplazar ? destino : QString();
}

cdv::LiquidacionImpresa ComandosArchivo::Liquidacion() const {
    return cdv::Liquidacion(documento_.Solicitud().Contenido(), Nombre(documento_.Ruta()),
                            documento_.Hoy());
}

namespace {

// Every button of the preview's bar within reach on a small screen too: smaller icons where
// the bar would not fit, and the window as wide as the bar and as tall as the screen allows.
void BarraAlAlcance(QDialog& vista) {
    auto* barra = vista.findChild<QToolBar*>();
    const QScreen* pantalla = vista.screen();
    if (barra == nullptr || pantalla == nullptr) return;
    const int libre = pantalla->availableGeometry().width() - 32;
    if (barra->sizeHint().width() > libre) barra->setIconSize(QSize(16, 16));
    vista.resize(std::min(libre, std::max(libre * 2 / 3, barra->sizeHint().width() + 16)),
                 pantalla->availableGeometry().height() - 64);
}

}  // namespace

void ComandosArchivo::Imprimir() {
    QPrinter impresora;
    // "Imprimir a archivo" offers the name an export to PDF would.
    impresora.setDocName(QFileInfo(NombreSugerido("pdf")).completeBaseName());
    QPrintPreviewDialog vista(&impresora, ventana_);
    vista.setWindowTitle(kTituloLiquidacion);
    const cdv::LiquidacionImpresa liquidacion = Liquidacion();
    // Stopped, the preview closes rather than show a statement cut short.
    connect(&vista, &QPrintPreviewDialog::paintRequested, this,
            [this, &liquidacion, &vista](QPrinter* destino) {
                ProgresoEnVentana progreso(ventana_, "Preparando la liquidación…");
                if (!PintarLiquidacion(liquidacion, *destino, progreso.Progreso()))
                    QMetaObject::invokeMethod(&vista, &QDialog::reject, Qt::QueuedConnection);
            });
    BarraAlAlcance(vista);
    vista.exec();
}

// Beside the request's file and named after it, or, for a request never saved, after the
// statement and today's date: "Liquidación CDV 07-12-2026.pdf".
QString ComandosArchivo::NombreSugerido(const QString& sufijo) const {
    const QFileInfo archivo(documento_.Ruta());
    const QString nombre = documento_.Ruta().isEmpty()
                               ? "Liquidación CDV " + documento_.Hoy().toString("dd-MM-yyyy")
                               : archivo.completeBaseName();
    const QString carpeta = documento_.Ruta().isEmpty() ? CarpetaInicial() : archivo.path();
    return QDir(carpeta).filePath(nombre + "." + sufijo);
}

QString ComandosArchivo::NombreParaGuardar() const {
    const cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    QString nombre = solicitud.Expediente().trimmed();
    if (nombre.isEmpty()) nombre = solicitud.Trabajo().trimmed();
    // No character a file's name cannot hold on some system, nor a hidden name.
    static const QRegularExpression kImpropios(R"([\\/:*?"<>|\x00-\x1f])");
    nombre = nombre.replace(kImpropios, "-").left(100).trimmed();
    while (nombre.startsWith(u'.')) nombre.remove(0, 1);
    return nombre.isEmpty() ? "Solicitud CDV " + documento_.Hoy().toString("dd-MM-yyyy") : nombre;
}

QString ComandosArchivo::CarpetaInicial() {
    const QString usada = Ajustes().value("carpeta").toString();
    if (!usada.isEmpty() && QFileInfo(usada).isDir()) return usada;
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documentos).isDir() ? documentos : QDir::homePath();
}

QString ComandosArchivo::Elegido(const std::function<QString()>& dialogo) {
    QString ruta;
    {
        const SinEstadoDeQt sinEstado;
        ruta = dialogo();
    }
    if (!ruta.isEmpty()) Ajustes().setValue("carpeta", QFileInfo(ruta).absolutePath());
    return ruta;
}

// The file the user chooses to write, given `sufijo` when typed without one; empty when the
// user gives up, or will not replace a file that the suffix turned out to name.
QString ComandosArchivo::ElegirDestino(const QString& titulo, const QString& inicio,
                                       const QString& filtro, const QString& sufijo) {
    QString ruta =
        Elegido([&] { return QFileDialog::getSaveFileName(ventana_, titulo, inicio, filtro); });
    if (ruta.isEmpty() || !QFileInfo(ruta).suffix().isEmpty()) return ruta;
    ruta += "." + sufijo;
    const bool reemplazar =
        !QFileInfo::exists(ruta) ||
        Confirmar(ventana_, QString("Ya existe «%1». ¿Desea reemplazarlo?").arg(Recortado(ruta)));
    return reemplazar ? ruta : QString();
}

// Asks where to write an export and writes what `datos` makes of the request; a failure says
// why. Stopped, it writes nothing and leaves any file there as it was.
void ComandosArchivo::Exportar(
    const QString& titulo, const QString& filtro, const QString& sufijo,
    const std::function<std::optional<QByteArray>(const cdv::Progreso&)>& datos) {
    const QString ruta = ElegirDestino(titulo, NombreSugerido(sufijo), filtro, sufijo);
    if (ruta.isEmpty()) return;
    std::optional<QByteArray> contenido;
    {
        ProgresoEnVentana progreso(ventana_, "Exportando «" + Nombre(ruta) + "»…");
        contenido = datos(progreso.Progreso());
    }
    if (!contenido) return;
    if (const QString error = cdv::GuardarArchivo(ruta, *contenido); !error.isEmpty()) {
        Avisar(ventana_, QString("No se ha podido exportar «%1»: %2.").arg(ruta, error));
    }
}

void ComandosArchivo::ExportarPdf() {
    Exportar(
        "Exportar a PDF", "Documentos PDF (*.pdf)", "pdf",
        [this](const cdv::Progreso& progreso) { return LiquidacionPdf(Liquidacion(), progreso); });
}

void ComandosArchivo::ExportarCsv() {
    Exportar("Exportar a hoja de cálculo", "Hojas de cálculo (*.csv)", "csv",
             [this](const cdv::Progreso& progreso) {
                 return cdv::LiquidacionCsv(documento_.Solicitud().Contenido(), documento_.Hoy(),
                                            progreso);
             });
}
