#pragma once
// Every window exists once: created and loaded on first use, shown again while
// it is open, and created and loaded afresh on its next use after it closed.
#include <QPointer>
#include <QWidget>

namespace frame {

template <class Fenster, class Erzeugen>
Fenster* einmalZeigen(QPointer<Fenster>& fenster, Erzeugen erzeugen)
{
    if (fenster && !fenster->isVisible())
        delete fenster.data();
    if (!fenster) {
        fenster = erzeugen();
        fenster->setAttribute(Qt::WA_DeleteOnClose);
        fenster->Form_Load();
    }
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return fenster;
}

}  // namespace frame
