#include "settingsreader.h"

QString settingsFrameTitle(int number)
{
    // Contents by frame number, as the code table in settingsrows.h lays them out.
    static const char *const titles[settingsReplyFrames] = {"channel reverse",
                                                            "sub-trim",
                                                            "left travel",
                                                            "right travel",
                                                            "fail-safe",
                                                            "alarm voltage, stick mode, firmware",
                                                            "aux sources",
                                                            "attitude",
                                                            "elevon mix",
                                                            "V-tail mix",
                                                            "servo delay",
                                                            "dual rates",
                                                            "mixes 1 and 2 data",
                                                            "mixes 1 and 2 routing",
                                                            "mix 3",
                                                            "mix 4 and throttle curve",
                                                            "throttle curve",
                                                            "dual-rate switch and extra values",
                                                            "dual-rate exponentials"};
    if (number < 1 || number > settingsReplyFrames)
        return QStringLiteral("frame %1").arg(number);
    return QStringLiteral("frame %1 (%2)").arg(number).arg(QLatin1String(titles[number - 1]));
}
