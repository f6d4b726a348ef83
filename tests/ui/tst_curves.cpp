#include "curewidget.h"
#include "curvegeometry.h"
#include "mwidget.h"
#include "txparams.h"

#include <QTimer>
#include <QtTest>
#include <cmath>

using namespace curvegeometry;

namespace
{

using Polyline = QVector<QPointF>;

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    const double t =
        lengthSquared == 0 ? 0 : qBound(0.0, QPointF::dotProduct(p - a, ab) / lengthSquared, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

double distanceToCurve(QPointF p, const QVector<Polyline> &curve)
{
    double best = 1e9;
    for (const Polyline &line : curve) {
        for (int i = 1; i < line.size(); ++i)
            best = qMin(best, distanceToSegment(p, line[i - 1], line[i]));
    }
    return best;
}

// Independent evaluation of a cubic whose first control point is its start.
Polyline sampledHalf(QPointF start, QPointF control, QPointF end, int steps)
{
    Polyline line;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps, u = 1 - t;
        line.append((u * u * u + 3 * u * u * t) * start + 3 * u * t * t * control +
                    t * t * t * end);
    }
    return line;
}

// The throttle polyline with the middle of every segment added as a vertex.
Polyline withMidpoints(const Polyline &corners)
{
    Polyline line{corners.first()};
    for (int i = 1; i < corners.size(); ++i)
        line << (corners[i - 1] + corners[i]) / 2 << corners[i];
    return line;
}

template <class Plot> QImage renderPlot(int w, int h, QSize paintedBefore = QSize())
{
    Plot plot;
    if (paintedBefore.isValid()) { // painted at another size first
        plot.resize(paintedBefore);
        QImage first(paintedBefore, QImage::Format_RGB32);
        plot.render(&first);
    }
    plot.resize(w, h);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::magenta); // shows through wherever the plot leaves a pixel unpainted
    plot.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QColor pixel(const QImage &image, QPointF p)
{
    return image.pixelColor(qRound(p.x()), qRound(p.y()));
}

// Thickness of the line through p: the run of pixels of p's colour along
// step, counted in both directions.
int thickness(const QImage &image, QPoint p, QPoint step)
{
    const QColor colour = image.pixelColor(p);
    int run = 1;
    for (QPoint q = p + step; image.valid(q) && image.pixelColor(q) == colour; q += step)
        ++run;
    for (QPoint q = p - step; image.valid(q) && image.pixelColor(q) == colour; q -= step)
        ++run;
    return run;
}

// Checks a rendered plot against where its curve and grid should be: red on
// every vertex of the curve, green dashes of the grid's pen width away from
// it, white on probes away from both.
void checkRendering(const QImage &image, const QVector<Polyline> &curve,
                    const QVector<QLine> &dashes, int dashPenWidth, const QRect &probeArea,
                    const QVector<int> &gridXs, const QVector<int> &gridYs)
{
    const QColor red(Qt::red), green(Qt::green), white(Qt::white);
    auto nearAny = [](int v, const QVector<int> &lines) {
        return std::any_of(lines.begin(), lines.end(), [v](int l) { return std::abs(v - l) <= 3; });
    };
    for (const Polyline &line : curve) {
        for (const QPointF &p : line)
            QCOMPARE(pixel(image, p), red);
    }
    for (const QLine &dash : dashes) {
        const QPoint middle = QLineF(dash).center().toPoint();
        if (distanceToCurve(middle, curve) <= 5)
            continue;
        QCOMPARE(image.pixelColor(middle), green);
        // Judge the pen only where no other line (frame, crossing dash) merges.
        const bool vertical = dash.dx() == 0;
        const bool crossed = vertical ? nearAny(middle.y(), gridYs) : nearAny(middle.x(), gridXs);
        if (probeArea.contains(middle) && !crossed)
            QCOMPARE(thickness(image, middle, vertical ? QPoint(1, 0) : QPoint(0, 1)),
                     dashPenWidth);
    }
    for (int y = probeArea.top(); y <= probeArea.bottom(); y += 7) {
        for (int x = probeArea.left(); x <= probeArea.right(); x += 7) {
            if (!nearAny(x, gridXs) && !nearAny(y, gridYs) &&
                distanceToCurve(QPointF(x, y), curve) > 5)
                QCOMPARE(image.pixelColor(x, y), white);
        }
    }
}

// 8 px dashes every 15 px from x (y) 30 up to the last start: for each start
// one dash per horizontal line, then likewise for the vertical lines.
QVector<QLine> expectedDashes(const QVector<int> &ys, int lastX, const QVector<int> &xs, int lastY)
{
    QVector<QLine> dashes;
    for (int x = 30; x <= lastX; x += 15)
        for (int y : ys)
            dashes.append(QLine(x, y, x + 8, y));
    for (int y = 30; y <= lastY; y += 15)
        for (int x : xs)
            dashes.append(QLine(x, y, x, y + 8));
    return dashes;
}

template <class Plot> struct CountingPlot : Plot {
    int paints = 0;
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        Plot::paintEvent(event);
    }
};

