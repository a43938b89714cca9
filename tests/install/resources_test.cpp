// The program's resources: the string table, the coil icon in every size it
// ships, the version, and the Windows resource script and icon file that
// must say the same as the built-in copies.
#include "resources/coil_icon.h"
#include "resources/program_version.h"
#include "resources/string_table.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace {

const QString sourceDir = QStringLiteral(LOUT_SOURCE_DIR);

QString readSourceText(const QString& relativePath)
{
    QFile file(sourceDir + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// ---------------------------------------------------------------- strings

TEST(StringTable, HoldsTheNineTextsUnderTheirNumbers)
{
    // 301 spelled with escapes, so a mis-encoded source file cannot agree
    // with itself by accident.
    const std::map<int, std::string_view> expected{
        {101, "W=(B-C)/2"}, {102, "W=(B-C)/2"}, {103, "W=(B-C)/2"}, {104, "W=B"},
        {201, "H=E"},       {202, "H=2*E"},     {203, "H=2*E"},     {204, "H=2*E"},
        {301, "\xE7\x9B\xB4\xE6\x8E\xA5\xE8\xBE\x93\xE5\x85\xA5\xE7\xA3\x81\xE8\x8A\xAF"
              "\xE5\x9E\x8B\xE5\x8F\xB7\xE7\x9A\x84\xE5\xA4\xB4\xE5\x87\xA0\xE4\xB8\xAA"
              "\xE5\xAD\x97\xE6\xAF\x8D\xE5\x8F\xAF\xE4\xBB\xA5\xE5\x8A\xA0\xE5\xBF\xAB"
              "\xE6\x90\x9C\xE7\xB4\xA2\xE5\xAE\x9A\xE4\xBD\x8D"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(lout::resourceString(id), text) << "string " << id;

    // The tooltip is 22 Chinese characters, nothing appended or cut.
    EXPECT_EQ(QString::fromUtf8(lout::resourceString(301).data(),
                                qsizetype(lout::resourceString(301).size())).size(), 22);
}

TEST(StringTable, UnknownNumbersGiveAnEmptyText)
{
    for (const int id : {0, -1, 1, 100, 105, 200, 205, 300, 302, 401, 65535})
        EXPECT_TRUE(lout::resourceString(id).empty()) << "string " << id;
}

TEST(ProgramVersion, IsOnePointZeroZero)
{
    EXPECT_EQ(lout::programVersion(), "1.00");
}

// ------------------------------------------------------------------- icon

struct PixelCensus {
    int transparent = 0;  // alpha 0
    int partial = 0;      // 0 < alpha < 255
    int red = 0;          // opaque enough and clearly red
    int darkRed = 0;      // red, in shadow (the back halves of the turns)
    int notRed = 0;       // opaque enough but not red
};

PixelCensus census(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    PixelCensus c;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (p.alpha() == 0) {
                ++c.transparent;
                continue;
            }
            if (p.alpha() < 255)
                ++c.partial;
            if (p.alpha() < 128)
                continue;
            const bool isRed = p.red() >= 100 && p.red() > 2 * p.green() && p.red() > 2 * p.blue();
            if (!isRed)
                ++c.notRed;
            else {
                ++c.red;
                if (p.red() < 170)
                    ++c.darkRed;
            }
        }
    }
    return c;
}

TEST(CoilIcon, OffersSixteenThirtyTwoAndFortyEightPixelImages)
{
    const QIcon icon = lout::coilIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side << " px missing";
}

TEST(CoilIcon, IsARedCoilOnATransparentBackground)
{
    const QIcon icon = lout::coilIcon();
    for (const int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        ASSERT_EQ(image.size(), QSize(side, side));
        ASSERT_TRUE(image.hasAlphaChannel());

        for (const QPoint corner : {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1),
                                    QPoint(side - 1, side - 1)})
            EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << "corner not transparent";

        const PixelCensus c = census(image);
        const int area = side * side;
        EXPECT_EQ(c.notRed, 0) << "everything drawn is red";
        EXPECT_GT(c.red, area / 8) << "the coil is drawn large enough to see";
        EXPECT_GT(c.transparent, area / 3) << "the background stays transparent";
        EXPECT_GT(c.darkRed, 0) << "the back halves of the turns are in shadow";
        EXPECT_GT(c.red - c.darkRed, c.darkRed) << "the front halves dominate";
    }
}

TEST(CoilIcon, SixteenPixelImageIsPixelSharp)
{
    // At 16 px the smooth drawing blurs; the small image is drawn pixel by
    // pixel, so no pixel is half transparent.
    const QImage image = lout::coilIcon().pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(census(image).partial, 0);
}

TEST(CoilIcon, ShowsTurnsSideBySide)
{
    // Seen from the side a coil is a row of turns: scanning across the
    // middle row meets several separate runs of wire.
    for (const int side : {16, 32, 48}) {
        const QImage image = lout::coilIcon().pixmap(QSize(side, side)).toImage();
        int runs = 0;
        bool inWire = false;
        const int y = side * 2 / 3; // below the leads, through the turns
        for (int x = 0; x < side; ++x) {
            const bool wire = image.pixelColor(x, y).alpha() >= 128;
            if (wire && !inWire)
                ++runs;
            inWire = wire;
        }
        EXPECT_GE(runs, 4) << side << " px: too few strands of wire across the coil";
    }
}

// -------------------------------------------------- images beside sources

TEST(IconFiles, CommittedImagesMatchTheirDrawings)
{
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (renderer.isEmpty())
        GTEST_SKIP() << "rsvg-convert is not installed";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());

    const struct {
        int side;
        const char* drawing;
    } images[] = {{16, "lout-16.svg"}, {32, "lout.svg"}, {48, "lout.svg"}};
    for (const auto& [side, drawing] : images) {
        SCOPED_TRACE(side);
        const QString rendered = scratch.filePath(QStringLiteral("%1.png").arg(side));
        const int status = QProcess::execute(
            renderer, {QStringLiteral("-w"), QString::number(side), QStringLiteral("-h"),
                       QString::number(side), sourceDir + QStringLiteral("/resources/icons/") +
                                                  QLatin1String(drawing),
                       QStringLiteral("-o"), rendered});
        ASSERT_EQ(status, 0);
        const QImage fresh = QImage(rendered).convertToFormat(QImage::Format_ARGB32);
        const QImage committed =
            QImage(sourceDir + QStringLiteral("/resources/icons/lout-%1.png").arg(side))
                .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(committed.size(), QSize(side, side));
        int differing = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QColor a = fresh.pixelColor(x, y);
                const QColor b = committed.pixelColor(x, y);
                if (std::abs(a.alpha() - b.alpha()) > 8 || std::abs(a.red() - b.red()) > 8)
                    ++differing;
            }
        EXPECT_EQ(differing, 0) << "regenerate the PNG from its SVG";
    }
}

