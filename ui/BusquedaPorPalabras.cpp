#include "BusquedaPorPalabras.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>

#include "Busqueda.h"

namespace {

// The matches, each with its whole text as its tooltip.
class Halladas : public QStringListModel {
  public:
    using QStringListModel::QStringListModel;
    QVariant data(const QModelIndex& indice, int rol) const override {
        return QStringListModel::data(indice, rol == Qt::ToolTipRole ? Qt::DisplayRole : rol);
    }
};

// Keeps the keys that would move to another row from a selector whose search matches nothing.
class SinCoincidencias : public QObject {
  public:
    SinCoincidencias(QComboBox* selector, const QStringListModel* halladas)
        : QObject(selector), selector_(selector), halladas_(halladas) {}

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress) return false;
        switch (static_cast<QKeyEvent*>(evento)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Enter:
            case Qt::Key_Return:
                return Buscando() && halladas_->rowCount() == 0;
            default:
                return false;
        }
    }

  private:
    // Words typed, not the text of the row chosen.
    bool Buscando() const {
        const QString texto = selector_->lineEdit()->text();
        return !texto.trimmed().isEmpty() &&
               texto != selector_->itemText(selector_->currentIndex());
    }

    QComboBox* selector_;
    const QStringListModel* halladas_;
};

// Keeps the drop-down as wide as its longest match needs, within the screen, however the
// completer (or the box, as it types) places it.
class AnchoDeLasHalladas : public QObject {
  public:
    AnchoDeLasHalladas(QCompleter* completador, const QStringListModel* halladas)
        : QObject(completador), completador_(completador), halladas_(halladas) {
        completador->popup()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Show || evento->type() == QEvent::Resize) Ensanchar();
        return false;
    }

  private:
    void Ensanchar() {
        QAbstractItemView* lista = completador_->popup();
        const QScreen* pantalla = lista->screen();
        if (pantalla == nullptr) return;
        const QRect zona = pantalla->availableGeometry();
        const QFontMetrics medidas(lista->font());
        int ancho = lista->width();
        for (const QString& texto : halladas_->stringList()) {
            ancho =
                std::max(ancho, medidas.horizontalAdvance(texto) + medidas.averageCharWidth() * 2 +
                                    lista->verticalScrollBar()->sizeHint().width() +
                                    2 * lista->frameWidth());
        }
        ancho = std::min(ancho, zona.width());
        if (ancho == lista->width()) return;
        const int x = std::min(lista->x(), zona.right() + 1 - ancho);
        lista->setGeometry(x, lista->y(), ancho, lista->height());
    }

    QCompleter* completador_;
    const QStringListModel* halladas_;
};

// The selector's search, made the first time words are typed in it: a start shows the selector,
// not its drop-down of matches.
QCompleter* Buscador(QComboBox* selector, QStringListModel* halladas) {
    if (selector->completer() != nullptr) return selector->completer();
    auto* completador = new QCompleter(halladas, selector);
    completador->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    selector->setCompleter(completador);
    new AnchoDeLasHalladas(completador, halladas);
    return completador;
}

}  // namespace

void BuscarPorPalabras(QComboBox* selector) {
    auto* halladas = new Halladas(selector);
    selector->setCompleter(nullptr);  // not the box's own, which completes the text in place
    auto* guarda = new SinCoincidencias(selector, halladas);
    selector->installEventFilter(guarda);              // the arrows, which the box passes on to it
    selector->lineEdit()->installEventFilter(guarda);  // Enter
    // The selector's entries as they are now: another schedule brings others.
    QObject::connect(selector->lineEdit(), &QLineEdit::textEdited, selector,
                     [selector, halladas](const QString& consulta) {
                         QCompleter* completador = Buscador(selector, halladas);
                         QStringList textos;
                         for (int i = 0; i < selector->count(); ++i)
                             textos << selector->itemText(i);
                         halladas->setStringList(cdv::ConPalabras(textos, consulta));
                         if (consulta.trimmed().isEmpty() || halladas->rowCount() == 0) {
                             completador->popup()->hide();
                         } else {
                             completador->complete();
                         }
                     });
}
