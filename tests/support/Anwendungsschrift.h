#pragma once
// The application's face for one test, as a desktop with a larger system font
// or a finer screen gives it to every window; the face before it comes back.
#include <QApplication>
#include <QFont>

#include <optional>

namespace testing_support {

class Anwendungsschrift {
public:
    // No size keeps the platform's face.
    explicit Anwendungsschrift(std::optional<double> punkte) : m_vorher(QApplication::font())
    {
        if (!punkte)
            return;
        QFont schrift = m_vorher;
        schrift.setPointSizeF(*punkte);
        QApplication::setFont(schrift);
    }
    ~Anwendungsschrift() { QApplication::setFont(m_vorher); }
    Anwendungsschrift(const Anwendungsschrift&) = delete;
    Anwendungsschrift& operator=(const Anwendungsschrift&) = delete;

private:
    QFont m_vorher;
};

}  // namespace testing_support
