<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-33</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-34</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-37</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface, PWM output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ZT-38</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface, PWM output</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Space</source>
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
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bus Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обнаружение датчиков</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Sensor..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
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
        <source>Cannot open port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add your user to the dialout group (sudo usermod -aG dialout $USER), then log in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query Interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms</source>
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
</context>
<context>
    <name>ModBusEngine</name>
    <message>
        <source>Address</source>
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
    <name>OmniCommEngine</name>
    <message>
        <source>Address</source>
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
        <source>Add sensor</source>
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
</context>
<context>
    <name>TBusEngine</name>
    <message>
        <source>Address</source>
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
</TS>
