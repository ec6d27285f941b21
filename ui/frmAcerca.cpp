#include "frmAcerca.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <string_view>

#include "Acerca.h"
#include "Diseno.h"

namespace {

// The values' grey, dark enough to read on white (contrast above 4.5 to 1).
const QColor kGrisValor(110, 110, 110);

struct Rotulo {
    int indice;
    bool esValor;  // values in grey, headings in dark red
    QString texto;
    QRect zona;
    bool web = false;  // shown only when there is an address to show
};

}  // namespace

frmAcerca::frmAcerca(QWidget* principal, const QString& vigenteDesde, const QString& colegio)
    : QWidget(principal, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("frmAcerca");
    setWindowTitle(QString("   Acerca de ") + kNombrePrograma);
    setAttribute(Qt::WA_DeleteOnClose);
    EstiloDeVentana(this);
    // The association's row, when there is one (up to three lines), makes the form taller
    // below the schedule's date.
    const int bajar = colegio.isEmpty() ? 0 : 840;  // twips
    TamanoFijo(this, 6060, 3945 + bajar);

    auto* imagen = new QLabel(this);
    imagen->setObjectName("Picture1");
    imagen->setGeometry(Twips(240, 420, 855, 450));
    imagen->setPixmap(Imagen(":/cdv/acerca.gif"));
    imagen->setAccessibleName("Logotipo");

    // Label1(0) and Label1(5) hold the values of "Título" and "Propietario". The schedule's
    // date says what it is, so that it is not read as the program's age.
    const Rotulo rotulos[] = {
        {1, false, "Título", Twips(1350, 450, 1215, 285)},
        {0, true, kNombrePrograma, Twips(2040, 450, 3800, 255)},
        {2, false, "Ver.", Twips(1350, 1080, 795, 285)},
        {3, true, kAcercaVersion, Twips(1800, 1080, 705, 255)},
        {12, false, "Licencia", Twips(2700, 1080, 900, 285)},
        {13, true, "MIT", Twips(3570, 1080, 600, 255)},
        {4, false, "Propietario", Twips(1350, 1395, 1215, 285)},
        {5, true, kAcercaPropietario, Twips(2490, 1395, 3350, 255)},
        {14, false, "Compilado el", Twips(1350, 1710, 1500, 285)},
        {15, true, kAcercaCompilado, Twips(2880, 1710, 1500, 255)},
        {10, false, "Web", Twips(1350, 1980, 585, 285), true},
        {11, true, kAcercaWeb, Twips(1950, 1980, 3890, 255), true},
        {6, false, "Programado por", Twips(1350, 2310, 1695, 285)},
        {7, true, kAcercaAutor, Twips(2880, 2310, 2960, 255)},
        {8, false, "Baremo vigente desde", Twips(1350, 2640, 2400, 285)},
        {9, true, vigenteDesde, Twips(3780, 2640, 1125, 255)},
        {16, false, "Colegio", Twips(1350, 2970, 1215, 285)},
        {17, true, colegio, Twips(2490, 2970, 3350, 765)},
    };
    QFont letra(QStringLiteral("Arial"));
    letra.setPointSizeF(9.75);
    for (const auto& r : rotulos) {
        if (r.web && std::string_view(kAcercaWeb).empty()) continue;
        if (r.indice >= 16 && colegio.isEmpty()) continue;
        // With the association's row below them, the author and the schedule's date go up.
        const int subir = colegio.isEmpty()                  ? 0
                          : (r.indice == 6 || r.indice == 7) ? Px(60)
                          : (r.indice == 8 || r.indice == 9) ? Px(150)
                                                             : 0;
        QLabel* etiqueta = CrearEtiqueta(this, NombreIndexado("Label1", r.indice), r.texto,
                                         r.zona.translated(0, -subir));
        if (r.indice == 17) {  // a long name on as many lines as it takes, from the top
            etiqueta->setWordWrap(true);
            etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            etiqueta->setToolTip(colegio);
        }
        etiqueta->setFont(letra);
        Colorear(etiqueta, r.esValor ? kGrisValor : QColor(192, 0, 0));
    }

    auto* linea = new QFrame(this);
    linea->setObjectName(NombreIndexado("Line1", 1));
    linea->setGeometry(Px(240), Px(3120 + bajar), Px(5804) - Px(240), 1);
    linea->setFrameShape(QFrame::HLine);
    QPalette gris = linea->palette();
    gris.setColor(QPalette::WindowText, QColor(128, 128, 128));
    linea->setPalette(gris);

    QPushButton* aceptar =
        CrearBoton(this, "Command1", "Aceptar", Twips(4470, 3360 + bajar, 1245, 345));
    connect(aceptar, &QPushButton::clicked, this, &QWidget::close);
    aceptar->setFocus();
}

void frmAcerca::keyPressEvent(QKeyEvent* evento) {
    const int tecla = evento->key();
    if (evento->modifiers() == Qt::NoModifier &&
        (tecla == Qt::Key_Escape || tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}
