#pragma once
// The About window: the program's title, version and description, three link
// labels (the maker's web page, mail and the program's download) and a button
// that starts the desktop's system-information program. It stays above the
// other windows while it is open.
#include "frame/Infofenster.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public frame::Infofenster {
    Q_OBJECT
public:
    frmAbout(const sys::Services& services, frame::Hauptfenster* hauptfenster, QWidget* parent = nullptr);

    // The one About window: created and loaded on first use, loaded again
    // after it was closed, brought to the front while it is open.
    static frmAbout* zeigen(const sys::Services& services, frame::Hauptfenster* hauptfenster);

    void Form_Load();
    void cmdOk_Click();
    void StartSysInfo();

    // "Version " with major, minor and revision: the third part of a
    // four-part version is left out ("1.4.0.6" reads "Version 1.4.6").
    static QString versionText(const QString& version);

    // The addresses behind the links.
    static const QString AdresseWeb;
    static const QString AdresseMail;
    static const QString AdresseExe;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QFrame* Line2 = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void przFarbe(const QString& backcolor, const QString& textFarbe);
};
