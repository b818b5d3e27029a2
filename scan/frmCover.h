#pragma once
// The cover windows: frmCover shows and attaches the cover of a title,
// frmCover2 that of a sub-entry. One class, made from a table of differences.
#include "platform/db/Database.h"
#include "frame/Aussehen.h"
#include "platform/system/Services.h"
#include "scan/Katalogfenster.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <memory>
#include <optional>
#include <span>

class QLabel;
class QLineEdit;
class QPushButton;

namespace frame {
struct Sprachzeile;
}

namespace scan {

// What tells the two windows apart.
struct Coverart {
    const char* name;     // objectName: "frmCover", "frmCover2"
    const char* tabelle;  // "Filme", "Unterordner"
    const char* schluessel;  // the key column: "Titel", "Titel2"
    const char* caption;  // "Coveranzeige", "Coveranzeige2"
};
extern const Coverart CoverTitel;
extern const Coverart CoverUnterordner;

std::span<const frame::Sprachzeile> coverTabelle();

// The longest reference the Cover column takes.
constexpr int CoverLaenge = 150;

class frmCover : public QWidget {
public:
    frmCover(const sys::Services& services, Katalogfenster& katalog, const Coverart& art, QWidget* parent = nullptr);

    // Settings, texts and look, then przStart. False when the window closed
    // itself while loading (a cancelled picture dialog, no catalogue).
    bool Form_Load();

    void przStart();
    void przCoverentladen();
    void przCoverladen();
    void przCoverAnzeigen();

    const Coverart& art() const { return m_art; }
    // The size of the picture shown; empty without one.
    QSize bildgroesse() const { return m_bild; }

    QLabel* Image1 = nullptr;
    QLineEdit* tfCover = nullptr;
    QPushButton* cmdPfad = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdEntladen = nullptr;

    struct Werte {
        frame::Look look;
        QString coverNormal, sprache;
    } werte;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Zeile {
        qint64 rowid = 0;
        QString cover;
    };
    // The row whose key is the title the main window shows now.
    std::optional<Zeile> zeileSuchen();
    void przInilesen();
    void przSprache();
    void przFarbe();
    // The buttons as large as their captions need, the window around them.
    void knöpfeEinpassen();
    void einpassen();
    void schliessen();

    const sys::Services& m_services;
    Katalogfenster& m_katalog;
    const Coverart& m_art;
    std::unique_ptr<db::Database> m_datenbank;
    QSize m_bild;
    bool m_geschlossen = false;
};

// The hand-off of the main window: an open window only gets the reference in
// its hidden tfCover and comes to the front. Otherwise the window is created
// with the reference and loaded (which may open the picture dialog); a window
// that closed itself while loading is deleted unshown, any other is shown.
frmCover* coverZeigen(QPointer<frmCover>& fenster, const sys::Services& services, Katalogfenster& katalog,
                      const Coverart& art, const QString& referenz);

}  // namespace scan
