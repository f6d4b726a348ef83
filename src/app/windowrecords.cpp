#include "windowrecords.h"

#include "frames.h"

QString frameTextS = QString::fromLatin1(protocol::startupFrameTextS);
QString frameTextG = QString::fromLatin1(protocol::startupFrameTextG);
QString frameTextH = QString::fromLatin1(protocol::startupFrameTextH);

int readFlag = 0;

int langFlag = 1;

QString loadedText;
