// A keystroke in a quantity box of the real main window, offscreen: the change handling,
// the fee rule and the fee box's update, per key.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "frmPrincipal.h"

namespace {

frmPrincipal* principal = nullptr;

void Elegir(const char* selector, const QString& texto) {
    auto* combo = principal->findChild<QComboBox*>(selector);
    combo->setCurrentIndex(combo->findText(texto));
    emit combo->activated(combo->currentIndex());
}

// One key per iteration: a digit, then the backspace that takes it off again.
void Teclear(benchmark::State& estado, const char* caja) {
    auto* cantidad = principal->findChild<QLineEdit*>(caja);
    auto* cuota = principal->findChild<QLineEdit*>(QByteArray(caja).replace("Cantidad", "Total"));
    cantidad->setText("250000");
    bool quitar = false;
    for (auto _ : estado) {
        QTest::keyClick(cantidad, quitar ? Qt::Key_Backspace : Qt::Key_5);
        quitar = !quitar;
    }
    if (cuota->text().isEmpty()) estado.SkipWithError("el importe no se actualiza");
}

void TeclaEnCantidadTD(benchmark::State& estado) {
    Elegir("cbbRefTD", "EIA2");
    Teclear(estado, "txtCantidadTD");
}
BENCHMARK(TeclaEnCantidadTD)->Unit(benchmark::kMicrosecond);

void TeclaEnCantidadTT(benchmark::State& estado) {
    Elegir("cbbRefTD", "P");
    Elegir("cbbRefTT", "CNA");
    Teclear(estado, "txtCantidadTT");
}
BENCHMARK(TeclaEnCantidadTT)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    frmPrincipal ventana;
    ventana.show();
    principal = &ventana;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
