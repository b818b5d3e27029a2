#include "data/Backgrounds.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace shipped {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kQuality = 85;
constexpr double kPi = 3.14159265358979323846;

// A fixed linear congruential generator: rand() differs between C libraries, this does not.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : m_state(seed) {}

    std::uint32_t next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state;
    }
    // The low bits of an LCG are weak; take the top 24.
    double uniform() { return (next() >> 8) / double(1u << 24); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint32_t m_state;
};

double lerp(double a, double b, double t) { return a + (b - a) * t; }

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(lerp(a.redF(), b.redF(), t), lerp(a.greenF(), b.greenF(), t),
                            lerp(a.blueF(), b.blueF(), t), lerp(a.alphaF(), b.alphaF(), t));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

int channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

// Smooth value noise on a 256 x 256 lattice filled from the LCG; it repeats every 256 units.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_grid(kSize * kSize)
    {
        Lcg rng(seed);
        for (double& v : m_grid)
            v = rng.uniform();
    }

    double at(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const int ix = static_cast<int>(fx);
        const int iy = static_cast<int>(fy);
        const double tx = smoothstep(0.0, 1.0, x - fx);
        const double ty = smoothstep(0.0, 1.0, y - fy);
        return lerp(lerp(cell(ix, iy), cell(ix + 1, iy), tx),
                    lerp(cell(ix, iy + 1), cell(ix + 1, iy + 1), tx), ty);
    }

    // Octaves of halving weight; the result stays in [0, 1] and gathers around 0.5.
    double fbm(double x, double y, int octaves) const
    {
        double sum = 0.0;
        double weight = 1.0;
        double total = 0.0;
        double scale = 1.0;
        for (int i = 0; i < octaves; ++i) {
            sum += weight * at(x * scale + i * 17.31, y * scale + i * 31.73);
            total += weight;
            weight *= 0.5;
            scale *= 2.0;
        }
        return sum / total;
    }

private:
    static constexpr int kSize = 256;
    double cell(int x, int y) const
    {
        return m_grid[static_cast<std::size_t>((y & (kSize - 1)) * kSize + (x & (kSize - 1)))];
    }

    std::vector<double> m_grid;
};

void fillVertical(QPainter& p, const QRectF& area, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    p.fillRect(area, g);
}

void glow(QPainter& p, const QPointF& centre, double radius, const QColor& colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, colour);
    g.setColorAt(1.0, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

// The area between a skyline y = top(x) and the line y = edge, sampled every step pixels and
// always reaching both sides of the picture.
template <typename Top>
QPolygonF areaBelow(Top top, int step, double edge)
{
    QPolygonF area;
    area << QPointF(0, edge);
    for (int x = 0; x < kWidth; x += step)
        area << QPointF(x, top(double(x)));
    area << QPointF(kWidth, top(double(kWidth))) << QPointF(kWidth, edge);
    return area;
}

// Mostly faint points with a few soft bright ones; sparse enough to stay calm behind a list.
void drawStars(QPainter& p, Lcg& rng, int faint, int bright)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < faint; ++i) {
        const QPointF at(rng.range(0, kWidth), rng.range(0, kHeight));
        const double magnitude = std::pow(rng.uniform(), 3.0);
        const double tint = rng.uniform();
        QColor c = tint < 0.2 ? QColor(255, 228, 205) : tint < 0.45 ? QColor(210, 222, 255) : QColor(255, 255, 255);
        c.setAlphaF(0.3 + 0.7 * magnitude);
        p.setBrush(c);
        const double r = 0.55 + 0.85 * magnitude;
        p.drawEllipse(at, r, r);
    }
    for (int i = 0; i < bright; ++i) {
        const QPointF at(rng.range(20, kWidth - 20), rng.range(20, kHeight - 20));
        const double r = rng.range(5.0, 10.0);
        QRadialGradient g(at, r);
        g.setColorAt(0.0, QColor(255, 255, 255, 240));
        g.setColorAt(0.18, QColor(225, 232, 255, 150));
        g.setColorAt(1.0, QColor(170, 190, 255, 0));
        p.setBrush(g);
        p.drawEllipse(at, r, r);
    }
}

// ---------------------------------------------------------------- space

