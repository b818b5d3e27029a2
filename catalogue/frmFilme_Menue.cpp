// The main window's menu commands and the buttons that open other windows.
#include "catalogue/frmFilme.h"

#include "catalogue/Bildchen.h"
#include "frame/Programme.h"
#include "frame/frmAbout.h"
#include "frame/frmCredits.h"
#include "frame/frmOptionen.h"

#include <QApplication>
#include <QMenuBar>
#include <QPainter>

namespace {

// The small pictures of the menu, drawn here: a disc, a page, a printer, ...
enum class Motiv { Scheibe, Seite, Tabelle, Text, Drucker, Zahnrad, Pfeil, Lupe, Bild, Fahne, Balken, Hilfe, Info };

void malen(QPainter& p, Motiv motiv, QColor farbe)
{
    p.setPen(QPen(farbe.darker(160), 1));
    p.setBrush(farbe);
    switch (motiv) {
    case Motiv::Scheibe:
        p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.5, 4.5, 4, 4));
        break;
    case Motiv::Seite:
    case Motiv::Text:
    case Motiv::Tabelle:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 0.5, 8, 12));
        p.setPen(QPen(farbe, 1));
        for (int y = 3; y <= 9; y += 2)
            p.drawLine(QPointF(4, y + 0.5), QPointF(motiv == Motiv::Text ? 7 : 9, y + 0.5));
        if (motiv == Motiv::Tabelle)
            p.drawLine(QPointF(6.5, 2), QPointF(6.5, 11));
        break;
    case Motiv::Drucker:
        p.drawRect(QRectF(0.5, 4.5, 12, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 0.5, 6, 4));
        p.drawRect(QRectF(3.5, 8.5, 6, 4));
        break;
    case Motiv::Zahnrad:
        p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.5, 4.5, 4, 4));
        break;
    case Motiv::Pfeil: {
        const QPointF spitze[] = {{6.5, 0.5}, {12.5, 6.5}, {8.5, 6.5}, {8.5, 12.5}, {4.5, 12.5}, {4.5, 6.5}, {0.5, 6.5}};
        p.drawPolygon(spitze, 7);
        break;
    }
    case Motiv::Lupe:
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(0.5, 0.5, 8, 8));
        p.setPen(QPen(farbe.darker(160), 2));
        p.drawLine(QPointF(7.5, 7.5), QPointF(12, 12));
        break;
    case Motiv::Bild:
        p.drawRect(QRectF(0.5, 1.5, 12, 10));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2.5, 3.5, 3, 3));
        break;
    case Motiv::Fahne:
        p.drawRect(QRectF(1.5, 1.5, 10, 6));
        p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 12.5));
        break;
    case Motiv::Balken:
        p.drawRect(QRectF(0.5, 6.5, 3, 6));
        p.drawRect(QRectF(4.5, 2.5, 3, 10));
        p.drawRect(QRectF(8.5, 4.5, 3, 8));
        break;
    case Motiv::Hilfe:
    case Motiv::Info:
        p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
        p.setPen(QPen(Qt::white, 2));
        if (motiv == Motiv::Info) {
            p.drawLine(QPointF(6.5, 5), QPointF(6.5, 10));
            p.drawPoint(QPointF(6.5, 3));
        } else {
            p.drawArc(QRectF(4, 2.5, 5, 5), 180 * 16, -270 * 16);
            p.drawPoint(QPointF(6.5, 10));
        }
        break;
    }
}

// Menu pictures keep their size whatever the font: three times for the finest screens.
QIcon menüBild(Motiv motiv, QColor farbe)
{
    return katalog::bildchen(13, 3, [&](QPainter& p) { malen(p, motiv, farbe); });
}

}  // namespace

// The pictures go onto the pull-down entries by position, separators counted.
void frmFilme::przMenüBilder()
{
    struct Eintrag {
        QMenu* menü;
        int position;
        Motiv motiv;
        QColor farbe;
    };
    const QColor blau(40, 90, 170), gruen(40, 140, 70), rot(180, 50, 40), grau(110, 110, 110), gold(200, 150, 30);
    const Eintrag tabelle[] = {
        {c.mnuDatei, 0, Motiv::Scheibe, gold},      {c.mnuDatei, 2, Motiv::Pfeil, gruen},
        {c.mnuExport, 0, Motiv::Seite, blau},       {c.mnuExport, 1, Motiv::Tabelle, gruen},
        {c.mnuExport, 2, Motiv::Text, grau},        {c.mnuDatei, 4, Motiv::Drucker, grau},
        {c.mnuDatei, 5, Motiv::Zahnrad, grau},      {c.mnuAnsicht, 0, Motiv::Pfeil, blau},
        {c.mnuSuchen, 0, Motiv::Lupe, blau},        {c.mnuSuchen, 1, Motiv::Lupe, gruen},
        {c.mnuSuchen, 3, Motiv::Bild, gold},        {c.mnuSuchen, 4, Motiv::Seite, grau},
        {c.mnuSuchen, 8, Motiv::Fahne, blau},       {c.mnuSuchen, 9, Motiv::Fahne, rot},
        {c.mnuSuchen, 10, Motiv::Fahne, gruen},     {c.mnuSuchen, 11, Motiv::Fahne, grau},
        {c.mnuStatistik, 0, Motiv::Balken, blau},   {c.mnuStatistik, 1, Motiv::Balken, gruen},
        {c.About, 0, Motiv::Hilfe, blau},           {c.About, 1, Motiv::Text, grau},
        {c.About, 2, Motiv::Info, blau},
    };
    for (const auto& e : tabelle) {
        const QList<QAction*> einträge = e.menü->actions();
        if (e.position < einträge.size() && !einträge[e.position]->isSeparator())
            einträge[e.position]->setIcon(menüBild(e.motiv, e.farbe));
    }
}