TEST(IconFiles, WindowsIconHoldsTheSixteenAndThirtyTwoPixelImages)
{
    const QString icoPath = sourceDir + QStringLiteral("/resources/icons/lout.ico");
    QFile ico(icoPath);
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    const QByteArray bytes = ico.readAll();
    // ICONDIR: reserved 0, type 1, count; then 16-byte entries.
    ASSERT_GE(bytes.size(), 6 + 2 * 16);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 0);
    const int count = static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8;
    ASSERT_EQ(count, 2);
    QList<int> sides;
    for (int i = 0; i < count; ++i)
        sides << static_cast<unsigned char>(bytes[6 + 16 * i]);
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (QList<int>{16, 32}));

    // Where Qt can decode icon files, the images are the PNGs' pictures.
    QImageReader reader(icoPath);
    if (!reader.canRead())
        GTEST_SKIP() << "no ICO image reader";
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage fromIco = reader.read().convertToFormat(QImage::Format_ARGB32);
        const int side = fromIco.width();
        const QImage png =
            QImage(sourceDir + QStringLiteral("/resources/icons/lout-%1.png").arg(side))
                .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(png.size(), fromIco.size());
        int differing = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (std::abs(png.pixelColor(x, y).alpha() - fromIco.pixelColor(x, y).alpha()) > 8)
                    ++differing;
        EXPECT_EQ(differing, 0) << side << " px image differs from lout-" << side << ".png";
    }
}

