#include "dualrate.h"

#include "txparams.h"

namespace params
{
namespace
{
bool channelSelected(const TxParamsRecord &p) { return p.drChannel >= 0 && p.drChannel <= 3; }
} // namespace

void selectDualRate(TxParamsRecord &p)
{
    if (!channelSelected(p))
        return;
    const int c = p.drChannel;
    p.drUp = p.drUpCh[c];
    p.drDown = p.drDownCh[c];
    if (p.drPosition == 0) {
        p.drRate = p.drUpCh[c];
        p.drExp = p.drExpUpCh[c];
    } else {
        p.drRate = p.drDownCh[c];
        p.drExp = p.drExpDownCh[c];
    }
}

void editDualRateUp(TxParamsRecord &p, int v)
{
    p.drUp = v;
    if (channelSelected(p))
        p.drUpCh[p.drChannel] = v;
    selectDualRate(p);
}

void editDualRateDown(TxParamsRecord &p, int v)
{
    p.drDown = v;
    if (channelSelected(p))
        p.drDownCh[p.drChannel] = v;
    selectDualRate(p);
}

void editDualRateRate(TxParamsRecord &p, int v)
{
    p.drRate = v;
    if (channelSelected(p))
        (p.drPosition == 0 ? p.drUpCh : p.drDownCh)[p.drChannel] = v;
    selectDualRate(p);
}

void editDualRateExp(TxParamsRecord &p, int v)
{
    p.drExp = v;
    if (channelSelected(p))
        (p.drPosition == 0 ? p.drExpUpCh : p.drExpDownCh)[p.drChannel] = v;
    selectDualRate(p);
}

} // namespace params
