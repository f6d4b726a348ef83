#pragma once

#include <QByteArray>
#include <QVector>

// Splits what the configuration tool writes into the units the transmitter
// acts on. The serial line carries no framing, so the bytes of one write may
// arrive in pieces or merged with the next write; feeding them in any split
// gives the same tokens.
//
// The tool sends plain ASCII without terminators:
//   "OK"   connect notice        "DIS"  disconnect notice
//   "RR"   read request          "WWW"  acknowledgement
//   S, G and H text frames: 81 characters, the start letter, 79 characters of
//   decimal digits and uppercase hexadecimal, then "Y", "Z" or "X".
//
// Ambiguities and how they resolve:
//   - "D" is a hexadecimal digit, so inside a frame it is frame text; but when
//     a frame breaks off right after a "D" and an "I" follows, that "D" was the
//     start of "DIS" (a truncated frame followed by a disconnect notice).
//   - The "S" of "DIS" never starts a frame, because it completes the command.
//   - A frame that meets a character it cannot hold (or the wrong end letter)
//     is reported as malformed; that character is read again from the start,
//     so an early "S", "G", "H" or command resynchronises at once.
//   - Bytes that start nothing are collected and reported as skipped, one
//     token per run (at most maxSkippedRun bytes each).
class InputTokenizer
{
public:
    enum class Kind {
        Connect,    // "OK"
        Disconnect, // "DIS"
        Read,       // "RR"
        Ack,        // "WWW"
        Frame,      // an 81-character S, G or H frame (text checked only loosely)
        Malformed,  // the part of a frame that broke off
        Skipped,    // bytes that belong to nothing
    };
    struct Token {
        Kind kind;
        QByteArray bytes;
        bool operator==(const Token &o) const { return kind == o.kind && bytes == o.bytes; }
    };

    static constexpr int frameLength = 81;
    static constexpr int maxSkippedRun = 256;

    void feed(const QByteArray &bytes);
    void feed(const char *bytes, int n);
    // Reports skipped bytes held back in case the next byte joins the run.
    void flushSkipped();
    // Tokens completed so far, oldest first; the internal list is emptied.
    QVector<Token> takeTokens();

private:
    enum class State { Idle, Command, Frame };

    void feedByte(char c);
    void feedIdle(char c);
    void feedCommand(char c);
    void feedFrame(char c);
    void breakOff(Kind kind, char c);
    void skip(const QByteArray &bytes);
    void skipByte(char b);
    void push(Kind kind, const QByteArray &bytes);

    State state = State::Idle;
    QByteArray pending;
    QByteArray skipped;
    QVector<Token> tokens;
};
