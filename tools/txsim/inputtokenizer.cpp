#include "inputtokenizer.h"

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

bool isCommandPrefix(const QByteArray &bytes)
{
    for (const CommandText &c : commands) {
        if (QByteArray(c.text).startsWith(bytes))
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

void InputTokenizer::feed(const QByteArray &bytes)
{
    for (char c : bytes)
        feedByte(c);
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
        pending = QByteArray(1, c);
    } else if (isCommandPrefix(QByteArray(1, c))) {
        state = State::Command;
        pending.clear();
        feedCommand(c);
    } else {
        skip(QByteArray(1, c));
    }
}

void InputTokenizer::feedCommand(char c)
{
    const QByteArray grown = pending + c;
    if (!isCommandPrefix(grown)) {
        breakOff(Kind::Skipped, c);
        return;
    }
    pending = grown;
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
    int keep = pending.size() - 1;
    while (keep > 0 && !isCommandPrefix(pending.right(keep) + c))
        --keep;
    const QByteArray dropped = pending.left(pending.size() - keep);
    const QByteArray again = pending.right(keep) + c;
    state = State::Idle;
    pending.clear();
    if (kind == Kind::Skipped)
        skip(dropped);
    else
        push(kind, dropped);
    for (char b : again)
        feedByte(b);
}

void InputTokenizer::skip(const QByteArray &bytes)
{
    for (char b : bytes) {
        skipped.append(b);
        if (skipped.size() == maxSkippedRun)
            flushSkipped();
    }
}

void InputTokenizer::push(Kind kind, const QByteArray &bytes)
{
    flushSkipped();
    tokens.append({kind, bytes});
}
