<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutBox</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>QM6200 calibration tool.</source>
        <translation>QM6200 校准工具。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>AppPaths</name>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>No home folder to keep the settings and parameter files in</source>
        <translation>没有主文件夹，无法保存设置和参数文件</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>无法写入 %1</translation>
    </message>
</context>
<context>
    <name>AutoMeasurePage</name>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
</context>
<context>
    <name>CalReport</name>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Freq (MHz)</source>
        <translation>频率 (MHz)</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>校准点</translation>
    </message>
    <message>
        <source>reference</source>
        <translation>参考</translation>
    </message>
    <message>
        <source>Calibration report</source>
        <translation>校准报告</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
</context>
<context>
    <name>FileResult</name>
    <message>
        <source>the file is read-only</source>
        <translation>文件为只读</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>Sorry, error not find.</source>
        <translation>抱歉，找不到错误信息。</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Report (*.html);;Spreadsheet (*.csv)</source>
        <translation>报告 (*.html);;电子表格 (*.csv)</translation>
    </message>
    <message>
        <source>read from the radio on %1 at %2</source>
        <translation>于 %2 从 %1 上的电台读取</translation>
    </message>
    <message>
        <source>Debug Parameter</source>
        <translation>调试参数</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>PTT</source>
        <translation>PTT</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;New(&amp;N)	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open(&amp;O)...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save(&amp;S)	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As(&amp;A)...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Open &amp;Data Folder</source>
        <translation>打开数据文件夹(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Report...</source>
        <translation>校准报告(&amp;R)...</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Write Power</source>
        <translation>写入功率</translation>
    </message>
    <message>
        <source>Sql Fine</source>
        <translation>静噪微调</translation>
    </message>
    <message>
        <source>Write Rssi</source>
        <translation>写入 RSSI</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>关于...</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Rx Tuning</source>
        <translation>接收调谐</translation>
    </message>
    <message>
        <source>Tx Mod</source>
        <translation>发射调制</translation>
    </message>
    <message>
        <source>Tone Mod</source>
        <translation>音调调制</translation>
    </message>
    <message>
        <source>Signal Mod</source>
        <translation>信令调制</translation>
    </message>
    <message>
        <source>Rx Test</source>
        <translation>接收测试</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>静噪</translation>
    </message>
    <message>
        <source>RSSI</source>
        <translation>RSSI</translation>
    </message>
    <message>
        <source>Param Files (*.dat)</source>
        <translation>参数文件 (*.dat)</translation>
    </message>
    <message>
        <source>the whole calibration region</source>
        <translation>整个校准区</translation>
    </message>
    <message>
        <source>the Power values</source>
        <translation>功率值</translation>
    </message>
    <message>
        <source>the RSSI values</source>
        <translation>RSSI 值</translation>
    </message>
    <message>
        <source>No value differs from what was read at %1.</source>
        <translation>与 %1 读取的数值相比，没有数值不同。</translation>
    </message>
    <message>
        <source> values</source>
        <translation> 个数值</translation>
    </message>
    <message>
        <source> and </source>
        <translation>，以及 </translation>
    </message>
    <message>
        <source>%1 bytes no page shows</source>
        <translation>%1 个不在任何页面上的字节</translation>
    </message>
    <message>
        <source>%1 differ from what was read at %2.</source>
        <translation>%1 与 %2 读取的不同。</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>已保存</translation>
    </message>
    <message>
        <source>Data Files (*.txt)</source>
        <translation>数据文件 (*.txt)</translation>
    </message>
    <message>
        <source>Exported</source>
        <translation>已导出</translation>
    </message>
    <message>
        <source>the data read from the radio at %1</source>
        <translation>%1 从电台读取的数据</translation>
    </message>
    <message>
        <source>the image New loaded</source>
        <translation>“新建”载入的数据</translation>
    </message>
    <message>
        <source>The radio&apos;s present values are unknown: it was not read since the program started.</source>
        <translation>电台当前的数值未知：程序启动后尚未读取电台。</translation>
    </message>
    <message>
        <source>The radio&apos;s present values are unknown: the last Read was on %1.</source>
        <translation>电台当前的数值未知：上次读取是在 %1 上。</translation>
    </message>
    <message>
        <source>Write %1 into the radio on %2?

From: %3
%4</source>
        <translation>将%1写入 %2 上的电台？

来源：%3
%4</translation>
    </message>
    <message>
        <source> Verify failed</source>
        <translation> 校验失败</translation>
    </message>
    <message>
        <source>No data folder to open: there is no home folder</source>
        <translation>没有可打开的数据文件夹：没有主文件夹</translation>
    </message>
    <message>
        <source>Cannot open the folder %1</source>
        <translation>无法打开文件夹 %1</translation>
    </message>
</context>
<context>
    <name>PageTable</name>
    <message>
        <source>30M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>30M</translation>
    </message>
    <message>
        <source>50M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>50M</translation>
    </message>
    <message>
        <source>66M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>66M</translation>
    </message>
    <message>
        <source>AM</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>AM</translation>
    </message>
    <message>
        <source>150M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>150M</translation>
    </message>
    <message>
        <source>150M L</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>150M L</translation>
    </message>
    <message>
        <source>150M R</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>150M R</translation>
    </message>
    <message>
        <source>250M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>250M</translation>
    </message>
    <message>
        <source>350M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>350M</translation>
    </message>
    <message>
        <source>450M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>450M</translation>
    </message>
    <message>
        <source>450M L</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>450M L</translation>
    </message>
    <message>
        <source>450M R</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>450M R</translation>
    </message>
    <message>
        <source>850M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation>850M</translation>
    </message>
    <message>
        <source>mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Freq</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Low (0-FF)</source>
        <translation>低 (0-FF)</translation>
    </message>
    <message>
        <source>Mid 2 (0-FF)</source>
        <translation>中 2 (0-FF)</translation>
    </message>
    <message>
        <source>Mid 1 (0-FF)</source>
        <translation>中 1 (0-FF)</translation>
    </message>
    <message>
        <source>High (0-FF)</source>
        <translation>高 (0-FF)</translation>
    </message>
    <message>
        <source>Adjust (0-3FF)</source>
        <translation>调整 (0-3FF)</translation>
    </message>
    <message>
        <source>MIC Gain db</source>
        <translation>MIC 增益 db</translation>
    </message>
    <message>
        <source>MOD Gain db</source>
        <translation>MOD 增益 db</translation>
    </message>
    <message>
        <source>MIC Fine (0-2A73)</source>
        <translation>MIC 微调 (0-2A73)</translation>
    </message>
    <message>
        <source>MOD Fine (0-2A73)</source>
        <translation>MOD 微调 (0-2A73)</translation>
    </message>
    <message>
        <source>Limit Ctrl (0-3FFF)</source>
        <translation>限幅控制 (0-3FFF)</translation>
    </message>
    <message>
        <source>DTMF (0-FF)</source>
        <translation>DTMF (0-FF)</translation>
    </message>
    <message>
        <source>DISC Gain db</source>
        <translation>鉴频增益 db</translation>
    </message>
    <message>
        <source>AUDIO Gain db</source>
        <translation>音频增益 db</translation>
    </message>
    <message>
        <source>DISC FIne (0-2A73)</source>
        <translation>鉴频微调 (0-2A73)</translation>
    </message>
    <message>
        <source>AUDIO Fine (0-2A73)</source>
        <translation>音频微调 (0-2A73)</translation>
    </message>
    <message>
        <source>W SQL1 (0-3FFF)</source>
        <translation>宽静噪1 (0-3FFF)</translation>
    </message>
    <message>
        <source>W SQL9 (0-3FFF)</source>
        <translation>宽静噪9 (0-3FFF)</translation>
    </message>
    <message>
        <source>N SQL1 (0-3FFF)</source>
        <translation>窄静噪1 (0-3FFF)</translation>
    </message>
    <message>
        <source>N SQL9 (0-3FFF)</source>
        <translation>窄静噪9 (0-3FFF)</translation>
    </message>
    <message>
        <source>RSSI1 (0-3FFF)</source>
        <translation>RSSI1 (0-3FFF)</translation>
    </message>
    <message>
        <source>RSSI9 (0-3FFF)</source>
        <translation>RSSI9 (0-3FFF)</translation>
    </message>
    <message>
        <source>W SQL</source>
        <translation>宽带静噪</translation>
    </message>
    <message>
        <source>N SQL</source>
        <translation>窄带静噪</translation>
    </message>
</context>
<context>
    <name>ParamFile</name>
    <message>
        <source>%1 bytes, a parameter file has %2</source>
        <translation>%1 字节，参数文件应为 %2 字节</translation>
    </message>
    <message>
        <source> (the file is empty)</source>
        <translation>（文件为空）</translation>
    </message>
    <message>
        <source>; the rest was ignored</source>
        <translation>；其余部分已忽略</translation>
    </message>
    <message>
        <source>文件不匹配</source>
        <translation>文件不匹配</translation>
    </message>
    <message>
        <source>not a QM6200 parameter file</source>
        <translation>不是 QM6200 参数文件</translation>
    </message>
</context>
<context>
    <name>PortDialog</name>
    <message>
        <source>Port Setting</source>
        <translation>端口设置</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>COM1</source>
        <translation>COM1</translation>
    </message>
    <message>
        <source>COM2</source>
        <translation>COM2</translation>
    </message>
    <message>
        <source>COM3</source>
        <translation>COM3</translation>
    </message>
    <message>
        <source>COM4</source>
        <translation>COM4</translation>
    </message>
    <message>
        <source>COM5</source>
        <translation>COM5</translation>
    </message>
    <message>
        <source>COM6</source>
        <translation>COM6</translation>
    </message>
    <message>
        <source>COM7</source>
        <translation>COM7</translation>
    </message>
    <message>
        <source>COM8</source>
        <translation>COM8</translation>
    </message>
    <message>
        <source>COM9</source>
        <translation>COM9</translation>
    </message>
    <message>
        <source>COM10</source>
        <translation>COM10</translation>
    </message>
    <message>
        <source>COM11</source>
        <translation>COM11</translation>
    </message>
    <message>
        <source>COM12</source>
        <translation>COM12</translation>
    </message>
    <message>
        <source>COM13</source>
        <translation>COM13</translation>
    </message>
    <message>
        <source>COM14</source>
        <translation>COM14</translation>
    </message>
    <message>
        <source>COM15</source>
        <translation>COM15</translation>
    </message>
    <message>
        <source>COM16</source>
        <translation>COM16</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open port fail!</source>
        <translation>打开端口失败！</translation>
    </message>
    <message>
        <source>No serial port found</source>
        <translation>未找到串口</translation>
    </message>
</context>
<context>
    <name>PortFailure</name>
    <message>
        <source>busy (%1)</source>
        <translation>端口被占用（%1）</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>正被其他程序使用</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>设备不存在</translation>
    </message>
    <message>
        <source>permission denied (%1)</source>
        <translation>没有权限（%1）</translation>
    </message>
    <message>
        <source>not a serial port</source>
        <translation>不是串口</translation>
    </message>
    <message>
        <source>stale lock file %1 of user %2 (process %3 is gone)</source>
        <translation>用户 %2 遗留的锁文件 %1（进程 %3 已不存在）</translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation>系统未给出原因</translation>
    </message>
    <message>
        <source>lock file %1 held by process %2</source>
        <translation>锁文件 %1 被进程 %2 持有</translation>
    </message>
</context>
<context>
    <name>PortPermission</name>
    <message>
        <source>run sudo usermod -aG %1 $USER and log in again</source>
        <translation>请运行 sudo usermod -aG %1 $USER 后重新登录</translation>
    </message>
    <message>
        <source>%1 may be opened by root only</source>
        <translation>%1 只有 root 可以打开</translation>
    </message>
    <message>
        <source>Permission denied: %1.</source>
        <translation>没有权限：%1。</translation>
    </message>
</context>
<context>
    <name>PowerPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation>PTT 开始</translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation>PTT 结束</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>RadioLink</name>
    <message>
        <source>请先结束PTT或开始命令: %1</source>
        <translation>请先结束PTT或开始命令: %1</translation>
    </message>
    <message>
        <source>Please select port</source>
        <translation>请选择端口</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>通信错误</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Port Invail</source>
        <translation>端口无效</translation>
    </message>
    <message>
        <source>Read fail!</source>
        <translation>读取失败！</translation>
    </message>
    <message>
        <source>Read success!</source>
        <translation>读取成功！</translation>
    </message>
    <message>
        <source>Port Invalid</source>
        <translation>端口无效</translation>
    </message>
    <message>
        <source>Write success!</source>
        <translation>写入成功！</translation>
    </message>
    <message>
        <source>Tx Mod</source>
        <translation>发射调制</translation>
    </message>
    <message>
        <source>Analog Rx</source>
        <translation>模拟接收</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Rx Tuning</source>
        <translation>接收调谐</translation>
    </message>
    <message>
        <source>Sql/Rssi</source>
        <translation>静噪/RSSI</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>存储</translation>
    </message>
</context>
<context>
    <name>ReadBackup</name>
    <message>
        <source>No backup of this Read: %1: %2</source>
        <translation>本次读取未备份：%1：%2</translation>
    </message>
    <message>
        <source>No backup of this Read: no home folder to keep it in</source>
        <translation>本次读取未备份：没有可保存备份的主文件夹</translation>
    </message>
    <message>
        <source>Cannot create the folder</source>
        <translation>无法创建文件夹</translation>
    </message>
</context>
<context>
    <name>RssiPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>RxTestPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>RxTuningPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>Cannot write the session log %1: %2</source>
        <translation>无法写入操作日志 %1：%2</translation>
    </message>
    <message>
        <source>No session log: no data folder to keep it in</source>
        <translation>不记录操作日志：没有可保存日志的数据文件夹</translation>
    </message>
</context>
<context>
    <name>SignalModPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation>PTT 开始</translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation>PTT 结束</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>SqlFineDialog</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
</context>
<context>
    <name>SqlPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>ToneModPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>PTT DTMF</source>
        <translation>PTT DTMF</translation>
    </message>
    <message>
        <source>DTMF Code</source>
        <translation>DTMF 码</translation>
    </message>
    <message>
        <source>PTT 1750</source>
        <translation>PTT 1750</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation>PTT 结束</translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>TxModPage</name>
    <message>
        <source>Spin1</source>
        <translation>Spin1</translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation>Tab1</translation>
    </message>
    <message>
        <source>Store All</source>
        <translation>全部存储</translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation>PTT 开始</translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation>PTT 结束</translation>
    </message>
    <message>
        <source>Stroe Current</source>
        <translation>存储当前</translation>
    </message>
</context>
<context>
    <name>WriteCheck</name>
    <message>
        <source>Verify failed: %1 %2 (%3 %4)</source>
        <translation>校验失败：%1 %2（%3 %4）</translation>
    </message>
    <message>
        <source>point differs</source>
        <translation>个校准点不同</translation>
    </message>
    <message>
        <source>points differ</source>
        <translation>个校准点不同</translation>
    </message>
    <message>
        <source>byte</source>
        <translation>个字节</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>个字节</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 处</translation>
    </message>
    <message>
        <source>Verify failed: %1</source>
        <translation>校验失败：%1</translation>
    </message>
</context>
<context>
    <name>qmcal</name>
    <message>
        <source>qmcal: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
</source>
        <translation>qmcal: 没有可显示窗口的显示器（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。
</translation>
    </message>
    <message>
        <source>Run it on a desktop, or on a virtual display:
  xvfb-run -a %1 --simulate
or with no screen at all:
  QT_QPA_PLATFORM=offscreen %1 --simulate
</source>
        <translation>请在桌面上运行，或在虚拟显示器上运行：
  xvfb-run -a %1 --simulate
或完全不用屏幕：
  QT_QPA_PLATFORM=offscreen %1 --simulate
</translation>
    </message>
    <message>
        <source>qmcal: cannot open the display &quot;%1&quot; that %2 names (QT_LOGGING_RULES=&apos;qt.qpa.*=true&apos; says why).
</source>
        <translation>qmcal: 无法打开 %2 指定的显示器“%1”（设置 QT_LOGGING_RULES=&apos;qt.qpa.*=true&apos; 可查看原因）。
</translation>
    </message>
    <message>
        <source>qmcal: cannot start the simulated radio: %1
</source>
        <translation>qmcal: 无法启动模拟电台: %1
</translation>
    </message>
    <message>
        <source>Calibration tool for the QM6200 radio.</source>
        <translation>QM6200 电台校准工具。</translation>
    </message>
    <message>
        <source>A parameter file to open at start, as File &gt; Open would.</source>
        <translation>启动时打开的参数文件，与“文件 &gt; 打开”相同。</translation>
    </message>
    <message>
        <source>one FILE at most, not %1</source>
        <translation>最多一个 FILE，而不是 %1</translation>
    </message>
    <message>
        <source>Try &apos;qmcal --help&apos; for more information.
</source>
        <translation>运行 &apos;qmcal --help&apos; 查看更多信息。
</translation>
    </message>
    <message>
        <source>Probe NAME (a device or pseudo-terminal) before the system&apos;s serial ports; repeatable.</source>
        <translation>先探测 NAME（设备或伪终端），再探测系统的串口；可重复给出。</translation>
    </message>
    <message>
        <source>Start a simulated radio on a pseudo-terminal and probe it first.</source>
        <translation>在伪终端上启动模拟电台，并首先探测它。</translation>
    </message>
    <message>
        <source>Show the calibration pages below the header.</source>
        <translation>在页头下方显示校准页面。</translation>
    </message>
    <message>
        <source>qmcal: --simulate needs a system with pseudo-terminals
</source>
        <translation>qmcal: --simulate 需要支持伪终端的系统
</translation>
    </message>
</context>
<context>
    <name>qmcal-cli</name>
    <message>
        <source>Default.dat (neither beside qmcal-cli nor in qmcal/ under the data folders)</source>
        <translation>Default.dat（既不在 qmcal-cli 旁边，也不在数据文件夹下的 qmcal/ 中）</translation>
    </message>
    <message>
        <source> cannot be read</source>
        <translation> 无法读取</translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1%2; the image starts from zeros and out-of-range values become 0
</source>
        <translation>qmcal-cli: 警告: %1%2；映像从全零开始，超出范围的数值变为 0
</translation>
    </message>
    <message>
        <source>qmcal-cli: write error: %1
</source>
        <translation>qmcal-cli: 写入错误: %1
</translation>
    </message>
    <message>
        <source>show this help</source>
        <translation>显示此帮助</translation>
    </message>
    <message>
        <source>print the result as JSON</source>
        <translation>以 JSON 格式输出结果</translation>
    </message>
    <message>
        <source>keep no copy of the image in backup/</source>
        <translation>不在 backup/ 中保留映像副本</translation>
    </message>
    <message>
        <source>read the stored values back and compare them</source>
        <translation>读回已存储的数值并进行比较</translation>
    </message>
    <message>
        <source>probe NAME first, then the system&apos;s ports; may be repeated</source>
        <translation>先探测 NAME，再探测系统的端口；可重复给出</translation>
    </message>
    <message>
        <source>compare with REF.dat instead of the Default.dat loaded</source>
        <translation>与 REF.dat 比较，而不是与载入的 Default.dat 比较</translation>
    </message>
    <message>
        <source>write to FILE (CSV when it ends in .csv) instead of standard output</source>
        <translation>写入 FILE（以 .csv 结尾时为 CSV），而不是标准输出</translation>
    </message>
    <message>
        <source>the Default.dat to load</source>
        <translation>要载入的 Default.dat</translation>
    </message>
    <message>
        <source>the language of the texts: zh_CN, en, ... or source for the texts as written (default: the system&apos;s)</source>
        <translation>文字的语言：zh_CN、en……，或 source 表示原文（默认：系统的语言）</translation>
    </message>
    <message>
        <source>No serial port to probe.
</source>
        <translation>没有可探测的串口。
</translation>
    </message>
    <message>
        <source>The radio answered on none of: %1
</source>
        <translation>以下端口均无电台应答: %1
</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>qmcal-cli: unknown page %1 (one of %2)
</source>
        <translation>qmcal-cli: 未知页面 %1（应为 %2 之一）
</translation>
    </message>
    <message>
        <source>Open port fail!</source>
        <translation>打开端口失败！</translation>
    </message>
    <message>
        <source>show this help; after a command, its own</source>
        <translation>显示此帮助；跟在命令后时显示该命令的帮助</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>显示版本</translation>
    </message>
    <message>
        <source>qmcal-cli: unknown command %1

</source>
        <translation>qmcal-cli: 未知命令 %1

</translation>
    </message>
    <message>
        <source>every command</source>
        <translation>所有命令</translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1: %2
</source>
        <translation>qmcal-cli: 警告: %1: %2
</translation>
    </message>
    <message>
        <source>qmcal-cli: %1: the same file as %2, named twice (an output cannot be one of the inputs)
</source>
        <translation>qmcal-cli: %1: 与 %2 是同一个文件，被指定了两次（输出不能是输入之一）
</translation>
    </message>
    <message>
        <source>Backup: %1
</source>
        <translation>备份: %1
</translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1
</source>
        <translation>qmcal-cli: 警告: %1
</translation>
    </message>
    <message>
        <source>usage: qmcal-cli %1 %2
</source>
        <translation>用法: qmcal-cli %1 %2
</translation>
    </message>
    <message>
        <source>usage: qmcal-cli COMMAND ARGS...
       qmcal-cli --help | --version

commands:
</source>
        <translation>用法: qmcal-cli 命令 参数...
      qmcal-cli --help | --version

命令:
</translation>
    </message>
    <message>
        <source>
options:
</source>
        <translation>
选项:
</translation>
    </message>
    <message>
        <source>
PAGE is one of %1.
--default FILE names the Default.dat to load (default: the one beside qmcal-cli,
else qmcal/Default.dat in $XDG_DATA_HOME or $XDG_DATA_DIRS, such as /usr/share).
read also keeps a copy of the image in backup/ in the data folder (DATA beside
qmcal-cli, or ~/Documents/qmcal once installed; the newest %2 are kept).
make-default, export, read, verify and write-rssi add a line each to the session
log, log/qmcal-YYYYMMDD.log in the data folder ($QMCAL_DATA_DIR when set).
-- ends the options: every word after it is a file or port name.
An option&apos;s value may also follow it after &quot;=&quot;, as in --default=FILE.
Exit status: 0 done, 1 failed, 2 usage error; diff and verify: 0 alike,
1 different, 2 a file that cannot be read, a failed Read or a usage error.
</source>
        <translation>
PAGE 为 %1 之一。
--default FILE 指定要载入的 Default.dat（默认：qmcal-cli 旁边的那个，
否则为 $XDG_DATA_HOME 或 $XDG_DATA_DIRS（如 /usr/share）中的 qmcal/Default.dat）。
read 还会在数据文件夹的 backup/ 中保留一份映像副本（数据文件夹为 qmcal-cli 旁边的
DATA，安装后为 ~/Documents/qmcal；保留最新的 %2 份）。
make-default、export、read、verify 和 write-rssi 各在操作日志中记一行，
日志为数据文件夹中的 log/qmcal-YYYYMMDD.log（设置了 $QMCAL_DATA_DIR 时在其中）。
-- 结束选项：其后的每个词都是文件名或端口名。
选项的值也可以用“=”接在选项后，如 --default=FILE。
退出状态：0 完成，1 失败，2 用法错误；diff 和 verify：0 相同，
1 不同，2 文件无法读取、读取失败或用法错误。
</translation>
    </message>
</context>
</TS>
