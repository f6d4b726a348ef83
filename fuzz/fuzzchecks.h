#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

struct TxParamsRecord;

// Invariants the fuzz targets hold the code to. Each check returns a
// description of the first problem found, or an empty string.
namespace fuzzchecks
{

// `after` is `before` passed through the validation. Every transmitted
// setting must then lie in its accepted range; one that was inside already
// must be unchanged, one that was outside must hold its repair value (the
// start-up value, never a clamped one). drRate and firmwareVersion are not
// validated and must be unchanged.
QString validationProblem(const TxParamsRecord &before, const TxParamsRecord &after);

// One field of the S, G and H text frames, as the layout places it.
struct TextField {
    enum Kind { Digit, Hex, ThreeDigits };
    Kind kind;
    int offset; // what is added before writing a Hex field
    int value;
};

// The fields of all three frames of p, in frame order.
QVector<TextField> textFields(const TxParamsRecord &p);

// What reading characters can give: a digit field 0..15 (the lenient reader
// takes any hexadecimal digit), a Hex field -offset..255-offset, the
// three-digit field 0..1665.
bool readableValue(const TextField &f);
// What the frame carries for the field: its value clamped into what fits the
// field's width (a digit 0..9, a Hex field 16-offset..255-offset, the
// three-digit field 0..999), so that every frame keeps its layout.
int carriedValue(const TextField &f);

// Every text field of p holds a value that reading characters can give.
QString readFieldProblem(const TxParamsRecord &p);

// readBack was read from the frames built from sent: every text field must
// hold the value the frame carries for it.
QString carriedFieldProblem(const TxParamsRecord &sent, const TxParamsRecord &readBack);

// `framed` came out of a stream framer fed with the frames of `sent` on a
// bad line: cut anywhere, with junk between them. No frame may be made up
// from junk or from a cut frame, so every frame out must be one of `sent`,
// in order (frames may be lost, never invented).
QString madeUpFrameProblem(const QList<QByteArray> &sent, const QList<QByteArray> &framed);

// Prints the problem and aborts, which libFuzzer and CTest both report.
[[noreturn]] void fail(const QString &problem);
inline void require(bool ok, const char *what)
{
    if (!ok)
        fail(QString::fromLatin1(what));
}
inline void requireNone(const QString &problem)
{
    if (!problem.isEmpty())
        fail(problem);
}

} // namespace fuzzchecks
