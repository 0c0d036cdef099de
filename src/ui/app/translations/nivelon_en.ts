<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AddSensorDialog</name>
    <message>
        <source>Add sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sensor with address %1 is already on this line; choose another address.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddressDialog</name>
    <message>
        <source>New address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sensor on this line already has address %1.
Choose a free address, or first give that sensor another one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BaseSensor</name>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BaudRate</name>
    <message>
        <source>50bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>75bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>110bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>134bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>150bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>200bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>300bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>600bps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.2kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.8kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2.4kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4.8kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9.6kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14.4kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19.2kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38.4kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>56kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>57.6kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>76.8kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>115.2kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>128kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>256kbps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BusTypeDialog</name>
    <message>
        <source>Choose sensor model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor type can later be changed in Sensors menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bus Type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandCallback</name>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crc fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No echo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Echo mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong length</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigurationParameters</name>
    <message>
        <source>%1 cannot take &quot;%2&quot;: give a whole number from %3 to %4; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigurationTransfer</name>
    <message>
        <source>applied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused by the sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not kept: the sensor reads back another value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>written, not confirmed: this model does not report it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetectionReminderDialog</name>
    <message>
        <source>Sensors not detected, check connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EngineFactory</name>
    <message>
        <source>ZT-31</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TBus protocol, LIN interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-32</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MODBus protocol, RS-485 inteface</source>
        <translation>MODBus protocol, RS-485 interface</translation>
    </message>
    <message>
        <source>ZT-33</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface</source>
        <translation>Omnicomm protocol, RS-485 interface</translation>
    </message>
    <message>
        <source>ZT-34</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface</source>
        <translation>Omnicomm protocol, RS-232 interface</translation>
    </message>
    <message>
        <source>ZT-35</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-36</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MODBus protocol, RS-485 inteface, PWM output</source>
        <translation>MODBus protocol, RS-485 interface, PWM output</translation>
    </message>
    <message>
        <source>ZT-37</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface, PWM output</source>
        <translation>Omnicomm protocol, RS-485 interface, PWM output</translation>
    </message>
    <message>
        <source>ZT-38</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface, PWM output</source>
        <translation>Omnicomm protocol, RS-232 interface, PWM output</translation>
    </message>
    <message>
        <source>ZT-41</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 interface, analogue output 0.5-4.5V(0.5-9.5V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-42</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485/RS-232 interfaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-43</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 interface, analogue output 0.5-4.5V(0.5-9.5V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ModBus RTU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TBus</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExactInput</name>
    <message>
        <source>Allowed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it must be %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FailureStatusLine</name>
    <message>
        <source>%1 refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FleetLibraryDialog</name>
    <message>
        <source>Fetching the library from %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fleet tank library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Published by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Published</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The library could not be fetched: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fleet library holds no tank table yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n tank model(s) in the fleet library:</source>
        <translation>
            <numerusform>%n tank model in the fleet library:</numerusform>
            <numerusform>%n tank models in the fleet library:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FleetLink</name>
    <message numerus="yes">
        <source>fleet: %n waiting</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>fleet: connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fleet: not connected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FleetServerDialog</name>
    <message>
        <source>Fleet server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commissioning records and tank tables saved under a tank model go to this MQTT broker. What cannot be sent waits on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Client name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store the password (in a file only you can read)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CA file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MQTT version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CA file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected: the broker accepts this program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fleet server...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Publish the live readings of open sensors (one a second each)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While a sensor&apos;s tab is open, its readings go to the broker for the fleet&apos;s dashboards; they are not kept when the broker is out of reach.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HardwareSerialPort</name>
    <message>
        <source>%1 is in use by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another program may be using the port: bytes announced on it were gone when read (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nobody may write %2: it is no serial port, check the name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; %2 is for %3 only (group %4, mode %5): run as %3, or have the administrator give it to the dialout group (a udev rule)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeaderViewHiderMenu</name>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language changes at the next start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Russian</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LevelSensorWidget</name>
    <message>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VOID</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineDataModel</name>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Response</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineMonitorMode</name>
    <message>
        <source>Choose the port to watch first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line monitor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineMonitorPage</name>
    <message>
        <source>&lt;b&gt;Listening only: nothing is sent on %1.&lt;/b&gt; The vehicle&apos;s tracker stays the master of the line; Nivelon&apos;s own polling is paused until you stop watching.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for the protocol: listening at the line settings of %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decoding %1 on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineStatistics</name>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exchanges %1, ok %2, time-outs %3, checksum failures %4, other failures %5; reply %6 ms mean, %7 ms max; last heard %8; noise %9 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; frames sent unasked: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the line is noisy: %1 bytes in %2 s that belong to no exchange; check the wiring and that no other master is on the bus</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogDisplayController</name>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write to..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable all sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable all sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2 times)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. The log is no longer written to a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log files (*.log *.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. The log is not written to a file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Logger</name>
    <message>
        <source>PortStatus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LineData</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EngineState</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ModBusEngine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OmniCommEngine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OmniCommSensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TBusEngine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TBusSensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destruction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detector</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для отключения нажать Ctrl+Shift+L</source>
        <translation>Press Ctrl+Shift+L to hide</translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autoscroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every exchange on the line shows here in diagnostic mode: start with -g to fill this table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save plot..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save plot. Available with sensor tab selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bus Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обнаружение датчиков</source>
        <translation>Detect Sensors</translation>
    </message>
    <message>
        <source>Add Sensor..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query Interval..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detecting sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>found on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query Interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detecting sensors: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors not detected, check connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service controls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm empty and full calibration and normal temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On for this run: Nivelon was started with -t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Least time between two polls of a sensor, ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watch the line (listen only)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decode what the vehicle&apos;s tracker and the sensors say on the port, without sending a byte</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModBusSensor</name>
    <message>
        <source>rawlvl=%1, lvl=%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModBusSensorWidget</name>
    <message>
        <source>%n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation>Level in percent</translation>
    </message>
    <message>
        <source>Set address..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonitorFiguresModel</name>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checksum failures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exceptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poll period, ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Latency mean / max, ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent unasked</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MonitorLevelPlot</name>
    <message>
        <source>Seconds since watching began</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NumberDialog</name>
    <message>
        <source>Allowed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is refused: it must be %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OmniCommSensor</name>
    <message>
        <source>Raw level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FMax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FMin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SampleCount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM_Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ControlOutput</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DataFormat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NormalTemperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AnalogueOutputRatio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AnalogueOutputRange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extended configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>basic configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sensor at address %1 answers as %2 (%3); choose one of those models</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OmniCommSensorWidget</name>
    <message>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень в дискретах</source>
        <translation>Level in counts</translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота в условных единицах</source>
        <translation>Frequency in relative units</translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation>Level in percent</translation>
    </message>
    <message>
        <source>T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение с датчика температуры в дискретах АЦП</source>
        <translation>Temperature sensor reading in ADC counts</translation>
    </message>
    <message>
        <source>Указатель уровня</source>
        <translation>Level indicator</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fmin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота в условных единицах, соответствующая максимальному уровню</source>
        <translation>Frequency in relative units at the highest level</translation>
    </message>
    <message>
        <source>Fmax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота в условных единицах, соответствующая минимальному уровню</source>
        <translation>Frequency in relative units at the lowest level</translation>
    </message>
    <message>
        <source>Sample Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Количество выборок для усреднения.
Больше - выше устойчивость сигнала,
меньше - лучше скорость реакции на изменение уровня.</source>
        <translation>Number of samples averaged.
More: a steadier signal,
fewer: a quicker response to a change of level.</translation>
    </message>
    <message>
        <source>Data format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Формат ответа датчика на запрос уровня</source>
        <translation>Format of the sensor&apos;s reply to a level request</translation>
    </message>
    <message>
        <source>Control output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Граница включения лампы низкого уровня топлива</source>
        <translation>Threshold that lights the low-fuel lamp</translation>
    </message>
    <message>
        <source>PWM Max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заполнение ШИМ, соответствующее максимальному уровню</source>
        <translation>PWM duty cycle at the highest level</translation>
    </message>
    <message>
        <source>Normal Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Значение датчика температуры при нормальной температуре</source>
        <translation>Temperature sensor reading at normal temperature</translation>
    </message>
    <message>
        <source>Analogue Output Ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Коэффициент пересчёта уровня в напряжение на аналоговом выходе</source>
        <translation>Ratio from level to voltage on the analogue output</translation>
    </message>
    <message>
        <source>Analogue Output Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диапазон напряжений на аналоговом выходе</source>
        <translation>Voltage range of the analogue output</translation>
    </message>
    <message>
        <source>Autonomous interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интервал выдачи данных в автономном режиме, в секундах</source>
        <translation>Interval between readings sent in autonomous mode, in seconds</translation>
    </message>
    <message>
        <source>Auto mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Address..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1024 (10 bits)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4096 (12 bits)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8192 (13 bits)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.5-4.5V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0.5-9.5V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it must be from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it must be below %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it must be above %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No frequency reading to calibrate from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VOID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br/&gt;Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the present frequency, %1, as the empty tank&apos;s (Fmax)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the present frequency, %1, as the full tank&apos;s (Fmin)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This sensor model does not send by itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This sensor model has no PWM output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This sensor model has no control output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This sensor model has no analogue output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switching the mode...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency, Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network (polled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>autonomous (sends by itself)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not read yet: the sensor sends by itself; its configuration is being read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not read yet: the configuration is being read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not known: this model does not report it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not known: the sensor sends by itself and does not answer configuration reads (%1). Clear Auto mode to read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not known: the configuration read failed (%1). Refresh configuration to try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration read: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParameterWidget</name>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 refused by the sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlotSettingsDialog</name>
    <message>
        <source>Plot settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot samples limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm:ss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hh:mm:ss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ss:zzz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm:ss:zzz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hh:mm:ss:zzz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Percentage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlotStyles</name>
    <message>
        <source>No curve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sticks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dots</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortOptionsPanel</name>
    <message>
        <source>Auto search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a port that is not listed, such as a pseudo-terminal or a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add port...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortOptionsWidget</name>
    <message>
        <source>There is no device %1. Check the path; a pseudo-terminal or link must exist before it can be added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port %1 cannot be added to the list of ports.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device path:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileActions</name>
    <message>
        <source>Save profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This profile cannot be applied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile saved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile was not saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sensor has the configuration of %1 already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile: configuration read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile: writing %1=%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile %1: %2 of %3 parameters applied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileApplyDialog</name>
    <message>
        <source>Apply profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sensor differs from the profile %1 in these parameters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Result</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a profile: %1 at character %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a profile of model %1, not of %2: nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown parameter &quot;%1&quot;: nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no parameters: nothing to apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a profile: the file holds a JSON array, not an object with &quot;format&quot;, &quot;model&quot; and &quot;parameters&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice: keep one, nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no format version: a profile has &quot;format&quot;: %1; is this a profile that &quot;nivelon-cli config --save&quot; wrote?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the format version must be the number %1, without quotes, not %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>format version %1 is not one this Nivelon reads (it reads %2): a newer Nivelon wrote it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a number, without quotes, not %2: nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FMin %1 is not below FMax %2: the sensor would refuse it; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PwmParameterWidget</name>
    <message>
        <source>Reverse</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordDialog</name>
    <message>
        <source>Commissioning record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle (registration or fleet number):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordExport</name>
    <message>
        <source>Commissioning record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commissioning record (*.pdf *.json)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordPage</name>
    <message>
        <source>Commissioning record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commissioning record: %1, address %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration in this session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer&apos;s signature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none: the protocol has no parameters to set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration points set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty tank frequency (FMax)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full tank frequency (FMin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw level (level, %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>* recorded before the level had settled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exchanges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checksum failures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other failures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reply time, mean and maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ms, %2 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last heard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Noise bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames sent unasked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency, Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not reported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computed from the shape %1, not yet confirmed by a pour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the shape %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level over the session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume, L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>autonomous (sends by itself)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network (polled)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SensorEvents</name>
    <message>
        <source>Sensor %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SensorWidget</name>
    <message>
        <source>STUB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lost: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>answers again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot data save..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to save plot data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow is off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot data saved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commissioning record...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reply since %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reply yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; the values shown are from then</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot data (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SerialEngine</name>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>%1; add your user to the dialout group (sudo usermod -aG dialout $USER), then log in again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; close that program first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the device stopped answering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the device stopped answering: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the adapter was unplugged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SerialPortManager</name>
    <message>
        <source>No COM ports found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of found COM port(s):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto detect enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto detect disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>port %1 detected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>port %1 removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors answer on port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line lost: %1 (%2); waiting for it to come back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line restored: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sensor answers on port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opened port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening port %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing port %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the line has been clean for %1 s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceControls</name>
    <message>
        <source>A service control: turn it on with Settings → Service controls (or start Nivelon with -t)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBusSensor</name>
    <message>
        <source>error minimum undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error maximum undefined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error calibration invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error unknown %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum ADC Value %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum ADC Value %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBusSensorWidget</name>
    <message>
        <source>LVL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set minimum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the sensor&apos;s present level its minimum (empty tank)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum set at the present level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the sensor&apos;s present level its maximum (full tank)?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum set at the present level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This sensor model cannot be calibrated from here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableFormat</name>
    <message>
        <source>the decimal sign &quot;%1&quot; is neither . nor ,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the separator &quot;%1&quot; cannot be told from the numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>raw level %1 is not a whole number from 0 to 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the litres at raw level %1 are not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not JSON at character %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>item %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither {&quot;x&quot;, &quot;a&quot;, &quot;b&quot;} nor {&quot;in&quot;, &quot;out&quot;}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the list holds no rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a raw level and litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no pairs of raw level and litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too large for a tank table</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankCalibration</name>
    <message>
        <source>%1 litres cannot be poured: give a volume above zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no pour waits for a reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no reading has come since the pour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a pour already waits for its reading</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankCalibrationDialog</name>
    <message>
        <source>Tank calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stability</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spread</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How far either side of one value the readings may lie and still count as settled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>±</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settling time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How long the readings must stay within the tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The litres poured in this step; for the first row, what the tank holds (0 when empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank then holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records the step once the level has settled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record unsettled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records the step now; the table marks the row as forced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo last step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes back the last row; its fuel stays in the tank, so the next step pours it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank calibration: %1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settling: %L1 s to go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 % of %L2 % allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The level has settled, but not above the last row: pour more before recording.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In the tank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>settled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1 recorded: %2 L at raw level %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row %1 taken back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 refused: %3; it stays %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n row(s) from %1</source>
        <translation>
            <numerusform>Loaded %n row from %1</numerusform>
            <numerusform>Loaded %n rows from %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Save tank table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank tables (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank table not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load tank table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank tables (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank table not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not loaded: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The tank table of %1 at %2 is not saved: %n row(s).</source>
        <translation>
            <numerusform>The tank table of %1 at %2 is not saved: %n row.</numerusform>
            <numerusform>The tank table of %1 at %2 is not saved: %n rows.</numerusform>
        </translation>
    </message>
    <message>
        <source>From shape...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computed from the shape: not yet confirmed by a pour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the shape, %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to export: the table has no rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) not saved are kept in %1, marked incomplete.</source>
        <translation>
            <numerusform>%n row not saved is kept in %1, marked incomplete.</numerusform>
            <numerusform>%n rows not saved are kept in %1, marked incomplete.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) not saved could not be kept: %1. Save the table elsewhere.</source>
        <translation>
            <numerusform>%n row not saved could not be kept: %1. Save the table elsewhere.</numerusform>
            <numerusform>%n rows not saved could not be kept: %1. Save the table elsewhere.</numerusform>
        </translation>
    </message>
    <message>
        <source>Tank model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. MAN TGX 400 L, to share the table with the fleet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the fleet library...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fleet tank library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No fleet server is set: choose one in Settings → Fleet server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n row(s) of %1 from the fleet library</source>
        <translation>
            <numerusform>Loaded %n row of %1 from the fleet library</numerusform>
            <numerusform>Loaded %n rows of %1 from the fleet library</numerusform>
        </translation>
    </message>
    <message>
        <source>Saved, and sent to the fleet library as %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankCalibrations</name>
    <message>
        <source>Tank calibration...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankExportDialog</name>
    <message>
        <source>Export tank table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nivelon tank table (CSV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pairs: raw level, litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON segments {x, a, b}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON pairs {in, out}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decimal sign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At most rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largest error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 L at %2 of %3 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank table not exported</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankFit</name>
    <message>
        <source>a fit needs at least 2 measured rows, the table has %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fitted to %1 measured rows, largest residual %2 L</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankLitresField</name>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 L (out of range)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The level lies outside the tank table: the litres are those of its nearest row</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankShape</name>
    <message>
        <source>%1 %2 mm %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not fit: it must be from 0 to half the width and the height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is below half the width, so the round top does not fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a profile needs at least 3 points, this one has %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the profile crosses itself: side %1 meets side %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the profile encloses no area</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankShapeDialog</name>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal cylinder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical cylinder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D-shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawn profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corner radius</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank table from the tank&apos;s shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the nominal shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tank and probe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probe starts above the bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probe&apos;s measuring length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted shape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measured rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dimension</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measured, L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal off, L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit off, L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The corners around the cross-section, ACROSS/UP in mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corners</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full: %L1 L. Computed from the shape until pours confirm it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fit is suspect: it changes the tank by more than %L1 %. Check the dimensions, the probe and the pours; it is not applied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fitted to %1 measured rows: the largest residual is %L2 L (%L3 L nominal).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probe start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 mm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankShapeTable</name>
    <message>
        <source>%1 points cannot be spread over raw levels 0 to %2: give 2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the shape holds no fuel between two rows at raw level %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankShapeText</name>
    <message>
        <source>%1 &quot;%2&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>profile point &quot;%1&quot; is not ACROSS/UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>profile point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no dimension &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tank shape: give one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs its %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the probe &quot;%1&quot; is not START:LENGTH in millimetres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe start %1 mm is below the tank&apos;s bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe length %1 mm is not above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>probe start %1 mm and length %2 mm reach above the tank&apos;s height %3 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>full scale %1 is not above 0</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankTable</name>
    <message>
        <source>litres %1 are below zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>raw level %1 is below zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>litres %1 do not rise above %2 of the row before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>raw level %1 does not rise above %2 of the row before</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TankTableFile</name>
    <message>
        <source>the header %1 is expected here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the forced rows &quot;%1&quot; are not row numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 wants 3 fields, this row has %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RawLevel %1 is not a whole number from 0 to 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the header %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no rows follow the header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the forced rows name a row that is not in the table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file (a device or a pipe)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 such a file can have</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
