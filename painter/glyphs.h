// Painters for the single clock glyphs, each in coordinates local to its cell.
#pragma once

#include "recipe.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace painter {

// Blend of two colours: t = 0 gives a, t = 1 gives b.
QColor mix(const QColor &a, const QColor &b, double t);

enum class DogPose { Resting, WagForward, WagBack };

QFont labelFont(double pixelSize, bool italic = false);
void drawCaption(QPainter &p, const QRectF &box, const QString &text, const QFont &font,
                 const QColor &colour);

void drawBigDigit(QPainter &p, const Recipe &d, int digit);   // 22×32
void drawSmallDigit(QPainter &p, const Recipe &d, int digit); // 10×14
void drawColon(QPainter &p, const Recipe &d, const QPointF &centre, double spacing);
void drawDateSeparator(QPainter &p, const Recipe &d, const QRectF &box);
void drawMeridiem(QPainter &p, const Recipe &d, bool pm);             // 32×32
void drawWeekMark(QPainter &p, const Recipe &d, int week);            // 15×36, week 1..5
void drawSecondsMark(QPainter &p, const Recipe &d, int quarter);      // 23×42, quarter 0..3
void drawWeekday(QPainter &p, const Recipe &d, int day);              // 15×15, 0 = Monday
void drawFixedMark(QPainter &p, const Recipe &d, const QPointF &led); // 13×13
void drawBlinkMark(QPainter &p, const Recipe &d, const QPointF &led); // 13×13
void drawDog(QPainter &p, const Recipe &d, DogPose pose);             // 39×31
void drawBell(QPainter &p, const Recipe &d, bool on);                 // 18×13

} // namespace painter
