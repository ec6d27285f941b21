#include "frmInfo.h"

#include <QAction>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ArchivoBaremo.h"
#include "Baremos.h"
#include "Busqueda.h"
#include "Catalogos.h"
#include "Cuotas.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "Escalas.h"
#include "SelectorColegio.h"

namespace {

constexpr int kRolFila = Qt::UserRole + 1;   // the catalogue row of a line
constexpr int kRolOrden = Qt::UserRole + 2;  // what a column sorts by

// A number as the user's locale writes it, with the digits its type holds (7 for a float,
// so that 1.4f shows 1,4); it sorts as a number.
QStandardItem* Numero(double valor, int digitos = 10) {
    auto* celda = new QStandardItem(QLocale().toString(valor, 'g', digitos));
    celda->setData(valor, kRolOrden);
    celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return celda;
}

QStandardItem* Texto(const QString& texto) {
    auto* celda = new QStandardItem(texto);
    celda->setData(texto, kRolOrden);
    return celda;
}

// Keeps the rows whose description holds every word searched.
class FiltroPorPalabras : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void Buscar(const QString& consulta) {
        consulta_ = consulta;
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int fila, const QModelIndex& padre) const override {
        return cdv::TienePalabras(sourceModel()->index(fila, 1, padre).data().toString(),
                                  consulta_);
    }

  private:
    QString consulta_;
};

QTableView* Tabla(QWidget* padre, const char* nombre, QAbstractItemModel* modelo) {
    auto* tabla = new QTableView(padre);
    tabla->setObjectName(nombre);
    tabla->setModel(modelo);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla->verticalHeader()->hide();
    tabla->horizontalHeader()->setStretchLastSection(true);
    tabla->setAccessibleName(nombre);
    return tabla;
}

QStandardItemModel* Modelo(QObject* padre, const QStringList& columnas) {
    auto* modelo = new QStandardItemModel(0, static_cast<int>(columnas.size()), padre);
    modelo->setHorizontalHeaderLabels(columnas);
    return modelo;
}

// A catalogue's rows: reference, description, rule in words, rate, minimum and unit, each
// carrying its row number.
template <typename Tabla, typename Fila>
QStandardItemModel* ModeloCatalogo(QObject* padre, const Tabla& tabla,
                                   std::string_view (*regla)(cdv::Regla),
                                   std::string_view (*unidad)(const Fila&)) {
    auto* modelo =
        Modelo(padre, {"Referencia", "Descripción", "Regla de cuota", "Tasa", "Mínimo", "Unidad"});
    for (int fila = 1; fila <= tabla.Filas(); ++fila) {
        const Fila& f = *tabla.Fila(fila);
        QList<QStandardItem*> celdas{Texto(Qs(f.Ref)),         Texto(Qs(f.Descripcion)),
                                     Texto(Qs(regla(f.Tipo))), Numero(f.Tasa, 7),
                                     Numero(f.Minimo, 7),      Texto(Qs(unidad(f)))};
        celdas.front()->setData(fila, kRolFila);
        modelo->appendRow(celdas);
    }
    return modelo;
}

// A price list's rows: reference, description, rule, minimum and unit, each carrying its row
// number.
QStandardItemModel* ModeloTarifa(QObject* padre, const cdv::Tarifa& tarifa) {
    auto* modelo =
        Modelo(padre, {"Referencia", "Descripción", "Regla de cuota", "Mínimo", "Unidad"});
    const cdv::Separadores s = cdv::SeparadoresActuales();
    for (std::size_t k = 0; k < tarifa.filas.size(); ++k) {
        const cdv::FilaTarifa& f = tarifa.filas[k];
        QList<QStandardItem*> celdas{
            Texto(Qs(f.referencia)),
            Texto(Qs(f.descripcion)),
            Texto(Qs(cdv::DescripcionDeFila(tarifa, f, s).front())),
            Texto(f.minimo ? Qs(cdv::TextoPorCanales(*f.minimo, s)) : QString()),
            Texto(Qs(f.unidad)),
        };
        celdas.front()->setData(static_cast<int>(k + 1), kRolFila);
        modelo->appendRow(celdas);
    }
    return modelo;
}

