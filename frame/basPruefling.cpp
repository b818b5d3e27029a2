#include "frame/basPruefling.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace frame {

namespace {

constexpr int Backspace = 8;
constexpr int Enter = 13;

const QString ErlaubtText = QStringLiteral("1234567890 ., ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz");

QString prüfen(int keyAscii, const QString& erlaubt)
{
    if (keyAscii == Backspace || keyAscii == Enter)
        return QString::number(keyAscii);
    if (keyAscii <= 0 || keyAscii > 255)
        return QStringLiteral("0");
    return erlaubt.contains(QChar(char16_t(keyAscii))) ? QString::number(keyAscii) : QStringLiteral("0");
}

// The key code that a key press types, as the original's KeyPress sees it;
// -1 for a key that types nothing.
int tastenCode(const QKeyEvent* taste)
{
    switch (taste->key()) {
    case Qt::Key_Backspace: return Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Delete: return -1;
    default: break;
    }
    const QString text = taste->text();
    if (!text.isEmpty())
        return text.at(0).unicode();
    // Some platforms give Ctrl with a letter no text: its control code then.
    if ((taste->modifiers() & Qt::ControlModifier) && taste->key() >= Qt::Key_A && taste->key() <= Qt::Key_Z)
        return taste->key() - Qt::Key_A + 1;
    return -1;
}

class Tastenfilter : public QObject {
public:
    Tastenfilter(QLineEdit* feld, QString (*filter)(int), std::function<void(int)> nachFilter)
        : QObject(feld), m_filter(filter), m_nachFilter(std::move(nachFilter))
    {
    }

protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        // Ctrl+V and its friends arrive first as a shortcut check; claiming
        // them keeps them from any shortcut, so they come here as key presses
        // (Alt with a letter stays a mnemonic of the window).
        if (ereignis->type() == QEvent::ShortcutOverride) {
            const auto* taste = static_cast<QKeyEvent*>(ereignis);
            const int code = tastenCode(taste);
            if (code >= 0 && code < 32) {
                ereignis->accept();
                return true;
            }
        }
        if (ereignis->type() != QEvent::KeyPress)
            return QObject::eventFilter(ziel, ereignis);
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        const int code = tastenCode(taste);
        if (code < 0)
            return false;
        const int behalten = m_filter(code).toInt();
        if (behalten == 0)
            return true;
        if (m_nachFilter)
            m_nachFilter(behalten);
        // Enter types nothing into a line; a handler above has done its work.
        return behalten == Enter && m_nachFilter;
    }

private:
    QString (*m_filter)(int);
    std::function<void(int)> m_nachFilter;
};

}  // namespace

QString przPrüfText(int keyAscii)
{
    return prüfen(keyAscii, ErlaubtText);
}

bool textZulässig(const QString& text)
{
    for (const QChar c : text) {
        const int code = c.unicode();
        if (code == Backspace || code == Enter || przPrüfText(code) == QLatin1String("0"))
            return false;
    }
    return true;
}

void tastenFilter(QLineEdit* feld, QString (*filter)(int), std::function<void(int)> nachFilter)
{
    feld->installEventFilter(new Tastenfilter(feld, filter, std::move(nachFilter)));
}

}  // namespace frame
