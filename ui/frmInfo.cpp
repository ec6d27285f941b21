#include "frmInfo.h"

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
#include <QVBoxLayout>

#include "Busqueda.h"
#include "Catalogos.h"
#include "Cuotas.h"
#include "Diseno.h"
#include "Entorno.h"
#include "Escalas.h"

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

}  // namespace

frmInfo::frmInfo(QWidget* principal, const cdv::Baremo& baremo)
    : QWidget(principal, Qt::Window), baremo_(baremo) {
    setObjectName("frmInfo");
    setWindowTitle("   Baremo de cuotas de visado");
    EstiloDeVentana(this);
    resize(900, 560);

    auto* buscar = new QLineEdit(this);
    buscar->setObjectName("txtBuscar");
    buscar->setPlaceholderText("Buscar por palabras de la descripción");
    buscar->setAccessibleName("Buscar tipos por palabras");
    auto* pestanas = new QTabWidget(this);
    pestanas->addTab(CrearCatalogo("tblTrabajos", true), "Tipos de trabajo");
    pestanas->addTab(CrearCatalogo("tblDocumentos", false), "Tipos de documento");

    pestanas->addTab(CrearEscalas(pestanas), "Escalas");

    nota_ = new QPlainTextEdit(this);
    nota_->setObjectName("txtNota");
    nota_->setReadOnly(true);
    nota_->setAccessibleName("Nota del tipo elegido");
    nota_->setMaximumHeight(90);

    auto* vertical = new QVBoxLayout(this);
    vertical->addWidget(buscar);
    vertical->addWidget(pestanas, 1);
    vertical->addWidget(nota_);
    connect(buscar, &QLineEdit::textChanged, this, [this](const QString& consulta) {
        for (QSortFilterProxyModel* filtro : filtros_)
            static_cast<FiltroPorPalabras*>(filtro)->Buscar(consulta);
    });
}

// The scales and the update factors.
QWidget* frmInfo::CrearEscalas(QWidget* padre) {
    auto* escalas = new QWidget(padre);
    auto* dv = Modelo(escalas, {"Desde", "Hasta", "Cuota al inicio", "Factor marginal"});
    double desde = 0;
    for (const cdv::TramoDV& tramo : baremo_.tramosDV) {
        dv->appendRow(
            {Numero(desde), Numero(tramo.hasta), Numero(tramo.base), Numero(tramo.factor)});
        desde = tramo.hasta;
    }
    auto* superficie = Modelo(escalas, {"Desde (m²)", "Hasta (m²)", "Importe (€)"});
    desde = 0;
    for (const cdv::ClaseSuperficie& clase : baremo_.clasesSuperficie) {
        superficie->appendRow({Numero(desde), Numero(clase.hasta), Numero(clase.importe, 7)});
        desde = clase.hasta;
    }
    auto* columna = new QVBoxLayout(escalas);
    columna->addWidget(new QLabel("Escala progresiva sobre la cuota base (DV)", escalas));
    columna->addWidget(Tabla(escalas, "tblEscalaDV", dv), 3);
    columna->addWidget(new QLabel("Escala de superficie", escalas));
    columna->addWidget(Tabla(escalas, "tblEscalaSuperficie", superficie), 1);
    QStringList factores;
    for (const double factor : baremo_.factores) factores << QLocale().toString(factor);
    auto* rotulo = new QLabel(
        "Factores de actualización: cada importe del baremo se multiplica "
        "por " +
            factores.join(" y luego por ") + ".",
        escalas);
    rotulo->setObjectName("lblFactores");
    columna->addWidget(rotulo);
    return escalas;
}

QTableView* frmInfo::CrearCatalogo(const char* nombre, bool trabajos) {
    auto* modelo =
        Modelo(this, {"Referencia", "Descripción", "Regla de cuota", "Tasa", "Mínimo", "Unidad"});
    const int filas = trabajos ? baremo_.TablaTT.Filas() : baremo_.TablaTD.Filas();
    for (int fila = 1; fila <= filas; ++fila) {
        const auto* t = trabajos ? baremo_.TablaTT.Fila(fila) : nullptr;
        const auto* d = trabajos ? nullptr : baremo_.TablaTD.Fila(fila);
        QList<QStandardItem*> celdas{
            Texto(Qs(t ? t->Ref : d->Ref)),
            Texto(Qs(t ? t->Descripcion : d->Descripcion)),
            Texto(Qs(t ? cdv::NombreReglaTrabajo(t->Tipo) : cdv::NombreReglaDocumento(d->Tipo))),
            Numero(t ? t->Tasa : d->Tasa, 7),
            Numero(t ? t->Minimo : d->Minimo, 7),
            Texto(Qs(t ? cdv::UnidadTrabajo(*t) : cdv::UnidadDocumento(*d)))};
        celdas.front()->setData(fila, kRolFila);
        modelo->appendRow(celdas);
    }
    auto* filtro = new FiltroPorPalabras(this);
    filtro->setSourceModel(modelo);
    filtro->setSortRole(kRolOrden);
    filtros_.push_back(filtro);
    QTableView* tabla = Tabla(this, nombre, filtro);
    tabla->setSortingEnabled(true);
    tabla->sortByColumn(0, Qt::AscendingOrder);
    tabla->resizeColumnsToContents();
    tabla->setColumnWidth(1, 320);
    const auto fila = [tabla](const QModelIndex& indice) {
        return tabla->model()->index(indice.row(), 0).data(kRolFila).toInt();
    };
    connect(tabla->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, trabajos, fila](const QModelIndex& actual) {
                MostrarNota(trabajos, actual.isValid() ? fila(actual) : 0);
            });
    // A double click or Enter.
    connect(tabla, &QAbstractItemView::activated, this,
            [this, trabajos, fila](const QModelIndex& indice) {
                emit elegido(trabajos, fila(indice));
            });
    return tabla;
}

void frmInfo::MostrarNota(bool trabajo, int fila) {
    const cdv::TrabajoTT* t = trabajo ? baremo_.TablaTT.Fila(fila) : nullptr;
    const cdv::DocumentoTD* d = trabajo ? nullptr : baremo_.TablaTD.Fila(fila);
    const std::string_view nota = t ? t->Comentario : d ? d->Comentario : std::string_view{};
    nota_->setPlainText(Qs(nota).replace('\r', '\n'));
}
