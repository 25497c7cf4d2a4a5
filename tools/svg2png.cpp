// Rasterises one SVG to a PNG of exactly the given pixel size, 24-bit RGB on white.
// Straight lines drawn on whole pixels stay crisp under antialiasing, so layout rows can be checked exactly.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        QTextStream(stderr) << "usage: svg2png input.svg output.png width height\n";
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QSize size(QByteArray(argv[3]).toInt(), QByteArray(argv[4]).toInt());

    QSvgRenderer renderer(input);
    if (!renderer.isValid() || size.isEmpty()) {
        QTextStream(stderr) << "svg2png: cannot render " << input << '\n';
        return 1;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();

    if (!image.convertToFormat(QImage::Format_RGB888).save(output, "PNG")) {
        QTextStream(stderr) << "svg2png: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
