#pragma once
// A program folder with a small catalogue and a stand-in for the main window,
// for driving the lending windows.
#include "frame/Hauptfenster.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace testing_support {

// Records what the windows ask of the main window, in order.
class Hauptfensterattrappe : public frame::Hauptfenster {
public:
    QWidget* fenster() override { return &m_fenster; }
    void przAktualisieren() override { aufrufe << "przAktualisieren"; }
    void przlesen() override { aufrufe << "przlesen"; }
    QString tfDBName() const override { return dbName; }

    QString dbName = QStringLiteral("filme");
    QStringList aufrufe;

private:
    QWidget m_fenster;
};

struct Ausleihkatalog {
    // `cdIni` are the lines of "Cd.ini" ("[Design]\r\nLabel1=Mappe\r\n").
    explicit Ausleihkatalog(const QByteArray& cdIni = {});

    QString pfad() const { return folder.file(QStringLiteral("filme.mdb")); }
    void ausführen(const QString& sql, const QVariantList& werte = {}) const;
    // Titel, Mappe, Wer of Filme and the log's rows, by a stock connection.
    std::vector<QStringList> filme() const;
    std::vector<QStringList> log() const;
    QString integrität() const;

    TempFolder folder;
    FakeServices fake;
    Hauptfensterattrappe haupt;
};

}  // namespace testing_support
