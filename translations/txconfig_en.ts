<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
</context>
</TS>
