#include "platform/vb/Formular.h"

#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vb {

void platzieren(QWidget* w, const Platz& p)
{
    w->setGeometry(twipsToPixels(p.left), twipsToPixels(p.top), twipsToPixels(p.width), twipsToPixels(p.height));
}

namespace detail {

void einrichten(QWidget* w, const char* name, const Platz& platz, const char* text, const char* tip,
                unsigned merkmale)
{
    w->setObjectName(QString::fromUtf8(name));
    if (!platz.leer())
        platzieren(w, platz);
    const QString beschriftung = QString::fromUtf8(text);
    if (!beschriftung.isEmpty()) {
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(beschriftung);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(beschriftung);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(beschriftung);
    }
    if (*tip)
        w->setToolTip(QString::fromUtf8(tip));
    if (auto* e = qobject_cast<QLineEdit*>(w))
        keepSingleLine(e);
    if (merkmale & editierbar) {
        if (auto* k = qobject_cast<ComboBox*>(w))
            k->setEditable(true);
    }
    if (merkmale & enter) {
        if (auto* k = qobject_cast<QPushButton*>(w))
            k->setAutoDefault(true);
    }
    if (merkmale & fett) {
        QFont f = w->font();
        f.setBold(true);
        w->setFont(f);
    }
    if (merkmale & versteckt)
        w->setVisible(false);
}

}  // namespace detail

}  // namespace vb