// How a price list's row is priced, whole: its rule, limits, the tables and factor lists it uses.
QString NotaDeTarifa(const cdv::Tarifa& tarifa, const cdv::FilaTarifa& fila) {
    const cdv::Separadores s = cdv::SeparadoresActuales();
    std::vector<std::string> lineas = cdv::DescripcionDeFila(tarifa, fila, s);
    for (const std::string& nombre : {fila.regla.tabla, fila.tablaRecargo}) {
        const auto tabla = tarifa.tablas.find(nombre);
        if (nombre.empty() || tabla == tarifa.tablas.end()) continue;
        for (std::string& linea : cdv::DescripcionDeTabla(nombre, tabla->second, s))
            lineas.push_back(std::move(linea));
    }
    for (const std::string& lista : fila.regla.factores) {
        std::string opciones = lista + ":";
        for (const auto& [opcion, valor] : tarifa.factores.at(lista))
            opciones += " " + opcion + " " + cdv::TextoDecimal(valor, s) + ";";
        lineas.push_back(opciones.substr(0, opciones.size() - 1));
    }
    QStringList texto;
    for (const std::string& linea : lineas) texto << Qs(linea);
    return texto.join('\n');
}

QStandardItemModel* ModeloEscalaDV(QObject* padre, const cdv::Baremo& b) {
    auto* dv = Modelo(padre, {"Desde", "Hasta", "Cuota al inicio", "Factor marginal"});
    double desde = 0;
    for (const cdv::TramoDV& tramo : b.tramosDV) {
        dv->appendRow(
            {Numero(desde), Numero(tramo.hasta), Numero(tramo.base), Numero(tramo.factor)});
        desde = tramo.hasta;
    }
    return dv;
}

QStandardItemModel* ModeloSuperficie(QObject* padre, const cdv::Baremo& b) {
    auto* superficie = Modelo(padre, {"Desde (m²)", "Hasta (m²)", "Importe (€)"});
    double desde = 0;
    for (const cdv::ClaseSuperficie& clase : b.clasesSuperficie) {
        superficie->appendRow({Numero(desde), Numero(clase.hasta), Numero(clase.importe, 7)});
        desde = clase.hasta;
    }
    return superficie;
}

}  // namespace

frmInfo::frmInfo(QWidget* principal, const DocumentoSolicitud& documento)
    : QWidget(principal, Qt::Window), documento_(documento) {
    setObjectName("frmInfo");
    setWindowTitle("   Baremo de cuotas de visado");
    EstiloDeVentana(this);
    VentanaIndependiente(this);  // the main window can come in front of it
    resize(900, 560);
    // Escape closes it, as it does About.
    auto* cerrar = new QAction(this);
    cerrar->setShortcut(Qt::Key_Escape);
    connect(cerrar, &QAction::triggered, this, &QWidget::close);
    addAction(cerrar);

    mostrado_ = new QLabel(this);
    mostrado_->setTextFormat(Qt::PlainText);
    mostrado_->setObjectName("lblBaremoMostrado");
    auto* buscar = new QLineEdit(this);
    buscar->setObjectName("txtBuscar");
    buscar->setPlaceholderText("Buscar por palabras de la descripción");
    buscar->setAccessibleName("Buscar tipos por palabras");
    auto* pestanas = new QTabWidget(this);
    pestanas_ = pestanas;
    pestanas->addTab(CrearCatalogo("tblTrabajos", true), "Tipos de trabajo");
    pestanas->addTab(CrearCatalogo("tblDocumentos", false), "Tipos de documento");
    pestanas->addTab(CrearEscalas(pestanas), "Escalas");
    pestanas->addTab(CrearListaDeBaremos(pestanas), "Baremos");

    nota_ = new QPlainTextEdit(this);
    nota_->setObjectName("txtNota");
    nota_->setReadOnly(true);
    nota_->setAccessibleName("Nota del tipo elegido");
    nota_->setMaximumHeight(90);

    auto* vertical = new QVBoxLayout(this);
    vertical->addWidget(mostrado_);
    vertical->addWidget(buscar);
    vertical->addWidget(pestanas, 1);
    vertical->addWidget(nota_);
    connect(buscar, &QLineEdit::textChanged, this, [this](const QString& consulta) {
        for (QSortFilterProxyModel* filtro : filtros_)
            static_cast<FiltroPorPalabras*>(filtro)->Buscar(consulta);
    });
    MostrarBaremos();
    Mostrar(documento_.Vigente());
}