// The setting a repaint row changes; none for "nothing".
int *settingNamed(const QString &name)
{
    if (name == "thCurve[0]")
        return &TxParams.thCurve[0];
    if (name == "thCurve[6]")
        return &TxParams.thCurve[6];
    if (name == "drRate")
        return &TxParams.drRate;
    if (name == "drExp")
        return &TxParams.drExp;
    return nullptr;
}

// Paints that follow one refresh (its timer's time-out or a direct call)
// after `change` was made to the settings the plot showed.
template <class Plot> int paintsAfterRefresh(bool viaTimer, const QString &change)
{
    CountingPlot<Plot> plot;
    plot.resize(200, 150);
    plot.show();
    if (!QTest::qWaitForWindowExposed(&plot))
        return -1;
    auto *timer = plot.template findChild<QTimer *>();
    if (!timer || timer->interval() != 100 || !timer->isActive())
        return -1;
    timer->stop(); // only the trigger under test may cause the next paint
    plot.creatData();
    QCoreApplication::processEvents();
    plot.paints = 0;
    QCoreApplication::processEvents();
    if (plot.paints != 0)
        return -1;

    if (int *setting = settingNamed(change))
        *setting += 1;
    if (viaTimer)
        QMetaObject::invokeMethod(timer, "timeout");
    else
        plot.creatData();
    QCoreApplication::processEvents();
    return plot.paints;
}

} // namespace

class TestCurves : public QObject
{
    Q_OBJECT
    TxParamsRecord saved;

private slots:
    void init() { saved = TxParams; }
    void cleanup() { TxParams = saved; }

