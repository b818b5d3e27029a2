#include "scan/Durchsuchung.h"

#include "platform/vb/Unterordner.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace scan {

const std::array<Formatregel, 13> Formatregeln = {{
    {u"VCD", u"VCD"},
    {u"MVCD", u"MVCD"},
    {u"SVCD", u"SVCD"},
    {u"VIDEO_TS", u"DVD"},
    {u"*.dat", u"VCD"},
    {u"*.DAT", u"VCD"},
    {u"*.mpg", u"SVCD"},
    {u"*.MPG", u"SVCD"},
    {u"*.avi", u"XVID"},
    {u"*.AVI", u"XVID"},
    {u"*.mp3", u"MP3"},
    {u"*.MP3", u"MP3"},
    {u"*.cda", u"Audio"},
}};

namespace {

// The table's patterns are a whole name or "*" and an ending.
bool passt(const QString& name, QStringView muster)
{
    if (muster.startsWith(u'*'))
        return name.endsWith(muster.mid(1));
    return name == muster;
}

QString ganzzahlig(double wert)
{
    // Format's "###0" rounds halves away from zero.
    return QString::number(qint64(std::round(wert)));
}

// The folder a walk starts in, open, and its device, which the walk does not
// leave; -1 when it cannot be opened.
int wurzelÖffnen(const QByteArray& ordner, dev_t& geraet)
{
    const int fd = ::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return -1;
    }
    geraet = st.st_dev;
    return fd;
}

struct Eintrag {
    QByteArray roh;   // the name's bytes, for the walk
    QString name;     // decoded, for the lists
    enum class Art { Ordner, FremderOrdner, Datei } art = Art::Datei;
    qint64 laenge = 0;
};

class Lauf {
public:
    Lauf(Durchsuchung& ergebnis, Laufbegleiter* begleiter) : m_e(ergebnis), m_begleiter(begleiter) {}

    void start(const QByteArray& ordner)
    {
        const int fd = wurzelÖffnen(ordner, m_geraet);
        if (fd < 0)
            return;
        QString pfad = QFile::decodeName(ordner);
        while (pfad.size() > 1 && pfad.endsWith(QLatin1Char('/')))
            pfad.chop(1);
        ordnerLaufen(fd, pfad);  // takes the descriptor
        // The entry texts need the folders' sums, known only now.
        m_e.eintraege.reserve(m_e.namen.size());
        for (qsizetype i = 0; i < m_e.namen.size(); ++i)
            m_e.eintraege.append(m_e.namen.at(i) + QLatin1Char(':') + mbText(double(m_groesse[size_t(i)])));
    }

private:
    // Reads the folder of `fd`, which `dir` takes over (nullptr when it cannot be read).
    std::vector<Eintrag> lesen(int fd, DIR*& dir)
    {
        std::vector<Eintrag> eintraege;
        dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return eintraege;
        }
        while (const dirent* d = ::readdir(dir)) {
            const QByteArray roh(d->d_name);
            if (roh == "." || roh == "..")
                continue;
            Eintrag e;
            e.roh = roh;
            e.name = QFile::decodeName(roh);
            struct stat st {};
            if (::fstatat(::dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                if (S_ISDIR(st.st_mode))
                    e.art = st.st_dev == m_geraet ? Eintrag::Art::Ordner : Eintrag::Art::FremderOrdner;
                else if (S_ISREG(st.st_mode))
                    e.laenge = qint64(st.st_size);
            }
            eintraege.push_back(std::move(e));
        }
        // Linux gives no stable order: sorted without case, ties by code.
        std::sort(eintraege.begin(), eintraege.end(), [](const Eintrag& a, const Eintrag& b) {
            const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a.name < b.name;
        });
        return eintraege;
    }

