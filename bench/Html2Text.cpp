// HTML to text over a film-like page and a hostile page of 1 MB and 10 MB,
// against a single pass that copies every character outside "<...>".
// Usage: bench_html2text [small MB=1] [large MB=10] [rounds=5]
// Prints the medians, the growth from the small to the large size (goal: at
// most 12 for both pages), the ratio to the single pass at the large size
// (goal: at most 10) and the peak resident set (goal: under 200 MB).
#include "bench/Grundlinie.h"
#include "scan/modHTML2Text.h"

#include <cstdio>
#include <cstdlib>

namespace {

class Zaehler : public scan::Coverkandidaten {
public:
    void kandidat(const QString&) override { ++anzahl; }
    qsizetype anzahl = 0;
};

const QString FilmStueck = QStringLiteral(
    "<p>Der Film &quot;Titanic&quot; (1997) &ndash; ein Drama &amp; Liebesfilm.</p>\r\n"
    "<a href=\"/film/titanic.htm\">Titanic</a> <img src=\"../bilder/titanic.jpg\" alt=\"Cover\">\r\n"
    "<ul><li>GENRE: Drama<li>DARSTELLER: Leonardo &Auml;rger</ul><br>\r\n"
    "<script>var x = 1 < 2;</script><pre>  Zeile   1\r\n  Zeile 2</pre>\r\n"
    "<blockquote>Zitat<br>weiter</blockquote><div>Ende&nbsp;&plusmn;</div>\r\n");

const QString FeindStueck = QStringLiteral("& & & & x & y & z <script a=b & & c < d < e ");

QString seite(const QString& stueck, qsizetype mb)
{
    QString text;
    const qsizetype ziel = mb * 1024 * 1024;
    text.reserve(ziel + stueck.size());
    while (text.size() < ziel)
        text += stueck;
    return text;
}

void umwandeln(const QString& html)
{
    Zaehler zaehler;
    const QString text = scan::HTMLzuText(html, QStringLiteral(" "), &zaehler);
    bench::sink = bench::sink + text.size() + zaehler.anzahl;
}

void einDurchgang(const QString& html)
{
    QString text;
    text.reserve(html.size());
    bool inTag = false;
    for (const QChar c : html) {
        if (c == u'<')
            inTag = true;
        else if (c == u'>')
            inTag = false;
        else if (!inTag)
            text.append(c);
    }
    bench::sink = bench::sink + text.size();
}

// The median after a warm-up run.
double median(void (*lauf)(const QString&), const QString& html, int runden)
{
    lauf(html);
    return bench::median(runden, [&] { lauf(html); });
}

}  // namespace

int main(int argc, char** argv)
{
    const qsizetype klein = argc > 1 ? std::atol(argv[1]) : 1;
    const qsizetype gross = argc > 2 ? std::atol(argv[2]) : 10;
    const int runden = argc > 3 ? std::atoi(argv[3]) : 5;
    for (const auto& [name, stueck] : {std::pair{"film-like", FilmStueck}, std::pair{"hostile", FeindStueck}}) {
        const double tKlein = median(umwandeln, seite(stueck, klein), runden);
        const QString grosseSeite = seite(stueck, gross);
        const double tGross = median(umwandeln, grosseSeite, runden);
        const double tBar = median(einDurchgang, grosseSeite, runden);
        std::printf("%s: %lld MB %.1f ms, %lld MB %.1f ms, growth %.2f (goal <= 12); single pass %.1f ms, "
                    "ratio %.2f (goal <= 10)\n",
                    name, static_cast<long long>(klein), tKlein, static_cast<long long>(gross), tGross,
                    tGross / tKlein, tBar, tGross / tBar);
    }
    std::printf("peak resident %.1f MB\n", double(bench::peakRssKb()) / 1024.0);
    return 0;
}
