#include "bench/Fensterbank.h"

#include "catalogue/frmFilme.h"

#include <QApplication>

namespace bench {

std::unique_ptr<frmFilme> hauptfenster(Katalogbank& bank, Stand stand)
{
    if (!cdIniSchreiben(bank.folder.path()))
        return nullptr;
    auto f = std::make_unique<frmFilme>(bank.services);
    if (!f->Form_Load())
        return nullptr;
    if (stand == Stand::geladen)
        return f;
    f->show();
    if (stand == Stand::gelistet)
        f->przAlleListe();
    QApplication::processEvents();
    return f;
}

}  // namespace bench
