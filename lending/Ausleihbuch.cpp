#include "lending/Ausleihbuch.h"

#include "platform/db/Database.h"
#include "platform/db/SqlFunctions.h"

namespace ausleihe {

bool keinLeiher(const QString& wer)
{
    return wer.isEmpty() || wer == QLatin1String("-");
}

void ausleiheEintragen(db::Database& datenbank, long long filmZeile)
{
    datenbank.execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT) SELECT Titel, Wer, AusDatum FROM Filme "
                                     "WHERE rowid = ?"),
                      {filmZeile});
}

void rückgabeEintragen(db::Database& datenbank, const QString& titel, const QString& wer, const QString& heute)
{
    datenbank.execute(QStringLiteral("UPDATE Ausleihe SET EinDT = ? WHERE EinDT IS NULL AND Titel = ?") + db::kollation()
                          + QStringLiteral(" AND Wer = ?") + db::kollation(),
                      {heute, titel, wer});
}

void unterordnerZurück(db::Database& datenbank, const QString& titel, const QString& wer)
{
    datenbank.execute(QStringLiteral("UPDATE Unterordner SET Wer = '-' WHERE Titel = ?") + db::kollation()
                          + QStringLiteral(" AND Wer = ?") + db::kollation(),
                      {titel, wer});
}

void mappeAusleihen(db::Database& datenbank, const QString& mappe, const QString& wer, const QString& heute)
{
    db::Database::Transaction transaktion(datenbank, db::Database::Join::Open);
    // The rows first: afterwards the titles just lent can no longer be told
    // from those that were out already.
    datenbank.execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT) SELECT Titel, ?, ? FROM Filme "
                                     "WHERE Mappe = ?")
                          + db::kollation() + QStringLiteral(" AND Wer = '-'"),
                      {wer, heute, mappe});
    datenbank.execute(QStringLiteral("UPDATE Filme SET Wer = ? WHERE Mappe = ?") + db::kollation()
                          + QStringLiteral(" AND Wer = '-'"),
                      {wer, mappe});
    transaktion.commit();
}

void mappeZurück(db::Database& datenbank, const QString& mappe, const QString& wer, const QString& heute)
{
    db::Database::Transaction transaktion(datenbank, db::Database::Join::Open);
    datenbank.execute(QStringLiteral("UPDATE Ausleihe SET EinDT = ? WHERE EinDT IS NULL AND Wer = ?") + db::kollation()
                          + QStringLiteral(" AND Titel") + db::kollation()
                          + QStringLiteral(" IN (SELECT Titel FROM Filme WHERE Mappe = ?") + db::kollation()
                          + QStringLiteral(")"),
                      {heute, wer, mappe});
    datenbank.execute(QStringLiteral("UPDATE Filme SET Wer = '-' WHERE Mappe = ?") + db::kollation()
                          + QStringLiteral(" AND Wer = ?") + db::kollation(),
                      {mappe, wer});
    transaktion.commit();
}

QString historieSql()
{
    return QStringLiteral("Select * from Ausleihe where Titel = ?") + db::kollation() + QStringLiteral(";");
}

long historieZählen(db::Database& datenbank, const QString& titel)
{
    return db::dscount(datenbank,
                       QStringLiteral("SELECT COUNT(*) AS Zähler FROM Ausleihe where Titel = ?") + db::kollation()
                           + QStringLiteral(";"),
                       {titel});
}

}  // namespace ausleihe
