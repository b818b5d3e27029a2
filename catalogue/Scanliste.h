#pragma once
// What a disc scan hands the main window: entries "name:size" that become
// sub-entries, and names that become a title's info text.
#include <QString>
#include <QStringList>

#include <functional>

namespace katalog {

struct Scaneintrag {
    QString name;
    QString größe;
};

// Cuts an entry at its last ":" (a Linux file name may hold one; a size never
// does). Without ":" the whole entry is the name and the size is "".
Scaneintrag eintragTeilen(const QString& eintrag);

// The sub-entry name of an entry: a name with a point and a three-character
// ending loses the ending ("Film.avi:700" -> "Film"); any other name gives the
// whole entry ("Extras:12 ", "Clip.mpeg:5").
QString unterordnerName(const QString& eintrag);

// A name that `vergeben` does not report: the name itself, else the name with
// the parent title in brackets ("Bonus [Konzert 2004]"), then " (2)", " (3)",
// ...; the name is shortened so that the whole stays within `breite` characters.
QString freierName(const QString& name, const QString& eltern, const std::function<bool(const QString&)>& vergeben,
                   int breite = 100);

// The names joined as "a, b, " (each followed by ", "); empty names skipped.
QString infoText(const QStringList& namen);

}  // namespace katalog
