#include "frame/basHyperlink.h"

#include "frame/Aussehen.h"
#include "platform/system/Services.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVariant>

#include <utility>

namespace basHyperlink {

namespace {

// Where a box keeps its address.
constexpr char AdressEigenschaft[] = "hyperlinkAdresse";

void setzeText(QLineEdit* box, long farbnummer, bool unterstrichen)
{
    if (const auto farbe = frame::vbFarbe(QString::number(farbnummer))) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, *farbe);
        p.setColor(QPalette::WindowText, *farbe);
        box->setPalette(p);
    }
    QFont f = box->font();
    f.setUnderline(unterstrichen);
    box->setFont(f);
}

bool innen(const QLineEdit* box, double x, double y)
{
    return x >= 0 && x <= box->width() && y >= 0 && y <= box->height();
}

// Turns the box's own mouse events into the link's hover test and click and
// keeps them from the text box, so that the text is never selected.
class Ereignisse : public QObject {
public:
    Ereignisse(QLineEdit* box, sys::Shell& shell) : QObject(box), m_box(box), m_shell(shell) {}

    bool eventFilter(QObject* ziel, QEvent* e) override
    {
        if (ziel != m_box)
            return false;
        switch (e->type()) {
        case QEvent::MouseMove: {
            const QPointF p = static_cast<QMouseEvent*>(e)->position();
            HyperlinkMouseMove(m_box, p.x(), p.y());
            return true;
        }
        case QEvent::MouseButtonPress:
            return true;
        case QEvent::MouseButtonDblClick:
            // The second press of a double click is no click of its own.
            m_doppelklick = true;
            return true;
        case QEvent::MouseButtonRelease: {
            const auto* m = static_cast<QMouseEvent*>(e);
            const bool zweiterKlick = std::exchange(m_doppelklick, false);
            if (m->button() == Qt::LeftButton && !zweiterKlick && innen(m_box, m->position().x(), m->position().y()))
                HyperlinkClick(m_box, m_shell);
            return true;
        }
        case QEvent::Hide:
            // A window closed while its link is lit (Escape, a shortcut) must
            // not keep the mouse: every other window would lose its input.
            HyperlinkMouseMove(m_box, -1, -1);
            return false;
        default:
            return false;
        }
    }

private:
    QLineEdit* m_box;
    sys::Shell& m_shell;
    bool m_doppelklick = false;
};

}  // namespace

std::optional<LinkZiel> linkZiel(const QString& adresse)
{
    const QString http = QStringLiteral("http://");
    if (adresse.startsWith(QLatin1String("www.")) || adresse.startsWith(http))
        return LinkZiel{adresse.startsWith(http) ? adresse : http + adresse, AnzeigeMaximiert, false};
    if (adresse.startsWith(QLatin1String("mailto:")))
        return LinkZiel{adresse, AnzeigeNormal, false};
    if (adresse.startsWith(QLatin1String("App:")))
        return LinkZiel{adresse.mid(4), AnzeigeNormal, true};
    return std::nullopt;
}

void HyperlinkInit(QLineEdit* box, const QString& text, const QString& adresse, QWidget* parent)
{
    box->setText(text);
    box->setProperty(AdressEigenschaft, adresse);
    // A label, not an entry: not editable, no frame, never in the tab order.
    box->setReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMouseTracking(true);
    if (parent) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, parent->palette().color(parent->backgroundRole()));
        box->setPalette(p);
    }
}

void HyperlinkLook(QLineEdit* box, std::optional<long> normal)
{
    setzeText(box, normal.value_or(NormalFarbe), false);
    box->setCursor(Qt::PointingHandCursor);
}

void HyperlinkMouseMove(QLineEdit* box, double x, double y, std::optional<long> normal, std::optional<long> hover)
{
    if (innen(box, x, y)) {
        // Holding the mouse brings the first move outside the box here too,
        // and that move restores the idle look.
        if (box->isVisible() && QWidget::mouseGrabber() != box)
            box->grabMouse();
        setzeText(box, hover.value_or(HoverFarbe), true);
    } else {
        if (QWidget::mouseGrabber() == box)
            box->releaseMouse();
        setzeText(box, normal.value_or(NormalFarbe), false);
    }
}

void HyperlinkClick(QLineEdit* box, sys::Shell& shell, std::optional<long> normal)
{
    box->setEnabled(false);
    box->setEnabled(true);
    HyperlinkMouseMove(box, -1, -1, normal);
    const auto z = linkZiel(HyperlinkAdresse(box));
    if (!z)
        return;
    // The desktop shell chooses the size of the browser's window itself.
    if (z->datei)
        HyperlinkOpenFile(shell, z->ziel);
    else
        shell.open(z->ziel);
}

void HyperlinkOpenFile(sys::Shell& shell, const QString& datei)
{
    // A file type without a program: the desktop's opener has its own answer
    // for that; nothing is reported here.
    shell.open(datei);
}

QString HyperlinkAdresse(const QLineEdit* box)
{
    return box->property(AdressEigenschaft).toString();
}

void HyperlinkEreignisse(QLineEdit* box, sys::Shell& shell)
{
    box->installEventFilter(new Ereignisse(box, shell));
}

void HyperlinksEinrichten(const std::vector<Verweis>& verweise, QWidget* parent)
{
    for (const Verweis& v : verweise) {
        HyperlinkInit(v.box, v.text, v.adresse, parent);
        HyperlinkLook(v.box);
    }
}

}  // namespace basHyperlink
