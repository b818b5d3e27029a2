// A "Cd.ini" or language file copied from anywhere: any bytes read without
// harm, and a write of one key changes that key's line and nothing else.
// Input: [section NUL [key NUL [value NUL]]] file bytes.
#include "platform/ini/IniFile.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QByteArray lesen(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

void schreiben(const QString& pfad, const QByteArray& bytes)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate) || datei.write(bytes) != bytes.size())
        fuzz::verletzt("the work folder takes the file");
}

using Name = std::pair<QString, QString>;

// Section and key names as the file seems to hold them, found by a rough look:
// the reader decides what they really are.
std::vector<Name> namenImText(const QString& text)
{
    std::vector<Name> namen;
    QString abschnitt;
    for (const QString& zeile : text.split(u'\n')) {
        const QString t = zeile.trimmed();
        if (t.startsWith(u'[')) {
            abschnitt = t.mid(1, t.indexOf(u']') - 1);
        } else if (const qsizetype gleich = t.indexOf(u'='); gleich > 0 && namen.size() < 24) {
            namen.emplace_back(abschnitt, t.left(gleich));
        }
    }
    return namen;
}

bool gleicherName(const Name& a, const Name& b)
{
    return a.first.trimmed().compare(b.first.trimmed(), Qt::CaseInsensitive) == 0
           && a.second.trimmed().compare(b.second.trimmed(), Qt::CaseInsensitive) == 0;
}

bool utf8(const QByteArray& bytes)
{
    QStringDecoder dekodierer(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = dekodierer.decode(bytes);
    return !dekodierer.hasError();
}

// The bytes that differ between the two files lie in one span, and that span
// of the old file holds no line end: one line changed, or whole lines were added.
bool eineZeileGeaendert(const QByteArray& vorher, const QByteArray& nachher)
{
    const qsizetype kuerzer = std::min(vorher.size(), nachher.size());
    qsizetype vorne = 0;
    while (vorne < kuerzer && vorher[vorne] == nachher[vorne])
        ++vorne;
    qsizetype hinten = 0;
    while (hinten < kuerzer - vorne && vorher[vorher.size() - 1 - hinten] == nachher[nachher.size() - 1 - hinten])
        ++hinten;
    return !vorher.mid(vorne, vorher.size() - hinten - vorne).contains('\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static const fuzz::Arbeitsordner ordner("ini");
    const QList<QByteArray> stuecke = fuzz::teile(daten, groesse, 4);
    const QByteArray inhalt = stuecke.last();
    const auto stueck = [&](qsizetype i, const char* sonst) {
        return i < stuecke.size() - 1 ? QString::fromUtf8(stuecke[i]) : QString::fromUtf8(sonst);
    };
    const Name ziel{stueck(0, "DB"), stueck(1, "DB Name0")};
    // Brackets keep the value's ends free of blanks and quotes, which the reader drops.
    const QString wert = u'<' + stueck(2, "filme") + u'>';

    const QString pfad = ordner.pfad() + QStringLiteral("/Cd.ini");
    schreiben(pfad, inhalt);
    const ini::IniFile datei(pfad);

    std::vector<Name> namen = namenImText(QString::fromUtf8(inhalt));
    namen.push_back(ziel);
    std::vector<QString> werte;
    for (const Name& name : namen) {
        const QString ganz = datei.read(name.first, name.second, 1 << 20);
        fuzz::pruefen(!ganz.contains(u'\n'), "a value never holds a line end");
        const QString kurz = datei.read(name.first, name.second, 5);
        fuzz::pruefen(kurz.size() <= 4 && ganz.startsWith(kurz), "a small buffer gets the value's beginning");
        fuzz::pruefen(datei.read(name.first, name.second) == ganz.left(ini::DefaultBuffer - 1),
                      "the default buffer cuts the value to 199 characters");
        werte.push_back(ganz);
    }

    int fehler = -1;
    const bool geschrieben = datei.write(ziel.first, ziel.second, wert, &fehler);
    const QByteArray nachher = lesen(pfad);
    if (!geschrieben) {
        fuzz::pruefen(fehler > 0, "a refused write names its cause");
        fuzz::pruefen(nachher == inhalt, "a refused write leaves the file as it was");
        return 0;
    }
    fuzz::pruefen(fehler == 0, "a write that succeeds reports no cause");
    fuzz::pruefen(datei.read(ziel.first, ziel.second, int(wert.size()) + 1) == wert,
                  "the written value reads back");
    fuzz::pruefen(eineZeileGeaendert(inhalt, nachher), "a write changes only the key's line");
    // A write that takes the last bytes that are no UTF-8 out of a Windows-1252
    // file leaves a UTF-8 file, which then reads as UTF-8 throughout.
    const bool kodierungGewechselt = !utf8(inhalt) && utf8(nachher);
    for (size_t i = 0; i < namen.size() && !kodierungGewechselt; ++i) {
        if (!gleicherName(namen[i], ziel))
            fuzz::pruefen(datei.read(namen[i].first, namen[i].second, 1 << 20) == werte[i],
                          "every other key keeps its value");
    }
    fuzz::pruefen(datei.write(ziel.first, ziel.second, wert) && lesen(pfad) == nachher,
                  "writing the same value again changes nothing");
    return 0;
}
