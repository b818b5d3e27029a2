#pragma once
// The film lookup's pieces that need no window: the search request, the genre
// cut and the candidate's address.
#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace scan {

// The title without "DVD", "dvd" and "Dvd", lower-cased ("Titanic DVD" -> "titanic ").
QString suchwort(const QString& titel);

// The search request: the address's "/search" with the query keys in their
// fixed order; the search word and the film site go in percent-encoded.
QUrl suchanfrage(const QString& suchadresse, const QString& suchwort, const QString& filmSeite);

// The part of a candidate appended to the picture site's "/filminfo": a
// leading "../" loses two characters, then a leading "/film" nine.
QString kandidatPfad(const QString& kandidat);
QUrl bildAdresse(const QString& bildseite, const QString& kandidat);

// The genre between "GENRE:" and "DARSTELLER:"; nothing when the markers are
// missing or in the wrong order (the field keeps its text).
std::optional<QString> genre(const QString& text);

// The converted text of a page that could not be shown.
bool seiteNichtGefunden(const QString& text);

// Why a lookup has nothing to offer: the search could not be reached (or its
// answer not read whole), or it answered without a page of the film.
enum class Fehlschlag { KeineVerbindung, KeinTreffer };
// Nothing for a page to offer. `geladen` and `status` as the load ended,
// `text` the page converted to text.
std::optional<Fehlschlag> fehlschlag(bool geladen, int status, const QString& text);
// What the user is told, in German; `grund` the load's own reason.
QString fehlschlagMeldung(Fehlschlag fehlschlag, int status, const QString& grund);

// The most characters of a page's text the info field takes: the text box
// needs minutes to lay out the text of a page of many megabytes.
constexpr qsizetype InfoHoechstlaenge = 100000;
// A page's text as the info field takes it: whole up to the limit, else its
// beginning and a line that says where it was cut.
QString infotext(const QString& text);

}  // namespace scan
