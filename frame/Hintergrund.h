#pragma once
// The main window's own look: its column headers and sort entries from the
// field words, its text colour and font, and its background (a plain colour or
// a picture fitted to the window, with the desktop's wallpaper as fallback).
//
// The routines reach the window's controls by their objectNames ("lbCat_1",
// "Image1", "mnuMappe", ...); a control the window lacks is passed over. The
// settings values are the ones the window's reader last read.
#include "frame/Einstellungen.h"
#include "frame/Sprache.h"
#include "platform/system/Services.h"

#include <QString>
#include <array>
#include <optional>

class QLabel;
class QWidget;

namespace frame {

// The main window's designed inner area in twips, the fixed aspect of its picture.
constexpr float Innenbreite = 10155.0f;
constexpr float Innenhoehe = 7650.0f;

// Where AdjustImageToRect puts the picture, in twips.
struct Einpassung {
    float links = 0;
    float oben = 0;
    float breite = 0;
    float hoehe = 0;
};
// The picture's own size, whose aspect the fit keeps; the main window's
// background has the fixed aspect of its inner area.
struct Bildmass {
    float breite = Innenbreite;
    float hoehe = Innenhoehe;
};

// The fit of the picture's aspect into the area `breite` x `hoehe` at `x`, `y`;
// nothing for an area or a picture without width or height (the picture stays as it is).
std::optional<Einpassung> einpassen(float breite, float hoehe, float x, float y, bool zentrieren, Bildmass bild = {});

// Fits the picture into the area (twips) and shows it, stretched to its new
// rectangle. False when there is nothing to fit: the picture is left unchanged.
bool AdjustImageToRect(QLabel* image, float breite, float hoehe, float x, float y, bool zentrieren,
                       Bildmass bild = {});

// The picture's aspect grown over the whole area `breite` x `hoehe`, centred;
// what reaches past the area is cut off. Nothing for an empty area or picture.
std::optional<Einpassung> bedecken(float breite, float hoehe, Bildmass bild = {});

// The window's resize: "Image1" covers the whole area it lies on, however the
// window was enlarged, unless the picture is hidden (colour mode) or the
// window is minimised. At the designed size that is the designed fit.
void Form_Resize(QWidget* fenster);

// Column headers, detail and filter labels and the sort-menu entries from the
// field words; the two middle headers follow [Funktionen] "Sortierung".
void przLabel(QWidget* fenster, const Feldwoerter& feldwort, const Einstellungen& werte);

// "TextFarbe" on the window's labels. False when it is no colour: nothing applied.
bool przFarbe(QWidget* fenster, const Einstellungen& werte);

// "TextFont", then "TextBold", then "TextSize" on the window's labels. False at
// the first value that cannot be converted; what came before it stays.
bool przFont(QWidget* fenster, const Einstellungen& werte);

// The background: the colour "Backcolor" when [Design] "Hintergrundfarbe" is
// not "0", else the picture [Design] "Bild"; on any failure the desktop's
// wallpaper, with a message. Writes "Hintergrundfarbe" = "0" the first time it
// finds the key empty.
void przBild(QWidget* fenster, const sys::Services& services, const Einstellungen& werte);

// The built-in background pictures of the menu "Hintergrundbild wählen".
struct Bildeintrag {
    const char* name;     // objectName of the menu entry
    const char* caption;
    const char* datei;    // file name under "bilder" of the program folder
};
const std::array<Bildeintrag, 6>& bildeintraege();

// [Design] "Bild" := the program folder's "bilder/<datei>", then przBild.
void bildeintragWaehlen(QWidget* fenster, const sys::Services& services, const Einstellungen& werte,
                        const QString& datei);

// The background picture dialog: the chosen file becomes [Design] "Bild" and
// its folder (with the trailing "/") the per-user "Datei"/"Pfad"; then przBild.
// A cancel changes nothing.
void przBildAuswahl(QWidget* fenster, const sys::Services& services, const Einstellungen& werte);

}  // namespace frame
