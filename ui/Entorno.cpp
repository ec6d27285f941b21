#include "Entorno.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "Diseno.h"

namespace {

// What Qt's Spanish translations leave in English that its file dialogs show: the kinds of
// entry in a folder, whose context Qt renamed after they were translated.
class TiposDeArchivo : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char*, int) const override {
        static constexpr std::pair<const char*, const char*> kTextos[] = {
            {"Folder", "Carpeta"},
            {"Drive", "Unidad"},
            {"Shortcut", "Acceso directo"},
            {"Unknown", "Desconocido"}};
        if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0) return {};
        for (const auto& [ingles, espanol] : kTextos)
            if (qstrcmp(texto, ingles) == 0) return QString::fromUtf8(espanol);
        return {};
    }
};

}  // namespace

void PrepararPrograma(const char* version) {
    QApplication::setApplicationName("cdv");
    QApplication::setApplicationVersion(version);
    TraducirQt();
    QApplication::setStyle(EstiloFormulario());
}

void TraducirQt() {
    if (qApp->findChild<QTranslator*>("TraduccionQt") != nullptr) return;
    auto* traduccion = new QTranslator(qApp);
    traduccion->setObjectName("TraduccionQt");
    if (traduccion->load(QLocale(QLocale::Spanish, QLocale::Spain), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(traduccion);
    }
    QCoreApplication::installTranslator(new TiposDeArchivo(traduccion));
}

void Avisar(QWidget* sobre, const QString& texto, const QString& titulo) {
    QWidget* activa = QApplication::activeWindow();
    QMessageBox cuadro(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok,
                       activa != nullptr ? activa : sobre);
    cuadro.setObjectName("CuadroMensaje");
    cuadro.exec();
}
