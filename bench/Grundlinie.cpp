#include "bench/Grundlinie.h"

#include "bench/Katalogfuellung.h"
#include "platform/db/SqlFunctions.h"
#include "platform/vb/VbRuntime.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>

#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <deque>
#include <utility>
#include <vector>

namespace bench {

sqlite3* bareÖffnen(const QString& pfad)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(pfad.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    db::registerSqlFunctions(h);
    return h;
}

void einmal(sqlite3* db, const char* sql, const std::function<void(sqlite3_stmt*)>& binden)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    binden(s);
    sqlite3_step(s);
    sqlite3_finalize(s);
}

void jeEintrag(sqlite3* db, const char* sql, const QStringList& einträge,
               const std::function<void(sqlite3_stmt*, const QString&)>& binden)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    for (const QString& e : einträge) {
        sqlite3_reset(s);
        binden(s, e);
        if (sqlite3_step(s) != SQLITE_DONE)
            std::fprintf(stderr, "bare insert failed: %s\n", sqlite3_errmsg(db));
    }
    sqlite3_finalize(s);
}

namespace {

int commitNotieren(void* zeiten)
{
    auto* z = static_cast<std::pair<QElapsedTimer*, Speicherzeiten*>*>(zeiten);
    if (z->second->bisCommit < 0)
        z->second->bisCommit = double(z->first->nsecsElapsed()) / 1e6;
    return 0;
}

}  // namespace

Speicherzeiten barSpeichern(const QString& pfad, const std::function<void(sqlite3*)>& arbeit)
{
    sqlite3* db = bareÖffnen(pfad);
    Speicherzeiten zeiten;
    QElapsedTimer uhr;
    std::pair<QElapsedTimer*, Speicherzeiten*> hook{&uhr, &zeiten};
    sqlite3_commit_hook(db, &commitNotieren, &hook);
    uhr.start();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    arbeit(db);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    zeiten.gesamt = double(uhr.nsecsElapsed()) / 1e6;
    sqlite3_close(db);
    return zeiten;
}

void textBinden(sqlite3_stmt* s, int i, const QString& text)
{
    const QByteArray b = text.toUtf8();
    sqlite3_bind_text(s, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}


double messen(const std::function<void()>& arbeit)
{
    QElapsedTimer t;
    t.start();
    arbeit();
    return double(t.nsecsElapsed()) / 1e6;
}

double median(int runden, const std::function<void()>& arbeit)
{
    std::vector<double> zeiten;
    for (int r = 0; r < runden; ++r)
        zeiten.push_back(messen(arbeit));
    return median(zeiten);
}

bool ordnerBaum(const QString& wurzel, long anzahl)
{
    std::deque<QString> offen{wurzel};
    long gemacht = 0;
    while (!offen.empty() && gemacht < anzahl) {
        const QString ordner = offen.front();
        offen.pop_front();
        for (int f = 0; f < 2; ++f) {
            QFile datei(ordner + QStringLiteral("/notiz %1.txt").arg(f));
            if (!datei.open(QIODevice::WriteOnly))
                return false;
        }
        for (int i = 0; i < 10 && gemacht < anzahl; ++i, ++gemacht) {
            const QString unter =
                ordner + (i % 3 == 0 ? QStringLiteral("/Ordner %1") : QStringLiteral("/daten_%1")).arg(gemacht);
            if (!QDir().mkdir(unter))
                return false;
            offen.push_back(unter);
        }
    }
    return true;
}

namespace {

long zugangLesen(QAccessibleInterface* i, int tiefe)
{
    if (!i || tiefe > 64)
        return 0;
    long n = 1;
    sink = sink + i->text(QAccessible::Name).size();
    const int kinder = i->childCount();
    for (int k = 0; k < kinder; ++k)
        n += zugangLesen(i->child(k), tiefe + 1);
    return n;
}

}  // namespace

long zugangLesen(QAccessibleInterface* i)
{
    return zugangLesen(i, 0);
}

bool zugangAktiv()
{
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
        QWidget anstoss;
        anstoss.show();
        QElapsedTimer warten;
        warten.start();
        while (!QAccessible::isActive() && warten.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return QAccessible::isActive();
}

long peakRssKb()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_maxrss;
}

Bar::Bar(const QString& pfad)
    : m_db(bareÖffnen(pfad))
{
}

Bar::~Bar()
{
    sqlite3_close(m_db);
}

QString Bar::text(sqlite3_stmt* s, int spalte)
{
    switch (sqlite3_column_type(s, spalte)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_FLOAT:
        return vb::cstr(sqlite3_column_double(s, spalte));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, spalte)),
                                 sqlite3_column_bytes(s, spalte));
    }
}

sqlite3_stmt* Bar::vorbereiten(const QString& sql, const QVariantList& werte)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr);
    for (int i = 0; i < werte.size(); ++i) {
        const QByteArray w = werte[i].toString().toUtf8();
        sqlite3_bind_text(s, i + 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
    }
    return s;
}

QStringList Bar::liste(const QString& sql, const QVariantList& werte)
{
    sqlite3_stmt* s = vorbereiten(sql, werte);
    int titel = -1, kat = -1, format = -1, qualität = -1, mappe = -1, wer = -1;
    for (int c = 0; c < sqlite3_column_count(s); ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(s, c));
        int* ziel = name == u"Titel" ? &titel : name == u"Cat" ? &kat : name == u"Format" ? &format
                    : name == u"Qualität" ? &qualität : name == u"Mappe" ? &mappe : name == u"Wer" ? &wer
                                                                                       : nullptr;
        if (ziel)
            *ziel = c;
    }
    QStringList zeilen;
    const QChar tab(u'\t');
    while (sqlite3_step(s) == SQLITE_ROW) {
        zeilen << text(s, titel) + tab + text(s, kat).left(10).leftJustified(18, u' ', true) + tab
                      + text(s, format).left(10).leftJustified(14, u' ', true) + tab
                      + text(s, qualität).leftJustified(4, u' ', true) + tab
                      + text(s, mappe).left(10).leftJustified(18, u' ', true) + tab
                      + text(s, wer).leftJustified(15, u' ', true);
    }
    sqlite3_finalize(s);
    return zeilen;
}

QStringList Bar::werte(const QString& sql)
{
    sqlite3_stmt* s = vorbereiten(sql, {});
    QStringList einträge;
    while (sqlite3_step(s) == SQLITE_ROW) {
        if (sqlite3_column_type(s, 0) != SQLITE_NULL)
            einträge << text(s, 0);
    }
    sqlite3_finalize(s);
    return einträge;
}

}  // namespace bench
