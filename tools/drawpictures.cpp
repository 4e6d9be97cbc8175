// Draws the pictures of the Resources folder: the application icon, its mask
// and the small black logo of the About box; and, from the icon and its mask,
// the desktop's copies of the icon (icons/<size>x<size>/charvella.png) that
// the install rule puts under share/icons/hicolor.
//
//   drawpictures [output folder]     (default: the source tree's resources/)

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>

namespace {

// The key-cap tile that gives the icon its shape; the mask follows it exactly.
const QRectF kTile(3, 3, 66, 66);
const qreal kTileRadius = 14;

QPainterPath tilePath() {
    QPainterPath path;
    path.addRoundedRect(kTile, kTileRadius, kTileRadius);
    return path;
}

QFont font(const char* family, qreal pixels, QFont::Weight weight) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(qRound(pixels));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A key cap showing the letter A with its codes: decimal and hexadecimal in
// the top corners, binary on the front edge. Opaque everywhere: the mask cuts
// the tile out, so the rim colour runs on outside it to keep the edge clean.
QImage drawIcon() {
    const QColor rimTop(0x2a, 0x4d, 0xc8), rimBottom(0x6a, 0x1f, 0x9e);
    QImage image(72, 72, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QLinearGradient rim(0, kTile.top(), 0, kTile.bottom());
    rim.setColorAt(0, rimTop);
    rim.setColorAt(1, rimBottom);
    p.fillRect(image.rect(), rim);

    // The top face of the key, lighter and a little inset.
    const QRectF face(9, 7, 54, 49);
    QLinearGradient faceFill(0, face.top(), 0, face.bottom());
    faceFill.setColorAt(0, QColor(0xff, 0xf4, 0xd6));
    faceFill.setColorAt(1, QColor(0xff, 0xc8, 0x6b));
    p.setPen(QPen(QColor(0x1c, 0x1c, 0x4a, 90), 1));
    p.setBrush(faceFill);
    p.drawRoundedRect(face, 9, 9);

    p.setPen(QColor(0xc0, 0x2a, 0x4a));
    p.setFont(font("DejaVu Sans", 38, QFont::Bold));
    p.drawText(face.adjusted(0, 6, 0, 0), Qt::AlignCenter, QStringLiteral("A"));

    p.setPen(QColor(0x2a, 0x3a, 0x8a));
    p.setFont(font("DejaVu Sans Mono", 9, QFont::Bold));
    p.drawText(face.adjusted(4, 2, -4, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("65"));
    p.drawText(face.adjusted(4, 2, -4, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("41"));

    p.setPen(QColor(0xff, 0xff, 0xff, 230));
    p.setFont(font("DejaVu Sans Mono", 8, QFont::Bold));
    p.drawText(QRectF(kTile.left(), face.bottom() + 1, kTile.width(), kTile.bottom() - face.bottom() - 1),
               Qt::AlignCenter, QStringLiteral("0100 0001"));
    return image;
}

// Black where the icon shows, white outside the tile, grey on its edge.
QImage drawMask() {
    QImage image(72, 72, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(tilePath(), Qt::black);
    return image;
}

// A broad open "C" holding the code of C (0x43) for the About box; white on
// transparent, for the box's black surface.
QImage drawLogo() {
    QImage image(82, 83, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    const QRectF ring(8, 8.5, 66, 66);
    // Flat caps: the ends of the C are cut along the ring's radius.
    p.setPen(QPen(Qt::white, 11, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 40 * 16, 280 * 16);
    p.setFont(font("DejaVu Sans Mono", 20, QFont::Bold));
    // Both texts stay above row 49: the box's "TM" label covers the logo
    // from there down on its right half, in the opening of the C.
    p.drawText(QRectF(8, 30, 66, 20), Qt::AlignCenter, QStringLiteral("43"));
    p.setFont(font("DejaVu Sans Mono", 7, QFont::Normal));
    p.drawText(QRectF(8, 21, 66, 10), Qt::AlignCenter, QStringLiteral("0100 0011"));
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool save(const QImage& image, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (image.save(path, "PNG")) {
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        return true;
    }
    std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
    return false;
}

// The icon cut out by its mask, at the sizes desktops look for; smaller ones
// are scaled down from the 72-pixel drawing.
bool saveDesktopIcons(const QImage& icon, QImage mask, const QDir& dir) {
    mask = mask.convertToFormat(QImage::Format_Grayscale8);
    mask.invertPixels();  // black shows the icon: opaque
    QImage cut = icon.convertToFormat(QImage::Format_ARGB32);
    cut.setAlphaChannel(mask);
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 72}) {
        const QString folder = QStringLiteral("icons/%1x%1").arg(size);
        ok = dir.mkpath(folder) && ok;
        const QImage scaled =
            size == cut.width() ? cut : cut.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ok = save(scaled, QDir(dir.filePath(folder)), "charvella.png") && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(CHARVELLA_RESOURCES_DIR));
    const QImage icon = drawIcon();
    const QImage mask = drawMask();
    bool ok = save(icon, dir, "icon72.png");
    ok = save(mask, dir, "iconMask72.png") && ok;
    ok = saveDesktopIcons(icon, mask, dir) && ok;
    ok = save(drawLogo(), dir, "smallblacklogo.png") && ok;
    return ok ? 0 : 1;
}
