<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutBox</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QM6200 calibration tool.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppPaths</name>
    <message>
        <source>Cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No home folder to keep the settings and parameter files in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AutoMeasurePage</name>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalReport</name>
    <message>
        <source>Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freq (MHz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileResult</name>
    <message>
        <source>the file is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, error not find.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Report (*.html);;Spreadsheet (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read from the radio on %1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debug Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New(&amp;N)	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open(&amp;O)...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save(&amp;S)	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sql Fine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Rssi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Tuning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tone Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Param Files (*.dat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the whole calibration region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Power values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the RSSI values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No value differs from what was read at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes no page shows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 differ from what was read at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data read from the radio at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image New loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio&apos;s present values are unknown: it was not read since the program started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio&apos;s present values are unknown: the last Read was on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write %1 into the radio on %2?

From: %3
%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Verify failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data folder to open: there is no home folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageTable</name>
    <message>
        <source>30M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>66M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>150M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>150M L</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>150M R</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>250M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>350M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>450M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>450M L</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>450M R</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>850M</source>
        <extracomment>A band&apos;s name on the radio: keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low (0-FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mid 2 (0-FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mid 1 (0-FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High (0-FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjust (0-3FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIC Gain db</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOD Gain db</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIC Fine (0-2A73)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MOD Fine (0-2A73)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit Ctrl (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF (0-FF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DISC Gain db</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUDIO Gain db</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DISC FIne (0-2A73)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUDIO Fine (0-2A73)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W SQL1 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W SQL9 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N SQL1 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N SQL9 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI1 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI9 (0-3FFF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W SQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N SQL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParamFile</name>
    <message>
        <source>%1 bytes, a parameter file has %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (the file is empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the rest was ignored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不匹配</source>
        <translation>File does not match</translation>
    </message>
    <message>
        <source>not a QM6200 parameter file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortDialog</name>
    <message>
        <source>Port Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open port fail!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial port found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortFailure</name>
    <message>
        <source>busy (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a serial port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stale lock file %1 of user %2 (process %3 is gone)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lock file %1 held by process %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortPermission</name>
    <message>
        <source>run sudo usermod -aG %1 $USER and log in again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 may be opened by root only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PowerPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RadioLink</name>
    <message>
        <source>请先结束PTT或开始命令: %1</source>
        <translation>End PTT or start the command first: %1</translation>
    </message>
    <message>
        <source>Please select port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port Invail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read fail!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read success!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port Invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write success!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Rx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Tuning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sql/Rssi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadBackup</name>
    <message>
        <source>No backup of this Read: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backup of this Read: no home folder to keep it in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RssiPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RxTestPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RxTuningPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>Cannot write the session log %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No session log: no data folder to keep it in</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SignalModPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SqlFineDialog</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SqlPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToneModPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT DTMF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT 1750</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TxModPage</name>
    <message>
        <source>Spin1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stroe Current</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WriteCheck</name>
    <message>
        <source>Verify failed: %1 %2 (%3 %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>point differs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>points differ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qmcal</name>
    <message>
        <source>qmcal: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run it on a desktop, or on a virtual display:
  xvfb-run -a %1 --simulate
or with no screen at all:
  QT_QPA_PLATFORM=offscreen %1 --simulate
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal: cannot open the display &quot;%1&quot; that %2 names (QT_LOGGING_RULES=&apos;qt.qpa.*=true&apos; says why).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal: cannot start the simulated radio: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration tool for the QM6200 radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A parameter file to open at start, as File &gt; Open would.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one FILE at most, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;qmcal --help&apos; for more information.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probe NAME (a device or pseudo-terminal) before the system&apos;s serial ports; repeatable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a simulated radio on a pseudo-terminal and probe it first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the calibration pages below the header.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal: --simulate needs a system with pseudo-terminals
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qmcal-cli</name>
    <message>
        <source>Default.dat (neither beside qmcal-cli nor in qmcal/ under the data folders)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1%2; the image starts from zeros and out-of-range values become 0
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: write error: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>show this help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the result as JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep no copy of the image in backup/</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the stored values back and compare them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe NAME first, then the system&apos;s ports; may be repeated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compare with REF.dat instead of the Default.dat loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write to FILE (CSV when it ends in .csv) instead of standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Default.dat to load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the language of the texts: zh_CN, en, ... or source for the texts as written (default: the system&apos;s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial port to probe.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio answered on none of: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: unknown page %1 (one of %2)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open port fail!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>show this help; after a command, its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>show the version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: unknown command %1

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1: %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: %1: the same file as %2, named twice (an output cannot be one of the inputs)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qmcal-cli: warning: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: qmcal-cli %1 %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: qmcal-cli COMMAND ARGS...
       qmcal-cli --help | --version

commands:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
options:
</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
