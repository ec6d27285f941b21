// A long session of seeded random user actions against the real windows. After every action
// a small model of its own checks that every parallel store is in step, that each total is
// the exact sum of its lines, and that every shown fee is what the rules give for what the
// boxes show. A failure prints the seed and the shortest list of actions that still fails.
#include <QClipboard>
#include <random>

#include "Banco.h"
#include "Cuotas.h"
#include "Descuentos.h"
#include "Entorno.h"
#include "Mensajes.h"
#include "MisFunciones.h"

namespace {

enum class Tipo {
    Elegir,
    Teclear,
    Pegar,
    AnadirTD,
    AnadirTT,
    Opcion,
    Eliminar,
    Hecho,
    Ocultar,
    Reabrir
};

struct Accion {
    Tipo tipo;
    int a = 0, b = 0;  // selector / row, side, group / option, window / line
    QString texto;

    QString Describir() const;
};

const char* const kSelectores[] = {"cbbRefTD", "cbbDesTD", "cbbRefTT", "cbbDesTT"};
const char* const kCantidades[] = {"txtCantidadTD", "txtCantidadTT"};
const char* const kResumenes[] = {"frmTotalesTD", "frmTotalesTT"};
const char* const kMenus[] = {"mnuCDV", "mnuProyecto"};

QString Accion::Describir() const {
    const QString corto = texto.size() > 40 ? texto.left(37) + "..." : texto;
    switch (tipo) {
        case Tipo::Elegir:
            return QString("elegir la fila %1 en %2").arg(b).arg(kSelectores[a]);
        case Tipo::Teclear:
            return QString("teclear \"%1\" en %2").arg(corto, kCantidades[a]);
        case Tipo::Pegar:
            return QString("pegar \"%1\" en %2").arg(corto, kCantidades[a]);
        case Tipo::AnadirTD:
            return "Añadir (documento)";
        case Tipo::AnadirTT:
            return "Añadir (trabajo)";
        case Tipo::Opcion:
            return QString("opción %1 del grupo %2").arg(b).arg(a);
        case Tipo::Eliminar:
            return QString("Eliminar la línea %1 de %2").arg(b).arg(kResumenes[a]);
        case Tipo::Hecho:
            return "Hecho";
        case Tipo::Ocultar:
            return QString("cerrar %1").arg(kResumenes[a]);
        case Tipo::Reabrir:
            return QString("menú %1").arg(kMenus[a]);
    }
    return {};
}

QString TextoAlAzar(std::mt19937& azar) {
    static const QStringList kFijos = {
        "1",     "300",  "1.500,5",     "100000", "2,5e6", "-3",    "0",    "12a",
        "",      ",",    "-",           "inf",    "nan",   "1e39",  "0x10", " 7 ",
        "1e-50", "\x01", "99999999999", "3,4e38", "1.",    "1.500,"};
    if (azar() % 3) return kFijos[static_cast<int>(azar() % kFijos.size())];
    static const QString kLetras = "0123456789012345678.,-+eE a";
    QString texto;
    for (int n = static_cast<int>(azar() % 12); n > 0; --n)
        texto += kLetras[static_cast<int>(azar() % kLetras.size())];
    if (azar() % 40 == 0) texto = QString(10'000, '7');
    return texto;
}

std::vector<Accion> Guion(unsigned semilla, int acciones) {
    std::mt19937 azar(semilla);
    std::vector<Accion> guion;
    const auto entre = [&](int n) { return static_cast<int>(azar() % static_cast<unsigned>(n)); };
    while (static_cast<int>(guion.size()) < acciones) {
        switch (entre(20)) {
            case 0:
            case 1:
            case 2:
            case 3: {
                // Rows by number; project documents often, so that projects get composed.
                static const int kProyectos[] = {4, 33, 38, 39, 41, 44};
                const int selector = entre(4);
                const int fila = selector >= 2 ? 1 + entre(39)
                                 : entre(2)    ? kProyectos[entre(6)]
                                               : 1 + entre(49);
                guion.push_back({Tipo::Elegir, selector, fila, {}});
                break;
            }
            case 4:
            case 5:
            case 6:
                guion.push_back({Tipo::Teclear, entre(2), 0, TextoAlAzar(azar)});
                break;
            case 7:
                guion.push_back({Tipo::Pegar, entre(2), 0, TextoAlAzar(azar)});
                break;
            case 8:
            case 9:
                guion.push_back({Tipo::AnadirTD, 0, 0, {}});
                break;
            case 10:
            case 11:
                guion.push_back({Tipo::AnadirTT, 0, 0, {}});
                break;
            case 12:
                guion.push_back({Tipo::Opcion, entre(2), entre(4), {}});
                break;
            case 13:
            case 14:
                guion.push_back({Tipo::Eliminar, entre(2), entre(5) - 1, {}});
                break;
            case 15:
            case 16:
                guion.push_back({Tipo::Hecho, 0, 0, {}});
                break;
            case 17:
                guion.push_back({Tipo::Ocultar, entre(2), 0, {}});
                break;
            default:
                guion.push_back({Tipo::Reabrir, entre(2), 0, {}});
                break;
        }
    }
    return guion;
}

// What the model expects: the rows picked, the discount options chosen, and the fee texts
// of the lines of each store.
struct Modelo {
    int filaTT = 0, filaTD = 0;
    int opcionP = 0, opcionPB = 0;
    QStringList cuotasTT, refsTT, cantidadesTT, cuotasTD;
};

class Sesion {
  public:
    Sesion() {
        cdv::InstalarServicioMensajes([this](std::string_view, std::string_view) { ++mensajes_; });
    }

    // Runs the actions; answers the first failure, as "action k: what".
    QString Jugar(const std::vector<Accion>& guion) {
        for (std::size_t k = 0; k < guion.size(); ++k) {
            Hacer(guion[k]);
            if (const QString fallo = Comprobar(); !fallo.isEmpty()) {
                return QString("acción %1 %2: %3").arg(k).arg(guion[k].Describir(), fallo);
            }
        }
        return {};
    }

  private:
    const cdv::Separadores kEs{",", "."};

    QWidget* Resumen(int i) { return b_.ventana(kResumenes[i]); }
    bool Visible(QWidget* w) { return w != nullptr && w->isVisible(); }

    void Hacer(const Accion& a) {
        switch (a.tipo) {
            case Tipo::Elegir: {
                // Onto the entry from its neighbour with an arrow key, as a keyboard user picks.
                QComboBox* c = b_.selector(kSelectores[a.a]);
                const int entrada = c->findData(a.b);
                c->setCurrentIndex(entrada == 0 ? 1 : entrada - 1);
                QTest::keyClick(c, entrada == 0 ? Qt::Key_Up : Qt::Key_Down);
                (a.a < 2 ? m_.filaTD : m_.filaTT) = a.b;
                break;
            }
            case Tipo::Teclear:
            case Tipo::Pegar: {
                QLineEdit* caja = b_.caja(kCantidades[a.a]);
                if (!caja->isVisible()) break;
                caja->setFocus();
                QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
                if (a.tipo == Tipo::Pegar) {
                    QApplication::clipboard()->setText(a.texto);
                    QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
                } else {
                    QTest::keyClick(caja, Qt::Key_Backspace);
                    Teclear(caja, a.texto);
                }
                break;
            }
            case Tipo::AnadirTD:
                Anadir(true);
                break;
            case Tipo::AnadirTT:
                Anadir(false);
                break;
            case Tipo::Opcion: {
                const char* grupo = a.a == 0 ? "otbProyecto(%1)" : "otbProyectoBasico(%1)";
                const int opcion = a.a == 0 ? a.b : a.b % 3;
                auto* boton = b_.principal().findChild<QRadioButton*>(QString(grupo).arg(opcion));
                if (!boton->isVisible()) break;
                Pulsar(boton);
                (a.a == 0 ? m_.opcionP : m_.opcionPB) = opcion;
                break;
            }
            case Tipo::Eliminar:
                Eliminar(a.a, a.b);
                break;
            case Tipo::Hecho:
                Hecho();
                break;
            case Tipo::Ocultar:
                if (Visible(Resumen(a.a))) CerrarConLaCruz(Resumen(a.a));
                break;
            case Tipo::Reabrir:
                b_.menu(kMenus[a.a]);
                break;
        }
    }

    void Anadir(bool documento) {
        QPushButton* boton = b_.boton(documento ? "cmbAñadirTD" : "cmbAñadirTT");
        if (!boton->isVisible()) return;
        const QString cuota = b_.caja(documento ? "txtTotalTD" : "txtTotalTT")->text();
        const QString cantidad = b_.caja(documento ? "txtCantidadTD" : "txtCantidadTT")->text();
        const int fila = documento ? m_.filaTD : m_.filaTT;
        const bool cabe = cdv::LeerCentimos(Us(cuota), kEs).has_value();
        Pulsar(boton);
        if (fila == 0 || cuota.isEmpty() || !cabe) return;
        if (documento) {
            m_.cuotasTD << cuota;
        } else {
            m_.cuotasTT << cuota;
            m_.refsTT << Qs(cdv::TablaTT.Fila(fila)->Ref);
            m_.cantidadesTT << cantidad;
        }
    }

    void Eliminar(int ventana, int linea) {
        if (!Visible(Resumen(ventana))) return;
        QListWidget* lista = b_.lista(kResumenes[ventana]);
        if (linea >= 0 && linea < lista->count()) {
            b_.seleccionar(kResumenes[ventana], linea);
        } else {
            lista->clearSelection();
            linea = -1;
        }
        Pulsar(b_.botonDe(kResumenes[ventana], "cmbEliminar"));
        if (linea < 0) return;
        if (ventana == 0) {
            m_.cuotasTD.removeAt(linea);
        } else {
            for (QStringList* l : {&m_.cuotasTT, &m_.refsTT, &m_.cantidadesTT}) l->removeAt(linea);
        }
    }

    void Hecho() {
        if (!Visible(Resumen(1))) return;
        Pulsar(b_.botonDe("frmTotalesTT", "cmbHecho"));
        const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(m_.filaTD);
        if (fila == nullptr || fila->Tipo != 5 || m_.cuotasTT.isEmpty()) return;
        const float fraccion = fila->Ref == "P" ? cdv::kDescuentosProyecto[m_.opcionP].fraccion
                               : fila->Ref == "PB"
                                   ? cdv::kDescuentosProyectoBasico[m_.opcionPB].fraccion
                                   : 0.0f;
        const auto cuota = cdv::CuotaDocumento(*fila, Suma(m_.cuotasTT), fraccion, kEs);
        if (cuota) m_.cuotasTD << Qs(cuota->texto);
    }

    cdv::Centimos Suma(const QStringList& cuotas) const {
        cdv::Centimos suma = 0;
        for (const QString& c : cuotas) suma += *cdv::LeerCentimos(Us(c), kEs);
        return suma;
    }

    QString Comprobar() {
        const QStringList tt = Lineas(b_.almacen("lstProyectos"));
        const QStringList td = Lineas(b_.almacen("lstTotales"));
        if (tt != m_.cuotasTT)
            return "lstProyectos: " + tt.join(" | ") + " ≠ " + m_.cuotasTT.join(" | ");
        if (Lineas(b_.almacen("lstReferencias")) != m_.refsTT) return "lstReferencias desfasada";
        if (Lineas(b_.almacen("lstMediciones")) != m_.cantidadesTT)
            return "lstMediciones desfasada";
        if (td != m_.cuotasTD)
            return "lstTotales: " + td.join(" | ") + " ≠ " + m_.cuotasTD.join(" | ");
        for (int i = 0; i < 2; ++i) {
            const qsizetype lineas = Resumen(i) ? b_.lista(kResumenes[i])->count() : 0;
            if (lineas != (i == 0 ? td : tt).size())
                return QString("%1 fuera de paso").arg(kResumenes[i]);
        }
        if (MisFunciones::SumaTT != Suma(tt)) return "SumaTT no es la suma de sus líneas";
        if (MisFunciones::SumaTD != Suma(td)) return "SumaTD no es la suma de sus líneas";
        for (const auto& [i, suma] :
             {std::pair{0, MisFunciones::SumaTD}, std::pair{1, MisFunciones::SumaTT}}) {
            if (!Resumen(i)) continue;
            const QString total = b_.total(kResumenes[i])->text();
            if (!total.isEmpty() && total != Qs(cdv::TextoFormateado(suma, kEs)))
                return QString("%1 muestra %2").arg(kResumenes[i], total);
        }
        if (MisFunciones::IndiceTT != m_.filaTT || MisFunciones::IndiceTD != m_.filaTD)
            return "fila elegida";
        return ComprobarCuotas();
    }

    // Every shown fee is what the rules give for the row and the quantity shown.
    QString ComprobarCuotas() {
        const cdv::TrabajoTT* trabajo = cdv::TablaTT.Fila(m_.filaTT);
        const cdv::DocumentoTD* documento = cdv::TablaTD.Fila(m_.filaTD);
        const int antes = mensajes_;
        for (const bool esDocumento : {true, false}) {
            const QString cantidad =
                b_.caja(esDocumento ? "txtCantidadTD" : "txtCantidadTT")->text();
            const QString cuota = b_.caja(esDocumento ? "txtTotalTD" : "txtTotalTT")->text();
            const bool hayFila = esDocumento ? documento != nullptr : trabajo != nullptr;
            if (!cantidad.isEmpty() && (!hayFila || !cdv::LeerNumero(Us(cantidad), kEs)))
                return "cantidad no numérica a la vista: " + cantidad;
            if (cantidad.isEmpty()) {
                const bool ceroPresupuesto =
                    esDocumento && documento && documento->Tipo == 3 && cuota == "0";
                if (!cuota.isEmpty() && !ceroPresupuesto) return "cuota sin cantidad: " + cuota;
                continue;
            }
            const auto esperada = esDocumento ? cdv::CuotaDocumento(documento, Us(cantidad), kEs)
                                              : cdv::CuotaTrabajo(trabajo, Us(cantidad), kEs);
            if (esperada.resultado == cdv::Resultado::Cuota && Qs(esperada.texto) != cuota)
                return QString("cuota %1 para %2, se esperaba %3")
                    .arg(cuota, cantidad, Qs(esperada.texto));
            if (esperada.resultado == cdv::Resultado::SinCuota && !cuota.isEmpty())
                return "cuota sin regla: " + cuota;
        }
        mensajes_ = antes;
        const bool proyecto = documento && documento->Tipo == 5;
        if (b_.marco("fraTT")->isVisible() != proyecto) return "fraTT a destiempo";
        if (b_.marco("fraDescProyecto")->isVisible() != (proyecto && documento->Ref == "P"))
            return "fraDescProyecto";
        if (b_.marco("fraDescProyectoBasico")->isVisible() != (proyecto && documento->Ref == "PB"))
            return "fraDescProyectoBasico";
        return {};
    }

    Banco b_;
    Modelo m_;
    int mensajes_ = 0;
};

// Drops runs of actions while the session still fails, halving the runs down to one.
std::vector<Accion> Reducir(std::vector<Accion> guion) {
    for (std::size_t trozo = guion.size() / 2; trozo >= 1; trozo /= 2) {
        for (std::size_t inicio = 0; inicio + trozo <= guion.size();) {
            std::vector<Accion> prueba(guion.begin(), guion.begin() + static_cast<long>(inicio));
            prueba.insert(prueba.end(), guion.begin() + static_cast<long>(inicio + trozo),
                          guion.end());
            if (!Sesion().Jugar(prueba).isEmpty()) {
                guion = std::move(prueba);
            } else {
                inicio += trozo;
            }
        }
    }
    return guion;
}

}  // namespace

class TestSesion : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void sesionesAlAzar_data() {
        QTest::addColumn<unsigned>("semilla");
        const QByteArray elegida = qgetenv("CDV_SEMILLA");
        if (!elegida.isEmpty()) {
            QTest::newRow(elegida.constData()) << elegida.toUInt();
            return;
        }
        for (const unsigned semilla : {1u, 2u, 3u, 20261206u})
            QTest::newRow(qPrintable(QString::number(semilla))) << semilla;
    }

    void sesionesAlAzar() {
        QFETCH(unsigned, semilla);
        const std::vector<Accion> guion = Guion(semilla, 1500);
        const QString fallo = Sesion().Jugar(guion);
        if (fallo.isEmpty()) return;
        QString informe =
            QString("semilla %1: %2\nacciones mínimas que fallan:").arg(semilla).arg(fallo);
        for (const Accion& a : Reducir(guion)) informe += "\n  " + a.Describir();
        QFAIL(qPrintable(informe));
    }
};

QTEST_MAIN(TestSesion)
#include "test_sesion.moc"
