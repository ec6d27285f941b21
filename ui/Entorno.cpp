#include "Entorno.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <mutex>

#include "Acerca.h"
#include "Diseno.h"

namespace {

// Qt's own texts in Spanish: Qt's translations, read at the first text Qt asks for that
// this class does not answer itself (none is asked for before the main window's first
// frame). It answers the direction of the language's text, which Qt asks as the translator
// is installed, and the kinds of entry in a folder that Qt's file dialogs show, which its
// translations leave in English under a context Qt renamed after they were translated.
class TraduccionQt : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* texto, const char* desambiguacion,
                      int numero) const override {
        if (qstrcmp(contexto, "QAbstractFileIconProvider") == 0) return TipoDeArchivo(texto);
        if (qstrcmp(texto, "QT_LAYOUT_DIRECTION") == 0) return QStringLiteral("LTR");
        std::call_once(leida_, [this] {
            // Inside the program where it carries them (Windows), otherwise Qt's own; without
            // either, Qt's texts stay in English.
            const QLocale espanol(QLocale::Spanish, QLocale::Spain);
            (void)(qtbase_.load(espanol, "qtbase", "_", ":/traducciones") ||
                   qtbase_.load(espanol, "qtbase", "_",
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        });
        return qtbase_.translate(contexto, texto, desambiguacion, numero);
    }

  private:
    static QString TipoDeArchivo(const char* texto) {
        static constexpr std::pair<const char*, const char*> kTextos[] = {
            {"Folder", "Carpeta"},
            {"Drive", "Unidad"},
            {"Shortcut", "Acceso directo"},
            {"Unknown", "Desconocido"}};
        for (const auto& [ingles, espanol] : kTextos)
            if (qstrcmp(texto, ingles) == 0) return QString::fromUtf8(espanol);
        return {};
    }

    mutable std::once_flag leida_;  // Qt may ask from any thread
    mutable QTranslator qtbase_;
};

}  // namespace

void PrepararPrograma(const char* version) {
    QApplication::setApplicationName("cdv");
    QApplication::setApplicationVersion(version);
    // The forms' and the statement's face where there is no Arial: its metric twin, so that
    // every line lays out as with Arial (Linux's fontconfig does the same).
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    TraducirQt();
    QApplication::setStyle(EstiloFormulario());
}

void TraducirQt() {
    if (qApp->findChild<QTranslator*>("TraduccionQt") != nullptr) return;
    auto* traduccion = new TraduccionQt(qApp);
    traduccion->setObjectName("TraduccionQt");
    QCoreApplication::installTranslator(traduccion);
}

void TextoLlano(QMessageBox& cuadro) {
    cuadro.setTextFormat(Qt::PlainText);
    cuadro.setText(Recortado(cuadro.text(), kLargoMensaje));
}

namespace {

void Mostrar(QWidget* sobre, const QString& texto, const QString& titulo, QMessageBox::Icon icono) {
    QWidget* activa = QApplication::activeWindow();
    QMessageBox cuadro(icono, titulo, texto, QMessageBox::Ok, activa != nullptr ? activa : sobre);
    cuadro.setObjectName("CuadroMensaje");
    TextoLlano(cuadro);
    cuadro.exec();
}

}  // namespace

void Avisar(QWidget* sobre, const QString& texto, const QString& titulo) {
    Mostrar(sobre, texto, titulo, QMessageBox::NoIcon);
}

void Informar(QWidget* sobre, const QString& texto) {
    Mostrar(sobre, texto, kTituloPrograma, QMessageBox::Information);
}

void Advertir(QWidget* sobre, const QString& texto) {
    Mostrar(sobre, texto, kTituloPrograma, QMessageBox::Warning);
}

bool Confirmar(QWidget* sobre, const QString& texto) {
    QMessageBox pregunta(QMessageBox::Question, kTituloPrograma, texto,
                         QMessageBox::Yes | QMessageBox::Cancel, sobre);
    pregunta.setDefaultButton(QMessageBox::Cancel);
    TextoLlano(pregunta);
    return pregunta.exec() == QMessageBox::Yes;
}
