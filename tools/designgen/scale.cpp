// scalegen — paints the preset dial's scale picture (468 x 123) as PNG:
// minute marks at x = 81 + 5 m, the bands of the dial at their rows, and the
// three picture buttons, its words in Japanese or English.
// Usage: scalegen OUTPUT_FILE [ja|en]
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kWidth = 468, kHeight = 123;
const QColor kInk(0x10, 0x28, 0x48), kFace(0xfb, 0xfc, 0xfe), kShadeA(0xd4, 0xe0, 0xee),
    kShadeB(0xe6, 0xee, 0xf6), kEdge(0x7a, 0x92, 0xae);

int markCentre(int m) { return 81 + 5 * m + 2; }

void text(QPainter &p, const QRectF &r, const QString &s, int pixelSize, bool bold = false,
          const QColor &colour = kInk)
{
    QFont f = p.font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, s);
}

// A row of minute marks, longer every 5 and every 15 minutes.
void minuteMarks(QPainter &p, int top, int height)
{
    p.fillRect(QRect(80, top, 300, height), kFace);
    p.setPen(kInk);
    for (int m = 0; m < 60; ++m) {
        const int length = m % 15 == 0 ? height - 2 : m % 5 == 0 ? height * 2 / 3 : height / 3;
        p.drawLine(markCentre(m), top, markCentre(m), top + length);
    }
    p.setPen(kEdge);
    p.drawRect(QRect(80, top, 299, height - 1));
}

// A row of blocks, each `minutes` wide, shaded in turn.
void blocks(QPainter &p, int top, int height, int minutes, bool labelled)
{
    const int width = 5 * minutes;
    for (int i = 0; i * width < 300; ++i) {
        const QRect r(80 + i * width, top, width, height);
        p.fillRect(r, i % 2 ? kShadeB : kShadeA);
        if (labelled)
            text(p, r, QString::number(i * minutes), 9);
    }
    p.setPen(kEdge);
    p.drawRect(QRect(80, top, 299, height - 1));
}

void button(QPainter &p, const QRect &r, const QString &caption, const QColor &colour)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(1, colour);
    p.setPen(colour.darker(140));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setBrush(Qt::NoBrush);
    text(p, r, caption, 11, true, Qt::white);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString language = argc == 3 ? QString::fromLatin1(argv[2]) : QStringLiteral("ja");
    if (argc < 2 || argc > 3
        || (language != QLatin1String("ja") && language != QLatin1String("en"))) {
        std::fprintf(stderr, "usage: scalegen OUTPUT_FILE [ja|en]\n");
        return 2;
    }
    const bool english = language == QLatin1String("en");
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QLinearGradient back(0, 0, 0, kHeight);
    back.setColorAt(0, QColor(0xf0, 0xf4, 0xf9));
    back.setColorAt(1, QColor(0xd8, 0xe2, 0xee));
    p.fillRect(img.rect(), back);
    // The panel for the hour, the minute and the offset at the left.
    p.fillRect(QRect(2, 22, 76, 64), QColor(0xfb, 0xfc, 0xfe, 230));
    p.setPen(kEdge);
    p.drawRect(QRect(2, 22, 75, 63));

    // Minute numbers above the marks.
    for (int m = 0; m < 60; m += 5)
        text(p, QRectF(markCentre(m) - 10, 11, 20, 13), QString::number(m), 9, m % 15 == 0);
    minuteMarks(p, 25, 16);      // A: one minute
    blocks(p, 41, 12, 5, false); // B: five minutes
    blocks(p, 53, 12, 15, true); // C: a quarter
    text(p, QRectF(80, 66, 300, 13),
         english ? QStringLiteral("+ minutes") : QStringLiteral("＋ 分"), 10, true);
    minuteMarks(p, 80, 16);      // D: offset by one minute
    blocks(p, 96, 12, 5, false); // E: offset by five
    text(p, QRectF(2, 2, 76, 18), english ? QStringLiteral("Preset") : QStringLiteral("プリセット"),
         11, true);

    button(p, QRect(400, 67, 51, 20), QStringLiteral("×"), QColor(0xa0, 0x38, 0x38));
    button(p, QRect(400, 91, 51, 19), english ? QStringLiteral("Set") : QStringLiteral("セット"),
           QColor(0x28, 0x58, 0xa0));
    button(p, QRect(4, 91, 40, 20), QStringLiteral("NOW"), QColor(0x2c, 0x80, 0x48));
    p.end();
    if (!img.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "scalegen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
