#pragma once
// The cover reference of a record ("Cover" of "Filme" and "Unterordner") and
// the picture file it names.
#include <QString>

namespace scan {

// "-" (or nothing) names no file. With [Funktionen] "Cover Normal" = "1" the
// reference is the file's full path; otherwise a bare name in "covers" of the
// program folder.
QString coverDatei(const QString& referenz, const QString& coverNormal, const QString& programmordner);

// The reference stored for a picture file: its path, or with "Cover Normal"
// not "1" its bare name.
QString coverReferenz(const QString& datei, const QString& coverNormal);

}  // namespace scan
