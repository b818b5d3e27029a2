#include "platform/jet/JetDatei.h"

#include "platform/jet/JetAufbau.h"
#include "platform/jet/JetText.h"
#include "platform/system/Dateigrund.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace jet {

namespace {

constexpr int HoechsteFassung = 6;  // the newest engine libmdb knows (Access 2019)

using aufbau::beschaedigt;

// The start of the first page is masked with a fixed RC4 key, as the format
// notes describe; the password and the page key lie inside it.
void rc4(const unsigned char* schluessel, int laenge, unsigned char* daten, int anzahl)
{
    std::array<unsigned char, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + schluessel[i % laenge]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    for (int k = 0, i = 0, j = 0; k < anzahl; ++k) {
        i = (i + 1) & 0xff;
        j = (j + s[size_t(i)]) & 0xff;
        std::swap(s[size_t(i)], s[size_t(j)]);
        daten[k] ^= s[size_t((s[size_t(i)] + s[size_t(j)]) & 0xff)];
    }
}

struct Kopf {
    int fassung = 0;  // 0 Jet 3, 1 Jet 4, 2 and on ACE
    int seite = 4096;
    int codepage = 0;  // of the texts of a Jet 3 file
};

// Checks the first page before libmdb sees the file: the engine's signature,
// a whole number of pages, no page encryption, no database password.
Kopf kopfPruefen(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw JetFehler(JetFehler::Grund::NichtLesbar,
                        QStringLiteral("Sie kann nicht gelesen werden: %1").arg(sys::dateigrund(datei)));
    QByteArray seite = datei.read(4096);
    static const char jet[] = "\x00\x01\x00\x00Standard Jet DB";
    static const char ace[] = "\x00\x01\x00\x00Standard ACE DB";
    const bool istJet = seite.size() >= 19 && std::memcmp(seite.constData(), jet, 19) == 0;
    const bool istAce = seite.size() >= 19 && std::memcmp(seite.constData(), ace, 19) == 0;
    if (!istJet && !istAce)
        throw JetFehler(JetFehler::Grund::KeinJet, QStringLiteral("Sie ist keine Jet-Datenbank (Access)."));
    if (seite.size() < 0x18 + 128)
        beschaedigt(QStringLiteral("sie ist nach %1 Bytes abgeschnitten.").arg(seite.size()));

    Kopf kopf;
    kopf.fassung = static_cast<unsigned char>(seite[0x14]);
    if (kopf.fassung > HoechsteFassung)
        beschaedigt(QStringLiteral("sie nennt eine unbekannte Fassung der Datenbank (%1).").arg(kopf.fassung));
    kopf.seite = kopf.fassung == 0 ? 2048 : 4096;
    const qint64 groesse = datei.size();
    if (groesse < 3 * kopf.seite || groesse % kopf.seite != 0)
        beschaedigt(QStringLiteral("sie ist abgeschnitten (%1 Bytes, keine ganze Zahl von Seiten).").arg(groesse));

    auto* p = reinterpret_cast<unsigned char*>(seite.data());
    const unsigned char kopfschluessel[] = {0xc7, 0xda, 0x39, 0x6b};
    rc4(kopfschluessel, 4, p + 0x18, kopf.fassung == 0 ? 126 : 128);

    if (p[0x3e] | p[0x3f] | p[0x40] | p[0x41])
        throw JetFehler(JetFehler::Grund::Verschluesselt,
                        QStringLiteral("Sie ist verschlüsselt; entschlüsseln Sie sie zuerst in Access."));

    const int kennwortLaenge = kopf.fassung == 0 ? 20 : 40;
    std::array<unsigned char, 4> maske{};
    if (kopf.fassung != 0) {
        // From Jet 4 on the password is masked with the file's creation day.
        double erstellt = 0;
        std::memcpy(&erstellt, p + 0x72, sizeof erstellt);
        if (!(std::fabs(erstellt) < 2147483647.0))
            beschaedigt(QStringLiteral("ihre erste Seite nennt kein mögliches Datum ihrer Anlage."));
        const auto tag = static_cast<qint32>(std::floor(erstellt));
        std::memcpy(maske.data(), &tag, 4);
    }
    for (int i = 0; i < kennwortLaenge; ++i) {
        if ((p[0x42 + i] ^ maske[size_t(i % 4)]) != 0)
            throw JetFehler(JetFehler::Grund::Kennwort,
                            QStringLiteral("Sie ist mit einem Kennwort geschützt; entfernen Sie es zuerst in Access."));
    }
    kopf.codepage = p[0x3c] | (p[0x3d] << 8);
    return kopf;
}

bool istSystemtabelle(MdbCatalogEntry* eintrag)
{
    return mdb_is_system_table(eintrag)
           || QByteArray(eintrag->object_name).startsWith("MSys")
           || QByteArray(eintrag->object_name).toLower().startsWith("msys");
}

struct TabellenDef {
    MdbTableDef* def = nullptr;
    explicit TabellenDef(MdbTableDef* d) : def(d) {}
    TabellenDef(const TabellenDef&) = delete;
    TabellenDef& operator=(const TabellenDef&) = delete;
    ~TabellenDef()
    {
        if (def)
            mdb_free_tabledef(def);
    }
};

Spalte spalteVon(const MdbColumn& c, int fassung)
{
    Spalte s;
    s.name = QString::fromUtf8(c.name);
    s.typ = static_cast<Typ>(c.col_type);
    s.bytes = c.col_size;
    if (s.typ == Typ::Text)
        s.zeichen = fassung == 0 ? c.col_size : c.col_size / 2;
    return s;
}

}  // namespace

