<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>EditTracker</name>
    <message>
        <source>Ctrl+Z 撤销，Ctrl+Shift+Z 或 Ctrl+Y 重做</source>
        <translation>Ctrl+Z undoes, Ctrl+Shift+Z or Ctrl+Y redoes</translation>
    </message>
    <message>
        <source>本页有 %1 项改动未写入（%2）</source>
        <translation>%1 change(s) on this page not written yet (%2)</translation>
    </message>
    <message>
        <source>写入将更改：</source>
        <translation>Write will change:</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZR5N&amp;N6KW-V4.2</source>
        <translation>ZR5N&amp;N6KW-V4.2</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>OPEN</translation>
    </message>
    <message>
        <source>遥控:</source>
        <translation>TX:</translation>
    </message>
    <message>
        <source>动力:</source>
        <translation>Ext:</translation>
    </message>
    <message>
        <source>信号:</source>
        <translation>RSSI:</translation>
    </message>
    <message>
        <source>null</source>
        <translation>--</translation>
    </message>
    <message>
        <source> 0.0V</source>
        <translation> 0.0V</translation>
    </message>
    <message>
        <source>出厂设置</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source> 读取数据</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>加载数据</source>
        <translation>Load file</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>基础菜单</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>CH1:</source>
        <translation>CH1:</translation>
    </message>
    <message>
        <source>CH2:</source>
        <translation>CH2:</translation>
    </message>
    <message>
        <source>CH3:</source>
        <translation>CH3:</translation>
    </message>
    <message>
        <source>CH4:</source>
        <translation>CH4:</translation>
    </message>
    <message>
        <source>CH5:</source>
        <translation>CH5:</translation>
    </message>
    <message>
        <source>CH6:</source>
        <translation>CH6:</translation>
    </message>
    <message>
        <source>CH7:</source>
        <translation>CH7:</translation>
    </message>
    <message>
        <source>CH8:</source>
        <translation>CH8:</translation>
    </message>
    <message>
        <source>舵机相位</source>
        <translation>Servo reverse</translation>
    </message>
    <message>
        <source>正相</source>
        <translation>Norm</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Rev</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>Sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量--L---R---</source>
        <translation>Travel L / R</translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>Servo delay</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>Aux source</translation>
    </message>
    <message>
        <source>预留</source>
        <translation>N/A</translation>
    </message>
    <message>
        <source>SwA</source>
        <translation>SwA</translation>
    </message>
    <message>
        <source>SwB</source>
        <translation>SwB</translation>
    </message>
    <message>
        <source>VrA</source>
        <translation>VrA</translation>
    </message>
    <message>
        <source>VrB</source>
        <translation>VrB</translation>
    </message>
    <message>
        <source>NULL</source>
        <translation>None</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>Fail-safe</translation>
    </message>
    <message>
        <source>高级菜单1</source>
        <translation>Advanced 1</translation>
    </message>
    <message>
        <source>大小舵设置</source>
        <translation>Dual rate</translation>
    </message>
    <message>
        <source>混控:</source>
        <translation>Mix:</translation>
    </message>
    <message>
        <source>通道:</source>
        <translation>Ch:</translation>
    </message>
    <message>
        <source>开关:</source>
        <translation>Switch:</translation>
    </message>
    <message>
        <source>上档:</source>
        <translation>Up:</translation>
    </message>
    <message>
        <source>下档:</source>
        <translation>Down:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>SWA</source>
        <translation>SwA</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>System</translation>
    </message>
    <message>
        <source>报警电压:</source>
        <translation>Alarm V:</translation>
    </message>
    <message>
        <source>摇杆模式:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>固件版本:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>Flight mode</translation>
    </message>
    <message>
        <source>姿态1:</source>
        <translation>Pos 1:</translation>
    </message>
    <message>
        <source>姿态2:</source>
        <translation>Pos 2:</translation>
    </message>
    <message>
        <source>姿态3:</source>
        <translation>Pos 3:</translation>
    </message>
    <message>
        <source>姿态4:</source>
        <translation>Pos 4:</translation>
    </message>
    <message>
        <source>姿态5:</source>
        <translation>Pos 5:</translation>
    </message>
    <message>
        <source>姿态6:</source>
        <translation>Pos 6:</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>副翼1:</source>
        <translation>Ail 1:</translation>
    </message>
    <message>
        <source>副翼2:</source>
        <translation>Ail 2:</translation>
    </message>
    <message>
        <source>升降2:</source>
        <translation>Ele 2:</translation>
    </message>
    <message>
        <source>升降1:</source>
        <translation>Ele 1:</translation>
    </message>
    <message>
        <source>可编程混控一</source>
        <translation>Program mix 1</translation>
    </message>
    <message>
        <source>主控:</source>
        <translation>From:</translation>
    </message>
    <message>
        <source>被控:</source>
        <translation>To:</translation>
    </message>
    <message>
        <source>偏置:</source>
        <translation>Offs:</translation>
    </message>
    <message>
        <source>上边:</source>
        <translation>Up:</translation>
    </message>
    <message>
        <source>下边:</source>
        <translation>Dn:</translation>
    </message>
    <message>
        <source>禁止</source>
        <translation>Inh</translation>
    </message>
    <message>
        <source>可编程混控二</source>
        <translation>Program mix 2</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>尾舵2:</source>
        <translation>Rud 2:</translation>
    </message>
    <message>
        <source>尾舵1:</source>
        <translation>Rud 1:</translation>
    </message>
    <message>
        <source>高级菜单2</source>
        <translation>Advanced 2</translation>
    </message>
    <message>
        <source>可编程混控三</source>
        <translation>Program mix 3</translation>
    </message>
    <message>
        <source>大小舵曲线</source>
        <translation>D/R &amp;&amp; expo</translation>
    </message>
    <message>
        <source> 通道:</source>
        <translation>Ch:</translation>
    </message>
    <message>
        <source> 位置:</source>
        <translation>Sw pos:</translation>
    </message>
    <message>
        <source>比率:</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>指数:</source>
        <translation>Expo:</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>高级菜单3</source>
        <translation>Advanced 3</translation>
    </message>
    <message>
        <source>可编程混控四</source>
        <translation>Program mix 4</translation>
    </message>
    <message>
        <source>油门曲线</source>
        <translation>Throttle curve</translation>
    </message>
    <message>
        <source>曲线点1:</source>
        <translation>Point 1:</translation>
    </message>
    <message>
        <source>曲线点2:</source>
        <translation>Point 2:</translation>
    </message>
    <message>
        <source>曲线点3:</source>
        <translation>Point 3:</translation>
    </message>
    <message>
        <source>曲线点4:</source>
        <translation>Point 4:</translation>
    </message>
    <message>
        <source>曲线点5:</source>
        <translation>Point 5:</translation>
    </message>
    <message>
        <source>曲线点6:</source>
        <translation>Point 6:</translation>
    </message>
    <message>
        <source>曲线点7:</source>
        <translation>Point 7:</translation>
    </message>
    <message>
        <source>舵量显示</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>混控:</source>
        <comment>switches a function on or off</comment>
        <translation>State:</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>CLOSE</translation>
    </message>