    void throttleGridLines_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QVector<int>>("rows");
        QTest::addColumn<QVector<int>>("columns");
        QTest::addColumn<int>("lastDashX");
        QTest::addColumn<int>("lastDashY");
        QTest::newRow("form 595x430")
            << QSize(595, 430) << QVector<int>{30, 67, 104, 141, 178, 215, 252, 289, 326, 363, 400}
            << QVector<int>{112, 205, 297, 390, 482, 575} << 555 << 390;
        QTest::newRow("628x510, exact steps")
            << QSize(628, 510) << QVector<int>{30, 75, 120, 165, 210, 255, 300, 345, 390, 435, 480}
            << QVector<int>{118, 216, 314, 412, 510, 608} << 585 << 465;
        QTest::newRow("101x97, every step truncated")
            << QSize(101, 97) << QVector<int>{30, 33, 37, 41, 44, 48, 52, 55, 59, 63, 67}
            << QVector<int>{30, 40, 50, 60, 70, 81} << 60 << 60;
        QTest::newRow("616x421, last dashes start on their limits")
            << QSize(616, 421) << QVector<int>{30, 66, 102, 138, 174, 210, 246, 282, 318, 354, 391}
            << QVector<int>{116, 212, 308, 404, 500, 596} << 585 << 390;
        QTest::newRow("too small for dashes")
            << QSize(60, 60) << QVector<int>{30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30}
            << QVector<int>{23, 26, 30, 33, 36, 40} << 0 << 0;
    }

    void throttleGridLines()
    {
        QFETCH(QSize, size);
        QFETCH(QVector<int>, rows);
        QFETCH(QVector<int>, columns);
        QFETCH(int, lastDashX);
        QFETCH(int, lastDashY);
        const ThrottleGrid grid = throttleGrid(size.width(), size.height());
        QCOMPARE(grid.rows, rows);
        QCOMPARE(grid.columns, columns);

        QCOMPARE(grid.dashes, expectedDashes(rows, lastDashX, columns, lastDashY));
    }

    void throttlePoints_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::newRow("default curve")
            << QSize(595, 430) << QVector<int>{0, 16, 33, 50, 67, 84, 100}
            << QVector<QPoint>{{30, 400},  {112, 340}, {205, 277}, {297, 215},
                               {390, 152}, {482, 89},  {575, 30}};
        QTest::newRow("full and near-full")
            << QSize(595, 430) << QVector<int>{100, 99, 1, 100, 0, 100, 0}
            << QVector<QPoint>{{30, 30},   {112, 33}, {205, 396}, {297, 30},
                               {390, 400}, {482, 30}, {575, 400}};
        QTest::newRow("truncated in a small widget")
            << QSize(101, 97) << QVector<int>{16, 33, 50, 67, 84, 99, 3}
            << QVector<QPoint>{{30, 61}, {30, 54}, {40, 48}, {50, 42},
                               {60, 35}, {70, 30}, {81, 65}};
    }

    void throttlePoints()
    {
        QFETCH(QSize, size);
        QFETCH(QVector<int>, values);
        QFETCH(QVector<QPoint>, points);
        int percent[kThrottlePointCount];
        std::copy(values.begin(), values.end(), percent);
        const auto computed = curvegeometry::throttlePoints(size.width(), size.height(), percent);
        QCOMPARE(QVector<QPoint>(computed.begin(), computed.end()), points);
    }

    void rateGridLines_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<int>("lastDashX");
        QTest::addColumn<int>("lastDashY");
        QTest::newRow("form 585x430") << QSize(585, 430) << QPoint(292, 215) << 555 << 405;
        QTest::newRow("odd sizes truncate") << QSize(401, 307) << QPoint(200, 153) << 375 << 285;
    }

    void rateGridLines()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, centre);
        QFETCH(int, lastDashX);
        QFETCH(int, lastDashY);
        const RateGrid grid = rateGrid(size.width(), size.height());
        QCOMPARE(QPoint(grid.centreX, grid.centreY), centre);
        QCOMPARE(grid.dashes, expectedDashes({centre.y()}, lastDashX, {centre.x()}, lastDashY));
    }

    void rateCurvePoints_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("expo");
        QTest::addColumn<QPoint>("start1");
        QTest::addColumn<QPoint>("control1");
        QTest::addColumn<QPoint>("start2");
        QTest::addColumn<QPoint>("control2");
        QTest::newRow("100, 0 straight to the corners")
            << 100 << 0 << QPoint(20, 410) << QPoint(156, 312) << QPoint(565, 20)
            << QPoint(428, 117);
        QTest::newRow("50, 50") << 50 << 50 << QPoint(20, 313) << QPoint(175, 288)
                                << QPoint(565, 117) << QPoint(409, 141);
        QTest::newRow("100, -100 flat at the centre")
            << 100 << -100 << QPoint(20, 410) << QPoint(78, 215) << QPoint(565, 20)
            << QPoint(506, 214);
        QTest::newRow("100, 100 steep at the centre")
            << 100 << 100 << QPoint(20, 410) << QPoint(234, 409) << QPoint(565, 20)
            << QPoint(350, 20);
        QTest::newRow("1, -100 truncates toward zero")
            << 1 << -100 << QPoint(20, 217) << QPoint(156, 216) << QPoint(565, 213)
            << QPoint(428, 213);
        QTest::newRow("0, 0 on the centre line") << 0 << 0 << QPoint(20, 215) << QPoint(156, 215)
                                                 << QPoint(565, 215) << QPoint(428, 214);
    }

    void rateCurvePoints()
    {
        QFETCH(int, rate);
        QFETCH(int, expo);
        const RateCurve curve = rateCurve(585, 430, rate, expo);
        QCOMPARE(curve.centre, QPoint(292, 215));
        QTEST(curve.start1, "start1");
        QTEST(curve.control1, "control1");
        QTEST(curve.start2, "start2");
        QTEST(curve.control2, "control2");
    }

    void framesFollowWidgetSize_data()
    {
        QTest::addColumn<bool>("throttle");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("throttle, form size") << true << QSize(595, 430) << QRect(30, 30, 545, 370);
        QTest::newRow("throttle, larger") << true << QSize(700, 500) << QRect(30, 30, 650, 440);
        QTest::newRow("rate, form size") << false << QSize(585, 430) << QRect(20, 20, 545, 390);
        QTest::newRow("rate, smaller") << false << QSize(400, 300) << QRect(20, 20, 360, 260);
    }

    // The frame's outline is drawn on all four sides and the white fill
    // reaches every edge of the widget, whatever its size.
    void framesFollowWidgetSize()
    {
        QFETCH(bool, throttle);
        QFETCH(QSize, size);
        QFETCH(QRect, frame);
        const QRect computed = throttle ? throttleGrid(size.width(), size.height()).frame
                                        : rateGrid(size.width(), size.height()).frame;
        QCOMPARE(computed, frame);

        TxParams.drRate = 0; // keep both curves away from the probed edges
        std::fill(std::begin(TxParams.thCurve), std::end(TxParams.thCurve), 50);
        // A size other than the form's is reached by resizing a painted plot.
        const QSize before = throttle ? QSize(595, 430) : QSize(585, 430);
        const QSize first = size == before ? QSize() : before;
        const QImage image = throttle ? renderPlot<cureWidget>(size.width(), size.height(), first)
                                      : renderPlot<mWidget>(size.width(), size.height(), first);
        const int midX = frame.left() + frame.width() / 3, midY = frame.top() + frame.height() / 3;
        for (const QPoint p :
             {QPoint(frame.left(), midY), QPoint(frame.left() + frame.width(), midY)}) {
            QCOMPARE(image.pixelColor(p), QColor(Qt::green));
            QCOMPARE(thickness(image, p, QPoint(1, 0)), 4);
        }
        for (const QPoint p :
             {QPoint(midX, frame.top()), QPoint(midX, frame.top() + frame.height())}) {
            QCOMPARE(image.pixelColor(p), QColor(Qt::green));
            QCOMPARE(thickness(image, p, QPoint(0, 1)), 4);
        }
        // Both curves are flat here, drawn with the 4 px pen.
        const QPoint onCurve(midX, throttle ? throttleValueY(size.height(), 50)
                                            : rateGrid(size.width(), size.height()).centreY);
        QCOMPARE(image.pixelColor(onCurve), QColor(Qt::red));
        QCOMPARE(thickness(image, onCurve, QPoint(0, 1)), 4);
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0),
                                    QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(image.pixelColor(corner), QColor(Qt::white));
    }

    void throttleLabelTexts()
    {
        QStringList values, points;
        for (int k = 0; k < kThrottleRowCount; ++k)
            values << throttleValueLabel(k);
        for (int n = 0; n < kThrottlePointCount; ++n)
            points << throttlePointLabel(n);
        QCOMPARE(values, QStringList({"100", " 90", " 80", " 70", " 60", " 50", " 40", " 30", " 20",
                                      " 10", "  0"}));
        QCOMPARE(points, QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    }

    void throttleLabelsLineUpInside_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("fontPixels"); // 0 keeps the widget's own font
        QTest::newRow("form size, own font") << QSize(595, 430) << 0;
        QTest::newRow("form size, 11 px") << QSize(595, 430) << 11;
        QTest::newRow("form size, 30 px") << QSize(595, 430) << 30;
        QTest::newRow("628x510, own font") << QSize(628, 510) << 0;
        QTest::newRow("small 240x160, 11 px") << QSize(240, 160) << 11;
    }

    // Every label is inside the widget and centred on its grid line; it keeps
    // clear of the frame unless the font is too large for the margin, and then
    // moves to the widget's edge rather than leave it. It is painted there too.
    void throttleLabelsLineUpInside()
    {
        QFETCH(QSize, size);
        QFETCH(int, fontPixels);
        const int w = size.width(), h = size.height();
        cureWidget plot;
        plot.resize(size);
        if (fontPixels > 0) {
            QFont font = plot.font();
            font.setPixelSize(fontPixels);
            plot.setFont(font);
        }
        QImage image(size, QImage::Format_RGB32);
        plot.render(&image);
        const QFontMetrics metrics = plot.fontMetrics();
        const ThrottleGrid grid = throttleGrid(w, h);
        auto hasInk = [&image](const QRect &r, auto isInk) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (isInk(image.pixelColor(x, y)))
                        return true;
            return false;
        };
        const QRect widget(0, 0, w, h);
        for (int k = 0; k < kThrottleRowCount; ++k) {
            const QRect r =
                throttleValueLabelRect(w, h, k, labelSize(metrics, throttleValueLabel(k)));
            QVERIFY2(widget.contains(r), qPrintable(QString::number(k)));
            QVERIFY(r.right() < grid.frame.left() - kFramePenWidth / 2 || r.left() == 0);
            QVERIFY(std::abs(r.center().y() - grid.rows[k]) <= 1);
            QVERIFY(hasInk(r, [](QColor c) { return c.lightness() < 100; }));
        }
        for (int n = 0; n < kThrottlePointCount; ++n) {
            const QRect r =
                throttlePointLabelRect(w, h, n, labelSize(metrics, throttlePointLabel(n)));
            QVERIFY2(widget.contains(r), qPrintable(QString::number(n)));
            QVERIFY(r.top() > grid.rows.last() + kFramePenWidth / 2 || r.bottom() == h - 1);
            QVERIFY(std::abs(r.center().x() - throttlePointX(w, n)) <= 1);
            QVERIFY(hasInk(
                r, [](QColor c) { return c.blue() > c.red() + 64 && c.blue() > c.green() + 64; }));
        }
    }

    void throttleRendering_data()
    {
        QTest::addColumn<QVector<int>>("values");
        QTest::newRow("default") << QVector<int>{0, 16, 33, 50, 67, 84, 100};
        QTest::newRow("flat half") << QVector<int>{50, 50, 50, 50, 50, 50, 50};
        QTest::newRow("zigzag") << QVector<int>{0, 100, 0, 100, 0, 100, 0};
        QTest::newRow("falling") << QVector<int>{100, 90, 70, 45, 20, 5, 0};
    }

    void throttleRendering()
    {
        QFETCH(QVector<int>, values);
        std::copy(values.begin(), values.end(), TxParams.thCurve);
        const int w = 595, h = 430;
        const auto points = curvegeometry::throttlePoints(w, h, TxParams.thCurve);
        const Polyline curve = withMidpoints(Polyline(points.begin(), points.end()));
        const ThrottleGrid grid = throttleGrid(w, h);
        QVector<int> gridXs = grid.columns, gridYs = grid.rows;
        gridXs << grid.frame.left();
        checkRendering(renderPlot<cureWidget>(w, h), {curve}, grid.dashes, 1,
                       grid.frame.adjusted(4, 4, -4, -4), gridXs, gridYs);
    }

    void rateRendering_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("expo");
        QTest::newRow("100, 0") << 100 << 0;
        QTest::newRow("50, 50") << 50 << 50;
        QTest::newRow("100, -100") << 100 << -100;
        QTest::newRow("80, 100") << 80 << 100;
        QTest::newRow("0, 0") << 0 << 0;
    }

    void rateRendering()
    {
        QFETCH(int, rate);
        QFETCH(int, expo);
        TxParams.drRate = rate;
        TxParams.drExp = expo;
        const int w = 585, h = 430;
        const RateCurve c = rateCurve(w, h, rate, expo);
        const QVector<Polyline> curve{sampledHalf(c.start1, c.control1, c.centre, 64),
                                      sampledHalf(c.start2, c.control2, c.centre, 64)};
        const RateGrid grid = rateGrid(w, h);
        checkRendering(renderPlot<mWidget>(w, h), curve, grid.dashes, 2,
                       grid.frame.adjusted(4, 4, -4, -4), {grid.centreX}, {grid.centreY});
    }

    // A plot repaints on every refresh, whether or not a setting it plots
    // has changed.
    void creatDataRepaints_data()
    {
        QTest::addColumn<bool>("throttle");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("viaTimer");
        QTest::newRow("throttle, first point, slot") << true << "thCurve[0]" << false;
        QTest::newRow("throttle, nothing, timer") << true << "" << true;
        QTest::newRow("throttle, rate only, slot") << true << "drRate" << false;
        QTest::newRow("rate, expo, timer") << false << "drExp" << true;
        QTest::newRow("rate, nothing, timer") << false << "" << true;
        QTest::newRow("rate, throttle point only, slot") << false << "thCurve[0]" << false;
    }

    void creatDataRepaints()
    {
        QFETCH(bool, throttle);
        QFETCH(QString, change);
        QFETCH(bool, viaTimer);
        const int paints = throttle ? paintsAfterRefresh<cureWidget>(viaTimer, change)
                                    : paintsAfterRefresh<mWidget>(viaTimer, change);
        QVERIFY2(paints >= 0, "plot not shown, timer not running, or painting on its own");
        QVERIFY(paints > 0);
    }
};

QTEST_MAIN(TestCurves)
#include "tst_curves.moc"
