#pragma once
// Every window exists once: created and loaded on first use, shown again while
// it is open, and created and loaded afresh on its next use after it closed.
#include <QPointer>
#include <QWidget>

#include <type_traits>

namespace frame {

// A window whose Form_Load gives false has ended itself while loading: it is
// deleted, never shown, and the call gives nullptr.
template <class Fenster, class Erzeugen>
Fenster* einmalZeigen(QPointer<Fenster>& fenster, Erzeugen erzeugen)
{
    if (fenster && !fenster->isVisible())
        delete fenster.data();
    if (!fenster) {
        fenster = erzeugen();
        fenster->setAttribute(Qt::WA_DeleteOnClose);
        if constexpr (std::is_same_v<decltype(fenster->Form_Load()), bool>) {
            if (!fenster->Form_Load()) {
                delete fenster.data();
                return nullptr;
            }
        } else {
            fenster->Form_Load();
        }
    }
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return fenster;
}

}  // namespace frame
