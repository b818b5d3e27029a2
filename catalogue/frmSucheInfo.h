#pragma once
// The search dialog of the menu entry "Volltextsuche Info".
#include "catalogue/Suchdialog.h"

class frmSucheInfo : public Suchdialog {
public:
    frmSucheInfo(const sys::Services& services, frmFilme& filme);

    void Form_Load() override;
    void cmdOK_Click() override;
};
