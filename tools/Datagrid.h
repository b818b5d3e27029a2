#pragma once
// The grid view of table Filme of the working catalogue, read-only.
#include "platform/db/Database.h"

#include <QWidget>
#include <memory>

class QTableView;
class FilmeModell;

class Datagrid : public QWidget {
    Q_OBJECT
public:
    Datagrid(std::shared_ptr<db::Database> datenbank, QWidget* parent = nullptr);

    void Form_Load();
    // Shows another catalogue in the open window.
    void verbinden(std::shared_ptr<db::Database> datenbank);
    // The catalogue file the grid holds open; "" once the window is closed.
    QString katalog() const { return m_datenbank ? m_datenbank->path() : QString(); }

    // The widths in twips of the columns by position (0 is Titel); -1 keeps
    // the grid's default width.
    static int spaltenBreite(int position);

    QTableView* DataGrid1 = nullptr;
    FilmeModell* modell() const { return m_modell; }

protected:
    // The connection goes with the window, so the catalogue is free at once.
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void breitenSetzen();

    std::shared_ptr<db::Database> m_datenbank;
    FilmeModell* m_modell = nullptr;
};
