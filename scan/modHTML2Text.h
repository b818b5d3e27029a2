#pragma once
// HTML to plain text for the film lookup: one pass over the page that also
// hands every picture-like source it meets to a candidate sink.
#include <QString>
#include <QStringList>

#include <vector>

namespace scan {

// Receives each cover candidate (a value beginning "../" or "/f") in the order met.
class Coverkandidaten {
public:
    virtual ~Coverkandidaten() = default;
    virtual void kandidat(const QString& quelle) = 0;
};

// The entity names and the character each gives, in the order they are tried.
struct Entitaet {
    const char* name;
    char16_t zeichen;
};
const std::vector<Entitaet>& entitaeten();

// The page as text. bildvorlage: how a picture is written ("%imgalt",
// "%imgsrc"); an empty one drops pictures.
QString HTMLzuText(const QString& html, const QString& bildvorlage, Coverkandidaten* kandidaten);

// Every occurrence of `suche` (letters without regard to case) replaced; the
// search goes on after each inserted replacement.
QString TextErsetzen(const QString& text, const QString& suche, const QString& ersatz);

// The attribute text cut at the separator; double quotes keep a value whole.
QStringList AttributeTeilen(const QString& attribute, QChar trenner);

// The value without its enclosing double quotes; a value beginning "../" or
// "/f" is offered as a cover candidate.
QString przBildQuelle(const QString& wert, Coverkandidaten* kandidaten);

}  // namespace scan