QImage renderSpace()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    const Noise cloud(11);
    const Noise hue(12);
    const Noise dust(13);
    const QColor violet(118, 52, 138);
    const QColor teal(34, 112, 150);
    const QColor rose(200, 110, 150);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double v = y / double(kHeight);
        for (int x = 0; x < kWidth; ++x) {
            const double u = x / double(kWidth);
            // The glow lies along a soft band from the lower left to the upper right.
            const double off = v - (0.88 - 0.72 * u);
            const double band = std::exp(-off * off / 0.045);
            const double n = cloud.fbm(u * 4.0, v * 3.0, 6);
            const double lanes = smoothstep(0.5, 0.68, dust.fbm(u * 6.0 + 3.0, v * 5.0, 5));
            const double density = band * smoothstep(0.36, 0.72, n) * (1.0 - 0.6 * lanes);
            const QColor tone = mix(violet, teal, smoothstep(0.4, 0.62, hue.fbm(u * 2.5, v * 2.5, 4)));
            const QColor colour = mix(tone, rose, smoothstep(0.55, 0.9, density));
            const double strength = 0.85 * density;
            line[x] = qRgb(channel(5 + 6 * v + colour.red() * strength),
                           channel(7 + 5 * v + colour.green() * strength),
                           channel(18 + 12 * v + colour.blue() * strength));
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Lcg rng(14);
    drawStars(p, rng, 650, 14);
    return img;
}

// ---------------------------------------------------------------- bug