void frmInfo::Mostrar(std::shared_ptr<const cdv::Baremo> baremo) {
    baremo_ = std::move(baremo);
    const cdv::Baremo& b = *baremo_;
    mostrado_->setText(QString("Baremo mostrado: «%1», vigente desde el %2")
                           .arg(Qs(b.nombre), cdv::FechaDeVigencia(b)));
    for (std::size_t k = 0; k < filtros_.size(); ++k) {
        QAbstractItemModel* antes = filtros_[k]->sourceModel();
        filtros_[k]->setSourceModel(
            k == 0 ? ModeloCatalogo(this, b.TablaTT, cdv::NombreReglaTrabajo, cdv::UnidadTrabajo)
            : b.tarifa
                ? ModeloTarifa(this, *b.tarifa)
                : ModeloCatalogo(this, b.TablaTD, cdv::NombreReglaDocumento, cdv::UnidadDocumento));
        delete antes;
    }
    // A price list has no work types, and states its tables with the rows that use them.
    pestanas_->setTabVisible(0, b.TablaTT.Filas() > 0);
    pestanas_->setTabVisible(2, !b.tarifa);
    for (const auto& [tabla, modelo] : {std::pair{escalaDV_, ModeloEscalaDV(this, b)},
                                        std::pair{escalaSuperficie_, ModeloSuperficie(this, b)}}) {
        QAbstractItemModel* antes = tabla->model();
        tabla->setModel(modelo);
        delete antes;
    }
    QStringList factores;
    for (const double factor : b.factores) factores << QLocale().toString(factor);
    factores_->setText("Factores de actualización: cada importe del baremo se multiplica por " +
                       factores.join(" y luego por ") + ".");
    nota_->clear();
}

// The scales and the update factors.
QWidget* frmInfo::CrearEscalas(QWidget* padre) {
    auto* escalas = new QWidget(padre);
    auto* columna = new QVBoxLayout(escalas);
    escalaDV_ = Tabla(escalas, "tblEscalaDV", nullptr);
    escalaSuperficie_ = Tabla(escalas, "tblEscalaSuperficie", nullptr);
    columna->addWidget(new QLabel("Escala progresiva sobre la cuota base (DV)", escalas));
    columna->addWidget(escalaDV_, 3);
    columna->addWidget(new QLabel("Escala de superficie", escalas));
    columna->addWidget(escalaSuperficie_, 1);
    factores_ = new QLabel(escalas);
    factores_->setTextFormat(Qt::PlainText);
    factores_->setObjectName("lblFactores");
    columna->addWidget(factores_);
    return escalas;
}

// Every schedule found; a double click or Enter shows one.
QWidget* frmInfo::CrearListaDeBaremos(QWidget* padre) {
    baremos_ = new QTableWidget(0, 7, padre);
    baremos_->setObjectName("tblBaremos");
    baremos_->setAccessibleName("Baremos hallados");
    baremos_->setHorizontalHeaderLabels(
        {"Nombre", "Colegio", "Vigente desde", "Fuente", "Procedencia", "Lugar", "Estado"});
    baremos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    baremos_->setSelectionBehavior(QAbstractItemView::SelectRows);
    baremos_->verticalHeader()->hide();
    baremos_->horizontalHeader()->setStretchLastSection(true);
    connect(baremos_, &QTableWidget::activated, this, [this](const QModelIndex& indice) {
        const auto& hallados = documento_.Baremos().Hallados();
        const auto& hallado = hallados[static_cast<std::size_t>(indice.row())];
        if (const auto baremo = hallado.Baremo()) Mostrar(baremo);
    });
    return baremos_;
}