void frmFilme::menüVerbinden()
{
    connect(c.mnuBeenden, &QAction::triggered, this, [this] { programmBeenden(); });
    connect(c.mnuAktualisieren, &QAction::triggered, this, [this] { przAktualisieren(); });
    connect(c.mnuHilfe, &QAction::triggered, this,
            [this] { m_services.shell->open(m_services.file(QStringLiteral("help.html"))); });
    connect(c.mnuTools, &QAction::triggered, this, &frmFilme::mnuTools_Click);
    connect(c.mnuOptionen, &QAction::triggered, this, [this] { frmOptionen::zeigen(m_services, this); });
    connect(c.mnuAbout, &QAction::triggered, this, [this] { frmAbout::zeigen(m_services, this); });
    connect(c.mnuCredits, &QAction::triggered, this, [this] { frmCredits::zeigen(m_services, this); });
    connect(c.cmdInfo, &QPushButton::clicked, this, &frmFilme::cmdInfo_Click);
    connect(c.mnuUnterverzeichnis, &QAction::triggered, this, &frmFilme::mnuUnterverzeichnis_Click);
    suchenVerbinden();
    exportVerbinden();

    // A checkable entry has already toggled itself when it triggers; the
    // toggles decide from the state before the click.
    const std::pair<QAction*, void (frmFilme::*)()> sortierung[] = {
        {c.mnuFormat, &frmFilme::przSortFormat},       {c.mnuQualität, &frmFilme::przSortQualität},
        {c.mnuMappe, &frmFilme::przSortMappe},         {c.mnuKategorie, &frmFilme::przSortKategorie},
        {c.mnuDateAb, &frmFilme::przSortDatumAb},      {c.mnuDateAuf, &frmFilme::przSortDatumAuf},
    };
    for (const auto& [eintrag, umschalten] : sortierung) {
        connect(eintrag, &QAction::triggered, this, [this, eintrag = eintrag, umschalten = umschalten](bool jetzt) {
            eintrag->setChecked(!jetzt);
            (this->*umschalten)();
        });
    }
    connect(c.mnuClear, &QAction::triggered, this, &frmFilme::mnuClear_Click);
    connect(c.cmdClear, &QPushButton::clicked, this, &frmFilme::cmdClear_Click);
    // The option buttons set the sort column when chosen, by the user or from code.
    const std::pair<QRadioButton*, const char*> optionen[] = {
        {c.optFormat, "Format"}, {c.optQualität, "Qualität"}, {c.optMappe, "Mappe"}, {c.optCat, "Cat"}};
    for (const auto& [knopf, spalte] : optionen) {
        const QString s = QString::fromUtf8(spalte);
        connect(knopf, &QRadioButton::toggled, this, [this, s](bool an) {
            if (an)
                SortFeld = s;
        });
    }
}

void frmFilme::cmdInfo_Click()
{
    if (!c.tfTitel->text().isEmpty())
        c.tfInfo->setVisible(true);
    else
        m_services.messages->msgBox(QStringLiteral("Kein Datensatz!"), sys::mb::Exclamation,
                                    QStringLiteral("Datensatz-Info"));
}

// The only way to a first sub-entry typed by hand for a title without any.
void frmFilme::mnuUnterverzeichnis_Click()
{
    if (!c.tfTitel->text().isEmpty())
        przNeuUnterordner();
}

// Starts the tools program and leaves it the catalogue and "Cd.ini" alone. A
// start that fails says so and keeps the main window.
void frmFilme::mnuTools_Click()
{
    if (!änderungenKlären())
        return;
    if (!m_services.shell->start(m_services.executable(frame::ToolsDatei))) {
        m_services.messages->msgBox(
            QStringLiteral("Das Programm \"%1\" lässt sich nicht starten.").arg(m_services.executable(frame::ToolsDatei)),
            sys::mb::Critical, QStringLiteral("Tools"));
        return;
    }
    przUnloadMe();
    QApplication::closeAllWindows();
}