QImage renderBug()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, img.rect(), {{0.0, QColor(226, 234, 206)}, {1.0, QColor(170, 196, 146)}});

    // Out-of-focus light behind the leaf.
    Lcg rng(21);
    for (int i = 0; i < 14; ++i) {
        const QPointF at(rng.range(0, kWidth), rng.range(0, kHeight));
        glow(p, at, rng.range(40, 120), QColor(250, 252, 230, int(rng.range(40, 90))));
    }

    // The leaf lies diagonally, stem at the lower left, tip at the upper right.
    const QPointF stem(210, 660);
    const QPointF tip(930, 150);
    QPainterPath leaf;
    leaf.moveTo(stem);
    leaf.cubicTo(QPointF(250, 360), QPointF(560, 130), tip);
    leaf.cubicTo(QPointF(860, 420), QPointF(560, 690), stem);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 80, 40, 45));
    p.drawPath(leaf.translated(14, 18));  // soft shadow on the ground

    QLinearGradient leafShade(QPointF(300, 300), QPointF(650, 600));
    leafShade.setColorAt(0.0, QColor(128, 172, 82));
    leafShade.setColorAt(1.0, QColor(72, 128, 58));
    p.setBrush(leafShade);
    p.drawPath(leaf);

    p.save();
    p.setClipPath(leaf);
    QPainterPath rib;
    rib.moveTo(stem);
    rib.cubicTo(QPointF(400, 480), QPointF(650, 330), tip);
    for (int i = 1; i < 10; ++i) {
        const double t = i / 10.0;
        const QPointF from = rib.pointAtPercent(t);
        const double angle = rib.angleAtPercent(t) * kPi / 180.0;  // counter-clockwise, y up
        const QPointF along(std::cos(angle), -std::sin(angle));
        const QPointF normal(-along.y(), along.x());
        for (const double side : {-1.0, 1.0}) {
            QPainterPath vein;
            vein.moveTo(from);
            const double len = 230 * std::sin(kPi * std::min(0.95, t + 0.05));
            vein.quadTo(from + normal * side * len * 0.55 + along * len * 0.15,
                        from + normal * side * len + along * len * 0.55);
            p.setPen(QPen(QColor(170, 205, 120, 110), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(vein);
        }
    }
    p.setPen(QPen(QColor(190, 220, 140, 170), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rib);
    p.restore();
    p.setPen(QPen(QColor(96, 120, 56), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(stem, stem + QPointF(-80, 70));

    // The ladybird sits on the leaf, walking towards the tip.
    const QPointF bugAt = rib.pointAtPercent(0.56) + QPointF(10, 12);
    const double heading = -rib.angleAtPercent(0.56) + 90.0;
    p.translate(bugAt);
    p.rotate(heading);
    // In this frame the head points to negative y.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 50, 20, 70));
    p.drawEllipse(QPointF(10, 14), 86, 100);

    const QPen legPen(QColor(25, 22, 20), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(legPen);
    p.setBrush(Qt::NoBrush);
    for (const double side : {-1.0, 1.0}) {
        for (int k = 0; k < 3; ++k) {
            const double y = -40 + k * 42;
            QPolygonF leg;
            leg << QPointF(side * 50, y) << QPointF(side * 98, y - 18 + k * 14)
                << QPointF(side * 118, y + 6 + k * 22);
            p.drawPolyline(leg);
        }
        QPainterPath feeler;
        feeler.moveTo(side * 14, -108);
        feeler.quadTo(side * 26, -150, side * 52, -160);
        p.setPen(QPen(QColor(25, 22, 20), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(feeler);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 22, 20));
        p.drawEllipse(QPointF(side * 52, -160), 5.5, 5.5);
        p.setPen(legPen);
        p.setBrush(Qt::NoBrush);
    }

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 20, 20));
    p.drawEllipse(QPointF(0, -92), 40, 30);  // head
    p.setBrush(QColor(240, 236, 226));
    p.drawEllipse(QPointF(-22, -88), 10, 8);
    p.drawEllipse(QPointF(22, -88), 10, 8);

    QRadialGradient shell(QPointF(-28, -30), 150);
    shell.setColorAt(0.0, QColor(246, 92, 64));
    shell.setColorAt(0.55, QColor(214, 44, 30));
    shell.setColorAt(1.0, QColor(150, 22, 16));
    p.setBrush(shell);
    p.drawEllipse(QPointF(0, 10), 78, 92);

    p.setBrush(QColor(24, 20, 20));
    const std::array<QPointF, 7> spots{QPointF(-34, -30), QPointF(34, -30), QPointF(-46, 22), QPointF(46, 22),
                                       QPointF(-26, 66),  QPointF(26, 66),  QPointF(0, -58)};
    for (std::size_t i = 0; i < spots.size(); ++i)
        p.drawEllipse(spots[i], i == 6 ? 14.0 : 15.0, i == 6 ? 10.0 : 15.0);
    p.setPen(QPen(QColor(24, 20, 20), 4));
    p.drawLine(QPointF(0, -80), QPointF(0, 101));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(-36, -42), 16, 10);  // gloss
    return img;
}

// ---------------------------------------------------------------- foret

// A spruce outline: tiers of branches that widen towards the ground, on a short trunk.
QPolygonF spruce(double x, double groundY, double height, double width, Lcg& rng)
{
    const int tiers = 5 + static_cast<int>(rng.uniform() * 3);
    const double trunk = height * 0.07;
    const double crown = height - trunk;
    const double top = groundY - height;
    std::vector<QPointF> right;
    double previousHalf = 0.0;
    for (int k = 1; k <= tiers; ++k) {
        const double f = k / double(tiers);
        const double y = top + crown * f;
        const double half = width * 0.5 * f * rng.range(0.85, 1.12);
        right.emplace_back(x + std::max(previousHalf * 0.55, width * 0.05), y - crown / tiers * 0.62);
        right.emplace_back(x + half, y);
        previousHalf = half;
    }
    QPolygonF outline;
    outline << QPointF(x, top);
    for (const QPointF& pt : right)
        outline << pt;
    const double trunkHalf = width * 0.05;
    outline << QPointF(x + trunkHalf, groundY - trunk) << QPointF(x + trunkHalf, groundY)
            << QPointF(x - trunkHalf, groundY) << QPointF(x - trunkHalf, groundY - trunk);
    for (auto it = right.rbegin(); it != right.rend(); ++it)
        outline << QPointF(2 * x - it->x(), it->y());
    return outline;
}

QImage renderForest()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, img.rect(), {{0.0, QColor(142, 172, 194)}, {0.45, QColor(208, 216, 210)}, {0.75, QColor(238, 228, 202)}, {1.0, QColor(238, 228, 202)}});
    glow(p, QPointF(700, 330), 300, QColor(255, 244, 214, 190));

    Lcg rng(31);
    const Noise ground(32);
    const QColor haze(214, 220, 210);
    const QColor farthest(160, 182, 180);
    const QColor nearest(26, 46, 38);
    constexpr int kLayers = 6;
    for (int i = 0; i < kLayers; ++i) {
        const double t = i / double(kLayers - 1);
        const QColor colour = mix(farthest, nearest, std::pow(t, 0.8));
        const double base = lerp(400, 770, std::pow(t, 1.15));
        const double treeHeight = lerp(55, 250, t * t);
        const auto groundAt = [&](double x) { return base + (ground.fbm(x / 260.0, i * 7.0, 3) - 0.5) * lerp(40, 70, t); };

        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(areaBelow(groundAt, 8, kHeight));
        // Close ranks so the gaps between trees stay small and the layers read as bands.
        const double spacing = treeHeight * 0.22;
        for (double x = -rng.range(0, spacing); x < kWidth + spacing; x += spacing * rng.range(0.6, 1.3)) {
            const double h = treeHeight * rng.range(0.55, 1.05);
            // Sunk by the trunk's length: the lowest branches touch the ground, no light shows under them.
            p.drawPolygon(spruce(x, groundAt(x) + 4 + h * 0.07, h, h * rng.range(0.34, 0.44), rng));
        }

        if (i < kLayers - 1) {
            const double top = base - treeHeight * 1.05;
            QLinearGradient mist(QPointF(0, top), QPointF(0, base + 20));
            mist.setColorAt(0.0, withAlpha(haze, 0));
            mist.setColorAt(1.0, withAlpha(haze, 115));
            p.fillRect(QRectF(0, top, kWidth, kHeight - top), mist);
        }
    }
    return img;
}

