#pragma once
// A form's plain controls as a table, the way the designer lists them: the
// control the form keeps, its name, its place in twips, caption, tooltip and a
// few flags. `bauen` makes the controls of a table in table order (later rows
// lie over earlier ones), converts the twips once and stores each control in
// the form's member that the row names. What is not a plain row (menus,
// controls built over a service, tab orders, connections) stays code.
//
//   constexpr vb::Steuerelement<Form> tabelle[] = {
//       {vb::ziel<&Form::cmdOK>, "cmdOK", {120, 540, 1080, 330}, "&OK", "Übernimmt die Werte", vb::enter},
//       {vb::ziel<&Form::lbWerArray, 1>, "lbWer_1", {8640, 3600, 1395, 240}, "Ausleiher"},
//   };
//   vb::bauen(*this, fläche, tabelle);
#include <QRect>
#include <QWidget>

#include <array>
#include <span>
#include <type_traits>

namespace vb {

// Place and size in twips. An empty place leaves the control to the form's layout.
struct Platz {
    int left = 0, top = 0, width = 0, height = 0;
    constexpr bool leer() const { return width == 0 && height == 0; }
};

// Flags of a row.
enum Merkmal : unsigned {
    versteckt = 1u << 0,   // hidden at design time
    editierbar = 1u << 1,  // a combo box with an edit field
    enter = 1u << 2,       // a button that clicks on Enter while it has the focus
    fett = 1u << 3,        // bold caption
};

namespace detail {

template <class M>
struct Mitglied;
template <class T, class C>
struct Mitglied<T C::*> {
    using Klasse = C;
    using Typ = T;
};

template <class T>
struct Feldelement {
    using Typ = T;
};
template <class T, std::size_t N>
struct Feldelement<std::array<T, N>> {
    using Typ = T;
};

// Sets the row's common properties on a made control.
void einrichten(QWidget* w, const char* name, const Platz& platz, const char* text, const char* tip,
                unsigned merkmale);

}  // namespace detail

// Where a row's control goes: a member of the form, or an element of a
// control array member. Made by `ziel`.
template <class Form>
struct Ziel {
    QWidget* (*machen)(Form& form, QWidget* eltern) = nullptr;
};

// The member (and, for a control array, the element) that keeps a row's
// control; the control's class is the member's pointee.
template <auto Member, int Index = -1>
inline constexpr Ziel<typename detail::Mitglied<decltype(Member)>::Klasse> ziel{
    [](typename detail::Mitglied<decltype(Member)>::Klasse& form, QWidget* eltern) -> QWidget* {
        using Typ = typename detail::Mitglied<decltype(Member)>::Typ;
        if constexpr (Index < 0) {
            auto* w = new std::remove_pointer_t<Typ>(eltern);
            form.*Member = w;
            return w;
        } else {
            auto* w = new std::remove_pointer_t<typename detail::Feldelement<Typ>::Typ>(eltern);
            (form.*Member)[Index] = w;
            return w;
        }
    }};

template <class Form>
struct Steuerelement {
    Ziel<Form> ziel;
    const char* name;  // the control's objectName
    Platz platz;
    const char* text = "";  // caption of a label, button or box; start text of a text box
    const char* tip = "";
    unsigned merkmale = 0;
};

// Makes the table's controls on `eltern`, in table order.
template <class Form>
void bauen(Form& form, QWidget* eltern, std::span<const Steuerelement<Form>> tabelle)
{
    for (const Steuerelement<Form>& z : tabelle)
        detail::einrichten(z.ziel.machen(form, eltern), z.name, z.platz, z.text, z.tip, z.merkmale);
}

template <class Form, std::size_t N>
void bauen(Form& form, QWidget* eltern, const Steuerelement<Form> (&tabelle)[N])
{
    bauen(form, eltern, std::span<const Steuerelement<Form>>(tabelle));
}

// Forms follow the application's font. They were laid out for 8-point MS Sans
// Serif at 96 dpi, whose dialog base units are 6 x 13 pixels: a form is drawn
// larger by the font's average letter width against 6 and its line height
// against 13, whichever ratio is larger, so that every caption has the room it
// had in the design both ways; never smaller than designed. One factor for
// both directions keeps pictures and the background in proportion, and the
// list boxes' tab stops (in dialog units of the same letter width) under
// their headers.
double massstab();
double massstab(const QFont& schrift);

// The design font's dialog base units in pixels.
constexpr double EntwurfBuchstabenbreite = 6.0;
constexpr double EntwurfZeilenhoehe = 13.0;

// The average width of the 52 Latin letters, the measure dialog units are
// taken from.
double buchstabenbreite(const QFont& schrift);

// A length in twips as pixels of a form in the application's font (15 twips a
// pixel at 96 dpi and the design font).
int pixel(int twips);
// A length the design gives in pixels of the design font.
int skaliert(int pixel);
// Pixels of a form as twips: the inverse of `pixel`.
double twips(double pixel);

// A place as pixels, each edge converted once, so that controls that meet in
// the design meet on the screen.
QRect rechteck(const Platz& platz);
void platzieren(QWidget* w, const Platz& platz);

}  // namespace vb
