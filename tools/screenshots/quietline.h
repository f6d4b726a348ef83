#pragma once

#include <QString>

namespace screenshots
{

// A pseudo-terminal nobody answers on, so the window can open a real port
// and show its connected state (caption, green lamp, port box locked) while
// the telemetry stays exactly as the scene set it. The few bytes the window
// writes sit unread in the line's buffer.
class QuietLine
{
public:
    QuietLine();
    ~QuietLine();
    QuietLine(const QuietLine &) = delete;
    QuietLine &operator=(const QuietLine &) = delete;

    bool isOpen() const { return masterFd >= 0; }
    // The path the window opens as its serial port.
    QString portPath() const { return path; }

private:
    int masterFd = -1;
    QString path;
};

} // namespace screenshots
