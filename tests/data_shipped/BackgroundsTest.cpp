#include "data/Backgrounds.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include "tests/Quellordner.h"

using testing_support::TempFolder;

namespace {

// The names the background menu and the settings look for; case matters on Linux.
const QStringList kPictures{"space.jpg", "bug.jpg", "foret.jpg", "lacs.jpg", "desert.jpg", "Voyager.jpg"};

QString render(const TempFolder& temp)
{
    const QString folder = temp.file("bilder");
    QString error;
    EXPECT_TRUE(shipped::renderBackgrounds(folder, &error)) << error.toStdString();
    return folder;
}

// A small thumbnail keeps the comparisons cheap and blind to JPEG noise.
QImage thumbnail(const QString& path)
{
    return QImage(path).scaled(64, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

double meanDifference(const QImage& a, const QImage& b)
{
    long total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return total / double(a.width() * a.height() * 3);
}

int greySpread(const QImage& img)
{
    int lo = 255;
    int hi = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const int g = qGray(img.pixel(x, y));
            lo = std::min(lo, g);
            hi = std::max(hi, g);
        }
    }
    return hi - lo;
}

QByteArray sourceFile(const char* relative)
{
    QFile f(QStringLiteral(RDX_SOURCE_DIR "/") + QLatin1String(relative));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
    return f.readAll();
}

bool isUtf8(const QByteArray& bytes)
{
    // Stateless, so a sequence cut off at the end counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);  // the decoder runs on this conversion
    return !text.isEmpty() && !decoder.hasError();
}

}  // namespace

TEST(ShippedBackgrounds, WritesSixDistinctJpegPicturesOfScreenSize)
{
    TempFolder temp;
    const QDir folder(render(temp));
    std::vector<QImage> thumbs;
    for (const QString& name : kPictures) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder.filePath(name);
        ASSERT_TRUE(QFileInfo(path).isFile());
        EXPECT_LT(QFileInfo(path).size(), 250 * 1024);
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray("jpeg"));
        const QImage img = reader.read();
        ASSERT_FALSE(img.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(img.size(), QSize(1024, 768));
        thumbs.push_back(thumbnail(path));
        EXPECT_GT(greySpread(thumbs.back()), 40) << "nearly one flat colour";
    }
    for (std::size_t i = 0; i < thumbs.size(); ++i) {
        for (std::size_t j = i + 1; j < thumbs.size(); ++j)
            EXPECT_GT(meanDifference(thumbs[i], thumbs[j]), 12.0) << kPictures[int(i)].toStdString() << " vs " << kPictures[int(j)].toStdString();
    }
    EXPECT_EQ(folder.entryList(QDir::Files).size(), kPictures.size()) << "no stray or temporary files";
}

TEST(ShippedBackgrounds, SameBytesOnEveryRun)
{
    TempFolder first;
    TempFolder second;
    const QDir a(render(first));
    const QDir b(render(second));
    for (const QString& name : kPictures) {
        QFile fa(a.filePath(name));
        QFile fb(b.filePath(name));
        ASSERT_TRUE(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(fa.readAll() == fb.readAll()) << name.toStdString();
    }
}

TEST(ShippedBackgrounds, ReplacesOldPicturesAndReportsAnUnusableFolder)
{
    TempFolder temp;
    temp.write("bilder/lacs.jpg", "not a picture");
    render(temp);
    EXPECT_FALSE(QImage(temp.file("bilder/lacs.jpg")).isNull());

    // A file where the folder should be.
    const QString blocked = temp.write("datei", "x") + QStringLiteral("/bilder");
    QString error;
    EXPECT_FALSE(shipped::renderBackgrounds(blocked, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(shipped::renderBackgrounds(blocked)) << "works without an error text too";
}

TEST(ShippedPages, HelpAndStyleSheetAreUtf8AndLinked)
{
    const QByteArray help = sourceFile("data/help.html");
    const QByteArray css = sourceFile("data/css.css");
    ASSERT_FALSE(help.isEmpty());
    ASSERT_FALSE(css.isEmpty());
    EXPECT_TRUE(isUtf8(help));
    EXPECT_TRUE(isUtf8(css));
    EXPECT_FALSE(help.startsWith("\xEF\xBB\xBF")) << "no byte order mark";

    const QString page = QString::fromUtf8(help);
    const auto has = [&](const QString& pattern) {
        return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(page).hasMatch();
    };
    EXPECT_TRUE(has(QStringLiteral(R"(<meta\s+charset="utf-8"\s*/?>)")));
    EXPECT_TRUE(has(QStringLiteral(R"(<link\s+rel="stylesheet"\s+href="css\.css"\s*/?>)")));
    EXPECT_TRUE(page.contains(QStringLiteral("Rondavex – Hilfe")));
    // Umlauts are written as characters, not left as broken Windows-1252 bytes.
    EXPECT_TRUE(page.contains(QStringLiteral("zurück")));
}
