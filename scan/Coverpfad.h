#pragma once
// The cover reference of a record ("Cover" of "Filme" and "Unterordner") and
// the picture file it names.
#include <QString>

#include <optional>

namespace scan {

// "-" (or nothing) names no file. With [Funktionen] "Cover Normal" = "1" the
// reference is the file's full path; otherwise a bare name in "covers" of the
// program folder.
QString coverDatei(const QString& referenz, const QString& coverNormal, const QString& programmordner);

// The reference stored for a picture file: its path, or with "Cover Normal"
// not "1" its bare name.
QString coverReferenz(const QString& datei, const QString& coverNormal);

// A picture chosen as a cover where a bare name must find it: in the folder
// "covers". A file that lies there keeps its name; any other is copied in
// under its own name, or when that is taken under a free one ("Bild (2).jpg"),
// never over another file. The path in "covers", or nothing and `fehler`
// saying why in German.
std::optional<QString> coverAblegen(const QString& datei, const QString& coversOrdner, QString* fehler);

}  // namespace scan