    // The sum of the files below the folder.
    qint64 ordnerLaufen(int fd, const QString& pfad)
    {
        DIR* dir = nullptr;
        const std::vector<Eintrag> eintraege = lesen(fd, dir);
        const auto schliessen = [&] {
            if (dir)
                ::closedir(dir);
        };
        if (eintraege.empty()) {
            // Nothing found: the folder ends at once, format untouched.
            schliessen();
            return 0;
        }
        qint64 summe = 0;
        const QString vorne = pfad == QLatin1String("/") ? pfad : pfad + QLatin1Char('/');
        m_stand.ordnerPfad = pfad;
        for (const Eintrag& e : eintraege) {
            if (m_e.abgebrochen || (m_begleiter && !m_begleiter->weiter(m_stand))) {
                m_e.abgebrochen = true;
                break;
            }
            m_e.format = formatNachRegeln(e.name, m_e.format);
            qsizetype zeile = -1;
            if (wirdGelistet(m_e.format)) {
                zeile = m_e.namen.size();
                m_e.namen.append(e.name);
                m_groesse.push_back(0);
            }
            qint64 groesse = 0;
            if (e.art == Eintrag::Art::Datei) {
                ++m_stand.dateien;
                groesse = e.laenge;
                m_e.groessen.append(groessenText(groesse));
                m_e.bytes += double(groesse);
            } else {
                ++m_stand.ordner;
                if (e.art == Eintrag::Art::Ordner) {
                    const int unter = ::openat(::dirfd(dir), e.roh.constData(),
                                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                    if (unter >= 0) {
                        groesse = ordnerLaufen(unter, vorne + e.name);
                        m_stand.ordnerPfad = pfad;
                    }
                }
            }
            summe += groesse;
            if (zeile >= 0)
                m_groesse[size_t(zeile)] = groesse;
        }
        if (m_e.format != QLatin1String("Audio"))
            m_e.erweitert = true;
        if (m_e.format.isEmpty())
            m_e.format = QStringLiteral("PC");
        schliessen();
        return summe;
    }

    // A file's size row; rows of one size share their text, as most files
    // of a disc are below a megabyte.
    QString groessenText(qint64 bytes)
    {
        const qint64 mb = std::llround(double(bytes) / 1024 / 1024);
        if (mb < 0 || mb >= qint64(m_groessenTexte.size()))
            return mbText(double(bytes));
        QString& text = m_groessenTexte[size_t(mb)];
        if (text.isNull())
            text = mbText(double(bytes));
        return text;
    }

    Durchsuchung& m_e;
    Laufbegleiter* m_begleiter;
    std::vector<QString> m_groessenTexte = std::vector<QString>(4096);
    Laufstand m_stand;
    dev_t m_geraet = 0;
    std::vector<qint64> m_groesse;  // per listed name
};

// The folder search: one open folder a level, its sub-folders read as the
// folder list reads them and walked in turn.
class Ordnerlauf {
public:
    Ordnerlauf(Ordnersuche& ergebnis, Laufbegleiter* begleiter) : m_e(ergebnis), m_begleiter(begleiter) {}

    void start(const QByteArray& wurzel, const QString& laufwerkspfad)
    {
        const int fd = wurzelÖffnen(wurzel, m_geraet);
        if (fd < 0)
            return;
        m_wurzel = wurzel.endsWith('/') ? wurzel : wurzel + '/';
        ordnerLaufen(fd, laufwerkspfad, 0, false);
    }

private:
    // Takes the descriptor. `rohImPfad`: a name on the way down is no valid text.
    void ordnerLaufen(int fd, const QString& pfad, int tiefe, bool rohImPfad)
    {
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return;
        }
        const std::vector<vb::Unterordner> unter = vb::unterordnerLesen(dir, m_geraet);
        const QString vorne = pfad.endsWith(QLatin1Char('/')) ? pfad : pfad + QLatin1Char('/');
        for (const vb::Unterordner& u : unter) {
            m_stand.ordnerPfad = pfad;
            if (m_e.abgebrochen || (m_begleiter && !m_begleiter->weiter(m_stand))) {
                m_e.abgebrochen = true;
                break;
            }
            const QString zeile = vorne + u.name;
            // A path with a name that is no valid text keeps its bytes, so that the folder is found again.
            const bool unterRoh = rohImPfad || QFile::encodeName(u.name) != u.roh;
            if (unterRoh)
                m_e.roh.emplace_back(m_e.pfade.size(), ordnerVon(u.roh));
            m_e.pfade.append(zeile);
            ++m_stand.ordner;
            // Folders below 4096 levels cannot be named in a path anyway.
            if (tiefe >= 4096)
                continue;
            const int unterFd = ::openat(::dirfd(dir), u.roh.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (unterFd < 0)
                continue;
            m_kette.push_back(u.roh);
            ordnerLaufen(unterFd, zeile, tiefe + 1, unterRoh);
            m_kette.pop_back();
        }
        ::closedir(dir);
    }

