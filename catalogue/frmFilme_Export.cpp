// The exports of the main window: "cds.txt", the whole catalogue, the current
// selection and the sub-entries as workbooks in the program folder.
#include "catalogue/frmFilme.h"

#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbLike.h"
#include "reports/ExcelAusgabe.h"
#include "frame/Einmalfenster.h"
#include "reports/frmHTML.h"
#include "reports/frmStatistik.h"
#include "reports/Textexport.h"

#include <QPushButton>

using db::kollation;
using reports::ExcelAusgabe;
using reports::Excelweise;

void frmFilme::exportVerbinden()
{
    connect(c.mnuText, &QAction::triggered, this, [this] { przTextexport(); });
    connect(c.mnuExcell, &QAction::triggered, this, [this] { przExcelExport(); });
    connect(c.ExcelSel, &QPushButton::clicked, this, [this] { przExcelSelektion(); });
    connect(c.mnuUnterverzeichnisExcelListe, &QAction::triggered, this, [this] { przExcelUnterordner(); });
    druckVerbinden();
    // Shown again as it is while it is open: its figures are not recomputed.
    connect(c.cmdHTML, &QPushButton::clicked, this, [this] { frmHTML::zeigen(m_services, *this); });
    connect(c.mnuHTML, &QAction::triggered, this, [this] { frmHTML::zeigen(m_services, *this); });
    // The sub-entry report uses the window without the user: it stays loaded, hidden.
    connect(c.mnuUnterverzeichnisHTML, &QAction::triggered, this, [this] {
        frmHTML* fenster = frmHTML::zeigen(m_services, *this);
        fenster->przUnterordner();
        frame::verstecken(fenster);
    });
    connect(c.mnuZahlenStatistik, &QAction::triggered, this, [this] { frmStatistik::zeigen(m_services, *this); });
}

void frmFilme::przTextexport()
{
    if (datenbank)
        reports::textexport(*m_services.messages, m_services.programFolder, *datenbank);
}

// In title order, as "cds.txt" has it.
void frmFilme::przExcelExport()
{
    if (datenbank)
        ExcelAusgabe(*m_services.messages, m_services.programFolder, *datenbank)
            .ausgeben(Excelweise::MitWiederholung, QStringLiteral("CDs.xls"),
                      QStringLiteral(" from filme order by Titel") + kollation() + u';');
}

void frmFilme::przExcelUnterordner()
{
    if (datenbank)
        ExcelAusgabe(*m_services.messages, m_services.programFolder, *datenbank)
            .ausgeben(Excelweise::MitWiederholung, QStringLiteral("Unterordner.xls"),
                      QStringLiteral(" from Unterordner order by Titel") + kollation() + u';');
}

// Only the emptiness of a filter box picks the case; the value is always
// FilterWert, bound.
void frmFilme::przExcelSelektion()
{
    if (!datenbank)
        return;
    struct Fall {
        vb::ComboBox* box;
        const char* spalte;
        const char* mappe;
    };
    const Fall fälle[] = {
        {c.cmbFormat, "Format", "Format.xls"}, {c.cmbQualität, "Qualität", "Qualität.xls"},
        {c.cmbMappe, "Mappe", "Mappe.xls"},    {c.cmbCat, "Cat", "Cat.xls"},
        {c.cmbWer, "Wer", "Wer.xls"},
    };
    ExcelAusgabe ausgabe(*m_services.messages, m_services.programFolder, *datenbank);
    const QString ordnung = QStringLiteral(" order by Titel") + kollation() + u';';
    for (const Fall& fall : fälle) {
        if (fall.box->text().isEmpty())
            continue;
        const QString spalte = QString::fromUtf8(fall.spalte);
        // The borrower's workbook is confirmed under the program's own title.
        ausgabe.ausgeben(Excelweise::MitWiederholung, QString::fromUtf8(fall.mappe),
                         QStringLiteral(" from filme where ") + spalte + QStringLiteral(" = ?") + kollation() + ordnung,
                         {FilterWert}, spalte == QLatin1String("Wer") ? QString() : reports::ExcelAusgabeTitel);
        return;
    }
    // A search word keeps its wildcards, as the searches do.
    if (VolltextsucheTitelFlag == QLatin1String("1")) {
        ausgabe.ausgeben(Excelweise::MitWiederholung, QStringLiteral("VolltextsucheTitel.xls"),
                         QStringLiteral(" from Filme where Titel like ?") + ordnung,
                         {QStringLiteral("*") + FilterWert + u'*'});
        return;
    }
    if (VolltextsucheInfoFlag == QLatin1String("1")) {
        ausgabe.ausgeben(Excelweise::MitWiederholung, QStringLiteral("VolltextsucheInfo.xls"),
                         QStringLiteral(" from Filme where Info like ?") + ordnung,
                         {QStringLiteral("*") + FilterWert + u'*'});
        return;
    }
    if (UnterordnerListeFlag == QLatin1String("1")) {
        FilterWert = UnterordnerTitel;
        ausgabe.ausgeben(Excelweise::MitWiederholung, QStringLiteral("Unterverzeichnis.xls"),
                         QStringLiteral(" from Unterordner where Titel like ?") + ordnung,
                         {QStringLiteral("*") + vb::literalPattern(FilterWert) + u'*'});
        return;
    }
    m_services.messages->msgBox(QStringLiteral("Sie haben keine Selektion getroffen. Bitte nutzen Sie für eine "
                                               "unselektierte Excelausgabe die Funktion über das Menü 'Datei'"),
                                sys::mb::Information, reports::ExcelAusgabeTitel);
}
