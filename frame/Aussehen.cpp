#include "frame/Aussehen.h"

#include "platform/vb/VbRuntime.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace frame {

namespace {

const QString Design = QStringLiteral("Design");
constexpr long long Weiss = 16777215;

// The largest size the original's fonts accept.
constexpr float GroessterSchriftgrad = 2160.0f;

// Lists and text boxes paint their inside with Base and Text, not with the
// Window roles the rest of a window uses.
bool maltMitBase(const QWidget* control)
{
    return qobject_cast<const QAbstractScrollArea*>(control) || qobject_cast<const QLineEdit*>(control);
}

}  // namespace

std::optional<QColor> vbFarbe(const QString& wert)
{
    // CLng: a number with a decimal comma, halves to even.
    const auto zahl = vb::cdbl(wert);
    if (!zahl)
        return std::nullopt;
    const std::optional<qint32> n = vb::clng(*zahl);
    // Negative numbers are the original's system colours, which this platform does not have.
    if (!n || *n < 0 || *n > Weiss)
        return std::nullopt;
    return QColor(*n & 0xFF, (*n >> 8) & 0xFF, (*n >> 16) & 0xFF);
}

long vbFarbnummer(const QColor& farbe)
{
    return long(farbe.red()) + 256L * farbe.green() + 65536L * farbe.blue();
}

Look Look::lesen(const ini::IniFile& cdIni)
{
    Look look;
    look.standard = cdIni.read(Design, QStringLiteral("Default"));
    look.textFarbe = cdIni.read(Design, QStringLiteral("TextFarbe"));
    look.backcolor = cdIni.read(Design, QStringLiteral("Backcolor"));
    look.textFont = cdIni.read(Design, QStringLiteral("TextFont"));
    look.textBold = cdIni.read(Design, QStringLiteral("TextBold"));
    look.textSize = cdIni.read(Design, QStringLiteral("TextSize"));
    return look;
}

void setzeHintergrund(QWidget* control, const QColor& farbe)
{
    if (!control)
        return;
    QPalette p = control->palette();
    // A check box's own square (Base) keeps its colour, as it does in the original.
    p.setColor(QPalette::Window, farbe);
    p.setColor(control->backgroundRole(), farbe);
    if (maltMitBase(control))
        p.setColor(QPalette::Base, farbe);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

void setzeTextfarbe(QWidget* control, const QColor& farbe)
{
    if (!control)
        return;
    QPalette p = control->palette();
    // A disabled control stays greyed, whatever its colour.
    for (const auto gruppe : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(gruppe, QPalette::WindowText, farbe);
        p.setColor(gruppe, control->foregroundRole(), farbe);
        if (maltMitBase(control))
            p.setColor(gruppe, QPalette::Text, farbe);
    }
    control->setPalette(p);
}

std::optional<bool> vbWahrheitswert(const QString& wert)
{
    const QString t = wert.trimmed();
    if (t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto zahl = vb::cdbl(t))
        return *zahl != 0;
    return std::nullopt;
}

std::optional<float> vbSchriftgrad(const QString& wert)
{
    const auto zahl = vb::cdbl(wert);
    if (!zahl)
        return std::nullopt;
    // Checked before it becomes a float, which could not hold 1e300.
    if (!(*zahl > 0.0) || *zahl > GroessterSchriftgrad)
        return std::nullopt;
    return float(*zahl);
}

void setzeSchriftname(QWidget* control, const QString& name)
{
    if (!control)
        return;
    QFont f = control->font();
    f.setFamilies({name});
    control->setFont(f);
}

void setzeFett(QWidget* control, bool fett)
{
    if (!control)
        return;
    QFont f = control->font();
    f.setBold(fett);
    control->setFont(f);
}

void setzeSchriftgrad(QWidget* control, float punkte)
{
    if (!control)
        return;
    QFont f = control->font();
    f.setPointSizeF(double(punkte));
    control->setFont(f);
}

std::optional<QColor> linienfarbe(const QString& backcolor, const QString& linienText, bool weissAufSchwarz)
{
    // The stored text decides, not its number: "0016777215" keeps the design colour.
    if (backcolor == QLatin1String("16777215"))
        return vbFarbe(linienText);
    if (weissAufSchwarz && backcolor == QLatin1String("0"))
        return QColor(Qt::white);
    return std::nullopt;
}

void setzeLinienfarbe(QWidget* linie, const QColor& farbe)
{
    if (!linie)
        return;
    QPalette p = linie->palette();
    // A plain frame line draws with WindowText, a shaded one with Light, Mid and Dark.
    for (const auto rolle : {QPalette::WindowText, QPalette::Light, QPalette::Mid, QPalette::Dark})
        p.setColor(rolle, farbe);
    linie->setPalette(p);
}

}  // namespace frame
