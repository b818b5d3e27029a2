#include "tools/frmNeuDB.h"

#include "frame/basPruefling.h"
#include "tools/frmTools.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

frmNeuDB::frmNeuDB(frmTools& tools, QWidget* parent) : QWidget(parent), m_tools(tools)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frmNeuDB"));
    setWindowTitle(QStringLiteral("Neue Datenbank erstellen"));
    Label1 = new QLabel(QStringLiteral("Neuen DB Namen eingeben und bestätigen:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    tfDBNameNeu = new QLineEdit(this);
    tfDBNameNeu->setObjectName(QStringLiteral("tfDBNameNeu"));
    auto* fenster = new QVBoxLayout(this);
    fenster->addWidget(Label1);
    fenster->addWidget(tfDBNameNeu);
    setMinimumWidth(320);

    // tfDBNameNeu_KeyPress: the text filter first, then Enter takes the name.
    frame::tastenFilter(tfDBNameNeu, frame::przPrüfText, [this](int code) {
        if (code == 13)
            przUebernehmen();
    });
}

void frmNeuDB::przUebernehmen()
{
    m_tools.tfDBNameNeu1->setText(tfDBNameNeu->text());
    m_tools.przCreateDB1();
    close();
}

void frmNeuDB::closeEvent(QCloseEvent* ereignis)
{
    m_geschlossen = true;
    ereignis->accept();
}
