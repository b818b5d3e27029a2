// Any web page through the HTML-to-text conversion, with each way of writing
// pictures: the text comes back trimmed, and every cover candidate is a
// picture source of the page.
// Input: one byte that picks the template and the decoding, then the page.
#include "scan/modHTML2Text.h"
#include "tests/fuzz/Fuzzeingabe.h"

#include <iterator>

namespace {

class Sammler : public scan::Coverkandidaten {
public:
    void kandidat(const QString& quelle) override { liste << quelle; }
    QStringList liste;
};

const QString Vorlagen[] = {QStringLiteral(" "), QStringLiteral("%imgalt"), QStringLiteral("[%imgsrc|%IMGALT]"),
                            QString()};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    if (groesse == 0)
        return 0;
    const uint8_t wahl = daten[0];
    const QString html = fuzz::text(fuzz::bytes(daten + 1, groesse - 1),
                                    (wahl & 0x80) != 0);
    const QString& vorlage = Vorlagen[wahl % std::size(Vorlagen)];

    Sammler sammler;
    const QString text = scan::HTMLzuText(html, vorlage, &sammler);
    fuzz::pruefen(!text.startsWith(u' ') && !text.endsWith(u' '), "the text has no blank at either end");
    fuzz::pruefen(!text.startsWith(QLatin1String("\r\n")) && !text.endsWith(QLatin1String("\r\n")),
                  "the text has no line break at either end");
    // A tag's attributes lose their line breaks before they are read.
    const QString seite = QString(html).remove(QLatin1String("\r\n"));
    for (const QString& kandidat : sammler.liste) {
        fuzz::pruefen(kandidat.startsWith(QLatin1String("../")) || kandidat.startsWith(QLatin1String("/f")),
                      "a candidate begins with \"../\" or \"/f\"");
        fuzz::pruefen(seite.contains(kandidat), "a candidate is a source written on the page");
    }
    fuzz::pruefen(scan::HTMLzuText(html, vorlage, nullptr) == text, "the sink does not change the text");
    return 0;
}
