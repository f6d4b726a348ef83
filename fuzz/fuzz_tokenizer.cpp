#include "fuzzbytes.h"
#include "fuzzchecks.h"
#include "inputtokenizer.h"
#include "tokenchecks.h"

#include <algorithm>
#include <climits>

// The bytes the tool writes, cut wherever the fuzzer likes. Input layout: a
// count byte (cuts = count % 16), one length byte per cut, then the stream.
// The tokens must be well formed, must not depend on the cuts, and must
// account for every byte in order, except at most one unfinished frame or
// command at the end.
using Tokens = QVector<InputTokenizer::Token>;
using namespace fuzzchecks;

namespace
{

// Feeds the stream in pieces of pieceLength(0), pieceLength(1), ... bytes,
// taking the tokens after each. The pieces are read in place: copying each
// one (even a QByteArray::fromRawData header) cost more than tokenizing it.
template <typename PieceLength> Tokens tokenize(const QByteArray &stream, PieceLength pieceLength)
{
    InputTokenizer tokenizer;
    Tokens all;
    for (int pos = 0, k = 0; pos < stream.size(); ++k) {
        const int n = std::min(pieceLength(k), int(stream.size()) - pos);
        tokenizer.feed(stream.constData() + pos, n);
        all += tokenizer.takeTokens();
        pos += n;
    }
    tokenizer.flushSkipped();
    all += tokenizer.takeTokens();
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzBytes in(data, size);
    QVector<int> lengths(in.takeByte() % 16);
    for (int &n : lengths)
        n = in.takeByte();
    const QByteArray stream = in.rest();

    const Tokens whole = tokenize(stream, [](int) { return INT_MAX; });
    QByteArray accounted;
    for (const InputTokenizer::Token &t : whole) {
        requireNone(tokenProblem(t));
        accounted += t.bytes;
    }
    require(stream.startsWith(accounted), "token bytes are not the input in order");
    require(stream.size() - accounted.size() < InputTokenizer::frameLength,
            "more left over than one unfinished frame");
    // The cuts the input gives, then the rest in one piece.
    const auto cut = [&lengths](int k) { return k < lengths.size() ? lengths[k] : INT_MAX; };
    require(tokenize(stream, cut) == whole, "tokens depend on how the input was cut");
    require(tokenize(stream, [](int) { return 1; }) == whole,
            "tokens differ when fed byte by byte");
    return 0;
}