</context>
<context>
    <name>Tooltips</name>
    <message>
        <source>从遥控器读取全部设置</source>
        <translation>Read all settings from the transmitter</translation>
    </message>
    <message>
        <source>从文件加载设置</source>
        <translation>Load settings from a file</translation>
    </message>
    <message>
        <source>把全部设置写入遥控器</source>
        <translation>Write all settings to the transmitter</translation>
    </message>
    <message>
        <source>把设置保存到文件</source>
        <translation>Save the settings to a file</translation>
    </message>
    <message>
        <source>恢复出厂设置并写入遥控器</source>
        <translation>Restore the factory settings and write them to the transmitter</translation>
    </message>
    <message>
        <source>打开或关闭所选串口</source>
        <translation>Open or close the chosen serial port</translation>
    </message>
    <message>
        <source>禁止：混控不起作用</source>
        <translation>Inh = inhibited: the mix does nothing</translation>
    </message>
    <message>
        <source>主控：带动混控的通道</source>
        <translation>From = master: the channel that drives the mix</translation>
    </message>
    <message>
        <source>被控：被混控带动的通道</source>
        <translation>To = slave: the channel the mix moves</translation>
    </message>
    <message>
        <source>偏置：混控输出的偏移</source>
        <translation>Offs = offset of the mix output</translation>
    </message>
    <message>
        <source>上边：主控摇杆在上半边时的比率</source>
        <translation>Up = rate with the master stick on its upper side</translation>
    </message>
    <message>
        <source>下边：主控摇杆在下半边时的比率</source>
        <translation>Dn = rate with the master stick on its lower side</translation>
    </message>
    <message>
        <source>正值使中立附近更灵敏，负值更柔和（见曲线）</source>
        <translation>Positive: quicker around centre; negative: softer (see the curve)</translation>
    </message>
    <message>
        <source>油门在右摇杆：模式 1、3；在左摇杆：模式 2、4</source>
        <translation>Throttle on the right stick: modes 1, 3; on the left: modes 2, 4</translation>
    </message>
    <message>
        <source>范围 %1 至 %2%3</source>
        <translation>Range %1 to %2%3</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>No serial port found</translation>
    </message>
    <message>
        <source>遥控器所接的串口：%1</source>
        <translation>Serial port of the transmitter: %1</translation>
    </message>
    <message>
        <source>连接指示：串口打开时为绿色</source>
        <translation>Link lamp: green while the port is open</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>CH1 至 CH4 由摇杆驱动，没有可选的来源</source>
        <translation>CH1 to CH4 follow the sticks: no source to choose</translation>
    </message>
    <message>
        <source>CH%1 的舵机输出，中立为 1000</source>
        <translation>CH%1 servo output, 1000 at centre</translation>
    </message>
    <message>
        <source>遥控器的电池电压</source>
        <translation>Battery voltage of the transmitter</translation>
    </message>
    <message>
        <source>外接（动力）电池的电压</source>
        <translation>Voltage of the external (power) battery</translation>
    </message>
    <message>
        <source>接收机的信号强度（dBm）</source>
        <translation>Signal strength at the receiver (dBm)</translation>
    </message>
