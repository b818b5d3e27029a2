// Any answer of the film site, the way the film lookup reads it: the page's
// bytes decoded by their charset, its text, the genre cut out of it and every
// picture candidate turned into an address. No candidate may send the download
// to another host than the picture site.
// Input: [Content-Type header NUL] page bytes.
#include "platform/system/Web.h"
#include "scan/Filminfo.h"
#include "scan/modHTML2Text.h"
#include "tests/fuzz/Fuzzeingabe.h"

namespace {

class Sammler : public scan::Coverkandidaten {
public:
    void kandidat(const QString& quelle) override { liste << quelle; }
    QStringList liste;
};

const QString Bildseite = QStringLiteral("http://bilder.example:8080");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QList<QByteArray> stuecke = fuzz::teile(daten, groesse, 2);
    const QByteArray kopf = stuecke.size() == 2 ? stuecke.first() : QByteArray();
    const QString html = sys::pageBodyHtml(stuecke.last(), kopf);

    Sammler sammler;
    const QString text = scan::HTMLzuText(html, QStringLiteral(" "), &sammler);
    const QString info = scan::infotext(text);
    fuzz::pruefen(info.size() <= scan::InfoHoechstlaenge + 200, "the info field takes a bounded text");
    fuzz::pruefen(info.startsWith(text.left(scan::InfoHoechstlaenge - 1)), "the info text is the page's beginning");
    if (const std::optional<QString> genre = scan::genre(text))
        fuzz::pruefen(genre->size() < text.size() && text.contains(*genre), "the genre is a piece of the text");

    for (const QString& kandidat : sammler.liste) {
        const QString pfad = scan::kandidatPfad(kandidat);
        fuzz::pruefen(kandidat.endsWith(pfad), "the candidate's path is its end");
        const QUrl adresse = scan::bildAdresse(Bildseite, kandidat);
        if (!adresse.isValid())
            continue;
        fuzz::pruefen(adresse.scheme() == u"http" && adresse.host() == u"bilder.example" && adresse.port() == 8080
                          && adresse.userInfo().isEmpty(),
                      "a picture comes from the picture site");
        fuzz::pruefen(adresse.path(QUrl::FullyEncoded).startsWith(QLatin1String("/filminfo")),
                      "a picture lies under \"/filminfo\"");
    }
    return 0;
}
