#pragma once
// The small window that asks for the name of a new catalogue.
#include <QWidget>

class QLabel;
class QLineEdit;
class frmTools;

class frmNeuDB : public QWidget {
    Q_OBJECT
public:
    frmNeuDB(frmTools& tools, QWidget* parent = nullptr);

    // Hands the name to the tools window, which creates the catalogue, and closes.
    void przUebernehmen();
    bool geschlossen() const { return m_geschlossen; }

    QLabel* Label1 = nullptr;
    QLineEdit* tfDBNameNeu = nullptr;

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    frmTools& m_tools;
    bool m_geschlossen = false;
};
