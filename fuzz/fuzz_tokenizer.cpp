#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "inputtokenizer.h"
#include "tokenchecks.h"

// The bytes the tool writes, cut wherever the fuzzer likes. Input layout: a
// count byte (cuts = count % 16), one length byte per cut, then the stream.
// The tokens must be well formed, must not depend on the cuts, and must
// account for every byte in order, except at most one unfinished frame or
// command at the end.
using Tokens = QVector<InputTokenizer::Token>;
using namespace fuzzchecks;

namespace
{

Tokens tokenize(const QVector<QByteArray> &pieces)
{
    InputTokenizer tokenizer;
    Tokens all;
    for (const QByteArray &piece : pieces) {
        tokenizer.feed(piece);
        all += tokenizer.takeTokens();
    }
    tokenizer.flushSkipped();
    all += tokenizer.takeTokens();
    return all;
}

QVector<QByteArray> cut(const QByteArray &stream, const QVector<int> &lengths)
{
    QVector<QByteArray> pieces;
    int pos = 0;
    for (int n : lengths) {
        pieces.append(stream.mid(pos, n));
        pos += n;
    }
    pieces.append(stream.mid(pos));
    return pieces;
}

QVector<QByteArray> byteByByte(const QByteArray &stream)
{
    QVector<QByteArray> pieces;
    for (char c : stream)
        pieces.append(QByteArray(1, c));
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzBytes in(data, size);
    QVector<int> lengths(in.takeByte() % 16);
    for (int &n : lengths)
        n = in.takeByte();
    const QByteArray stream = in.rest();

    const Tokens whole = tokenize({stream});
    QByteArray accounted;
    for (const InputTokenizer::Token &t : whole) {
        requireNone(tokenProblem(t));
        accounted += t.bytes;
    }
    require(stream.startsWith(accounted), "token bytes are not the input in order");
    require(stream.size() - accounted.size() < InputTokenizer::frameLength,
            "more left over than one unfinished frame");
    require(tokenize(cut(stream, lengths)) == whole, "tokens depend on how the input was cut");
    require(tokenize(byteByByte(stream)) == whole, "tokens differ when fed byte by byte");
    return 0;
}
