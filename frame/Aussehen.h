#pragma once
// The window look that every window shares: the user's colours and font from
// "Cd.ini" [Design], applied unless "Default" is "0".
#include "platform/ini/IniFile.h"

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace frame {

// A decimal Windows colour number (red + 256 * green + 65536 * blue) as a
// colour; nothing for an empty text or one that is no number.
std::optional<QColor> vbFarbe(const QString& wert);
// The colour as its decimal Windows colour number.
long vbFarbnummer(const QColor& farbe);

// The look keys of [Design], as stored.
struct Look {
    QString standard;   // "Default"
    QString textFarbe;  // "TextFarbe"
    QString backcolor;  // "Backcolor"
    QString textFont;   // "TextFont"
    QString textBold;   // "TextBold"
    QString textSize;   // "TextSize"

    static Look lesen(const ini::IniFile& cdIni);
    // "Default" = "0" is the default look; any other value, "" included, colours.
    bool benutzerLook() const { return standard != QLatin1String("0"); }
};

// The background and text colour of one control (its palette and, where the
// control draws its own background, autoFillBackground).
void setzeHintergrund(QWidget* control, const QColor& farbe);
void setzeTextfarbe(QWidget* control, const QColor& farbe);

// CBool of a text on a German system: "Wahr"/"Falsch", "True"/"False" in any
// case, or a number (anything but 0 is true); nothing for any other text.
std::optional<bool> vbWahrheitswert(const QString& wert);
// A font size in points with a decimal comma ("9,75"); nothing for a text that
// is no number or no usable size.
std::optional<float> vbSchriftgrad(const QString& wert);

void setzeSchriftname(QWidget* control, const QString& name);
void setzeFett(QWidget* control, bool fett);
void setzeSchriftgrad(QWidget* control, float punkte);

// The line rule, on the stored texts: with "Backcolor" exactly "16777215" the
// lines take `linienText` (a colour number: "TextFarbe", or "0" where a window
// draws its lines black); with `weissAufSchwarz` and "Backcolor" exactly "0"
// they turn white. Nothing when the lines keep their design colour, or when
// `linienText` is no colour.
std::optional<QColor> linienfarbe(const QString& backcolor, const QString& linienText, bool weissAufSchwarz = false);
void setzeLinienfarbe(QWidget* linie, const QColor& farbe);

}  // namespace frame
