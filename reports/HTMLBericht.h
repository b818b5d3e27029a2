#pragma once
// The HTML report format of the whole program: the rows of a source as a paged
// table, one page file after another ("CDs.HTML", "CDs2.HTML", ...), each a
// whole HTML document in Windows-1252 that declares its encoding. Every page is
// written as the rows are read, under a temporary name beside it, and renamed
// over its file name when it is whole, so a failure leaves the earlier file of
// that name as it was.
#include <QByteArray>
#include <QString>
#include <QVariant>

namespace reports {

class Zeilenquelle;

struct HTMLErgebnis {
    bool geschrieben = false;
    // After a failure: the page file that could not be written (its path as
    // the report names it) and why.
    QString datei;
    QString grund;
};

// Writes the rows of `quelle` from its current row to its end; the page count
// counts all of its rows. An empty title or heading takes the source's name.
// With `zeilenProSeite` below 1 every row goes on one page. Never throws.
HTMLErgebnis dbTableToHTML(Zeilenquelle& quelle, const QString& dateiname, QString titel, QString überschrift,
                           int zeilenProSeite);

// The entity encoder of the cells: "&" first, then "ä", "Ä", "ö", "Ö", "ü",
// "Ü", "ß", ">", "<" and the double quote, each exactly as written. Writes the
// result back into `text` and returns it.
QString HTMLUmlaute(QString& text);

// A cell as the page holds it: Null as "&nbsp;", any other value as its text
// through HTMLUmlaute, in Windows-1252 with "&#N;" for what that lacks.
QByteArray HTMLZelle(const QVariant& wert);

// The address of a page file in its links: "file://" and the absolute path,
// with only "%", "#", "?" and the double quote percent-encoded.
QByteArray HTMLLinkziel(const QString& pfad);

}  // namespace reports
