#pragma once
// The printer of a running program: one QPrinter for the whole application
// (made at its first use), the system's proportional sans font at 8 pt,
// portrait, 10 mm margins; a line holds the widest list layout (column 110 and
// 15 more) on A4 and Letter.
#include "platform/system/Printer.h"
#include "platform/system/Spaltenregel.h"

#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace sys {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // Prints into a PDF file instead of the chosen printer.
    void pdfAusgabe(const QString& pfad);
    // Pages of the running or last document, and the lines a page holds.
    int seiten() const { return m_seiten; }
    int zeilenProSeite() const;

    bool print(int spalte, const QString& text, const QTextOption& layout = QTextOption()) override;
    bool newLine() override;
    bool endDoc() override;
    Einrichtung setup() override;
    QFont font() override;
    bool eingerichtet() override;

private:
    QPrinter& drucker();
    bool beginnen();
    bool zeilePlatz();
    bool aufgeben();

    std::unique_ptr<QPrinter> m_drucker;
    std::unique_ptr<QPainter> m_maler;
    std::optional<Spaltenregel> m_regel;
    QFont m_font;
    double m_spaltenbreite = 0;
    double m_zeilenhoehe = 0;
    double m_oberkante = 0;  // the font's ascent
    double m_seitenhoehe = 0;
    double m_y = 0;            // top of the current line
    bool m_zeileOffen = false;  // something stands on the current line
    bool m_gescheitert = false;
    int m_seiten = 0;
};

}  // namespace sys
