#include "frame/basPruefling.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace frame {

namespace {

constexpr int Backspace = 8;
constexpr int Enter = 13;

const QString ErlaubtText = QStringLiteral("1234567890 ., ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz");
const QString ErlaubtFormat = QStringLiteral("MSVCDIXFlm ni TLAUOE PRG 3 p ");
const QString ErlaubtZahl = QStringLiteral("0123456789.,");

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
    case Qt::Key_Delete:
    // Tab moves the focus before any KeyPress would see it.
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return -1;
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
    Tastenfilter(QLineEdit* feld, std::function<void(int&)> keyPress) : QObject(feld), m_keyPress(std::move(keyPress))
    {
    }

protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        switch (ereignis->type()) {
        case QEvent::ShortcutOverride: {
            // Ctrl+V and its friends arrive first as a shortcut check; claiming
            // them keeps them from any shortcut, so they come here as key presses
            // (Alt with a letter stays a mnemonic of the window).
            const int code = tastenCode(static_cast<QKeyEvent*>(ereignis));
            if (code >= 0 && code < 32) {
                ereignis->accept();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            int code = tastenCode(static_cast<QKeyEvent*>(ereignis));
            if (code < 0)
                return false;
            m_keyPress(code);
            // Enter types nothing into a line; the handler has done its work.
            return code == 0 || code == Enter;
        }
        case QEvent::InputMethod: {
            // A dead key or a compose sequence commits its character here.
            auto* eingabe = static_cast<QInputMethodEvent*>(ereignis);
            for (const QChar zeichen : eingabe->commitString()) {
                int code = zeichen.unicode();
                m_keyPress(code);
                if (code == 0)
                    return true;
            }
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(ziel, ereignis);
    }

private:
    std::function<void(int&)> m_keyPress;
};

}  // namespace

QString przPrüfText(int keyAscii)
{
    return prüfen(keyAscii, ErlaubtText);
}

QString przPrüfFormat(int keyAscii)
{
    return prüfen(keyAscii, ErlaubtFormat);
}

QString przPrüfZahl(int keyAscii)
{
    return prüfen(keyAscii, ErlaubtZahl);
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
    tastenHandler(feld, [filter, nachFilter = std::move(nachFilter)](int& code) {
        code = filter(code).toInt();
        if (code != 0 && nachFilter)
            nachFilter(code);
        // Enter without a handler reaches the field as before.
        if (code == Enter && !nachFilter)
            code = -Enter;
    });
}

void tastenHandler(QLineEdit* feld, std::function<void(int&)> keyPress)
{
    feld->installEventFilter(new Tastenfilter(feld, std::move(keyPress)));
}

void tabSenden(QWidget* feld)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(feld, &tab);
}

}  // namespace frame
