#include "scan/frmCover.h"

#include "frame/Aussehen.h"
#include "frame/CdIni.h"
#include "frame/Hintergrund.h"
#include "frame/Sprache.h"
#include "platform/db/DbError.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"
#include "scan/Coverpfad.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <array>

namespace scan {

const Coverart CoverTitel{"frmCover", "Filme", "Titel", "Coveranzeige"};
const Coverart CoverUnterordner{"frmCover2", "Unterordner", "Titel2", "Coveranzeige2"};

namespace {

using frame::Eigenschaft;

constexpr frame::Sprachzeile Tabelle[] = {
    {"Cover", "Button1", "cmdPfad", Eigenschaft::Beschriftung},
    {"Cover", "Button2", "cmdOK", Eigenschaft::Beschriftung},
    {"Cover", "Button3", "cmdCancel", Eigenschaft::Beschriftung},
    {"Cover", "Button4", "cmdEntladen", Eigenschaft::Beschriftung},
    {"Cover", "ButtonText1", "cmdPfad", Eigenschaft::Tooltip},
    {"Cover", "ButtonText2", "cmdOK", Eigenschaft::Tooltip},
    {"Cover", "ButtonText3", "cmdCancel", Eigenschaft::Tooltip},
    {"Cover", "ButtonText4", "cmdEntladen", Eigenschaft::Tooltip},
    {"Cover", "Caption", "", Eigenschaft::Fenstertitel},
};

constexpr int Puffer = 200;

using vb::ziel;

// The buttons' design places: two rows of two under the picture.
constexpr int KnopfOben1 = 2880, KnopfOben2 = 3120, KnopfHoehe = 255;
constexpr int KnopfBreiteLinks = 1095, KnopfLinksRechts = 1200, KnopfBreiteRechts = 1335;
constexpr int KnopfAbstand = KnopfLinksRechts - KnopfBreiteLinks;

// The picture fills the window; the path field and the buttons lie on top of it.
constexpr vb::Steuerelement<frmCover> Steuerelemente[] = {
    {ziel<&frmCover::Image1>, "Image1", {0, 0, 3015, 3375}},
    {ziel<&frmCover::tfCover>, "tfCover", {0, 0, 3015, 285}, "-", "", vb::versteckt},
    {ziel<&frmCover::cmdPfad>, "cmdPfad", {0, KnopfOben1, KnopfBreiteLinks, KnopfHoehe}, "Pfad",
     "Zeigt im Fenster den Dateipfad an."},
    {ziel<&frmCover::cmdOK>, "cmdOK", {KnopfLinksRechts, KnopfOben1, KnopfBreiteRechts, KnopfHoehe}, "Cover laden",
     "Verknüpfung des Datensatz zu einem Cover herstellen."},
    {ziel<&frmCover::cmdCancel>, "cmdCancel", {0, KnopfOben2, KnopfBreiteLinks, KnopfHoehe}, "OK",
     "Fenster schliessen"},
    {ziel<&frmCover::cmdEntladen>, "cmdEntladen", {KnopfLinksRechts, KnopfOben2, KnopfBreiteRechts, KnopfHoehe},
     "Cover Entladen", "Verknüpfung des Covers zum Datensatz löschen."},
};

const QString NichtGespeichert = QStringLiteral("Das Cover konnte nicht gespeichert werden!");

}  // namespace

std::span<const frame::Sprachzeile> coverTabelle()
{
    return Tabelle;
}

frmCover::frmCover(const sys::Services& services, Katalogfenster& katalog, const Coverart& art, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_katalog(katalog), m_art(art)
{
    setObjectName(QString::fromUtf8(art.name));
    setWindowTitle(QString::fromUtf8(art.caption));
    resize(vb::pixel(3000), vb::pixel(3345));

    vb::bauen(*this, this, Steuerelemente);
    Image1->setScaledContents(true);
    knöpfeEinpassen();
    setTabOrder(tfCover, cmdCancel);
    setTabOrder(cmdCancel, cmdOK);
    setTabOrder(cmdOK, cmdEntladen);
    setTabOrder(cmdEntladen, cmdPfad);

    connect(cmdPfad, &QPushButton::clicked, this, [this] { tfCover->show(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { przCoverladen(); });
    connect(cmdEntladen, &QPushButton::clicked, this, [this] { przCoverentladen(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { close(); });
}

bool frmCover::Form_Load()
{
    przInilesen();
    przSprache();
    knöpfeEinpassen();
    if (werte.look.benutzerLook())
        przFarbe();
    przStart();
    return !m_geschlossen;
}

void frmCover::przInilesen()
{
    const ini::IniFile cdIni = frame::cdIni(m_services);
    werte.look = frame::Look::lesen(cdIni);
    werte.coverNormal = cdIni.read(QStringLiteral("Funktionen"), QStringLiteral("Cover Normal"), Puffer);
    werte.sprache = cdIni.read(QStringLiteral("Design"), QStringLiteral("Sprache"), Puffer);
}

void frmCover::przSprache()
{
    if (werte.sprache.isEmpty())
        return;
    frame::Feldwoerter keine;
    frame::spracheAnwenden(this, frame::Sprachdatei(m_services, werte.sprache, Puffer), coverTabelle(), keine);
}

void frmCover::knöpfeEinpassen()
{
    // Two columns of two buttons each, under the picture's path field.
    const std::array<QPushButton*, 2> links{cmdPfad, cmdCancel};
    const std::array<QPushButton*, 2> rechts{cmdOK, cmdEntladen};
    int höhe = vb::pixel(KnopfHoehe);
    const auto breite = [&höhe](const std::array<QPushButton*, 2>& spalte, int entwurf) {
        int b = vb::pixel(entwurf);
        for (const QPushButton* k : spalte) {
            b = std::max(b, k->sizeHint().width());
            höhe = std::max(höhe, k->sizeHint().height());
        }
        return b;
    };
    const int breiteLinks = breite(links, KnopfBreiteLinks);
    const int breiteRechts = breite(rechts, KnopfBreiteRechts);
    const int abstand = vb::pixel(KnopfAbstand);
    const int xRechts = std::max(vb::pixel(KnopfLinksRechts), breiteLinks + abstand);
    const int oben1 = vb::pixel(KnopfOben1);
    const int oben2 = std::max(vb::pixel(KnopfOben2), oben1 + höhe + abstand);
    for (int i = 0; i < 2; ++i) {
        const int oben = i == 0 ? oben1 : oben2;
        links[size_t(i)]->setGeometry(0, oben, breiteLinks, höhe);
        rechts[size_t(i)]->setGeometry(xRechts, oben, breiteRechts, höhe);
    }
    tfCover->resize(tfCover->width(), std::max(tfCover->height(), tfCover->sizeHint().height()));
    resize(std::max(width(), xRechts + breiteRechts), std::max(height(), oben2 + höhe));
}

void frmCover::przFarbe()
{
    if (const auto farbe = frame::vbFarbe(werte.look.backcolor))
        frame::setzeHintergrund(this, *farbe);
}

void frmCover::przStart()
{
    const QString name = m_katalog.tfDBName();
    try {
        m_datenbank = db::Database::open(m_services.file(name + QStringLiteral(".mdb")));
    } catch (const db::DbError&) {
        m_services.messages->msgBox(QStringLiteral("Der Katalog '") + name
                                        + QStringLiteral("' kann nicht geöffnet werden!"),
                                    sys::mb::OkOnly | sys::mb::Critical, QStringLiteral("Coverfunktion"));
        schliessen();
        return;
    }
    if (m_katalog.uebergabe().tfCover->text() != u"-") {
        cmdOK->hide();
        przCoverAnzeigen();
    } else {
        przCoverladen();
    }
}

// By key, never a row a cursor happens to stand on.
std::optional<frmCover::Zeile> frmCover::zeileSuchen()
{
    if (!m_datenbank)
        return std::nullopt;
    const QString sql = QStringLiteral("SELECT rowid, Cover FROM %1 WHERE %2 = ?%3 LIMIT 1")
                            .arg(QString::fromUtf8(m_art.tabelle), QString::fromUtf8(m_art.schluessel), db::kollation());
    try {
        const db::Result r = m_datenbank->query(sql, {m_katalog.uebergabe().tfTitel->text()});
        if (r.empty())
            return std::nullopt;
        return Zeile{r.value(0, 0).toLongLong(), r.value(0, 1).toString()};
    } catch (const db::DbError&) {
        return std::nullopt;
    }
}

void frmCover::przCoverAnzeigen()
{
    const auto zeile = zeileSuchen();
    if (!zeile) {
        m_services.messages->msgBox(QStringLiteral("Bitte Datensatz erst speichern!"));
        return;
    }
    tfCover->setText(zeile->cover);
    QImageReader leser(coverDatei(zeile->cover, werte.coverNormal, m_services.programFolder));
    // A downloaded ".jpg" may hold a PNG.
    leser.setDecideFormatFromContent(true);
    const QImage bild = leser.read();
    if (bild.isNull()) {
        m_services.messages->msgBox(QStringLiteral("Leider kein Cover mehr!"), sys::mb::OkOnly,
                                    QStringLiteral("Kein Cover"));
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(bild));
    m_bild = bild.size();
}

void frmCover::przCoverladen()
{
    const auto zeile = zeileSuchen();
    if (!zeile) {
        m_services.messages->msgBox(QStringLiteral("Bitte Datensatz erst speichern!"));
        return;
    }
    const QString ordner = m_services.userStore ? m_services.userStore->getSetting(QStringLiteral("Datei"),
                                                                                   QStringLiteral("Pfad"))
                                                : QString();
    const QString datei = m_services.dialogs->openFile(QStringLiteral("Cover auswählen"), ordner,
                                                       QStringLiteral("Bilddateien (*.bmp *.jpg *.jpeg *.gif *.png)"),
                                                       m_katalog.uebergabe().tfTitel->text());
    if (datei.isEmpty()) {
        schliessen();
        return;
    }
    if (m_services.userStore)
        m_services.userStore->saveSetting(QStringLiteral("Datei"), QStringLiteral("Pfad"),
                                          QFileInfo(datei).absolutePath() + u'/');
    // A bare name finds its picture only in "covers": one chosen elsewhere is copied there.
    QString bilddatei = datei;
    bool kopiert = false;
    if (werte.coverNormal != u"1") {
        QString grund;
        const auto abgelegt = coverAblegen(datei, m_services.file(QStringLiteral("covers")), &grund);
        if (!abgelegt) {
            m_services.messages->msgBox(QStringLiteral("Das Bild kann nicht in den Ordner \"covers\" kopiert "
                                                       "werden: ")
                                            + grund,
                                        sys::mb::OkOnly | sys::mb::Critical, QStringLiteral("Cover laden"));
            return;
        }
        kopiert = QFileInfo(*abgelegt) != QFileInfo(datei);
        bilddatei = *abgelegt;
    }
    const QString referenz = coverReferenz(bilddatei, werte.coverNormal);
    // A reference the column cannot hold is not reported as attached.
    const bool gespeichert = referenz.size() <= CoverLaenge
                             && m_datenbank
                                    ->tryExecute(QStringLiteral("UPDATE %1 SET Cover = ? WHERE rowid = ?")
                                                     .arg(QString::fromUtf8(m_art.tabelle)),
                                                 {referenz, zeile->rowid})
                                    .ok;
    if (!gespeichert) {
        // A copy made for this record alone goes with the refusal.
        if (kopiert)
            QFile::remove(bilddatei);
        m_services.messages->msgBox(NichtGespeichert, sys::mb::OkOnly | sys::mb::Critical,
                                    QStringLiteral("Cover laden"));
        return;
    }
    tfCover->setText(referenz);
    przCoverAnzeigen();
    const Uebergabefelder haupt = m_katalog.uebergabe();
    haupt.chkCover->setVisible(true);
    haupt.chkCover->setEnabled(true);
    haupt.chkCover->setChecked(true);
    tfCover->setText(QStringLiteral("-"));
    haupt.tfCover->setText(QStringLiteral("-"));
}

void frmCover::przCoverentladen()
{
    tfCover->setText(QStringLiteral("-"));
    const auto zeile = zeileSuchen();
    if (!zeile) {
        m_services.messages->msgBox(QStringLiteral("Bitte Datensatz erst speichern!"));
        return;
    }
    const QString sql =
        QStringLiteral("UPDATE %1 SET Cover = '-' WHERE rowid = ?").arg(QString::fromUtf8(m_art.tabelle));
    if (!m_datenbank->tryExecute(sql, {zeile->rowid}).ok) {
        m_services.messages->msgBox(NichtGespeichert, sys::mb::OkOnly | sys::mb::Critical,
                                    QStringLiteral("Cover Entladen"));
        return;
    }
    m_katalog.uebergabe().chkCover->hide();
    schliessen();
}

void frmCover::schliessen()
{
    m_geschlossen = true;
    if (isVisible())
        close();
}

void frmCover::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        einpassen();
}

void frmCover::einpassen()
{
    if (m_bild.isEmpty())
        return;
    frame::AdjustImageToRect(Image1, float(vb::twips(width())), float(vb::twips(height())), 0, 0, true,
                             frame::Bildmass{float(m_bild.width()), float(m_bild.height())});
    // The buttons lie on the picture.
    for (QWidget* w : {static_cast<QWidget*>(tfCover), static_cast<QWidget*>(cmdPfad), static_cast<QWidget*>(cmdOK),
                       static_cast<QWidget*>(cmdCancel), static_cast<QWidget*>(cmdEntladen)})
        w->raise();
}

frmCover* coverZeigen(QPointer<frmCover>& fenster, const sys::Services& services, Katalogfenster& katalog,
                      const Coverart& art, const QString& referenz)
{
    if (fenster && !fenster->isVisible())
        delete fenster.data();
    if (fenster) {
        fenster->tfCover->setText(referenz);
    } else {
        auto* neu = new frmCover(services, katalog, art, katalog.katalogFenster());
        neu->tfCover->setText(referenz);
        if (!neu->Form_Load()) {
            delete neu;
            return nullptr;
        }
        neu->setAttribute(Qt::WA_DeleteOnClose);
        fenster = neu;
    }
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return fenster;
}

}  // namespace scan