QString typName(Typ typ)
{
    switch (typ) {
    case Typ::Boolean: return QStringLiteral("Boolean");
    case Typ::Byte: return QStringLiteral("Byte");
    case Typ::Integer: return QStringLiteral("Integer");
    case Typ::Long: return QStringLiteral("Long");
    case Typ::Money: return QStringLiteral("Currency");
    case Typ::Single: return QStringLiteral("Single");
    case Typ::Double: return QStringLiteral("Double");
    case Typ::DatumZeit: return QStringLiteral("Date/Time");
    case Typ::Binaer: return QStringLiteral("Binary");
    case Typ::Text: return QStringLiteral("Text");
    case Typ::OLE: return QStringLiteral("OLE");
    case Typ::Memo: return QStringLiteral("Memo");
    case Typ::GUID: return QStringLiteral("GUID");
    case Typ::Numeric: return QStringLiteral("Numeric");
    }
    return QStringLiteral("Typ %1").arg(int(typ));
}

DatumZeit datumZeit(double tage)
{
    // The whole part counts days from 30.12.1899, also backwards; the time of
    // day is the fraction's size whatever the sign, counted forward from that
    // day's midnight. So a time rounding up to 24:00 is the next day's start on
    // both sides: -1.9999999999 is 29.12.1899 23:59:59.99..., which is 30.12.
    if (!(std::fabs(tage) < 1.0e7))
        return {};
    const double ganz = std::trunc(tage);
    auto ms = static_cast<long long>(std::llround(std::fabs(tage - ganz) * 86400000.0));
    long long tag = static_cast<long long>(ganz);
    if (ms >= 86400000LL) {
        ms -= 86400000LL;
        tag += 1;
    }
    DatumZeit d;
    d.datum = QDate(1899, 12, 30).addDays(tag);
    if (d.datum < QDate(100, 1, 1) || d.datum > QDate(9999, 12, 31))
        return {};
    d.zeit = QTime::fromMSecsSinceStartOfDay(int(ms));
    return d;
}

struct JetDatei::Innen {
    MdbHandle* mdb = nullptr;
    Kopf kopf;
    std::unique_ptr<aufbau::Seiten> seiten;
    std::vector<aufbau::Eintrag> verzeichnis;  // the user tables, checked
    ~Innen()
    {
        if (mdb)
            mdb_close(mdb);
    }
    const aufbau::Eintrag* eintrag(quint32 seite) const
    {
        for (const auto& e : verzeichnis) {
            if (e.seite == seite)
                return &e;
        }
        return nullptr;
    }
};

JetDatei::JetDatei(std::unique_ptr<Innen> innen) : m_innen(std::move(innen)) {}

JetDatei::~JetDatei() = default;

