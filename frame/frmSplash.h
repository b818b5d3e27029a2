#pragma once
// The start window: its load step loads the main window completely before any
// window is painted; after 2000 ms its timer shows the main window and closes
// the splash.
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // ladeHauptfenster runs the main window's load step; false ends the start.
    frmSplash(QWidget* hauptfenster, std::function<bool()> ladeHauptfenster, QWidget* parent = nullptr);

    // Loads the main window, then shows the splash and starts the timer.
    // False when the main window's load step ended the program.
    bool Form_Load();
    void tmrSplash_Timer();

    QLabel* Image1 = nullptr;
    QTimer* tmrSplash = nullptr;

private:
    QWidget* m_hauptfenster;
    std::function<bool()> m_lade;
};
