#pragma once
// The text export "cds.txt": every title of Filme in German title order, one
// line per title ended by CR LF, each column of the table in its own order
// followed by ";" (Null adds nothing, ";" inside a value stays), UTF-8 without
// a byte-order mark. Numbers as CStr, dates as day.month.year. A title stays one
// line: a stored line break, tab or other control character is written as a blank.
#include <QString>

namespace db {
class Database;
}
namespace sys {
class MessageService;
}

namespace reports {

inline const QString TextexportDatei = QStringLiteral("cds.txt");
inline const QString TextexportErfolg =
    QStringLiteral("Die Textdatei wurde im Programmverzeichnis unter dem Namen cds.txt abgelegt.");
inline const QString TextexportErfolgTitel = QStringLiteral("Textexport erfolgreich abgeschlossen!");
inline const QString TextexportTitel = QStringLiteral("Textexport");

// Writes the file under a temporary name and renames it over `pfad`, so a
// failure leaves an earlier file whole. Never throws; false with the reason in
// `fehler`.
bool textexportSchreiben(db::Database& datenbank, const QString& pfad, QString* fehler = nullptr);

// The export as the main window runs it: "cds.txt" in the program folder
// `ordner`, then the confirmation, or the message that names the file. True
// when written.
bool textexport(sys::MessageService& meldungen, const QString& ordner, db::Database& datenbank);

}  // namespace reports