namespace {

// A name as libmdb converted it against the check's own reading. Only ASCII
// is certain to be alike: libmdb's narrow character set differs in the rest
// (a character beyond the Basic Multilingual Plane, a Jet 3 code page).
bool gleicherName(const QString& libmdb, const QString& geprueft)
{
    const bool ascii = std::all_of(geprueft.begin(), geprueft.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? libmdb == geprueft : libmdb.size() >= geprueft.size();
}

// A column's definition as libmdb read it, against what the check found.
void spaltePruefen(const MdbColumn& c, const QString& tabelle)
{
    // libmdb writes a decimal number's digits into buffers of 40.
    if (c.col_type == MDB_NUMERIC && (c.col_prec > 28 || c.col_scale > c.col_prec))
        beschaedigt(QStringLiteral("die Spalte \"%1\" der Tabelle \"%2\" hat keine lesbare Genauigkeit.")
                        .arg(QString::fromUtf8(c.name), tabelle));
}

}  // namespace

std::unique_ptr<JetDatei> JetDatei::oeffnen(const QString& pfad)
{
    auto innen = std::make_unique<Innen>();
    innen->kopf = kopfPruefen(pfad);
    // Every structure libmdb follows to its tables, checked before it follows them.
    innen->seiten = std::make_unique<aufbau::Seiten>(pfad, innen->kopf.fassung);
    innen->verzeichnis = aufbau::verzeichnisPruefen(*innen->seiten);
    innen->mdb = mdb_open(QFile::encodeName(QFileInfo(pfad).absoluteFilePath()).constData(), MDB_NOFLAGS);
    if (!innen->mdb)
        beschaedigt(QStringLiteral("ihre erste Seite ist nicht lesbar."));
    if (!mdb_read_catalog(innen->mdb, MDB_TABLE))
        beschaedigt(QStringLiteral("ihr Verzeichnis der Tabellen ist nicht lesbar."));

    std::unique_ptr<JetDatei> datei(new JetDatei(std::move(innen)));
    MdbHandle* mdb = datei->m_innen->mdb;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* eintrag = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (eintrag->object_type != MDB_TABLE || istSystemtabelle(eintrag))
            continue;
        const QString name = QString::fromUtf8(eintrag->object_name);
        const aufbau::Eintrag* geprueft = datei->m_innen->eintrag(quint32(eintrag->table_pg));
        if (!geprueft || !gleicherName(name, geprueft->name))
            beschaedigt(QStringLiteral("ihr Verzeichnis der Tabellen ist nicht lesbar (\"%1\").").arg(name));
        TabellenDef t(mdb_read_table(eintrag));
        if (!t.def || !mdb_read_columns(t.def))
            beschaedigt(QStringLiteral("die Tabelle \"%1\" ist nicht lesbar.").arg(name));
        // The names as the file has them: libmdb's lose what lies beyond the Basic Multilingual Plane.
        Tabelle tabelle;
        tabelle.name = geprueft->name;
        tabelle.zeilen = t.def->num_rows;
        if (t.def->num_cols != geprueft->definition.spalten.size())
            beschaedigt(QStringLiteral("die Tabelle \"%1\" ist nicht lesbar.").arg(name));
        for (unsigned c = 0; c < t.def->num_cols; ++c) {
            const auto& spalte = *static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, c));
            if (!gleicherName(QString::fromUtf8(spalte.name), geprueft->definition.spalten[c].name))
                beschaedigt(QStringLiteral("die Tabelle \"%1\" ist nicht lesbar.").arg(name));
            spaltePruefen(spalte, name);
            tabelle.spalten.push_back(spalteVon(spalte, datei->m_innen->kopf.fassung));
            tabelle.spalten.back().name = geprueft->definition.spalten[c].name;
        }
        datei->m_tabellen.push_back(std::move(tabelle));
    }
    return datei;
}

QString JetDatei::version() const
{
    switch (m_innen->kopf.fassung) {
    case 0: return QStringLiteral("Jet 3");
    case 1: return QStringLiteral("Jet 4");
    default: return QStringLiteral("ACE %1").arg(10 + m_innen->kopf.fassung);
    }
}

