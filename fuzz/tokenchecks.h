#pragma once

#include "inputtokenizer.h"

#include <QString>

// What a token of the virtual transmitter's tokenizer must look like: a
// command holds exactly its text, a frame is 81 characters from its start
// letter to the matching end letter with decimal digits and uppercase
// hexadecimal between, a broken-off frame is a start letter and such
// characters, and a run of skipped bytes is never empty nor longer than the
// tokenizer's limit.
namespace fuzzchecks
{

inline bool isFrameBody(const QByteArray &b)
{
    for (char c : b) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

inline char endLetterFor(char start)
{
    const char *starts = "SGH";
    const char *ends = "YZX";
    for (int i = 0; i < 3; ++i) {
        if (start == starts[i])
            return ends[i];
    }
    return 0;
}

inline QString tokenProblem(const InputTokenizer::Token &t)
{
    using Kind = InputTokenizer::Kind;
    const QByteArray &b = t.bytes;
    const auto problem = [&b](const char *what) {
        return QStringLiteral("%1: \"%2\"")
            .arg(QLatin1String(what), QString::fromLatin1(b.toHex()));
    };
    const auto command = [&](const char *text) {
        return b == text ? QString() : problem("command token with other text");
    };
    switch (t.kind) {
    case Kind::Connect:
        return command("OK");
    case Kind::Disconnect:
        return command("DIS");
    case Kind::Read:
        return command("RR");
    case Kind::Ack:
        return command("WWW");
    case Kind::Frame:
        if (b.size() != InputTokenizer::frameLength)
            return problem("frame not 81 characters");
        if (!endLetterFor(b.at(0)) || b.back() != endLetterFor(b.at(0)))
            return problem("frame letters");
        return isFrameBody(b.mid(1, b.size() - 2)) ? QString() : problem("frame body");
    case Kind::Malformed:
        if (b.isEmpty() || b.size() >= InputTokenizer::frameLength)
            return problem("broken-off frame of impossible length");
        if (!endLetterFor(b.at(0)) || !isFrameBody(b.mid(1)))
            return problem("broken-off frame is no frame start");
        return {};
    case Kind::Skipped:
        if (b.isEmpty() || b.size() > InputTokenizer::maxSkippedRun)
            return problem("skipped run of impossible length");
        return {};
    }
    return problem("unknown token kind");
}

} // namespace fuzzchecks
