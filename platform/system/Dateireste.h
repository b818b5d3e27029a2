#pragma once
// Temporary files that a run of a child program writes beside its target,
// named ".<target>.<process number>.<kind>", and their removal once that
// process is gone (a kill -9 leaves them behind).
#include <QString>
#include <QStringList>

namespace sys {

// ".<target file name>.<this process>.<art>" beside the target.
QString restdatei(const QString& ziel, const QString& art);

// Removes the files ".<target>.<pid>.<art>" (art one of `arten`) of processes
// that no longer run, and those of this process.
void resteEntfernen(const QString& ziel, const QStringList& arten);

// As resteEntfernen, for every target in the folder.
void alleResteEntfernen(const QString& ordner, const QStringList& arten);

// The take-over of a Windows catalogue, which the programs start and the
// child does: its report "<folder>/<name>.import.txt" beside a target
// "<folder>/<name>.mdb", and the kinds of the temporary files it writes.
QString importBericht(const QString& ziel);
inline const QStringList ImportRestarten = {QStringLiteral("jetimport"), QStringLiteral("jetimport-journal"),
                                            QStringLiteral("ldb"), QStringLiteral("bericht")};

}  // namespace sys
