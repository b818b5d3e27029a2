// Any file as a Windows catalogue: the Jet reader opens it and reads every
// value of every table, as the conversion does, or refuses it with its German
// reason; it never crashes, hangs or reads what lies outside the file. What
// still crashes inside libmdb, past every check, the child program contains.
// Input: the file's bytes.
#include "platform/jet/JetDatei.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <QFile>
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
    }
    return 0;
}
