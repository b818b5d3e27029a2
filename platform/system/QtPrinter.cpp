#include "platform/system/QtPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace sys {

namespace {

// A line holds this many columns: the widest list layout, column 110 and 15 more.
constexpr double SpaltenJeZeile = 125;

// A column is the font's average character width as the original platform
// gives it: the width of "x" (Qt's averageCharWidth averages every glyph and
// comes out narrower, so padded values would overrun their columns).
double spaltenbreite(const QFont& schrift, QPaintDevice* gerät)
{
    return QFontMetricsF(schrift, gerät).horizontalAdvance(QLatin1Char('x'));
}

// The user's choices of the printer dialog, carried to a fresh printer. The
// file name goes first: an empty one would switch the format back.
void einstellungenÜbernehmen(const QPrinter& alt, QPrinter& neu)
{
    neu.setOutputFileName(alt.outputFileName());
    neu.setOutputFormat(alt.outputFormat());
    if (alt.outputFormat() == QPrinter::NativeFormat)
        neu.setPrinterName(alt.printerName());
    neu.setPageLayout(alt.pageLayout());
    neu.setCopyCount(alt.copyCount());
    neu.setCollateCopies(alt.collateCopies());
    neu.setColorMode(alt.colorMode());
    neu.setDuplex(alt.duplex());
    neu.setPageOrder(alt.pageOrder());
    neu.setPaperSource(alt.paperSource());
    neu.setFullPage(alt.fullPage());
    neu.setDocName(alt.docName());
    neu.setPageRanges(alt.pageRanges());
    neu.setPrintRange(alt.printRange());
}

}  // namespace

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter()
{
    if (m_maler && m_maler->isActive())
        m_maler->end();
}

QPrinter& QtPrinter::drucker()
{
    if (!m_drucker) {
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_drucker->setPageOrientation(QPageLayout::Portrait);
        m_drucker->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        m_font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        m_font.setStyleHint(QFont::SansSerif);
        m_font.setPointSizeF(8);
    }
    return *m_drucker;
}

void QtPrinter::pdfAusgabe(const QString& pfad)
{
    drucker().setOutputFileName(pfad);
    drucker().setOutputFormat(QPrinter::PdfFormat);
}

int QtPrinter::zeilenProSeite() const
{
    return m_zeilenhoehe > 0 ? int(m_seitenhoehe / m_zeilenhoehe) : 0;
}

QFont QtPrinter::font()
{
    // A font too wide for a whole line on the page takes its condensed face,
    // and when that is still too wide, a smaller size.
    QPrinter& d = drucker();
    QFont schrift(m_font, &d);
    const double breite = d.pageLayout().paintRectPixels(d.resolution()).width();
    if (SpaltenJeZeile * spaltenbreite(schrift, &d) > breite)
        schrift.setStretch(QFont::Condensed);
    const double nötig = SpaltenJeZeile * spaltenbreite(schrift, &d);
    if (nötig > breite)
        schrift.setPointSizeF(schrift.pointSizeF() * breite / nötig);
    return schrift;
}

bool QtPrinter::beginnen()
{
    if (m_gescheitert)
        return false;
    if (m_maler)
        return true;
    QPrinter& d = drucker();
    m_maler = std::make_unique<QPainter>();
    if (!m_maler->begin(&d))
        return aufgeben();
    const QFont schrift = font();
    m_maler->setFont(schrift);
    const QFontMetricsF masse(schrift, &d);
    m_spaltenbreite = spaltenbreite(schrift, &d);
    m_zeilenhoehe = masse.lineSpacing();
    m_oberkante = masse.ascent();
    m_seitenhoehe = d.pageLayout().paintRectPixels(d.resolution()).height();
    m_regel.emplace([masse, breite = m_spaltenbreite](const QString& text) {
        return masse.horizontalAdvance(text) / breite;
    });
    m_y = 0;
    m_zeileOffen = false;
    m_seiten = 1;
    return true;
}

// A QPrinter whose job failed to start stays "active" for good and refuses
// every later choice of the dialog, so the next job gets a fresh one that
// keeps the user's choices.
bool QtPrinter::aufgeben()
{
    m_gescheitert = true;
    if (m_maler && m_maler->isActive())
        m_maler->end();
    m_maler.reset();
    auto neu = std::make_unique<QPrinter>(QPrinter::HighResolution);
    einstellungenÜbernehmen(*m_drucker, *neu);
    m_drucker = std::move(neu);
    return false;
}

// Feeds a page when the current line does not fit below the last one.
bool QtPrinter::zeilePlatz()
{
    if (m_y + m_zeilenhoehe <= m_seitenhoehe || m_y == 0)
        return true;
    if (!drucker().newPage())
        return aufgeben();
    ++m_seiten;
    m_y = 0;
    return true;
}

bool QtPrinter::print(int spalte, const QString& text, const QTextOption& layout)
{
    if (!beginnen())
        return false;
    const Spaltenregel::Platz platz = m_regel->setzen(spalte, text);
    if (platz.neueZeile && m_zeileOffen)
        m_y += m_zeilenhoehe;
    if (!zeilePlatz())
        return false;
    const double x = platz.x * m_spaltenbreite;
    if (!text.contains(QLatin1Char('\t'))) {
        m_maler->drawText(QPointF(x, m_y + m_oberkante), text);
    } else {
        // Tabs expanded here: QTextLayout reads tab stops in screen pixels
        // on a printer, while the layout holds the printer font's units.
        QList<double> stopps;
        for (const QTextOption::Tab& t : layout.tabs())
            stopps.append(t.position);
        const QFontMetricsF masse(m_maler->font(), &drucker());
        double position = 0;
        const QStringList teile = text.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < teile.size(); ++i) {
            if (i > 0)
                position = naechsterTabstopp(position, stopps, layout.tabStopDistance());
            m_maler->drawText(QPointF(x + position, m_y + m_oberkante), teile[i]);
            position += masse.horizontalAdvance(teile[i]);
        }
    }
    m_zeileOffen = true;
    return true;
}

bool QtPrinter::newLine()
{
    if (!beginnen())
        return false;
    // The page is fed when something is printed below the last line that fits.
    m_y += m_zeilenhoehe;
    m_regel->zeilenende();
    m_zeileOffen = false;
    return true;
}

bool QtPrinter::endDoc()
{
    const bool gut = !m_gescheitert;
    if (m_maler && m_maler->isActive() && !m_maler->end())
        aufgeben();
    const bool ergebnis = gut && !m_gescheitert;
    m_maler.reset();
    m_regel.reset();
    m_gescheitert = false;
    return ergebnis;
}

// Without a print system Qt writes PDF, which needs a file name; with one, a
// printer of that name must be there.
bool QtPrinter::eingerichtet()
{
    const QPrinter& d = drucker();
    if (d.outputFormat() == QPrinter::PdfFormat)
        return !d.outputFileName().isEmpty();
    return !d.printerName().isEmpty() && QPrinterInfo::availablePrinterNames().contains(d.printerName());
}

Printer::Einrichtung QtPrinter::setup()
{
    if (m_maler)
        return Einrichtung::Fehler;
    QPrintDialog dialog(&drucker());
    return dialog.exec() == QDialog::Accepted ? Einrichtung::Gewaehlt : Einrichtung::Abgebrochen;
}

}  // namespace sys
