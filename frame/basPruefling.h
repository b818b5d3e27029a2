#pragma once
// The key filters of the entry fields, shared by both programs: a filter
// passes a typed key code through or turns it into 0, which drops the key.
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace frame {

// The text filter: digits, blank, ".", ",", A-Z and a-z, plus Backspace (8) and
// Enter (13). Returns the code to keep as its decimal text ("0": dropped).
// Codes outside the 8-bit character set are dropped.
QString przPrüfText(int keyAscii);
// The format filter: the letters of the usual format names ("DVD", "XVID",
// "mp3", "AUDIO"), the digit 3 and blank. The number filter: digits, "." and ",".
QString przPrüfFormat(int keyAscii);
QString przPrüfZahl(int keyAscii);

// Whether every character of a text would pass the text filter (for text
// that reached a field without being typed, such as a paste by mouse).
bool textZulässig(const QString& text);

// Runs a field's key presses through a filter, as its KeyPress handler: keys
// that type a character (control characters such as Ctrl+V included, and
// Backspace and Enter) go through `filter`; a 0 drops the key; otherwise
// `nachFilter` gets the kept code (13 for Enter). Keys that type nothing
// (arrows, Delete, Home) pass untouched, as they raise no KeyPress.
void tastenFilter(QLineEdit* feld, QString (*filter)(int), std::function<void(int)> nachFilter = {});

// A field's KeyPress handler: it gets the code of every key that types a
// character (also each character of text an input method commits, such as a
// composed "é") and sets it to 0 to drop it. Enter, once handled, types nothing.
void tastenHandler(QLineEdit* feld, std::function<void(int&)> keyPress);

// Moves the focus on from the field as the Tab key does ("{tab}").
void tabSenden(QWidget* feld);

}  // namespace frame
