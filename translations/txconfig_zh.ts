<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>params::Change</name>
    <message>
        <source>and %1 more</source>
        <translation>还有 %1 项</translation>
    </message>
</context>
<context>
    <name>params::Field</name>
    <message>
        <source>State of the programmable mix: inhibited, switched off or switched on.</source>
        <translation>可编程混控的状态：禁止、关闭或打开。</translation>
    </message>
    <message>
        <source>Channel whose stick drives the mix.</source>
        <translation>摇杆带动混控的通道。</translation>
    </message>
    <message>
        <source>Channel the mix moves as well.</source>
        <translation>混控同时带动的通道。</translation>
    </message>
    <message>
        <source>Offset, upper-side and lower-side rate of the mix, in percent.</source>
        <translation>混控的偏置、上边和下边比率（百分比）。</translation>
    </message>
    <message>
        <source>Direction the channel&apos;s servo turns.</source>
        <translation>该通道舵机的转动方向。</translation>
    </message>
    <message>
        <source>Shift of the servo&apos;s centre, in percent.</source>
        <translation>舵机中点的偏移（百分比）。</translation>
    </message>
    <message>
        <source>How far the servo may travel to this side, in percent.</source>
        <translation>舵机向这一侧的行程（百分比）。</translation>
    </message>
    <message>
        <source>Position the servo takes when the signal is lost, in percent.</source>
        <translation>失去信号时舵机的位置（百分比）。</translation>
    </message>
    <message>
        <source>Slows the servo&apos;s movement, in percent.</source>
        <translation>减慢舵机的动作（百分比）。</translation>
    </message>
    <message>
        <source>Switch or knob that drives the channel.</source>
        <translation>驱动该通道的开关或旋钮。</translation>
    </message>
    <message>
        <source>Switches the dual rates on or off.</source>
        <translation>打开或关闭大小舵。</translation>
    </message>
    <message>
        <source>Channel whose dual rates the page shows and edits.</source>
        <translation>本页显示和编辑其大小舵的通道。</translation>
    </message>
    <message>
        <source>Switch that selects the dual rate.</source>
        <translation>选择大小舵的开关。</translation>
    </message>
    <message>
        <source>Rate of the channel shown with the switch up, in percent.</source>
        <translation>开关在上档时所示通道的比率（百分比）。</translation>
    </message>
    <message>
        <source>Rate of the channel shown with the switch down, in percent.</source>
        <translation>开关在下档时所示通道的比率（百分比）。</translation>
    </message>
    <message>
        <source>Transmitter voltage below which it sounds the alarm.</source>
        <translation>遥控器电压低于此值时报警。</translation>
    </message>
    <message>
        <source>Firmware version the transmitter reports.</source>
        <translation>遥控器报告的固件版本。</translation>
    </message>
    <message>
        <source>Channel that selects the attitude, or off.</source>
        <translation>选择姿态的通道，或关闭。</translation>
    </message>
    <message>
        <source>Output of the attitude position, in percent.</source>
        <translation>该姿态档位的输出（百分比）。</translation>
    </message>
    <message>
        <source>Switches the elevon mix on or off.</source>
        <translation>打开或关闭升降副翼混控。</translation>
    </message>
    <message>
        <source>Rate of the elevon mix, in percent.</source>
        <translation>升降副翼混控的比率（百分比）。</translation>
    </message>
    <message>
        <source>Switches the V-tail mix on or off.</source>
        <translation>打开或关闭V型尾翼混控。</translation>
    </message>
    <message>
        <source>Rate of the V-tail mix, in percent.</source>
        <translation>V型尾翼混控的比率（百分比）。</translation>
    </message>
    <message>
        <source>Switch position whose rate and exponential the curve shows.</source>
        <translation>曲线显示其比率和指数的开关档位。</translation>
    </message>
    <message>
        <source>Rate of the channel and switch position shown, in percent.</source>
        <translation>所示通道和开关档位的比率（百分比）。</translation>
    </message>
    <message>
        <source>Exponential of the channel and switch position shown, in percent.</source>
        <translation>所示通道和开关档位的指数（百分比）。</translation>
    </message>
    <message>
        <source>Stored dual rate of the channel, in percent.</source>
        <translation>该通道保存的大小舵比率（百分比）。</translation>
    </message>
    <message>
        <source>Stored exponential of the channel, in percent.</source>
        <translation>该通道保存的指数（百分比）。</translation>
    </message>
    <message>
        <source>Switches the throttle curve on or off.</source>
        <translation>打开或关闭油门曲线。</translation>
    </message>
    <message>
        <source>Throttle output at this stick point, in percent.</source>
        <translation>油门摇杆在此点时的输出（百分比）。</translation>
    </message>
    <message>
        <source>A value kept as the transmitter sent it.</source>
        <translation>按遥控器发来的原样保存的值。</translation>
    </message>
    <message>
        <source>The extra word divided by ten.</source>
        <translation>附加字除以十。</translation>
    </message>
    <message>
        <source>Which stick works which channel.</source>
        <translation>哪个摇杆控制哪个通道。</translation>
    </message>
    <message>
        <source>inhibited</source>
        <translation>禁止</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>on</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>mix %1 state</source>
        <translation>可编程混控%1 状态</translation>
    </message>
    <message>
        <source>mix %1 master channel</source>
        <translation>可编程混控%1 主控通道</translation>
    </message>
    <message>
        <source>mix %1 slave channel</source>
        <translation>可编程混控%1 被控通道</translation>
    </message>
    <message>
        <source>mix %1 offset</source>
        <translation>可编程混控%1 偏置</translation>
    </message>
    <message>
        <source>mix %1 upper-side rate</source>
        <translation>可编程混控%1 上边比率</translation>
    </message>
    <message>
        <source>mix %1 lower-side rate</source>
        <translation>可编程混控%1 下边比率</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>正相</translation>
    </message>
    <message>
        <source>reversed</source>
        <translation>反相</translation>
    </message>
    <message>
        <source>CH%1 phase</source>
        <translation>CH%1 舵机相位</translation>
    </message>
    <message>
        <source>CH%1 sub-trim</source>
        <translation>CH%1 中点微调</translation>
    </message>
    <message>
        <source>CH%1 travel left</source>
        <translation>CH%1 左行程</translation>
    </message>
    <message>
        <source>CH%1 travel right</source>
        <translation>CH%1 右行程</translation>
    </message>
    <message>
        <source>CH%1 fail-safe</source>
        <translation>CH%1 失控保护</translation>
    </message>
    <message>
        <source>CH%1 delay</source>
        <translation>CH%1 舵机延迟</translation>
    </message>
    <message>
        <source>CH%1 source</source>
        <translation>CH%1 辅助通道来源</translation>
    </message>
    <message>
        <source>dual-rate mix</source>
        <translation>大小舵混控</translation>
    </message>
    <message>
        <source>dual-rate channel shown</source>
        <translation>大小舵所示通道</translation>
    </message>
    <message>
        <source>dual-rate switch</source>
        <translation>大小舵开关</translation>
    </message>
    <message>
        <source>dual rate up, channel shown</source>
        <translation>所示通道的大小舵上档</translation>
    </message>
    <message>
        <source>dual rate down, channel shown</source>
        <translation>所示通道的大小舵下档</translation>
    </message>
    <message>
        <source>alarm voltage</source>
        <translation>报警电压</translation>
    </message>
    <message>
        <source>alarm voltage as edited</source>
        <translation>报警电压（编辑值）</translation>
    </message>
    <message>
        <source>stick mode</source>
        <translation>摇杆模式</translation>
    </message>
    <message>
        <source>firmware version</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <source>attitude channel</source>
        <translation>姿态选择通道</translation>
    </message>
    <message>
        <source>attitude %1</source>
        <translation>姿态%1</translation>
    </message>
    <message>
        <source>elevon mix</source>
        <translation>升降副翼混控</translation>
    </message>
    <message>
        <source>elevon rate %1</source>
        <translation>升降副翼比率%1</translation>
    </message>
    <message>
        <source>V-tail mix</source>
        <translation>V型尾翼混控</translation>
    </message>
    <message>
        <source>V-tail rate %1</source>
        <translation>V型尾翼比率%1</translation>
    </message>
    <message>
        <source>dual-rate position shown</source>
        <translation>大小舵所示档位</translation>
    </message>
    <message>
        <source>dual rate, channel and position shown</source>
        <translation>所示通道和档位的比率</translation>
    </message>
    <message>
        <source>exponential, channel and position shown</source>
        <translation>所示通道和档位的指数</translation>
    </message>
    <message>
        <source>CH%1 rate up</source>
        <translation>CH%1 上档比率</translation>
    </message>
    <message>
        <source>CH%1 rate down</source>
        <translation>CH%1 下档比率</translation>
    </message>
    <message>
        <source>CH%1 exponential up</source>
        <translation>CH%1 上档指数</translation>
    </message>
    <message>
        <source>CH%1 exponential down</source>
        <translation>CH%1 下档指数</translation>
    </message>
    <message>
        <source>throttle curve</source>
        <translation>油门曲线</translation>
    </message>
    <message>
        <source>throttle curve point %1</source>
        <translation>油门曲线点%1</translation>
    </message>
    <message>
        <source>throttle curve extra value</source>
        <translation>油门曲线附加值</translation>
    </message>
    <message>
        <source>extra word</source>
        <translation>附加字</translation>
    </message>
    <message>
        <source>extra word scaled</source>
        <translation>附加字（除以十）</translation>
    </message>
    <message>
        <source>extra signed value</source>
        <translation>附加有符号值</translation>
    </message>
    <message>
        <source>%1 (no such item)</source>
        <translation>%1（无此项）</translation>
    </message>
</context>
</TS>
