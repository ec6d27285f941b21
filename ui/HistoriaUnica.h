// One history for the whole program: Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z) in every text box of
// its windows undo and redo the request, as the menu does, and so do the boxes' context
// menus; the boxes' own histories, which would fight it, are never used.
#pragma once

#include <QObject>

class QContextMenuEvent;
class QLineEdit;
class QUndoStack;
class QWidget;

class HistoriaUnica : public QObject {
  public:
    // For the boxes of `principal` and of the windows it owns.
    HistoriaUnica(QWidget* principal, QUndoStack& pila);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    QLineEdit* CajaNuestra(QObject* objeto) const;
    void MenuContextual(QLineEdit* caja, const QContextMenuEvent* evento);

    QWidget* principal_;
    QUndoStack& pila_;
};
