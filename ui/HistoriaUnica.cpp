#include "HistoriaUnica.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

namespace {

enum class Paso { Ninguno, Deshacer, Rehacer };

Paso PasoDe(const QKeyEvent* tecla) {
    const QKeyCombination combinacion = tecla->keyCombination();
    if (tecla->matches(QKeySequence::Undo) ||
        combinacion == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)) {
        return Paso::Deshacer;
    }
    if (tecla->matches(QKeySequence::Redo) ||
        combinacion == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        combinacion == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
        return Paso::Rehacer;
    }
    return Paso::Ninguno;
}

}  // namespace

HistoriaUnica::HistoriaUnica(QWidget* principal, QUndoStack& pila)
    : QObject(principal), principal_(principal), pila_(pila) {
    qApp->installEventFilter(this);
}

// A text box in the main window or in one of the windows it owns. An editable selector takes
// the keys for its box, and hands them on to it directly, past this filter: it counts as its
// box.
QLineEdit* HistoriaUnica::CajaNuestra(QObject* objeto) const {
    auto* selector = qobject_cast<QComboBox*>(objeto);
    auto* caja = selector != nullptr ? selector->lineEdit() : qobject_cast<QLineEdit*>(objeto);
    for (const QWidget* w = caja; w != nullptr; w = w->parentWidget()) {
        if (w == principal_) return caja;
    }
    return nullptr;
}

bool HistoriaUnica::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::ShortcutOverride && tipo != QEvent::KeyPress &&
        tipo != QEvent::ContextMenu) {
        return false;
    }
    QLineEdit* caja = CajaNuestra(objeto);
    if (caja == nullptr) return false;
    if (tipo == QEvent::ContextMenu) {
        MenuContextual(caja, static_cast<QContextMenuEvent*>(evento));
        return true;
    }
    // Not claimed by the box, the keys reach the menu's undo and redo; a key press that still
    // comes (nothing to undo) is dropped, so that the box does not undo on its own.
    if (PasoDe(static_cast<QKeyEvent*>(evento)) == Paso::Ninguno) return false;
    evento->ignore();
    return true;
}

// The box's own menu, its undo and redo those of the request.
void HistoriaUnica::MenuContextual(QLineEdit* caja, const QContextMenuEvent* evento) {
    QMenu* menu = caja->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The entries are known by their captions, in whatever language Qt speaks, before the
    // keys some of them show ("&Rehacer\tControl+Y").
    const auto rotulo = [](const char* ingles) {
        return QCoreApplication::translate("QLineEdit", ingles);
    };
    for (QAction* accion : menu->actions()) {
        const QString texto = accion->text().section('\t', 0, 0);
        const bool deshacer = texto == rotulo("&Undo");
        if (!deshacer && texto != rotulo("&Redo")) continue;
        accion->disconnect();
        accion->setEnabled(deshacer ? pila_.canUndo() : pila_.canRedo());
        connect(accion, &QAction::triggered, &pila_,
                deshacer ? &QUndoStack::undo : &QUndoStack::redo);
    }
    menu->popup(evento->globalPos());
}
