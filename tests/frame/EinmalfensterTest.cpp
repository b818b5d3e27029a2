#include "frame/Einmalfenster.h"
#include "platform/system/Services.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>

namespace {

struct Fenster : QWidget {
    void Form_Load() { ++ladungen; }
    int ladungen = 0;
};

// A context built bare, as a benchmark or a small program builds it, has its
// registry: a window that exists once opens once, opens afresh after it closed,
// and goes with the context.
TEST(Einmalfenster, EinKontextOhneVerdrahtungHaeltSeineFenster)
{
    std::optional<sys::Services> services(std::in_place);
    Fenster* erstes = frame::einmalZeigen<Fenster>(*services, [] { return new Fenster; });
    ASSERT_NE(erstes, nullptr);
    EXPECT_EQ(frame::einmalZeigen<Fenster>(*services, [] { return new Fenster; }), erstes);
    EXPECT_EQ(erstes->ladungen, 1);

    QPointer<Fenster> geschlossen(erstes);
    erstes->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(geschlossen.isNull());
    QPointer<Fenster> zweites(frame::einmalZeigen<Fenster>(*services, [] { return new Fenster; }));
    ASSERT_FALSE(zweites.isNull());
    EXPECT_EQ(zweites->ladungen, 1);

    services.reset();
    EXPECT_TRUE(zweites.isNull());
}

}  // namespace