</context>
<context>
    <name>cureWidget</name>
    <message>
        <source>曲线点%1：%2 %</source>
        <translation>Curve point %1: %2 %</translation>
    </message>
</context>
<context>
    <name>mWidget</name>
    <message>
        <source>比率：%1 %，指数：%2 %</source>
        <translation>Rate: %1 %, exponential: %2 %</translation>
    </message>
</context>
<context>
    <name>params::Change</name>
    <message>
        <source>and %1 more</source>
        <translation>and %1 more</translation>
    </message>
</context>
<context>
    <name>params::Field</name>
    <message>
        <source>State of the programmable mix: inhibited, switched off or switched on.</source>
        <translation>State of the programmable mix: inhibited, switched off or switched on.</translation>
    </message>
    <message>
        <source>Channel whose stick drives the mix.</source>
        <translation>Channel whose stick drives the mix.</translation>
    </message>
    <message>
        <source>Channel the mix moves as well.</source>
        <translation>Channel the mix moves as well.</translation>
    </message>
    <message>
        <source>Offset, upper-side and lower-side rate of the mix, in percent.</source>
        <translation>Offset, upper-side and lower-side rate of the mix, in percent.</translation>
    </message>
    <message>
        <source>Direction the channel&apos;s servo turns.</source>
        <translation>Direction the channel&apos;s servo turns.</translation>
    </message>
    <message>
        <source>Shift of the servo&apos;s centre, in percent.</source>
        <translation>Shift of the servo&apos;s centre, in percent.</translation>
    </message>
    <message>
        <source>How far the servo may travel to this side, in percent.</source>
        <translation>How far the servo may travel to this side, in percent.</translation>
    </message>
    <message>
        <source>Position the servo takes when the signal is lost, in percent.</source>
        <translation>Position the servo takes when the signal is lost, in percent.</translation>
    </message>
    <message>
        <source>Slows the servo&apos;s movement, in percent.</source>
        <translation>Slows the servo&apos;s movement, in percent.</translation>
    </message>
    <message>
        <source>Switch or knob that drives the channel.</source>
        <translation>Switch or knob that drives the channel.</translation>
    </message>
    <message>
        <source>Switches the dual rates on or off.</source>
        <translation>Switches the dual rates on or off.</translation>
    </message>
    <message>
        <source>Channel whose dual rates the page shows and edits.</source>
        <translation>Channel whose dual rates the page shows and edits.</translation>
    </message>
    <message>
        <source>Switch that selects the dual rate.</source>
        <translation>Switch that selects the dual rate.</translation>
    </message>
    <message>
        <source>Rate of the channel shown with the switch up, in percent.</source>
        <translation>Rate of the channel shown with the switch up, in percent.</translation>
    </message>
    <message>
        <source>Rate of the channel shown with the switch down, in percent.</source>
        <translation>Rate of the channel shown with the switch down, in percent.</translation>
    </message>
    <message>
        <source>Transmitter voltage below which it sounds the alarm.</source>
        <translation>Transmitter voltage below which it sounds the alarm.</translation>
    </message>
    <message>
        <source>Firmware version the transmitter reports.</source>
        <translation>Firmware version the transmitter reports.</translation>
    </message>
    <message>
        <source>Channel that selects the attitude, or off.</source>
        <translation>Channel that selects the attitude, or off.</translation>
    </message>
    <message>
        <source>Output of the attitude position, in percent.</source>
        <translation>Output of the attitude position, in percent.</translation>
    </message>
    <message>
        <source>Switches the elevon mix on or off.</source>
        <translation>Switches the elevon mix on or off.</translation>
    </message>
    <message>
        <source>Rate of the elevon mix, in percent.</source>
        <translation>Rate of the elevon mix, in percent.</translation>
    </message>
    <message>
        <source>Switches the V-tail mix on or off.</source>
        <translation>Switches the V-tail mix on or off.</translation>
    </message>
    <message>
        <source>Rate of the V-tail mix, in percent.</source>
        <translation>Rate of the V-tail mix, in percent.</translation>
    </message>
    <message>
        <source>Switch position whose rate and exponential the curve shows.</source>
        <translation>Switch position whose rate and exponential the curve shows.</translation>
    </message>
    <message>
        <source>Rate of the channel and switch position shown, in percent.</source>
        <translation>Rate of the channel and switch position shown, in percent.</translation>
    </message>
    <message>
        <source>Exponential of the channel and switch position shown, in percent.</source>
        <translation>Exponential of the channel and switch position shown, in percent.</translation>
    </message>
    <message>
        <source>Stored dual rate of the channel, in percent.</source>
        <translation>Stored dual rate of the channel, in percent.</translation>
    </message>
    <message>
        <source>Stored exponential of the channel, in percent.</source>
        <translation>Stored exponential of the channel, in percent.</translation>
    </message>
    <message>
        <source>Switches the throttle curve on or off.</source>
        <translation>Switches the throttle curve on or off.</translation>
    </message>
    <message>
        <source>Throttle output at this stick point, in percent.</source>
        <translation>Throttle output at this stick point, in percent.</translation>
    </message>
    <message>
        <source>A value kept as the transmitter sent it.</source>
        <translation>A value kept as the transmitter sent it.</translation>
    </message>
    <message>
        <source>The extra word divided by ten.</source>
        <translation>The extra word divided by ten.</translation>
    </message>
    <message>
        <source>Which stick works which channel.</source>
        <translation>Which stick works which channel.</translation>
    </message>
    <message>
        <source>inhibited</source>
        <translation>inhibited</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>mix %1 state</source>
        <translation>mix %1 state</translation>
    </message>
    <message>
        <source>mix %1 master channel</source>
        <translation>mix %1 master channel</translation>
    </message>
    <message>
        <source>mix %1 slave channel</source>
        <translation>mix %1 slave channel</translation>
    </message>
    <message>
        <source>mix %1 offset</source>
        <translation>mix %1 offset</translation>
    </message>
    <message>
        <source>mix %1 upper-side rate</source>
        <translation>mix %1 upper-side rate</translation>
    </message>
    <message>
        <source>mix %1 lower-side rate</source>
        <translation>mix %1 lower-side rate</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>reversed</source>
        <translation>reversed</translation>
    </message>
    <message>
        <source>CH%1 phase</source>
        <translation>CH%1 phase</translation>
    </message>
    <message>
        <source>CH%1 sub-trim</source>
        <translation>CH%1 sub-trim</translation>
    </message>
    <message>
        <source>CH%1 travel left</source>
        <translation>CH%1 travel left</translation>
    </message>
    <message>
        <source>CH%1 travel right</source>
        <translation>CH%1 travel right</translation>
    </message>
    <message>
        <source>CH%1 fail-safe</source>
        <translation>CH%1 fail-safe</translation>
    </message>
    <message>
        <source>CH%1 delay</source>
        <translation>CH%1 delay</translation>
    </message>
    <message>
        <source>CH%1 source</source>
        <translation>CH%1 source</translation>
    </message>
    <message>
        <source>dual-rate mix</source>
        <translation>dual-rate mix</translation>
    </message>
    <message>
        <source>dual-rate channel shown</source>
        <translation>dual-rate channel shown</translation>
    </message>
    <message>
        <source>dual-rate switch</source>
        <translation>dual-rate switch</translation>
    </message>
    <message>
        <source>dual rate up, channel shown</source>
        <translation>dual rate up, channel shown</translation>
    </message>
    <message>
        <source>dual rate down, channel shown</source>
        <translation>dual rate down, channel shown</translation>
    </message>
    <message>
        <source>alarm voltage</source>
        <translation>alarm voltage</translation>
    </message>
    <message>
        <source>alarm voltage as edited</source>
        <translation>alarm voltage as edited</translation>
    </message>
    <message>
        <source>stick mode</source>
        <translation>stick mode</translation>
    </message>
    <message>
        <source>firmware version</source>
        <translation>firmware version</translation>
    </message>
    <message>
        <source>attitude channel</source>
        <translation>attitude channel</translation>
    </message>
    <message>
        <source>attitude %1</source>
        <translation>attitude %1</translation>
    </message>
    <message>
        <source>elevon mix</source>
        <translation>elevon mix</translation>
    </message>
    <message>
        <source>elevon rate %1</source>
        <translation>elevon rate %1</translation>
    </message>
    <message>
        <source>V-tail mix</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>V-tail rate %1</source>
        <translation>V-tail rate %1</translation>
    </message>
    <message>
        <source>dual-rate position shown</source>
        <translation>dual-rate position shown</translation>
    </message>
    <message>
        <source>dual rate, channel and position shown</source>
        <translation>dual rate, channel and position shown</translation>
    </message>
    <message>
        <source>exponential, channel and position shown</source>
        <translation>exponential, channel and position shown</translation>
    </message>
    <message>
        <source>CH%1 rate up</source>
        <translation>CH%1 rate up</translation>
    </message>
    <message>
        <source>CH%1 rate down</source>
        <translation>CH%1 rate down</translation>
    </message>
    <message>
        <source>CH%1 exponential up</source>
        <translation>CH%1 exponential up</translation>
    </message>
    <message>
        <source>CH%1 exponential down</source>
        <translation>CH%1 exponential down</translation>
    </message>
    <message>
        <source>throttle curve</source>
        <translation>throttle curve</translation>
    </message>
    <message>
        <source>throttle curve point %1</source>
        <translation>throttle curve point %1</translation>
    </message>
    <message>
        <source>throttle curve extra value</source>
        <translation>throttle curve extra value</translation>
    </message>
    <message>
        <source>extra word</source>
        <translation>extra word</translation>
    </message>
    <message>
        <source>extra word scaled</source>
        <translation>extra word scaled</translation>
    </message>
    <message>
        <source>extra signed value</source>
        <translation>extra signed value</translation>
    </message>
    <message>
        <source>%1 (no such item)</source>
        <translation>%1 (no such item)</translation>
    </message>
</context>
</TS>
