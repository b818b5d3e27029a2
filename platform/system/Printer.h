#pragma once
// The printer of the program: one text page after another, items printed at
// character columns by the column rule, lines ended, pages fed when the next
// line does not fit, the document ended. The first item of a document starts
// the job. Windows reach it through the services context.
#include <QFont>
#include <QString>
#include <QTextOption>

namespace sys {

class Printer {
public:
    virtual ~Printer() = default;

    // Prints `text` at character column `spalte` (from 1) of the current line,
    // or of the next line when the position lies past it. Tabs in the text go
    // to the stops of `layout` (in the printer font's units, see font()).
    // False when the job cannot start or the printer fails; the job is then
    // given up and every call gives false until endDoc.
    virtual bool print(int spalte, const QString& text, const QTextOption& layout = QTextOption()) = 0;
    // Ends the line; on a line with nothing on it this prints an empty line.
    virtual bool newLine() = 0;
    // Ends the document and sends it to the printer; a document with nothing
    // printed brings out no page. False when the job failed.
    virtual bool endDoc() = 0;

    // The printer dialog on the application's printer; the choice holds for
    // later jobs. Fehler: the dialog cannot work now.
    enum class Einrichtung { Gewaehlt, Abgebrochen, Fehler };
    virtual Einrichtung setup() = 0;

    // The font items are printed in, measured on the printer.
    virtual QFont font() = 0;

    // Whether a job has somewhere to go: a printer of the system, or a file
    // chosen in the printer dialog. A job without one cannot start.
    virtual bool eingerichtet() = 0;
};

}  // namespace sys
