#include "frame/Eingabekombi.h"

#include "platform/vb/VbControls.h"
#include "platform/vb/VbLike.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace frame {

int ersterTreffer(const QComboBox& box, const QString& getippt)
{
    for (int i = 0; i < box.count(); ++i) {
        if (box.itemText(i).startsWith(getippt, Qt::CaseSensitive))
            return i;
    }
    return -1;
}

int ersterMusterTreffer(const QComboBox& box, const QString& getippt)
{
    const QString muster = getippt + u'*';
    try {
        for (int i = 0; i < box.count(); ++i) {
            if (vb::like(box.itemText(i), muster))
                return i;
        }
    } catch (const vb::PatternError&) {
    }
    return -1;
}

bool tipptNichts(int taste)
{
    switch (taste) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return taste >= Qt::Key_Dead_Grave && taste <= Qt::Key_Dead_Longsolidusoverlay;
    }
}

Eingabekombi::Eingabekombi(vb::ComboBox* box, QLineEdit* ziel, int kappe, std::function<void()> weiter)
    : Eingabekombi(box, ziel, kappe, std::move(weiter), Art{})
{
}

Eingabekombi::Eingabekombi(vb::ComboBox* box, QLineEdit* ziel, int kappe, std::function<void()> weiter, Art art)
    : QObject(box), m_box(box), m_ziel(ziel), m_kappe(kappe), m_weiter(std::move(weiter)), m_art(art)
{
    // Keys reach the box, which has the focus; it hands them to its line edit
    // directly, past any filter there.
    box->installEventFilter(this);
    connect(box, &QComboBox::editTextChanged, this, [this] { Change(); });
    // Every change the user makes reaches the entry field at once, so that the
    // value shown is the value saved; a refill of the list from code does not.
    if (box->lineEdit())
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] {
            Change();
            zielSetzen();
        });
    connect(box, &QComboBox::activated, this, [this] { Click(); });
}

bool Eingabekombi::eventFilter(QObject* ziel, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (m_art.enterNimmt && (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter)) {
            KeyPress(13);
            return true;
        }
    } else if (ereignis->type() == QEvent::KeyRelease) {
        const bool ergebnis = QObject::eventFilter(ziel, ereignis);
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (!taste->isAutoRepeat() && !tipptNichts(taste->key())) {
            // The box handles the key first; the completion follows its release.
            ziel->event(ereignis);
            KeyUp();
            return true;
        }
        return ergebnis;
    }
    return QObject::eventFilter(ziel, ereignis);
}

void Eingabekombi::KeyPress(int keyAscii)
{
    const QString text = m_box->currentText();
    if (keyAscii == 13 && !text.isEmpty()) {
        if (m_weiter)
            m_weiter();
        if (m_art.enterFügtEin && m_box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            m_box->addItem(text);
        if (QLineEdit* feld = m_box->lineEdit())
            feld->selectAll();
    }
    zielSetzen();
}

void Eingabekombi::KeyUp()
{
    const QString text = m_box->currentText();
    // A completion the user has just taken back is not offered again at once.
    if (text == m_gemerkt)
        return;
    // An emptied box stays empty (every entry begins with nothing); what is
    // typed next is completed afresh.
    if (text.isEmpty()) {
        m_gemerkt.clear();
        return;
    }
    const int treffer = m_art.muster ? ersterMusterTreffer(*m_box, text) : ersterTreffer(*m_box, text);
    if (treffer < 0)
        return;
    QLineEdit* feld = m_box->lineEdit();
    int p = 0;
    if (feld)
        p = feld->hasSelectedText() ? feld->selectionStart() : feld->cursorPosition();
    m_gemerkt = text;
    m_box->setEditText(m_box->itemText(treffer));
    zielSetzen();
    if (feld) {
        const QString neu = m_box->currentText();
        p = qMin(p, int(neu.size()));
        feld->setSelection(p, int(neu.size()) - p);
    }
}

void Eingabekombi::Change()
{
    if (m_inChange)
        return;
    m_inChange = true;
    const QString text = m_box->currentText();
    const bool eintrag =
        m_art.kappeNurGetippt && m_box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (text.size() > m_kappe && !eintrag) {
        m_box->setEditText(text.left(m_kappe));
        if (QLineEdit* feld = m_box->lineEdit())
            feld->setCursorPosition(m_kappe);
    }
    m_inChange = false;
}

void Eingabekombi::Click()
{
    Change();
    zielSetzen();
}

void Eingabekombi::zielSetzen()
{
    if (m_ziel)
        m_ziel->setText(m_box->currentText());
}

}  // namespace frame
