<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
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
</context>
</TS>
