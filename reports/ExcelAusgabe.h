#pragma once
// The one way the program writes Excel workbooks: the rows of "SELECT *" and a
// source clause (" from filme", " from Unterordner order by Titel;", ...), with
// the source's column names as the first row, into the sheet "cds" of a
// workbook in the program folder. Values of the clause are bound ("?"), never
// joined into it.
#include <QString>
#include <QVariantList>

namespace db {
class Database;
}
namespace sys {
class MessageService;
}

namespace reports {

inline const QString ExcelAusgabeTitel = QStringLiteral("Excel Ausgabe");

// How a run treats a workbook left from an earlier export.
enum class Excelweise {
    // The main window's exports: the first attempt refuses an existing
    // workbook (its sheet "cds" is taken); the second replaces it.
    MitWiederholung,
    // The statistics windows: the workbook is replaced at once.
    NachLeeren,
};

class ExcelAusgabe {
public:
    // The workbooks go into `ordner` (the program folder); `meldungen` confirms
    // them or says why not.
    ExcelAusgabe(sys::MessageService& meldungen, QString ordner, db::Database& datenbank);

    // Writes the workbook `mappe` and confirms it ("Excel Ausgabe", or
    // `titel`; an empty title shows the program's own). A workbook that could
    // not be written is reported as such instead and an earlier one stays as
    // it was. Never throws; true when the workbook was written.
    bool ausgeben(Excelweise weise, const QString& mappe, const QString& quelle, const QVariantList& werte = {},
                  const QString& titel = ExcelAusgabeTitel);

    // One attempt without messages. Without `ersetzen` an existing workbook is
    // refused. The file is written under a temporary name and renamed over the
    // workbook, so a failure leaves no half file. Never throws.
    bool schreiben(const QString& mappe, const QString& quelle, const QVariantList& werte, bool ersetzen);

    // Why the last attempt failed ("" after a success).
    const QString& fehler() const { return m_fehler; }

    static QString bestaetigung(const QString& mappe);
    static QString fehlermeldung(const QString& mappe);

private:
    sys::MessageService& m_meldungen;
    QString m_ordner;
    db::Database& m_datenbank;
    QString m_fehler;
};

}  // namespace reports