// ---------------------------------------------------------------- lacs

QImage renderLakes()
{
    constexpr int kHorizon = 440;
    QImage scene(kWidth, kHorizon, QImage::Format_RGB32);
    {
        QPainter p(&scene);
        p.setRenderHint(QPainter::Antialiasing);
        fillVertical(p, scene.rect(), {{0.0, QColor(104, 140, 178)}, {0.7, QColor(200, 208, 212)}, {1.0, QColor(232, 220, 200)}});

        const Noise detail(41);
        Lcg rng(42);
        // Far range: peaks spread across the width with straight flanks, roughened by noise.
        struct Peak {
            double x, y, slope;
        };
        std::vector<Peak> peaks;
        for (int i = 0; i < 6; ++i)
            peaks.push_back({-60 + i * (kWidth + 120) / 5.0 + rng.range(-70, 70), rng.range(140, 245), rng.range(0.55, 0.75)});
        const auto dominant = [&](double x) {
            std::size_t best = 0;
            for (std::size_t j = 1; j < peaks.size(); ++j) {
                if (peaks[j].y + std::abs(x - peaks[j].x) * peaks[j].slope < peaks[best].y + std::abs(x - peaks[best].x) * peaks[best].slope)
                    best = j;
            }
            return best;
        };
        const auto range = [&](double x) {
            const Peak& peak = peaks[dominant(x)];
            return peak.y + std::abs(x - peak.x) * peak.slope + (detail.fbm(x / 60.0, 1.0, 4) - 0.5) * 34;
        };
        const QPolygonF far = areaBelow(range, 3, kHorizon);
        QLinearGradient rock(QPointF(0, 150), QPointF(0, kHorizon));
        rock.setColorAt(0.0, QColor(108, 120, 146));
        rock.setColorAt(1.0, QColor(162, 174, 188));
        p.setPen(Qt::NoPen);
        p.setBrush(rock);
        p.drawPolygon(far);

        QPainterPath farPath;
        farPath.addPolygon(far);
        p.save();
        p.setClipPath(farPath);
        // Snow lies above a wavering altitude: tall summits get wide caps, low ones none.
        const auto snowLine = [&](double x) {
            return 236 + (detail.fbm(x / 300.0, 5.0, 2) - 0.5) * 40 + (detail.fbm(x / 25.0, 9.0, 3) - 0.5) * 36;
        };
        p.setBrush(QColor(236, 240, 246));
        p.drawPolygon(areaBelow(snowLine, 4, 0));
        // The flank right of each summit is turned from the light. Its face runs down from the
        // summit along a steep crease and is closed at the valley by a line slanting back.
        p.setBrush(QColor(60, 72, 100, 62));
        constexpr int kStep = 3;
        for (int x = 0; x <= kWidth;) {
            const std::size_t j = dominant(x);
            if (x <= peaks[j].x) {
                x += kStep;
                continue;
            }
            std::vector<QPointF> ridge;
            for (; x <= kWidth + kStep && dominant(x) == j; x += kStep)
                ridge.emplace_back(x, range(x));
            const QPointF valley = ridge.back();
            QPolygonF face;
            face << QPointF(peaks[j].x, peaks[j].y);
            for (const QPointF& pt : ridge)
                face << pt;
            for (auto it = ridge.rbegin(); it != ridge.rend(); ++it) {
                const double crease = peaks[j].y + (it->x() - peaks[j].x) * 3.2;
                const double slant = valley.y() + (valley.x() - it->x()) * 1.4;
                face << QPointF(it->x(), std::min({double(kHorizon), crease, std::max(slant, it->y())}));
            }
            p.drawPolygon(face);
        }
        p.restore();

        const auto hillLine = [&](double x) { return 352 + (detail.fbm(x / 240.0, 20.0, 4) - 0.5) * 90; };
        QLinearGradient hillShade(QPointF(0, 300), QPointF(0, kHorizon));
        hillShade.setColorAt(0.0, QColor(80, 104, 98));
        hillShade.setColorAt(1.0, QColor(112, 132, 120));
        p.setBrush(hillShade);
        p.drawPolygon(areaBelow(hillLine, 6, kHorizon));

        const auto treeLine = [&](double x) { return kHorizon - 8 - std::pow(detail.fbm(x / 14.0, 30.0, 3), 2.0) * 40; };
        p.setBrush(QColor(44, 64, 54));
        p.drawPolygon(areaBelow(treeLine, 3, kHorizon));
    }

    // The water mirrors the scene, rippled, darker and bluer towards the viewer.
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHorizon; ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(scene.constScanLine(y)), kWidth, reinterpret_cast<QRgb*>(img.scanLine(y)));
    const Noise ripples(43);
    const QColor water(38, 60, 82);
    const int depth = kHeight - kHorizon;
    for (int y = kHorizon; y < kHeight; ++y) {
        const int d = y - kHorizon;
        const double t = d / double(depth);
        const auto* source = reinterpret_cast<const QRgb*>(scene.constScanLine(std::max(0, kHorizon - 1 - d)));
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double tint = 0.3 + 0.45 * t;
        for (int x = 0; x < kWidth; ++x) {
            const double wave = ripples.fbm(x / 90.0, d / (2.0 + 6.0 * t), 3);
            const int shift = static_cast<int>(std::lround((wave - 0.5) * (2.0 + 14.0 * t)));
            const QRgb s = source[std::clamp(x + shift, 0, kWidth - 1)];
            const double light = 0.9 + 0.2 * wave;
            line[x] = qRgb(channel(lerp(qRed(s), water.red(), tint) * light),
                           channel(lerp(qGreen(s), water.green(), tint) * light),
                           channel(lerp(qBlue(s), water.blue(), tint) * light));
        }
    }
    return img;
}

