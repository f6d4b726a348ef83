#include "linefaults.h"

QVector<QByteArray> LineFaults::writesFor(const QVector<QByteArray> &frames)
{
    QByteArray unit;
    int cut = 0; // where the second write starts; 0: one write
    for (const QByteArray &frame : frames) {
        if (options.garbage) {
            const int n = 1 + int(random.bounded(maxGarbageBytes));
            for (int i = 0; i < n; ++i)
                unit += char(random.bounded(256));
        }
        if (options.splitDeliveries && cut == 0 && frame.size() > 1)
            cut = unit.size() + 1 + int(random.bounded(frame.size() - 1));
        unit += frame;
    }
    if (cut == 0)
        return {unit};
    return {unit.left(cut), unit.mid(cut)};
}