    // The folder on disk: the root and the names down to it.
    QByteArray ordnerVon(const QByteArray& name) const
    {
        QByteArray pfad = m_wurzel;
        for (const QByteArray& teil : m_kette)
            pfad += teil + '/';
        return pfad + name;
    }

    Ordnersuche& m_e;
    Laufbegleiter* m_begleiter;
    Laufstand m_stand;
    dev_t m_geraet = 0;
    QByteArray m_wurzel;
    std::vector<QByteArray> m_kette;  // the names from the root to the folder being read
};

}  // namespace

QString formatNachRegeln(const QString& name, const QString& bisher)
{
    QString format = bisher;
    for (const Formatregel& regel : Formatregeln)
        if (passt(name, QStringView(regel.muster)))
            format = QString::fromUtf16(regel.format);
    return format;
}

bool wirdGelistet(const QString& format)
{
    return format != QLatin1String("DVD") && format != QLatin1String("VCD") && format != QLatin1String("Audio");
}

QString mbText(double bytes)
{
    return QLatin1Char(' ') + ganzzahlig(bytes / 1024 / 1024);
}

QString byteText(double bytes)
{
    return QLatin1Char(' ') + ganzzahlig(bytes);
}

QString gruppiert(qint64 zahl)
{
    QString ziffern = QString::number(zahl < 0 ? -zahl : zahl);
    for (qsizetype i = ziffern.size() - 3; i > 0; i -= 3)
        ziffern.insert(i, QLatin1Char('.'));
    return zahl < 0 ? QLatin1Char('-') + ziffern : ziffern;
}

Durchsuchung durchsuchen(const QByteArray& ordner, Laufbegleiter* begleiter)
{
    Durchsuchung ergebnis;
    Lauf(ergebnis, begleiter).start(ordner);
    return ergebnis;
}

Durchsuchung durchsuchen(const QString& ordner, Laufbegleiter* begleiter)
{
    return durchsuchen(QFile::encodeName(ordner), begleiter);
}

Ordnersuche ordnerSuchen(const QByteArray& wurzel, const QString& laufwerkspfad, Laufbegleiter* begleiter)
{
    Ordnersuche ergebnis;
    Ordnerlauf(ergebnis, begleiter).start(wurzel, laufwerkspfad);
    return ergebnis;
}

int przZeileFinden(const QStringList& liste, const QString& text)
{
    return int(liste.indexOf(text));
}

bool eintragEntfernen(Eintragslisten listen, int zeile)
{
    if (zeile < 0 || zeile >= listen.sichtbar.size())
        return false;
    // The row's entry text: the scan window's two lists are filled and emptied together.
    const QString eintrag = zeile < listen.alles.size() ? listen.alles.at(zeile) : QString();
    listen.sichtbar.removeAt(zeile);
    if (zeile < listen.hauptNamen.size())
        listen.hauptNamen.removeAt(zeile);
    const int inAlles = przZeileFinden(listen.alles, eintrag);
    if (inAlles >= 0)
        listen.alles.removeAt(inAlles);
    const int inHaupt = przZeileFinden(listen.hauptMitGroesse, eintrag);
    if (inHaupt >= 0)
        listen.hauptMitGroesse.removeAt(inHaupt);
    return true;
}

QString PCase(const QString& text)
{
    QString ergebnis = text;
    bool wortanfang = true;
    for (QChar& c : ergebnis) {
        c = wortanfang ? c.toUpper() : c.toLower();
        const char16_t u = c.unicode();
        wortanfang = u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r' || u == 0;
    }
    return ergebnis;
}

}  // namespace scan