// ---------------------------------------------------------------- desert

QImage renderDesert()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, QRectF(0, 0, kWidth, 560),
                 {{0.0, QColor(118, 120, 168)}, {0.45, QColor(226, 150, 114)}, {0.8, QColor(247, 204, 150)}, {1.0, QColor(252, 226, 178)}});
    const QPointF sun(290, 380);
    glow(p, sun, 260, QColor(255, 226, 170, 170));
    p.setBrush(QColor(255, 242, 208));
    p.drawEllipse(sun, 36, 36);

    Lcg rng(51);
    const QColor farSand(228, 176, 130);
    const QColor nearSand(206, 130, 78);
    constexpr int kLayers = 4;
    for (int i = 0; i < kLayers; ++i) {
        const double t = i / double(kLayers - 1);
        const double base = lerp(450, 700, t);
        const double amp = lerp(22, 60, t);
        const double freq = rng.range(0.006, 0.009) / lerp(1.0, 1.5, t);
        const double phase = rng.range(0, 2 * kPi);
        const double swell = rng.range(0, 2 * kPi);
        // A gentle climb on the windward side and a steeper slip face after each crest,
        // with a slow swell so that the crests are not all alike.
        const auto height = [&](double x) {
            const double a = x * freq + phase;
            return (std::sin(a) - 0.32 * std::sin(2 * a) + 0.08 * std::sin(3 * a)) * (0.75 + 0.25 * std::sin(x * freq * 0.37 + swell));
        };
        std::vector<QPointF> crest;
        for (int x = -8; x <= kWidth + 8; x += 4)
            crest.emplace_back(x, base - amp * height(x));
        QPolygonF body;
        body << QPointF(-8, kHeight);
        for (const QPointF& pt : crest)
            body << pt;
        body << QPointF(kWidth + 8, kHeight);
        const QColor sand = mix(farSand, nearSand, t);
        QLinearGradient shade(QPointF(0, base - amp), QPointF(0, base + 160));
        shade.setColorAt(0.0, sand.lighter(110));
        shade.setColorAt(1.0, sand.darker(110));
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawPolygon(body);

        // The sun stands to the left, so each slip face lies in shadow.
        QPainterPath bodyPath;
        bodyPath.addPolygon(body);
        p.save();
        p.setClipPath(bodyPath);
        QLinearGradient dusk(QPointF(0, base - amp), QPointF(0, base + 120));
        dusk.setColorAt(0.0, withAlpha(sand.darker(135), int(lerp(100, 160, t))));
        dusk.setColorAt(1.0, withAlpha(sand.darker(135), int(lerp(40, 80, t))));
        p.setBrush(dusk);
        std::size_t k = 1;
        while (k + 1 < crest.size()) {
            if (!(crest[k].y() <= crest[k - 1].y() && crest[k].y() < crest[k + 1].y())) {
                ++k;
                continue;
            }
            std::size_t end = k + 1;
            while (end + 1 < crest.size() && crest[end + 1].y() >= crest[end].y())
                ++end;
            const QPointF top = crest[k];
            // The crest line and the trough both curve down towards the viewer; the shadow is
            // the band between them and runs on under the nearer dunes.
            const QPointF trough = crest[end];
            const double bottom = kHeight + 40;
            const double sweep = (bottom - top.y()) * 0.85;
            QPainterPath face;
            face.moveTo(top);
            for (std::size_t j = k + 1; j <= end; ++j)
                face.lineTo(crest[j]);
            face.quadTo(QPointF(trough.x() + sweep * 0.15, trough.y() + (bottom - trough.y()) * 0.5), QPointF(trough.x() + sweep, bottom));
            face.lineTo(top.x() + sweep, bottom);
            face.quadTo(QPointF(top.x() + sweep * 0.15, top.y() + (bottom - top.y()) * 0.5), top);
            p.drawPath(face);
            k = end + 1;
        }
        p.restore();

        // Haze in front of the farther dunes.
        if (i < kLayers - 1) {
            QLinearGradient haze(QPointF(0, base - amp), QPointF(0, base + 90));
            haze.setColorAt(0.0, QColor(250, 214, 170, 0));
            haze.setColorAt(1.0, QColor(250, 214, 170, 110));
            p.fillRect(QRectF(0, base - amp, kWidth, kHeight), haze);
        }
    }
    return img;
}

