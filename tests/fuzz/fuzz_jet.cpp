// Any file as a Windows catalogue: the Jet reader opens it and reads every
// value of every table, as the conversion does, or refuses it with its German
// reason; it never crashes, hangs or reads what lies outside the file. A file
// it reads whole is converted: into a catalogue, or refused with a German
// reason that no text of SQLite's reaches, leaving nothing behind. What still
// crashes inside libmdb, past every check, the child program contains.
// Input: the file's bytes.
#include "jetimport/Umwandlung.h"
#include "platform/jet/JetDatei.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool utf8(const QByteArray& bytes)
{
    QStringDecoder dekodierer(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = dekodierer.decode(bytes);
    return !dekodierer.hasError();
}

void lesen(const QString& pfad)
{
    const auto datei = jet::JetDatei::oeffnen(pfad);
    for (const auto& t : datei->tabellen()) {
        fuzz::pruefen(!t.name.isEmpty() && !t.spalten.empty(), "a table has a name and columns");
        auto zeilen = datei->lesen(t.name);
        while (zeilen->naechste()) {
            fuzz::pruefen(zeilen->werte().size() == t.spalten.size(), "a row has a value for each column");
            for (const jet::Wert& w : zeilen->werte()) {
                if (w.art == jet::Wert::Art::Text)
                    fuzz::pruefen(utf8(w.utf8), "a text is UTF-8");
                else
                    fuzz::pruefen(w.maengel == 0, "only a text can lack characters");
            }
        }
        fuzz::pruefen(zeilen->gelesen() == t.zeilen, "a table read to its end has the rows it counts");
    }
}

void umwandeln(const QString& quelle, const QString& ordner)
{
    const QString ziel = ordner + QStringLiteral("/filme.mdb");
    try {
        jetimport::umwandeln(quelle, ziel);
    } catch (const jetimport::Fehler& e) {
        static const QRegularExpression englisch(QStringLiteral("constraint|duplicate|failed|syntax|no such|unique"),
                                                 QRegularExpression::CaseInsensitiveOption);
        fuzz::pruefen(e.text().startsWith(QStringLiteral("Sie ")) && !e.text().contains(englisch),
                      "a refused conversion names the Windows file, in German");
        fuzz::pruefen(QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System)
                          == QStringList{QStringLiteral("windows.mdb")},
                      "a refused conversion leaves nothing behind");
        return;
    }
    fuzz::pruefen(QFile::remove(ziel) && QFile::remove(jetimport::berichtPfad(ziel)),
                  "a conversion writes the catalogue and its report");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static const fuzz::Arbeitsordner ordner("jet");
    const QString pfad = ordner.pfad() + QStringLiteral("/windows.mdb");
    {
        QFile datei(pfad);
        if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || datei.write(reinterpret_cast<const char*>(daten), qint64(groesse)) != qint64(groesse))
            fuzz::verletzt("the work folder takes the file");
    }
    try {
        lesen(pfad);
    } catch (const jet::JetFehler& e) {
        fuzz::pruefen(e.text().startsWith(QStringLiteral("Sie ")) && e.text().endsWith(u'.'),
                      "a refusal is a German sentence about the file");
        return 0;
    }
    umwandeln(pfad, ordner.pfad());
    return 0;
}