// ------------------------------------------------ Windows resource script

TEST(WindowsResourceScript, StringTableAgreesWithTheBuiltInTable)
{
    const QString script = readSourceText(QStringLiteral("resources/lout.rc"));
    ASSERT_FALSE(script.isEmpty());
    EXPECT_TRUE(script.contains(QStringLiteral("#pragma code_page(65001)")));

    const qsizetype tableStart = script.indexOf(QStringLiteral("STRINGTABLE"));
    ASSERT_GE(tableStart, 0);
    const qsizetype tableEnd = script.indexOf(QRegularExpression(QStringLiteral("^END\\b"),
                                                                 QRegularExpression::MultilineOption),
                                              tableStart);
    ASSERT_GT(tableEnd, tableStart);
    const QString table = script.mid(tableStart, tableEnd - tableStart);

    const QRegularExpression entry(QStringLiteral("^\\s*(\\d+)\\s+\"([^\"]*)\""),
                                   QRegularExpression::MultilineOption);
    std::map<int, QString> found;
    for (auto it = entry.globalMatch(table); it.hasNext();) {
        const auto m = it.next();
        found[m.captured(1).toInt()] = m.captured(2);
    }
    ASSERT_EQ(found.size(), 9u);
    for (const auto& [id, text] : found) {
        const std::string_view builtIn = lout::resourceString(id);
        EXPECT_EQ(text, QString::fromUtf8(builtIn.data(), qsizetype(builtIn.size())))
            << "string " << id;
    }
}

TEST(WindowsResourceScript, VersionRecordIsChinesePrcUnicode)
{
    const QString script = readSourceText(QStringLiteral("resources/lout.rc"));
    const QString version = readSourceText(QStringLiteral("resources/version.h"));
    // The string block and the translation must name the same language and
    // code page, or Windows shows no version strings at all.
    EXPECT_TRUE(script.contains(QStringLiteral("BLOCK \"080404B0\"")));
    EXPECT_TRUE(script.contains(QRegularExpression(
        QStringLiteral("\"Translation\",\\s*0x0?804,\\s*(0x04B0|1200)"))));
    EXPECT_TRUE(script.contains(QRegularExpression(
        QStringLiteral("\"FileVersion\",\\s*LOUT_VERSION_TEXT"))));
    EXPECT_TRUE(script.contains(QRegularExpression(
        QStringLiteral("\"ProductVersion\",\\s*LOUT_VERSION_TEXT"))));
    EXPECT_TRUE(version.contains(QRegularExpression(
        QStringLiteral("#define LOUT_FILE_VERSION 1,\\s*0,\\s*0,\\s*0\\b"))));
}

TEST(WindowsResourceScript, CompilesWhereAWindowsCrossCompilerExists)
{
    // windres runs the cross compiler as its preprocessor and takes
    // <winver.h> from its headers, so it needs the whole toolchain.
    const QString compiler =
        QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-windres"));
    const QString preprocessor =
        QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-gcc"));
    if (compiler.isEmpty() || preprocessor.isEmpty())
        GTEST_SKIP() << "no Windows cross compiler installed";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QProcess windres;
    windres.setWorkingDirectory(sourceDir + QStringLiteral("/resources"));
    windres.start(compiler, {QStringLiteral("-c"), QStringLiteral("65001"), QStringLiteral("lout.rc"),
                             QStringLiteral("-O"), QStringLiteral("res"), QStringLiteral("-o"),
                             scratch.filePath(QStringLiteral("lout.res"))});
    ASSERT_TRUE(windres.waitForFinished(60000));
    EXPECT_EQ(windres.exitCode(), 0) << windres.readAllStandardError().toStdString();

    // The compiled string 301 is the built-in text in UTF-16.
    QFile compiled(scratch.filePath(QStringLiteral("lout.res")));
    ASSERT_TRUE(compiled.open(QIODevice::ReadOnly));
    const QByteArray bytes = compiled.readAll();
    const std::string_view tooltip = lout::resourceString(301);
    const QString text = QString::fromUtf8(tooltip.data(), qsizetype(tooltip.size()));
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_TRUE(bytes.contains(utf16));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