const Tabelle* JetDatei::tabelle(const QString& name) const
{
    for (const auto& t : m_tabellen) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

namespace {

class MdbZeilen : public JetDatei::Zeilen {
public:
    MdbZeilen(MdbHandle* mdb, MdbTableDef* def, QString name, aufbau::Seiten& seiten, const aufbau::Definition& aufbau,
              const Kopf& kopf)
        : m_mdb(mdb), m_def(def), m_name(std::move(name)), m_seiten(seiten), m_aufbau(aufbau),
          m_text(kopf.fassung, kopf.codepage), m_felder(def->num_cols), m_werte(def->num_cols)
    {
        mdb_rewind_table(def);
    }

    bool naechste() override
    {
        MdbTableDef* t = m_def.def;
        if (t->num_cols == 0 || m_ende)
            return false;
        if (!t->cur_pg_num) {
            t->cur_pg_num = 1;
            t->cur_row = 0;
            if (!seiteLesen())
                return ende();
        }
        for (;;) {
            const int zeilenAufSeite = mdb_get_int16(m_mdb->pg_buf, m_mdb->fmt->row_count_offset);
            if (int(t->cur_row) >= zeilenAufSeite) {
                t->cur_row = 0;
                if (!seiteLesen())
                    return ende();
                continue;
            }
            const int zeile = int(t->cur_row++);
            int anfang = 0;
            int laenge = 0;
            if (!aufbau::zeileFinden(m_seiten.format(), m_mdb->pg_buf, zeile, anfang, laenge))
                continue;
            // The row's own tables fit inside it before libmdb follows them.
            aufbau::zeileZerlegen(m_seiten.format(), m_mdb->pg_buf, anfang, laenge, m_aufbau, m_geprueft);
            if (mdb_crack_row(t, anfang, size_t(laenge), m_felder.data()) < 0)
                beschaedigt(QStringLiteral("eine Zeile der Tabelle \"%1\" ist nicht lesbar.").arg(m_name));
            for (unsigned i = 0; i < t->num_cols; ++i) {
                MdbField& f = m_felder[i];
                // A column added after the row was written is Null in it.
                f.is_null = f.is_null || m_geprueft[size_t(f.colnum)].null;
                if (!f.is_null && (f.start < anfang || f.siz < 0 || f.start + f.siz > anfang + laenge))
                    beschaedigt(QStringLiteral("eine Zeile der Tabelle \"%1\" ist nicht lesbar.").arg(m_name));
                uebernehmen(f);
            }
            ++m_gelesen;
            return true;
        }
    }

    const std::vector<Wert>& werte() const override { return m_werte; }
    long long gelesen() const override { return m_gelesen; }

private:
    bool seiteLesen()
    {
        if (!mdb_read_next_dpg(m_def.def))
            return false;
        aufbau::datenseitePruefen(m_seiten.format(), m_mdb->pg_buf, quint32(m_def.def->cur_phys_pg), m_name);
        return true;
    }

    // The table's definition counts its rows: fewer rows found means pages
    // that are missing or not the table's.
    bool ende()
    {
        m_ende = true;
        if (m_gelesen != static_cast<long long>(m_def.def->num_rows))
            beschaedigt(QStringLiteral("statt der %1 Zeilen der Tabelle \"%2\" sind %3 lesbar.")
                            .arg(m_def.def->num_rows)
                            .arg(m_name)
                            .arg(m_gelesen));
        return false;
    }

    void uebernehmen(const MdbField& feld)
    {
        auto* spalte = static_cast<MdbColumn*>(g_ptr_array_index(m_def.def->columns, feld.colnum));
        Wert& w = m_werte[size_t(feld.colnum)];
        w.maengel = KeinMangel;
        const unsigned char* p = m_mdb->pg_buf + feld.start;
        if (spalte->col_type == MDB_BOOL) {
            w.art = Wert::Art::Wahrheit;
            w.ganz = feld.is_null ? 0 : 1;
            return;
        }
        if (feld.is_null) {
            w.art = Wert::Art::Null;
            return;
        }
        if (feld.siz < aufbau::festeGroesse(spalte->col_type))
            beschaedigt(QStringLiteral("ein Wert der Spalte \"%1\" in der Tabelle \"%2\" ist zu kurz.")
                            .arg(QString::fromUtf8(spalte->name), m_name));
        switch (spalte->col_type) {
        case MDB_BYTE:
            ganzzahl(w, p[0]);
            break;
        case MDB_INT: {
            qint16 v;
            std::memcpy(&v, p, 2);
            ganzzahl(w, v);
            break;
        }
        case MDB_LONGINT: {
            qint32 v;
            std::memcpy(&v, p, 4);
            ganzzahl(w, v);
            break;
        }
        case MDB_FLOAT: {
            float v;
            std::memcpy(&v, p, 4);
            w.art = Wert::Art::Zahl;
            w.zahl = v;
            break;
        }
        case MDB_DOUBLE:
        case MDB_DATETIME:
            w.art = spalte->col_type == MDB_DOUBLE ? Wert::Art::Zahl : Wert::Art::DatumZeit;
            std::memcpy(&w.zahl, p, 8);
            break;
        case MDB_TEXT:
            text(w, p, feld.siz);
            break;
        case MDB_MEMO:
            langwert(*spalte, feld);
            text(w, reinterpret_cast<const unsigned char*>(m_lang.constData()), int(m_lang.size()));
            break;
        case MDB_OLE:
            langwert(*spalte, feld);
            w.art = Wert::Art::Bytes;
            w.utf8 = m_lang;
            break;
        case MDB_BINARY:
            w.art = Wert::Art::Bytes;
            w.utf8 = QByteArray(reinterpret_cast<const char*>(p), feld.siz);
            break;
        case MDB_MONEY:
            libmdbText(w, mdb_money_to_string(m_mdb, feld.start));
            break;
        case MDB_NUMERIC:
            libmdbText(w, mdb_numeric_to_string(m_mdb, feld.start, spalte->col_scale, spalte->col_prec));
            break;
        default:
            libmdbText(w, mdb_col_to_string(m_mdb, m_mdb->pg_buf, feld.start, spalte->col_type, feld.siz));
            break;
        }
    }

    static void ganzzahl(Wert& w, long long v)
    {
        w.art = Wert::Art::Ganzzahl;
        w.ganz = v;
    }

    static void libmdbText(Wert& w, char* text)
    {
        w.art = Wert::Art::Text;
        w.utf8 = text ? QByteArray(text) : QByteArray();
        g_free(text);
    }

    // A text as the file stores it, decoded from its own bytes: libmdb's
    // conversion goes through a narrow character set and loses what lies
    // outside it.
    void text(Wert& w, const unsigned char* p, int bytes)
    {
        w.art = Wert::Art::Text;
        w.maengel = m_text.lesen(p, bytes, w.utf8);
    }

    // A memo or OLE value whole, whatever its length: inline in the row, or
    // on pages of their own. The check reads it as it follows its pointers;
    // libmdb's own text of a memo stops at its bind size.
    void langwert(const MdbColumn& spalte, const MdbField& feld)
    {
        m_lang.clear();
        if (feld.siz == 0)
            return;
        m_lang = aufbau::langwertLesen(m_seiten, m_mdb->pg_buf + feld.start, feld.siz,
                                       QStringLiteral("der lange Wert der Spalte \"%1\" in der Tabelle \"%2\"")
                                           .arg(QString::fromUtf8(spalte.name), m_name));
    }

    MdbHandle* m_mdb;
    TabellenDef m_def;
    QString m_name;
    aufbau::Seiten& m_seiten;
    const aufbau::Definition& m_aufbau;
    Textleser m_text;
    std::vector<MdbField> m_felder;
    std::vector<aufbau::Feld> m_geprueft;
    std::vector<Wert> m_werte;
    QByteArray m_lang;
    long long m_gelesen = 0;
    bool m_ende = false;
};

}  // namespace

std::unique_ptr<JetDatei::Zeilen> JetDatei::lesen(const QString& name)
{
    MdbHandle* mdb = m_innen->mdb;
    const aufbau::Eintrag* geprueft = nullptr;
    for (const auto& e : m_innen->verzeichnis) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            geprueft = &e;
    }
    MdbCatalogEntry* eintrag = nullptr;
    for (unsigned i = 0; geprueft && i < mdb->num_catalog && !eintrag; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && quint32(e->table_pg) == geprueft->seite)
            eintrag = e;
    }
    if (!eintrag)
        beschaedigt(QStringLiteral("die Tabelle \"%1\" fehlt in ihrem Verzeichnis.").arg(name));
    MdbTableDef* def = mdb_read_table(eintrag);
    if (!def || !mdb_read_columns(def) || def->num_cols != geprueft->definition.spalten.size()) {
        if (def)
            mdb_free_tabledef(def);
        beschaedigt(QStringLiteral("die Tabelle \"%1\" ist nicht lesbar.").arg(name));
    }
    return std::make_unique<MdbZeilen>(mdb, def, name, *m_innen->seiten, geprueft->definition, m_innen->kopf);
}

}  // namespace jet
