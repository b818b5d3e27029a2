#include "tools/frmNeuDB.h"

#include "frame/basPruefling.h"
#include "platform/vb/Formular.h"
#include "tools/frmTools.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr vb::Steuerelement<frmNeuDB> Steuerelemente[] = {
    {vb::ziel<&frmNeuDB::Label1>, "Label1", {}, "Neuen DB Namen eingeben und bestätigen:"},
    {vb::ziel<&frmNeuDB::tfDBNameNeu>, "tfDBNameNeu", {}},
};

}  // namespace

frmNeuDB::frmNeuDB(frmTools& tools, QWidget* parent) : QWidget(parent), m_tools(tools)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frmNeuDB"));
    setWindowTitle(QStringLiteral("Neue Datenbank erstellen"));
    vb::bauen(*this, this, Steuerelemente);
    auto* fenster = new QVBoxLayout(this);
    fenster->addWidget(Label1);
    fenster->addWidget(tfDBNameNeu);
    setMinimumWidth(vb::skaliert(320));

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
