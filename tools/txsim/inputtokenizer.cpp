#include "inputtokenizer.h"

#include <algorithm>
#include <cstring>

namespace
{

struct CommandText {
    const char *text;
    InputTokenizer::Kind kind;
};

const CommandText commands[] = {
    {"OK", InputTokenizer::Kind::Connect},
    {"DIS", InputTokenizer::Kind::Disconnect},
    {"RR", InputTokenizer::Kind::Read},
    {"WWW", InputTokenizer::Kind::Ack},
};

// No command is longer than this.
constexpr int longestCommand = 3;

// Compared in place: the tokenizer asks this for nearly every byte it reads.
bool isCommandPrefix(const char *bytes, int n)
{
    for (const CommandText &c : commands) {
        if (n <= int(qstrlen(c.text)) && std::memcmp(c.text, bytes, std::size_t(n)) == 0)
            return true;
    }
    return false;
}

const CommandText *completeCommand(const QByteArray &bytes)
{
    for (const CommandText &c : commands) {
        if (bytes == c.text)
            return &c;
    }
    return nullptr;
}

char frameEndLetter(char start)
{
    switch (start) {
    case 'S':
        return 'Y';
    case 'G':
        return 'Z';
    case 'H':
        return 'X';
    default:
        return 0;
    }
}

bool isFrameBodyChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

} // namespace

void InputTokenizer::feed(const QByteArray &bytes) { feed(bytes.constData(), int(bytes.size())); }

void InputTokenizer::feed(const char *bytes, int n)
{
    for (int i = 0; i < n; ++i)
        feedByte(bytes[i]);
}

void InputTokenizer::flushSkipped()
{
    if (!skipped.isEmpty())
        tokens.append({Kind::Skipped, skipped});
    skipped.clear();
}

QVector<InputTokenizer::Token> InputTokenizer::takeTokens()
{
    QVector<Token> out;
    out.swap(tokens);
    return out;
}

void InputTokenizer::feedByte(char c)
{
    switch (state) {
    case State::Idle:
        feedIdle(c);
        break;
    case State::Command:
        feedCommand(c);
        break;
    case State::Frame:
        feedFrame(c);
        break;
    }
}

void InputTokenizer::feedIdle(char c)
{
    if (frameEndLetter(c)) {
        state = State::Frame;
        pending.clear();
        pending.reserve(frameLength); // one allocation for the whole frame
        pending.append(c);
    } else if (isCommandPrefix(&c, 1)) {
        state = State::Command;
        pending.clear();
        feedCommand(c);
    } else {
        skipByte(c);
    }
}

void InputTokenizer::feedCommand(char c)
{
    pending.append(c);
    if (!isCommandPrefix(pending.constData(), int(pending.size()))) {
        pending.chop(1);
        breakOff(Kind::Skipped, c);
        return;
    }
    if (const CommandText *command = completeCommand(pending)) {
        state = State::Idle;
        pending.clear();
        push(command->kind, command->text);
    }
}

void InputTokenizer::feedFrame(char c)
{
    if (pending.size() < frameLength - 1) {
        if (isFrameBodyChar(c))
            pending.append(c);
        else
            breakOff(Kind::Malformed, c);
        return;
    }
    if (c != frameEndLetter(pending.at(0))) {
        breakOff(Kind::Malformed, c);
        return;
    }
    pending.append(c);
    const QByteArray frame = pending;
    state = State::Idle;
    pending.clear();
    push(Kind::Frame, frame);
}

// The pending bytes cannot go on with c. The longest tail of them that still
// starts a command together with c is kept (a frame's last "D" before "IS");
// the rest is reported as `kind`, and the kept bytes and c are read again.
void InputTokenizer::breakOff(Kind kind, char c)
{
    char again[longestCommand];
    int keep = std::min(int(pending.size()) - 1, longestCommand - 1);
    for (; keep > 0; --keep) {
        std::memcpy(again, pending.constData() + pending.size() - keep, std::size_t(keep));
        again[keep] = c;
        if (isCommandPrefix(again, keep + 1))
            break;
    }
    again[keep] = c;
    pending.chop(keep);
    state = State::Idle;
    if (kind == Kind::Skipped)
        skip(pending);
    else
        push(kind, pending);
    pending.clear();
    for (int k = 0; k <= keep; ++k)
        feedByte(again[k]);
}

void InputTokenizer::skip(const QByteArray &bytes)
{
    for (char b : bytes)
        skipByte(b);
}

void InputTokenizer::skipByte(char b)
{
    skipped.append(b);
    if (skipped.size() == maxSkippedRun)
        flushSkipped();
}

void InputTokenizer::push(Kind kind, const QByteArray &bytes)
{
    flushSkipped();
    tokens.append({kind, bytes});
}