// Every schedule found, each read whole now, so that its state is known.
void frmInfo::MostrarBaremos() {
    const cdv::Baremos& baremos = documento_.Baremos();
    baremos.LeerTodos();
    const auto vigente = documento_.Vigente();
    const cdv::Baremo& solicitud = documento_.Solicitud().Baremo();
    const std::string hoy = Us(cdv::FechaAlArchivo(documento_.Hoy()));
    baremos_->setRowCount(0);
    for (const cdv::BaremoHallado& h : baremos.Hallados()) {
        const auto b = h.Baremo();
        QStringList estado;
        if (!b) estado << "rechazado: " + h.Faltas().join("; ");
        if (b && b == vigente) estado << "en vigor";
        if (b && b->huella == solicitud.huella) estado << "calcula la solicitud";
        if (b && b->vigenteDesde > hoy) estado << "aún no en vigor";
        const int fila = baremos_->rowCount();
        baremos_->insertRow(fila);
        const QStringList celdas{b ? Qs(b->nombre) : QString(),
                                 b ? SelectorColegio::Nombre(cdv::ClaveColegio(*b)) : QString(),
                                 b ? cdv::FechaDeVigencia(*b) : QString(),
                                 b ? Qs(b->fuente) : QString(),
                                 cdv::NombreProcedencia(h.procedencia),
                                 h.ruta.isEmpty() ? "(en el programa)" : h.ruta,
                                 estado.join(", ")};
        for (int c = 0; c < celdas.size(); ++c) {
            auto* celda = new QTableWidgetItem(celdas[c]);
            celda->setToolTip(cdv::AyudaLlana(celdas[c]));
            baremos_->setItem(fila, c, celda);
        }
    }
    // Every column but the last kept narrow, its texts elided (whole in their tooltips), so
    // that "Estado" shows without scrolling sideways.
    baremos_->resizeColumnsToContents();
    constexpr int kAnchoMaximo = 170;
    for (int c = 0; c + 1 < baremos_->columnCount(); ++c)
        baremos_->setColumnWidth(c, std::min(baremos_->columnWidth(c), kAnchoMaximo));
}

QTableView* frmInfo::CrearCatalogo(const char* nombre, bool trabajos) {
    auto* filtro = new FiltroPorPalabras(this);
    filtro->setSortRole(kRolOrden);
    filtros_.push_back(filtro);
    QTableView* tabla = Tabla(this, nombre, filtro);
    tabla->setSortingEnabled(true);
    tabla->sortByColumn(0, Qt::AscendingOrder);
    const auto fila = [tabla](const QModelIndex& indice) {
        return tabla->model()->index(indice.row(), 0).data(kRolFila).toInt();
    };
    connect(tabla->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, trabajos, fila](const QModelIndex& actual) {
                MostrarNota(trabajos, actual.isValid() ? fila(actual) : 0);
            });
    // A double click or Enter.
    connect(tabla, &QAbstractItemView::activated, this,
            [this, trabajos, tabla](const QModelIndex& indice) {
                emit elegido(trabajos, tabla->model()->index(indice.row(), 0).data().toString());
            });
    connect(filtro, &QAbstractItemModel::modelReset, tabla, [tabla] {
        tabla->resizeColumnsToContents();
        tabla->setColumnWidth(1, 320);
    });
    return tabla;
}

void frmInfo::MostrarNota(bool trabajo, int fila) {
    const cdv::TrabajoTT* t = trabajo ? baremo_->TablaTT.Fila(fila) : nullptr;
    const cdv::DocumentoTD* d = trabajo ? nullptr : baremo_->TablaTD.Fila(fila);
    if (d != nullptr && baremo_->tarifa) {
        nota_->setPlainText(
            NotaDeTarifa(*baremo_->tarifa, baremo_->tarifa->filas[std::size_t(fila - 1)]));
        return;
    }
    const std::string_view nota = t ? t->Comentario : d ? d->Comentario : std::string_view{};
    nota_->setPlainText(Qs(nota).replace('\r', '\n'));
}
