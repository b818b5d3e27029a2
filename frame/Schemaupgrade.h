#pragma once
// The schema check at start: reads the catalogue's version and raises an older
// file step by step to the current one, telling the user after each step.
//
// Each step happens whole or not at all: its statements, its version and its
// "Cd.ini" keys. A step that cannot open or copy its file, or whose version or
// keys could not be stored, says so and ends the chain; the start then cannot
// go on (the file keeps the version it last reached and the next start tries
// again).
//
// The chain runs under the catalogue's exclusive ".ldb" lock, from the version
// read under that lock: a step never runs twice, and never while another
// program (a second start, tools) has the file open.
#include "platform/db/Database.h"
#include "platform/ini/IniFile.h"
#include "platform/system/Services.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace frame {

class Schemaupgrade {
public:
    // dbName: the main window's copy of [DB] "DB Name0".
    Schemaupgrade(const sys::Services& services, QString dbName);

    // Right after the catalogue was taken over from the Windows program: the
    // steps are told in one box that lists them, once the chain is done, and
    // written into the take-over's report beside the file; a failure names
    // the steps done before it.
    void nachUebernahme() { m_nachUebernahme = true; }

    // Opens the catalogue, reads Version.nr and runs the steps it needs. False
    // when the start cannot go on; the user has then been told, once, why.
    bool przDBVersion();

    // The open catalogue after a successful check (the main window's database).
    std::unique_ptr<db::Database> takeDatabase() { return std::move(m_db); }
    // The version the file had when przDBVersion read it (for an upgrade: read
    // again under the lock, the version the chain started from).
    const QString& gelesenVersion() const { return m_gelesen; }

    bool przPatch109();
    bool przPatch1091();
    bool przPatch110();
    bool przPatch111();
    bool przPatch116();
    bool przPatch13();
    bool przPatch134();
    bool przPatch14();
    bool przPatch141();

private:
    enum class Anweisungsfehler { Überspringen, Abbrechen };
    using Einstellungen = std::function<bool(const ini::IniFile&)>;

    QString datenbankPfad() const;
    db::Database* schrittDatei(const QString& version, const QString& pfad);
    bool schrittAusführen(const char* version, db::Database& datei, const QStringList& anweisungen,
                          Anweisungsfehler modus, const Einstellungen& einstellungen = {});
    bool designSchritt(const char* version, const char* meldung, const QStringList& anweisungen);
    bool kopieSchritt(const char* version, const char* meldung, const char* nr, const QStringList& anweisungen);
    bool fehler(const QString& version, const QString& pfad, const QString& grund);
    void ok(const QString& meldung);
    // Adds the steps (and a failure) to the take-over's report; "" or why it failed.
    QString berichtErgaenzen(const QString& fehlschlag = {});

    const sys::Services& m_services;
    QString m_dbName;
    QString m_gelesen;
    bool m_nachUebernahme = false;
    QStringList m_schritte;
    std::unique_ptr<db::Database> m_db;
    // The chain's files, held exclusively until it ends.
    std::vector<std::unique_ptr<db::Database>> m_gesperrt;
};

}  // namespace frame
