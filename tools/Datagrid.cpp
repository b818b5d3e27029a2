#include "tools/Datagrid.h"

#include <algorithm>

#include "platform/vb/Formular.h"
#include "tools/FilmeModell.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

Datagrid::Datagrid(std::shared_ptr<db::Database> datenbank, QWidget* parent)
    : QWidget(parent), m_datenbank(std::move(datenbank))
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Datagrid"));
    setWindowTitle(QStringLiteral("Tabellen-Ansicht"));
    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setWordWrap(false);
    // Every row is one line high: the view never measures rows it does not show.
    DataGrid1->verticalHeader()->hide();
    DataGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DataGrid1->verticalHeader()->setDefaultSectionSize(DataGrid1->fontMetrics().height() + 6);
    // A column without a width of its own: the style's default, grown with the font like the others.
    DataGrid1->horizontalHeader()->setDefaultSectionSize(
        vb::skaliert(DataGrid1->style()->pixelMetric(QStyle::PM_HeaderDefaultSectionSizeHorizontal)));
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(0, 0, 0, 0);
    fenster->addWidget(DataGrid1);
    resize(vb::skaliert(760), vb::skaliert(420));
}

int Datagrid::spaltenBreite(int position)
{
    if (position == 0)
        return 2500;
    if (position >= 1 && position <= 4)
        return 800;
    if (position >= 5 && position <= 10)
        return 1000;
    if (position == 11)
        return 2400;
    if (position == 12)
        return 800;
    return -1;
}

void Datagrid::Form_Load()
{
    verbinden(m_datenbank);
}

void Datagrid::verbinden(std::shared_ptr<db::Database> datenbank)
{
    m_datenbank = std::move(datenbank);
    FilmeModell* alt = m_modell;
    m_modell = nullptr;
    try {
        m_modell = new FilmeModell(m_datenbank, this);
    } catch (const db::DbError&) {
        m_modell = nullptr;
    }
    DataGrid1->setModel(m_modell);
    delete alt;
    breitenSetzen();
}

void Datagrid::closeEvent(QCloseEvent* ereignis)
{
    DataGrid1->setModel(nullptr);
    delete m_modell;
    m_modell = nullptr;
    m_datenbank.reset();
    ereignis->accept();
}

void Datagrid::breitenSetzen()
{
    if (!m_modell)
        return;
    // The designed widths were made for a smaller font; a date is never cut.
    const int datumBreite = DataGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 ")) + 8;
    for (int spalte = 0; spalte < m_modell->columnCount(); ++spalte) {
        const int twips = spaltenBreite(spalte);
        if (twips <= 0)
            continue;
        int breite = vb::pixel(twips);
        if (m_modell->istDatum(spalte))
            breite = std::max(breite, datumBreite);
        DataGrid1->setColumnWidth(spalte, breite);
    }
}