// ---------------------------------------------------------------- Voyager

QImage renderVoyager()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, img.rect(), {{0.0, QColor(4, 6, 16)}, {1.0, QColor(10, 12, 28)}});
    Lcg rng(61);
    drawStars(p, rng, 520, 8);

    // A dim banded giant low at the left edge, lit from the right.
    const QPointF planet(60, 980);
    const double planetRadius = 520;
    QPainterPath disc;
    disc.addEllipse(planet, planetRadius, planetRadius);
    p.save();
    p.setClipPath(disc);
    p.translate(planet);
    p.rotate(-14);
    const Noise bands(62);
    for (int b = -int(planetRadius); b < int(planetRadius); b += 2) {
        const double n = smoothstep(0.3, 0.7, bands.fbm(b / 40.0, 3.0, 3));
        const double rust = smoothstep(0.6, 0.75, bands.fbm(b / 90.0, 8.0, 2));
        const QColor c = mix(mix(QColor(146, 112, 84), QColor(226, 206, 170), n), QColor(176, 104, 70), 0.5 * rust);
        p.fillRect(QRectF(-planetRadius, b, 2 * planetRadius, 3), c);
    }
    p.resetTransform();
    QRadialGradient night(planet + QPointF(170, -170), planetRadius * 1.25);
    night.setColorAt(0.0, QColor(0, 0, 0, 60));
    night.setColorAt(0.55, QColor(0, 0, 0, 120));
    night.setColorAt(0.85, QColor(3, 4, 12, 235));
    night.setColorAt(1.0, QColor(3, 4, 12, 255));
    p.fillRect(img.rect(), night);
    p.restore();
    p.setPen(QPen(QColor(150, 170, 220, 60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(planet, planetRadius + 1.5, planetRadius + 1.5);  // thin atmosphere rim

    // The probe, small against the stars, its dish turned towards the viewer.
    p.translate(660, 300);
    p.rotate(-12);
    const QColor boom(170, 168, 160);
    p.setPen(QPen(boom, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-20, 40), QPointF(-330, 120));  // magnetometer boom
    p.setPen(QPen(QColor(200, 200, 196), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-10, 30), QPointF(-250, -170));  // whip antennas
    p.drawLine(QPointF(10, 30), QPointF(230, -190));
    p.setPen(QPen(boom, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 70), QPointF(175, 165));  // power source boom
    p.drawLine(QPointF(-10, 70), QPointF(-110, 190));  // instrument boom
    p.setPen(QPen(QColor(40, 36, 30), 1));
    for (int k = 0; k < 3; ++k) {
        const QPointF at = QPointF(112, 127) + QPointF(22, 13.3) * k;
        QLinearGradient can(at + QPointF(-10, -10), at + QPointF(10, 10));
        can.setColorAt(0.0, QColor(150, 140, 124));
        can.setColorAt(1.0, QColor(70, 64, 56));
        p.setBrush(can);
        p.drawEllipse(at, 12, 12);
    }
    QLinearGradient box(QPointF(-130, 170), QPointF(-90, 210));
    box.setColorAt(0.0, QColor(206, 196, 170));
    box.setColorAt(1.0, QColor(110, 100, 84));
    p.setBrush(box);
    p.drawRect(QRectF(-134, 176, 44, 30));
    p.setBrush(QColor(40, 40, 48));
    p.drawEllipse(QPointF(-100, 191), 7, 7);  // camera lens

    // The bus: a flat ten-sided ring wrapped in gold foil.
    QPolygonF bus;
    for (int k = 0; k < 10; ++k) {
        const double a = 2 * kPi * k / 10.0;
        bus << QPointF(62 * std::cos(a), 58 + 26 * std::sin(a));
    }
    QLinearGradient foil(QPointF(-62, 40), QPointF(62, 80));
    foil.setColorAt(0.0, QColor(232, 196, 110));
    foil.setColorAt(0.5, QColor(176, 132, 58));
    foil.setColorAt(1.0, QColor(96, 70, 34));
    p.setPen(QPen(QColor(60, 44, 20), 1));
    p.setBrush(foil);
    p.drawPolygon(bus);
    p.drawRect(QRectF(-62, 58, 124, 22));

    // The dish, seen slightly from below.
    QRadialGradient dish(QPointF(-50, -40), 200);
    dish.setColorAt(0.0, QColor(248, 248, 244));
    dish.setColorAt(0.6, QColor(206, 208, 206));
    dish.setColorAt(1.0, QColor(128, 132, 138));
    p.setPen(QPen(QColor(110, 112, 118), 2));
    p.setBrush(dish);
    p.drawEllipse(QPointF(0, 0), 118, 74);
    p.setPen(QPen(QColor(150, 152, 156), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 80, 50);
    p.setPen(QPen(QColor(120, 120, 124), 2));
    for (const QPointF& rim : {QPointF(-104, -35), QPointF(104, -35), QPointF(0, 74)})
        p.drawLine(rim, QPointF(0, -6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 216));
    p.drawEllipse(QPointF(0, -6), 11, 8);  // sub-reflector
    return img;
}

struct Picture {
    const char* file;
    QImage (*render)();
};

const std::array<Picture, 6> kPictures{{
    {"space.jpg", renderSpace},
    {"bug.jpg", renderBug},
    {"foret.jpg", renderForest},
    {"lacs.jpg", renderLakes},
    {"desert.jpg", renderDesert},
    {"Voyager.jpg", renderVoyager},
}};

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

}  // namespace

bool renderBackgrounds(const QString& folder, QString* error)
{
    if (!QDir().mkpath(folder))
        return fail(error, QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(folder));
    const QDir dir(folder);
    for (const Picture& picture : kPictures) {
        const QString path = dir.filePath(QLatin1String(picture.file));
        // Written through a save file, so a failure never leaves half a picture behind.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return fail(error, QStringLiteral("Das Bild \"%1\" kann nicht geschrieben werden: %2").arg(path, file.errorString()));
        QImageWriter writer(&file, "jpeg");
        writer.setQuality(kQuality);
        if (!writer.write(picture.render()))
            return fail(error, QStringLiteral("Das Bild \"%1\" kann nicht geschrieben werden: %2").arg(path, writer.errorString()));
        if (!file.commit())
            return fail(error, QStringLiteral("Das Bild \"%1\" kann nicht geschrieben werden: %2").arg(path, file.errorString()));
    }
    return true;
}

}  // namespace shipped
