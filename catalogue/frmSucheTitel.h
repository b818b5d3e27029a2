#pragma once
// The search dialog of the menu entry "Volltextsuche Titel".
#include "catalogue/Suchdialog.h"

class frmSucheTitel : public Suchdialog {
public:
    frmSucheTitel(const sys::Services& services, frmFilme& filme);

    void Form_Load() override;
    void cmdOK_Click() override;
};
