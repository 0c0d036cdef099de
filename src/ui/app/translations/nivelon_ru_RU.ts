<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AddSensorDialog</name>
    <message>
        <source>Add sensor</source>
        <translation>Добавить датчик</translation>
    </message>
    <message>
        <source>A sensor with address %1 is already on this line; choose another address.</source>
        <translation>Датчик с адресом %1 уже есть на этой линии; выберите другой адрес.</translation>
    </message>
</context>
<context>
    <name>AddressDialog</name>
    <message>
        <source>New address</source>
        <translation>Новый адрес</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>A sensor on this line already has address %1.
Choose a free address, or first give that sensor another one.</source>
        <translation>Датчик на этой линии уже имеет адрес %1.
Выберите свободный адрес или сначала дайте тому датчику другой.</translation>
    </message>
</context>
<context>
    <name>BaseSensor</name>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
</context>
<context>
    <name>BaudRate</name>
    <message>
        <source>50bps</source>
        <translation>50 бит/с</translation>
    </message>
    <message>
        <source>75bps</source>
        <translation>75 бит/с</translation>
    </message>
    <message>
        <source>110bps</source>
        <translation>110 бит/с</translation>
    </message>
    <message>
        <source>134bps</source>
        <translation>134 бит/с</translation>
    </message>
    <message>
        <source>150bps</source>
        <translation>150 бит/с</translation>
    </message>
    <message>
        <source>200bps</source>
        <translation>200 бит/с</translation>
    </message>
    <message>
        <source>300bps</source>
        <translation>300 бит/с</translation>
    </message>
    <message>
        <source>600bps</source>
        <translation>600 бит/с</translation>
    </message>
    <message>
        <source>1.2kbps</source>
        <translation>1,2 кбит/с</translation>
    </message>
    <message>
        <source>1.8kbps</source>
        <translation>1,8 кбит/с</translation>
    </message>
    <message>
        <source>2.4kbps</source>
        <translation>2,4 кбит/с</translation>
    </message>
    <message>
        <source>4.8kbps</source>
        <translation>4,8 кбит/с</translation>
    </message>
    <message>
        <source>9.6kbps</source>
        <translation>9,6 кбит/с</translation>
    </message>
    <message>
        <source>14.4kbps</source>
        <translation>14,4 кбит/с</translation>
    </message>
    <message>
        <source>19.2kbps</source>
        <translation>19,2 кбит/с</translation>
    </message>
    <message>
        <source>38.4kbps</source>
        <translation>38,4 кбит/с</translation>
    </message>
    <message>
        <source>56kbps</source>
        <translation>56 кбит/с</translation>
    </message>
    <message>
        <source>57.6kbps</source>
        <translation>57,6 кбит/с</translation>
    </message>
    <message>
        <source>76.8kbps</source>
        <translation>76,8 кбит/с</translation>
    </message>
    <message>
        <source>115.2kbps</source>
        <translation>115,2 кбит/с</translation>
    </message>
    <message>
        <source>128kbps</source>
        <translation>128 кбит/с</translation>
    </message>
    <message>
        <source>256kbps</source>
        <translation>256 кбит/с</translation>
    </message>
</context>
<context>
    <name>BusTypeDialog</name>
    <message>
        <source>Choose sensor model</source>
        <translation>Выберите модель датчика</translation>
    </message>
    <message>
        <source>Sensor type can later be changed in Sensors menu</source>
        <translation>Тип датчика можно изменить позже в меню «Датчики»</translation>
    </message>
    <message>
        <source>Bus Type</source>
        <translation>Тип шины</translation>
    </message>
</context>
<context>
    <name>CommandCallback</name>
    <message>
        <source>Ok</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Нет ответа</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Сбой</translation>
    </message>
    <message>
        <source>Crc fail</source>
        <translation>Ошибка CRC</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Отменено</translation>
    </message>
    <message>
        <source>Nack</source>
        <translation>Отказ</translation>
    </message>
    <message>
        <source>Stray</source>
        <translation>Посторонние данные</translation>
    </message>
    <message>
        <source>No echo</source>
        <translation>Нет эха</translation>
    </message>
    <message>
        <source>Echo mismatch</source>
        <translation>Эхо не совпадает</translation>
    </message>
    <message>
        <source>Wrong length</source>
        <translation>Неверная длина</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Ошибка %1</translation>
    </message>
</context>
<context>
    <name>ConfigurationParameters</name>
    <message>
        <source>%1 cannot take &quot;%2&quot;: give a whole number from %3 to %4; nothing was written</source>
        <translation>%1 не может принять «%2»: укажите целое число от %3 до %4; ничего не записано</translation>
    </message>
</context>
<context>
    <name>ConfigurationTransfer</name>
    <message>
        <source>applied</source>
        <translation>применён</translation>
    </message>
    <message>
        <source>refused by the sensor</source>
        <translation>отклонён датчиком</translation>
    </message>
    <message>
        <source>not kept: the sensor reads back another value</source>
        <translation>не сохранён: датчик возвращает другое значение</translation>
    </message>
    <message>
        <source>written, not confirmed: this model does not report it</source>
        <translation>записан, не подтверждён: эта модель его не сообщает</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>не записан</translation>
    </message>
</context>
<context>
    <name>DetectionReminderDialog</name>
    <message>
        <source>Sensors not detected, check connection</source>
        <translation>Датчики не обнаружены, проверьте подключение</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
</context>
<context>
    <name>EngineFactory</name>
    <message>
        <source>ZT-31</source>
        <translation>ZT-31</translation>
    </message>
    <message>
        <source>TBus protocol, LIN interface</source>
        <translation>Протокол TBus, интерфейс LIN</translation>
    </message>
    <message>
        <source>ZT-32</source>
        <translation>ZT-32</translation>
    </message>
    <message>
        <source>MODBus protocol, RS-485 inteface</source>
        <translation>Протокол MODBus, интерфейс RS-485</translation>
    </message>
    <message>
        <source>ZT-33</source>
        <translation>ZT-33</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface</source>
        <translation>Протокол Omnicomm, интерфейс RS-485</translation>
    </message>
    <message>
        <source>ZT-34</source>
        <translation>ZT-34</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface</source>
        <translation>Протокол Omnicomm, интерфейс RS-232</translation>
    </message>
    <message>
        <source>ZT-35</source>
        <translation>ZT-35</translation>
    </message>
    <message>
        <source>ZT-36</source>
        <translation>ZT-36</translation>
    </message>
    <message>
        <source>MODBus protocol, RS-485 inteface, PWM output</source>
        <translation>Протокол MODBus, интерфейс RS-485, выход ШИМ</translation>
    </message>
    <message>
        <source>ZT-37</source>
        <translation>ZT-37</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 inteface, PWM output</source>
        <translation>Протокол Omnicomm, интерфейс RS-485, выход ШИМ</translation>
    </message>
    <message>
        <source>ZT-38</source>
        <translation>ZT-38</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 inteface, PWM output</source>
        <translation>Протокол Omnicomm, интерфейс RS-232, выход ШИМ</translation>
    </message>
    <message>
        <source>ZT-41</source>
        <translation>ZT-41</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485 interface, analogue output 0.5-4.5V(0.5-9.5V)</source>
        <translation>Протокол Omnicomm, интерфейс RS-485, аналоговый выход 0,5–4,5 В (0,5–9,5 В)</translation>
    </message>
    <message>
        <source>ZT-42</source>
        <translation>ZT-42</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-485/RS-232 interfaces</source>
        <translation>Протокол Omnicomm, интерфейсы RS-485/RS-232</translation>
    </message>
    <message>
        <source>ZT-43</source>
        <translation>ZT-43</translation>
    </message>
    <message>
        <source>Omnicomm protocol, RS-232 interface, analogue output 0.5-4.5V(0.5-9.5V)</source>
        <translation>Протокол Omnicomm, интерфейс RS-232, аналоговый выход 0,5–4,5 В (0,5–9,5 В)</translation>
    </message>
    <message>
        <source>Omnicomm</source>
        <translation>Omnicomm</translation>
    </message>
    <message>
        <source>ModBus RTU</source>
        <translation>ModBus RTU</translation>
    </message>
    <message>
        <source>TBus</source>
        <translation>TBus</translation>
    </message>
</context>
<context>
    <name>ExactInput</name>
    <message>
        <source>Allowed: %1</source>
        <translation>Допустимо: %1</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>it must be %1</source>
        <translation>допустимы значения %1</translation>
    </message>
</context>
<context>
    <name>FailureStatusLine</name>
    <message>
        <source>%1 refused</source>
        <translation>%1: отказ</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Sensor %1: %2</source>
        <translation>Датчик %1: %2</translation>
    </message>
</context>
<context>
    <name>FleetLibraryDialog</name>
    <message>
        <source>Fetching the library from %1...</source>
        <translation>Библиотека загружается с %1...</translation>
    </message>
    <message>
        <source>Fleet tank library</source>
        <translation>Библиотека баков автопарка</translation>
    </message>
    <message>
        <source>Tank model</source>
        <translation>Модель бака</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Строк</translation>
    </message>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Published by</source>
        <translation>Кем опубликована</translation>
    </message>
    <message>
        <source>Published</source>
        <translation>Когда опубликована</translation>
    </message>
    <message>
        <source>The library could not be fetched: %1</source>
        <translation>Не удалось загрузить библиотеку: %1</translation>
    </message>
    <message>
        <source>The fleet library holds no tank table yet.</source>
        <translation>В библиотеке автопарка ещё нет тарировочных таблиц.</translation>
    </message>
    <message numerus="yes">
        <source>%n tank model(s) in the fleet library:</source>
        <translation>
            <numerusform>%n модель бака в библиотеке автопарка:</numerusform>
            <numerusform>%n модели баков в библиотеке автопарка:</numerusform>
            <numerusform>%n моделей баков в библиотеке автопарка:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FleetLink</name>
    <message numerus="yes">
        <source>fleet: %n waiting</source>
        <translation>
            <numerusform>автопарк: %n ждёт отправки</numerusform>
            <numerusform>автопарк: %n ждут отправки</numerusform>
            <numerusform>автопарк: %n ждут отправки</numerusform>
        </translation>
    </message>
    <message>
        <source>fleet: connected</source>
        <translation>автопарк: подключено</translation>
    </message>
    <message>
        <source>fleet: not connected</source>
        <translation>автопарк: нет связи</translation>
    </message>
</context>
<context>
    <name>FleetServerDialog</name>
    <message>
        <source>Fleet server</source>
        <translation>Сервер автопарка</translation>
    </message>
    <message>
        <source>Commissioning records and tank tables saved under a tank model go to this MQTT broker. What cannot be sent waits on this computer.</source>
        <translation>Акты ввода в эксплуатацию и тарировочные таблицы, сохранённые с моделью бака, отправляются этому MQTT-брокеру. То, что нельзя отправить сейчас, ждёт на этом компьютере.</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>Адрес:</translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation>Префикс тем:</translation>
    </message>
    <message>
        <source>Client name:</source>
        <translation>Имя клиента:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>Store the password (in a file only you can read)</source>
        <translation>Сохранить пароль (в файле, доступном только вам)</translation>
    </message>
    <message>
        <source>CA file:</source>
        <translation>Файл УЦ:</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Выбрать...</translation>
    </message>
    <message>
        <source>MQTT version:</source>
        <translation>Версия MQTT:</translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation>Проверить связь</translation>
    </message>
    <message>
        <source>CA file</source>
        <translation>Файл УЦ</translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem);;All files (*)</source>
        <translation>Сертификаты (*.crt *.pem);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Подключение...</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>нет ответа за %1 с</translation>
    </message>
    <message>
        <source>Connected: the broker accepts this program.</source>
        <translation>Подключено: брокер принимает эту программу.</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Ошибка: %1</translation>
    </message>
    <message>
        <source>Fleet server...</source>
        <translation>Сервер автопарка...</translation>
    </message>
    <message>
        <source>Publish the live readings of open sensors (one a second each)</source>
        <translation>Публиковать текущие показания открытых датчиков (раз в секунду для каждого)</translation>
    </message>
    <message>
        <source>While a sensor&apos;s tab is open, its readings go to the broker for the fleet&apos;s dashboards; they are not kept when the broker is out of reach.</source>
        <translation>Пока вкладка датчика открыта, его показания уходят брокеру для диспетчерских панелей автопарка; пока брокер недоступен, они не сохраняются.</translation>
    </message>
</context>
<context>
    <name>HardwareSerialPort</name>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 занят другой программой</translation>
    </message>
    <message>
        <source>another program may be using the port: bytes announced on it were gone when read (%1)</source>
        <translation>порт, возможно, занят другой программой: объявленные байты исчезли до чтения (%1)</translation>
    </message>
    <message>
        <source>%1; nobody may write %2: it is no serial port, check the name</source>
        <translation>%1; в %2 не может писать никто: это не последовательный порт, проверьте имя</translation>
    </message>
    <message>
        <source>%1; %2 is for %3 only (group %4, mode %5): run as %3, or have the administrator give it to the dialout group (a udev rule)</source>
        <translation>%1; %2 доступен только %3 (группа %4, права %5): запустите от имени %3 или попросите администратора отдать его группе dialout (правило udev)</translation>
    </message>
</context>
<context>
    <name>HeaderViewHiderMenu</name>
    <message>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>The language changes at the next start</source>
        <translation>Язык сменится при следующем запуске</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
</context>
<context>
    <name>LevelSensorWidget</name>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>VOID</source>
        <translation>НЕТ ДАННЫХ</translation>
    </message>
</context>
<context>
    <name>LineDataModel</name>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Запрос</translation>
    </message>
    <message>
        <source>Response</source>
        <translation>Ответ</translation>
    </message>
</context>
<context>
    <name>LineMonitorMode</name>
    <message>
        <source>Choose the port to watch first.</source>
        <translation>Сначала выберите порт, который нужно слушать.</translation>
    </message>
    <message>
        <source>Line monitor</source>
        <translation>Монитор линии</translation>
    </message>
</context>
<context>
    <name>LineMonitorPage</name>
    <message>
        <source>&lt;b&gt;Listening only: nothing is sent on %1.&lt;/b&gt; The vehicle&apos;s tracker stays the master of the line; Nivelon&apos;s own polling is paused until you stop watching.</source>
        <translation>&lt;b&gt;Только прослушивание: в %1 ничего не передаётся.&lt;/b&gt; Ведущим на линии остаётся трекер машины; собственный опрос Nivelon приостановлен, пока вы не прекратите наблюдение.</translation>
    </message>
    <message>
        <source>Stop watching</source>
        <translation>Прекратить наблюдение</translation>
    </message>
    <message>
        <source>Looking for the protocol: listening at the line settings of %1…</source>
        <translation>Поиск протокола: прослушивание с настройками линии %1…</translation>
    </message>
    <message>
        <source>Decoding %1 on %2.</source>
        <translation>Декодируется %1 на %2.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation>Не удаётся слушать %1: %2</translation>
    </message>
</context>
<context>
    <name>LineStatistics</name>
    <message>
        <source>never</source>
        <translation>никогда</translation>
    </message>
    <message>
        <source>; frames sent unasked: %1</source>
        <translation>; кадров, присланных без запроса: %1</translation>
    </message>
    <message>
        <source>Exchanges %1, ok %2, time-outs %3, checksum failures %4, other failures %5; reply %6 ms mean, %7 ms max; last heard %8; noise %9 bytes</source>
        <translation>Обменов %1, успешно %2, тайм-аутов %3, ошибок CRC %4, прочих ошибок %5; ответ: среднее %6 мс, максимум %7 мс; последний ответ %8; помех %9 байт</translation>
    </message>
    <message>
        <source>the line is noisy: %1 bytes in %2 s that belong to no exchange; check the wiring and that no other master is on the bus</source>
        <translation>на линии помехи: %1 байт за %2 с не относятся ни к одному обмену; проверьте проводку и что на шине нет другого ведущего</translation>
    </message>
</context>
<context>
    <name>LogDisplayController</name>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Write to..</source>
        <translation>Записывать в файл..</translation>
    </message>
    <message>
        <source>Enable all sections</source>
        <translation>Включить все разделы</translation>
    </message>
    <message>
        <source>Disable all sections</source>
        <translation>Выключить все разделы</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>Файл журнала</translation>
    </message>
    <message>
        <source>%1. The log is no longer written to a file.</source>
        <translation>%1. Журнал больше не записывается в файл.</translation>
    </message>
    <message>
        <source>Log files (*.log *.txt)</source>
        <translation>Файлы журнала (*.log *.txt)</translation>
    </message>
    <message>
        <source>%1. The log is not written to a file.</source>
        <translation>%1. Журнал не записывается в файл.</translation>
    </message>
    <message>
        <source>%1 (%2 times)</source>
        <translation>%1 (%2 раз)</translation>
    </message>
</context>
<context>
    <name>Logger</name>
    <message>
        <source>PortStatus</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибки</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>LineData</source>
        <translation>Обмен</translation>
    </message>
    <message>
        <source>EngineState</source>
        <translation>Состояние движка</translation>
    </message>
    <message>
        <source>ModBusEngine</source>
        <translation>Движок ModBus</translation>
    </message>
    <message>
        <source>OmniCommEngine</source>
        <translation>Движок Omnicomm</translation>
    </message>
    <message>
        <source>OmniCommSensor</source>
        <translation>Датчик Omnicomm</translation>
    </message>
    <message>
        <source>TBusEngine</source>
        <translation>Движок TBus</translation>
    </message>
    <message>
        <source>TBusSensor</source>
        <translation>Датчик TBus</translation>
    </message>
    <message>
        <source>Destruction</source>
        <translation>Удаление</translation>
    </message>
    <message>
        <source>Detector</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Sensors</source>
        <translation>Датчики</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Sensors</source>
        <translation>Датчики</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Действия</translation>
    </message>
    <message>
        <source>Для отключения нажать Ctrl+Shift+L</source>
        <translation>Для отключения нажать Ctrl+Shift+L</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>Autoscroll</source>
        <translation>Прокрутка</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показывать</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Опрос</translation>
    </message>
    <message>
        <source>Save plot..</source>
        <translation>Сохранить график..</translation>
    </message>
    <message>
        <source>Save plot. Available with sensor tab selected</source>
        <translation>Сохранить график. Доступно на вкладке датчика</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Bus Type</source>
        <translation>Тип шины</translation>
    </message>
    <message>
        <source>Обнаружение датчиков</source>
        <translation>Обнаружение датчиков</translation>
    </message>
    <message>
        <source>Add Sensor..</source>
        <translation>Добавить датчик..</translation>
    </message>
    <message>
        <source>Plot..</source>
        <translation>График..</translation>
    </message>
    <message>
        <source>Query Interval..</source>
        <translation>Интервал опроса..</translation>
    </message>
    <message>
        <source>Detecting sensors</source>
        <translation>Поиск датчиков</translation>
    </message>
    <message>
        <source>Cannot open port %1: %2</source>
        <translation>Не удаётся открыть порт %1: %2</translation>
    </message>
    <message>
        <source>Query Interval</source>
        <translation>Интервал опроса</translation>
    </message>
    <message>
        <source>Detecting sensors: %1</source>
        <translation>Поиск датчиков: %1</translation>
    </message>
    <message>
        <source>Sensors not detected, check connection</source>
        <translation>Датчики не обнаружены, проверьте подключение</translation>
    </message>
    <message>
        <source>Every exchange on the line shows here in diagnostic mode: start with -g to fill this table.</source>
        <translation>В режиме диагностики здесь показывается каждый обмен по линии: запустите программу с ключом -g, чтобы заполнить эту таблицу.</translation>
    </message>
    <message>
        <source>found on %1</source>
        <translation>найден на %1</translation>
    </message>
    <message>
        <source>Service controls</source>
        <translation>Сервисные функции</translation>
    </message>
    <message>
        <source>Omnicomm empty and full calibration and normal temperature</source>
        <translation>Калибровка пустого и полного бака Omnicomm и нормальная температура</translation>
    </message>
    <message>
        <source>On for this run: Nivelon was started with -t</source>
        <translation>Включены на этот запуск: Nivelon запущен с ключом -t</translation>
    </message>
    <message>
        <source>Least time between two polls of a sensor, ms</source>
        <translation>Наименьшее время между двумя опросами датчика, мс</translation>
    </message>
    <message>
        <source>Watch the line (listen only)…</source>
        <translation>Наблюдать за линией (только прослушивание)…</translation>
    </message>
    <message>
        <source>Decode what the vehicle&apos;s tracker and the sensors say on the port, without sending a byte</source>
        <translation>Расшифровывать обмен трекера машины с датчиками на порту, не передавая ни байта</translation>
    </message>
</context>
<context>
    <name>ModBusSensor</name>
    <message>
        <source>rawlvl=%1, lvl=%2</source>
        <translation>сырой=%1, уровень=%2</translation>
    </message>
</context>
<context>
    <name>ModBusSensorWidget</name>
    <message>
        <source>%n</source>
        <translation>%n</translation>
    </message>
    <message>
        <source>Set address..</source>
        <translation>Сменить адрес..</translation>
    </message>
    <message>
        <source>Address change</source>
        <translation>Смена адреса</translation>
    </message>
    <message>
        <source>
Error</source>
        <translation>
Ошибка</translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation>Уровень в процентах</translation>
    </message>
</context>
<context>
    <name>MonitorFiguresModel</name>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Запросы</translation>
    </message>
    <message>
        <source>Replies</source>
        <translation>Ответы</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>Тайм-ауты</translation>
    </message>
    <message>
        <source>Checksum failures</source>
        <translation>Ошибки контрольной суммы</translation>
    </message>
    <message>
        <source>Exceptions</source>
        <translation>Исключения</translation>
    </message>
    <message>
        <source>Poll period, ms</source>
        <translation>Период опроса, мс</translation>
    </message>
    <message>
        <source>Latency mean / max, ms</source>
        <translation>Задержка средняя / макс., мс</translation>
    </message>
    <message>
        <source>Last level</source>
        <translation>Последний уровень</translation>
    </message>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Status codes</source>
        <translation>Коды состояния</translation>
    </message>
    <message>
        <source>Sent unasked</source>
        <translation>Отправлено без запроса</translation>
    </message>
</context>
<context>
    <name>MonitorLevelPlot</name>
    <message>
        <source>Seconds since watching began</source>
        <translation>Секунды с начала наблюдения</translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation>Уровень, %</translation>
    </message>
    <message>
        <source>Address %1</source>
        <translation>Адрес %1</translation>
    </message>
</context>
<context>
    <name>NumberDialog</name>
    <message>
        <source>Allowed: %1</source>
        <translation>Допустимо: %1</translation>
    </message>
    <message>
        <source>%1 is refused: it must be %2</source>
        <translation>%1 не принято: допустимы значения %2</translation>
    </message>
</context>
<context>
    <name>OmniCommSensor</name>
    <message>
        <source>extended configuration</source>
        <translation>расширенная конфигурация</translation>
    </message>
    <message>
        <source>basic configuration</source>
        <translation>базовая конфигурация</translation>
    </message>
    <message>
        <source>the sensor at address %1 answers as %2 (%3); choose one of those models</source>
        <translation>датчик с адресом %1 отвечает как %2 (%3); выберите одну из этих моделей</translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation>Сырой уровень</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Auto interval</source>
        <translation>Интервал автовыдачи</translation>
    </message>
    <message>
        <source>FMax</source>
        <translation>FMax</translation>
    </message>
    <message>
        <source>FMin</source>
        <translation>FMin</translation>
    </message>
    <message>
        <source>SampleCount</source>
        <translation>Число отсчётов</translation>
    </message>
    <message>
        <source>PWM_Max</source>
        <translation>ШИМ_Макс</translation>
    </message>
    <message>
        <source>ControlOutput</source>
        <translation>Управляющий выход</translation>
    </message>
    <message>
        <source>DataFormat</source>
        <translation>Формат данных</translation>
    </message>
    <message>
        <source>NormalTemperature</source>
        <translation>Нормальная температура</translation>
    </message>
    <message>
        <source>AnalogueOutputRatio</source>
        <translation>Коэффициент аналогового выхода</translation>
    </message>
    <message>
        <source>AnalogueOutputRange</source>
        <translation>Диапазон аналогового выхода</translation>
    </message>
</context>
<context>
    <name>OmniCommSensorWidget</name>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <source>Fmin</source>
        <translation>Fmin</translation>
    </message>
    <message>
        <source>Fmax</source>
        <translation>Fmax</translation>
    </message>
    <message>
        <source>Sample Count</source>
        <translation>Число отсчётов</translation>
    </message>
    <message>
        <source>Data format</source>
        <translation>Формат данных</translation>
    </message>
    <message>
        <source>Control output</source>
        <translation>Управляющий выход</translation>
    </message>
    <message>
        <source>PWM Max</source>
        <translation>Максимум ШИМ</translation>
    </message>
    <message>
        <source>Normal Temperature</source>
        <translation>Нормальная температура</translation>
    </message>
    <message>
        <source>Analogue Output Ratio</source>
        <translation>Коэффициент аналогового выхода</translation>
    </message>
    <message>
        <source>Analogue Output Range</source>
        <translation>Диапазон аналогового выхода</translation>
    </message>
    <message>
        <source>Autonomous interval</source>
        <translation>Интервал автовыдачи</translation>
    </message>
    <message>
        <source>Auto mode</source>
        <translation>Автовыдача</translation>
    </message>
    <message>
        <source>Change Address..</source>
        <translation>Сменить адрес..</translation>
    </message>
    <message>
        <source>Refresh Configuration</source>
        <translation>Обновить конфигурацию</translation>
    </message>
    <message>
        <source>Set Empty</source>
        <translation>Пустой бак</translation>
    </message>
    <message>
        <source>Set Full</source>
        <translation>Полный бак</translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation>Не определено</translation>
    </message>
    <message>
        <source>1024 (10 bits)</source>
        <translation>1024 (10 бит)</translation>
    </message>
    <message>
        <source>4096 (12 bits)</source>
        <translation>4096 (12 бит)</translation>
    </message>
    <message>
        <source>8192 (13 bits)</source>
        <translation>8192 (13 бит)</translation>
    </message>
    <message>
        <source>0.5-4.5V</source>
        <translation>0,5–4,5 В</translation>
    </message>
    <message>
        <source>0.5-9.5V</source>
        <translation>0,5–9,5 В</translation>
    </message>
    <message>
        <source>Mode switch</source>
        <translation>Смена режима</translation>
    </message>
    <message>
        <source>Configuration read</source>
        <translation>Чтение конфигурации</translation>
    </message>
    <message>
        <source>Configuration read: %1</source>
        <translation>Чтение конфигурации: %1</translation>
    </message>
    <message>
        <source>Address change</source>
        <translation>Смена адреса</translation>
    </message>
    <message>
        <source>No frequency reading to calibrate from</source>
        <translation>Нет измеренной частоты для калибровки</translation>
    </message>
    <message>
        <source>VOID</source>
        <translation>НЕТ ДАННЫХ</translation>
    </message>
    <message>
        <source>&lt;br/&gt;Error</source>
        <translation>&lt;br/&gt;Ошибка</translation>
    </message>
    <message>
        <source>it must be from %1 to %2</source>
        <translation>допустимы значения от %1 до %2</translation>
    </message>
    <message>
        <source>it must be below %1 (%2)</source>
        <translation>оно должно быть меньше %1 (%2)</translation>
    </message>
    <message>
        <source>it must be above %1 (%2)</source>
        <translation>оно должно быть больше %1 (%2)</translation>
    </message>
    <message>
        <source>Уровень в дискретах</source>
        <translation>Уровень в дискретах</translation>
    </message>
    <message>
        <source>Частота в условных единицах</source>
        <translation>Частота в условных единицах</translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation>Уровень в процентах</translation>
    </message>
    <message>
        <source>Значение с датчика температуры в дискретах АЦП</source>
        <translation>Значение с датчика температуры в дискретах АЦП</translation>
    </message>
    <message>
        <source>Указатель уровня</source>
        <translation>Указатель уровня</translation>
    </message>
    <message>
        <source>Частота в условных единицах, соответствующая максимальному уровню</source>
        <translation>Частота в условных единицах, соответствующая максимальному уровню</translation>
    </message>
    <message>
        <source>Частота в условных единицах, соответствующая минимальному уровню</source>
        <translation>Частота в условных единицах, соответствующая минимальному уровню</translation>
    </message>
    <message>
        <source>Формат ответа датчика на запрос уровня</source>
        <translation>Формат ответа датчика на запрос уровня</translation>
    </message>
    <message>
        <source>Граница включения лампы низкого уровня топлива</source>
        <translation>Граница включения лампы низкого уровня топлива</translation>
    </message>
    <message>
        <source>Заполнение ШИМ, соответствующее максимальному уровню</source>
        <translation>Заполнение ШИМ, соответствующее максимальному уровню</translation>
    </message>
    <message>
        <source>Значение датчика температуры при нормальной температуре</source>
        <translation>Значение датчика температуры при нормальной температуре</translation>
    </message>
    <message>
        <source>Коэффициент пересчёта уровня в напряжение на аналоговом выходе</source>
        <translation>Коэффициент пересчёта уровня в напряжение на аналоговом выходе</translation>
    </message>
    <message>
        <source>Диапазон напряжений на аналоговом выходе</source>
        <translation>Диапазон напряжений на аналоговом выходе</translation>
    </message>
    <message>
        <source>Интервал выдачи данных в автономном режиме, в секундах</source>
        <translation>Интервал выдачи данных в автономном режиме, в секундах</translation>
    </message>
    <message>
        <source>%1: %2 written</source>
        <translation>%1: записано %2</translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation>Записано: %1</translation>
    </message>
    <message>
        <source>Take the present frequency, %1, as the empty tank&apos;s (Fmax)?</source>
        <translation>Принять текущую частоту, %1, за частоту пустого бака (Fmax)?</translation>
    </message>
    <message>
        <source>Take the present frequency, %1, as the full tank&apos;s (Fmin)?</source>
        <translation>Принять текущую частоту, %1, за частоту полного бака (Fmin)?</translation>
    </message>
    <message>
        <source>Количество выборок для усреднения.
Больше - выше устойчивость сигнала,
меньше - лучше скорость реакции на изменение уровня.</source>
        <translation>Количество выборок для усреднения.
Больше - выше устойчивость сигнала,
меньше - лучше скорость реакции на изменение уровня.</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Гц</translation>
    </message>
    <message>
        <source>Frequency, Hz</source>
        <translation>Частота, Гц</translation>
    </message>
    <message>
        <source>Temperature, °C</source>
        <translation>Температура, °C</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>network (polled)</source>
        <translation>сетевой (по запросу)</translation>
    </message>
    <message>
        <source>autonomous (sends by itself)</source>
        <translation>автономный (передаёт сам)</translation>
    </message>
    <message>
        <source>Not read yet: the sensor sends by itself; its configuration is being read</source>
        <translation>Ещё не прочитано: датчик передаёт данные сам; его конфигурация читается</translation>
    </message>
    <message>
        <source>Not read yet: the configuration is being read</source>
        <translation>Ещё не прочитано: конфигурация читается</translation>
    </message>
    <message>
        <source>Not known: this model does not report it</source>
        <translation>Неизвестно: эта модель его не сообщает</translation>
    </message>
    <message>
        <source>Not known: the sensor sends by itself and does not answer configuration reads (%1). Clear Auto mode to read it.</source>
        <translation>Неизвестно: датчик передаёт данные сам и не отвечает на чтение конфигурации (%1). Снимите «Автовыдача», чтобы прочитать её.</translation>
    </message>
    <message>
        <source>Not known: the configuration read failed (%1). Refresh configuration to try again.</source>
        <translation>Неизвестно: конфигурация не прочитана (%1). Нажмите «Обновить конфигурацию», чтобы попробовать снова.</translation>
    </message>
    <message>
        <source>This sensor model does not send by itself</source>
        <translation>Эта модель датчика не выдаёт данные сама</translation>
    </message>
    <message>
        <source>This sensor model has no PWM output</source>
        <translation>У этой модели датчика нет выхода ШИМ</translation>
    </message>
    <message>
        <source>This sensor model has no control output</source>
        <translation>У этой модели датчика нет управляющего выхода</translation>
    </message>
    <message>
        <source>This sensor model has no analogue output</source>
        <translation>У этой модели датчика нет аналогового выхода</translation>
    </message>
    <message>
        <source>Switching the mode...</source>
        <translation>Режим переключается...</translation>
    </message>
</context>
<context>
    <name>ParameterWidget</name>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>%1 refused: %2</source>
        <translation>%1 отклонено: %2</translation>
    </message>
    <message>
        <source>%1 refused by the sensor</source>
        <translation>%1 отклонено датчиком</translation>
    </message>
    <message>
        <source>%1 not written: %2</source>
        <translation>%1 не записано: %2</translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation>%1 — записано</translation>
    </message>
</context>
<context>
    <name>PlotSettingsDialog</name>
    <message>
        <source>Plot settings</source>
        <translation>Настройки графика</translation>
    </message>
    <message>
        <source>Plot samples limit</source>
        <translation>Предел числа точек</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Без предела</translation>
    </message>
    <message>
        <source>Time format</source>
        <translation>Формат времени</translation>
    </message>
    <message>
        <source>mm:ss</source>
        <translation>mm:ss</translation>
    </message>
    <message>
        <source>hh:mm:ss</source>
        <translation>hh:mm:ss</translation>
    </message>
    <message>
        <source>ss:zzz</source>
        <translation>ss:zzz</translation>
    </message>
    <message>
        <source>mm:ss:zzz</source>
        <translation>mm:ss:zzz</translation>
    </message>
    <message>
        <source>hh:mm:ss:zzz</source>
        <translation>hh:mm:ss:zzz</translation>
    </message>
    <message>
        <source>Level format</source>
        <translation>Формат уровня</translation>
    </message>
    <message>
        <source>Percentage</source>
        <translation>Проценты</translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation>Сырой уровень</translation>
    </message>
    <message>
        <source>Line Style</source>
        <translation>Стиль линии</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Фон</translation>
    </message>
</context>
<context>
    <name>PlotStyles</name>
    <message>
        <source>No curve</source>
        <translation>Нет линии</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Линии</translation>
    </message>
    <message>
        <source>Sticks</source>
        <translation>Столбики</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Ступени</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Точки</translation>
    </message>
</context>
<context>
    <name>PortOptionsPanel</name>
    <message>
        <source>Auto search</source>
        <translation>Автопоиск</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Последовательный порт</translation>
    </message>
    <message>
        <source>Add a port that is not listed, such as a pseudo-terminal or a link</source>
        <translation>Добавить порт, которого нет в списке, например псевдотерминал или ссылку</translation>
    </message>
    <message>
        <source>Add port...</source>
        <translation>Добавить порт...</translation>
    </message>
</context>
<context>
    <name>PortOptionsWidget</name>
    <message>
        <source>There is no device %1. Check the path; a pseudo-terminal or link must exist before it can be added.</source>
        <translation>Устройства %1 нет. Проверьте путь: псевдотерминал или ссылка должны существовать до добавления.</translation>
    </message>
    <message>
        <source>The port %1 cannot be added to the list of ports.</source>
        <translation>Порт %1 нельзя добавить в список портов.</translation>
    </message>
    <message>
        <source>Add port</source>
        <translation>Добавить порт</translation>
    </message>
    <message>
        <source>Device path:</source>
        <translation>Путь к устройству:</translation>
    </message>
</context>
<context>
    <name>ProfileActions</name>
    <message>
        <source>Save profile...</source>
        <translation>Сохранить профиль...</translation>
    </message>
    <message>
        <source>Apply profile...</source>
        <translation>Применить профиль...</translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation>Сохранить профиль</translation>
    </message>
    <message>
        <source>Profiles (*.json)</source>
        <translation>Профили (*.json)</translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation>Применить профиль</translation>
    </message>
    <message>
        <source>This profile cannot be applied: %1</source>
        <translation>Этот профиль нельзя применить: %1</translation>
    </message>
    <message>
        <source>Profile saved to %1</source>
        <translation>Профиль сохранён в %1</translation>
    </message>
    <message>
        <source>The profile was not saved: %1</source>
        <translation>Профиль не сохранён: %1</translation>
    </message>
    <message>
        <source>The sensor has the configuration of %1 already</source>
        <translation>Конфигурация датчика уже совпадает с %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>Profile: configuration read</source>
        <translation>Профиль: чтение конфигурации</translation>
    </message>
    <message>
        <source>Profile: writing %1=%2</source>
        <translation>Профиль: запись %1=%2</translation>
    </message>
    <message>
        <source>Profile %1: %2 of %3 parameters applied</source>
        <translation>Профиль %1: применено параметров: %2 из %3</translation>
    </message>
</context>
<context>
    <name>ProfileApplyDialog</name>
    <message>
        <source>Apply profile</source>
        <translation>Применить профиль</translation>
    </message>
    <message>
        <source>The sensor differs from the profile %1 in these parameters:</source>
        <translation>Датчик отличается от профиля %1 этими параметрами:</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Профиль</translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation>Запись...</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
</context>
<context>
    <name>ProfileFile</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>not a profile: %1 at character %2</source>
        <translation>это не профиль: %1 в символе %2</translation>
    </message>
    <message>
        <source>a profile of model %1, not of %2: nothing was written</source>
        <translation>профиль модели %1, а не %2: ничего не записано</translation>
    </message>
    <message>
        <source>unknown parameter &quot;%1&quot;: nothing was written</source>
        <translation>неизвестный параметр «%1»: ничего не записано</translation>
    </message>
    <message>
        <source>no parameters: nothing to apply</source>
        <translation>нет параметров: применять нечего</translation>
    </message>
    <message>
        <source>not a profile: the file holds a JSON array, not an object with &quot;format&quot;, &quot;model&quot; and &quot;parameters&quot;</source>
        <translation>это не профиль: в файле массив JSON, а не объект с &quot;format&quot;, &quot;model&quot; и &quot;parameters&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice: keep one, nothing was written</source>
        <translation>&quot;%1&quot; указан дважды: оставьте один, ничего не записано</translation>
    </message>
    <message>
        <source>no format version: a profile has &quot;format&quot;: %1; is this a profile that &quot;nivelon-cli config --save&quot; wrote?</source>
        <translation>нет версии формата: в профиле есть &quot;format&quot;: %1; записан ли этот профиль командой &quot;nivelon-cli config --save&quot;?</translation>
    </message>
    <message>
        <source>the format version must be the number %1, without quotes, not %2</source>
        <translation>версия формата должна быть числом %1 без кавычек, а не %2</translation>
    </message>
    <message>
        <source>format version %1 is not one this Nivelon reads (it reads %2): a newer Nivelon wrote it</source>
        <translation>версия формата %1 не читается этой версией Nivelon (она читает %2): профиль записан более новой версией</translation>
    </message>
    <message>
        <source>%1 must be a number, without quotes, not %2: nothing was written</source>
        <translation>%1 должен быть числом без кавычек, а не %2: ничего не записано</translation>
    </message>
    <message>
        <source>FMin %1 is not below FMax %2: the sensor would refuse it; nothing was written</source>
        <translation>FMin %1 не ниже FMax %2: датчик его не примет; ничего не записано</translation>
    </message>
</context>
<context>
    <name>PwmParameterWidget</name>
    <message>
        <source>Reverse</source>
        <translation>Инверсия</translation>
    </message>
</context>
<context>
    <name>RecordDialog</name>
    <message>
        <source>Commissioning record</source>
        <translation>Акт установки</translation>
    </message>
    <message>
        <source>Vehicle (registration or fleet number):</source>
        <translation>Транспортное средство (госномер или гаражный номер):</translation>
    </message>
    <message>
        <source>Installer:</source>
        <translation>Установщик:</translation>
    </message>
</context>
<context>
    <name>RecordExport</name>
    <message>
        <source>Commissioning record</source>
        <translation>Акт установки</translation>
    </message>
    <message>
        <source>Commissioning record (*.pdf *.json)</source>
        <translation>Акт установки (*.pdf *.json)</translation>
    </message>
</context>
<context>
    <name>RecordPage</name>
    <message>
        <source>Commissioning record</source>
        <translation>Акт установки</translation>
    </message>
    <message>
        <source>Commissioning record: %1, address %2</source>
        <translation>Акт установки: %1, адрес %2</translation>
    </message>
    <message>
        <source>Installation</source>
        <translation>Установка</translation>
    </message>
    <message>
        <source>Calibration in this session</source>
        <translation>Калибровка в этом сеансе</translation>
    </message>
    <message>
        <source>Line statistics</source>
        <translation>Статистика линии</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <source>Tank table</source>
        <translation>Тарировочная таблица</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation>Транспортное средство</translation>
    </message>
    <message>
        <source>Installer</source>
        <translation>Установщик</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Программа</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Протокол</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Installer&apos;s signature</source>
        <translation>Подпись установщика</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <source>none: the protocol has no parameters to set</source>
        <translation>нет: у протокола нет настраиваемых параметров</translation>
    </message>
    <message>
        <source>Calibration points set</source>
        <translation>Заданные точки калибровки</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Empty tank frequency (FMax)</source>
        <translation>Частота пустого бака (FMax)</translation>
    </message>
    <message>
        <source>Full tank frequency (FMin)</source>
        <translation>Частота полного бака (FMin)</translation>
    </message>
    <message>
        <source>Minimum point</source>
        <translation>Точка минимума</translation>
    </message>
    <message>
        <source>Maximum point</source>
        <translation>Точка максимума</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 в %2</translation>
    </message>
    <message>
        <source>none loaded</source>
        <translation>не загружена</translation>
    </message>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Raw level (level, %)</source>
        <translation>Сырой уровень (уровень, %)</translation>
    </message>
    <message>
        <source>* recorded before the level had settled</source>
        <translation>* записано до того, как уровень установился</translation>
    </message>
    <message>
        <source>never</source>
        <translation>никогда</translation>
    </message>
    <message>
        <source>Exchanges</source>
        <translation>Обмены</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>С ответом</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>Тайм-ауты</translation>
    </message>
    <message>
        <source>Checksum failures</source>
        <translation>Ошибки контрольной суммы</translation>
    </message>
    <message>
        <source>Other failures</source>
        <translation>Прочие ошибки</translation>
    </message>
    <message>
        <source>Reply time, mean and maximum</source>
        <translation>Время ответа, среднее и наибольшее</translation>
    </message>
    <message>
        <source>%1 ms, %2 ms</source>
        <translation>%1 мс, %2 мс</translation>
    </message>
    <message>
        <source>Last heard</source>
        <translation>Последний ответ</translation>
    </message>
    <message>
        <source>Noise bytes</source>
        <translation>Байты помех</translation>
    </message>
    <message>
        <source>Frames sent unasked</source>
        <translation>Кадры без запроса</translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation>Уровень, %</translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation>Сырой уровень</translation>
    </message>
    <message>
        <source>Frequency, Hz</source>
        <translation>Частота, Гц</translation>
    </message>
    <message>
        <source>Temperature, °C</source>
        <translation>Температура, °C</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>not reported</source>
        <translation>нет данных</translation>
    </message>
    <message>
        <source>Level over the session</source>
        <translation>Уровень за сеанс</translation>
    </message>
    <message>
        <source>Volume, L</source>
        <translation>Объём, л</translation>
    </message>
    <message>
        <source>autonomous (sends by itself)</source>
        <translation>автономный (передаёт сам)</translation>
    </message>
    <message>
        <source>network (polled)</source>
        <translation>сетевой (по запросу)</translation>
    </message>
    <message>
        <source>Computed from the shape %1, not yet confirmed by a pour</source>
        <translation>Рассчитана по форме %1, ещё не подтверждена заливом</translation>
    </message>
    <message>
        <source>From the shape %1, %2</source>
        <translation>По форме %1, %2</translation>
    </message>
</context>
<context>
    <name>SensorEvents</name>
    <message>
        <source>Sensor %1: %2</source>
        <translation>Датчик %1: %2</translation>
    </message>
</context>
<context>
    <name>SensorWidget</name>
    <message>
        <source>STUB</source>
        <translation>нет данных</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Level %</source>
        <translation>Уровень, %</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Compact</source>
        <translation>Компактно</translation>
    </message>
    <message>
        <source>Follow</source>
        <translation>Следовать</translation>
    </message>
    <message>
        <source>Save..</source>
        <translation>Сохранить..</translation>
    </message>
    <message>
        <source>Plot data save..</source>
        <translation>Сохранение данных графика..</translation>
    </message>
    <message>
        <source>Unable to save plot data</source>
        <translation>Не удалось сохранить данные графика</translation>
    </message>
    <message>
        <source>Reset statistics</source>
        <translation>Сбросить статистику</translation>
    </message>
    <message>
        <source>no reply since %1</source>
        <translation>нет ответа с %1</translation>
    </message>
    <message>
        <source>lost: %1</source>
        <translation>потерян: %1</translation>
    </message>
    <message>
        <source>answers again</source>
        <translation>снова отвечает</translation>
    </message>
    <message>
        <source>Follow is off</source>
        <translation>Следование выключено</translation>
    </message>
    <message>
        <source>Plot settings...</source>
        <translation>Настройки графика...</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Plot data saved to %1</source>
        <translation>Данные графика сохранены в %1</translation>
    </message>
    <message>
        <source>Commissioning record...</source>
        <translation>Акт установки...</translation>
    </message>
    <message>
        <source>Plot data (*.csv)</source>
        <translation>Данные графика (*.csv)</translation>
    </message>
    <message>
        <source>Sensor %1: %2</source>
        <translation>Датчик %1: %2</translation>
    </message>
    <message>
        <source>no reply yet</source>
        <translation>ответа ещё не было</translation>
    </message>
    <message>
        <source>%1; the values shown are from then</source>
        <translation>%1; показаны значения того времени</translation>
    </message>
</context>
<context>
    <name>SerialEngine</name>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>%1; add your user to the dialout group (sudo usermod -aG dialout $USER), then log in again</source>
        <translation>%1; добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и войдите в систему заново</translation>
    </message>
    <message>
        <source>%1; close that program first</source>
        <translation>%1; сначала закройте эту программу</translation>
    </message>
    <message>
        <source>the device stopped answering</source>
        <translation>устройство перестало отвечать</translation>
    </message>
    <message>
        <source>the device stopped answering: %1</source>
        <translation>устройство перестало отвечать: %1</translation>
    </message>
    <message>
        <source>the adapter was unplugged</source>
        <translation>адаптер отключён</translation>
    </message>
</context>
<context>
    <name>SerialPortManager</name>
    <message>
        <source>No COM ports found</source>
        <translation>COM-порты не найдены</translation>
    </message>
    <message>
        <source>List of found COM port(s):</source>
        <translation>Найденные COM-порты:</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Опрос запущен</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Опрос остановлен</translation>
    </message>
    <message>
        <source>Auto detect enabled</source>
        <translation>Обнаружение датчиков включено</translation>
    </message>
    <message>
        <source>Auto detect disabled</source>
        <translation>Обнаружение датчиков выключено</translation>
    </message>
    <message>
        <source>port %1 detected</source>
        <translation>порт %1 подключён</translation>
    </message>
    <message>
        <source>port %1 removed</source>
        <translation>порт %1 отключён</translation>
    </message>
    <message>
        <source>Opened port %1</source>
        <translation>Открыт порт %1</translation>
    </message>
    <message>
        <source>Opening port %1 failed</source>
        <translation>Не удалось открыть порт %1</translation>
    </message>
    <message>
        <source>Closing port %1</source>
        <translation>Закрытие порта %1</translation>
    </message>
    <message>
        <source>No sensor answers on port %1</source>
        <translation>На порту %1 не отвечает ни один датчик</translation>
    </message>
    <message>
        <source>Line lost: %1 (%2); waiting for it to come back</source>
        <translation>Линия потеряна: %1 (%2); ожидание её возвращения</translation>
    </message>
    <message>
        <source>Line restored: %1</source>
        <translation>Линия восстановлена: %1</translation>
    </message>
    <message>
        <source>Sensors answer on port %1</source>
        <translation>На порту %1 отвечают датчики</translation>
    </message>
    <message>
        <source>the line has been clean for %1 s</source>
        <translation>помех на линии нет уже %1 с</translation>
    </message>
</context>
<context>
    <name>ServiceControls</name>
    <message>
        <source>A service control: turn it on with Settings → Service controls (or start Nivelon with -t)</source>
        <translation>Сервисная функция: включите её в меню Настройки → Сервисные функции (или запустите Nivelon с ключом -t)</translation>
    </message>
</context>
<context>
    <name>TBusSensor</name>
    <message>
        <source>error minimum undefined</source>
        <translation>ошибка: минимум не задан</translation>
    </message>
    <message>
        <source>error maximum undefined</source>
        <translation>ошибка: максимум не задан</translation>
    </message>
    <message>
        <source>error calibration invalid</source>
        <translation>ошибка: неверная калибровка</translation>
    </message>
    <message>
        <source>error unknown %1</source>
        <translation>неизвестная ошибка %1</translation>
    </message>
    <message>
        <source>Minimum ADC Value %1</source>
        <translation>Минимальное значение АЦП %1</translation>
    </message>
    <message>
        <source>Maximum ADC Value %1</source>
        <translation>Максимальное значение АЦП %1</translation>
    </message>
</context>
<context>
    <name>TBusSensorWidget</name>
    <message>
        <source>LVL</source>
        <translation>УР</translation>
    </message>
    <message>
        <source>Set minimum</source>
        <translation>Задать минимум</translation>
    </message>
    <message>
        <source>Set maximum</source>
        <translation>Задать максимум</translation>
    </message>
    <message>
        <source>Make the sensor&apos;s present level its minimum (empty tank)?</source>
        <translation>Сделать текущий уровень датчика его минимумом (пустой бак)?</translation>
    </message>
    <message>
        <source>Minimum set at the present level</source>
        <translation>Минимум установлен по текущему уровню</translation>
    </message>
    <message>
        <source>Make the sensor&apos;s present level its maximum (full tank)?</source>
        <translation>Сделать текущий уровень датчика его максимумом (полный бак)?</translation>
    </message>
    <message>
        <source>Maximum set at the present level</source>
        <translation>Максимум установлен по текущему уровню</translation>
    </message>
    <message>
        <source>This sensor model cannot be calibrated from here</source>
        <translation>Эту модель датчика нельзя откалибровать отсюда</translation>
    </message>
</context>
<context>
    <name>TableFormat</name>
    <message>
        <source>the decimal sign &quot;%1&quot; is neither . nor ,</source>
        <translation>десятичный знак «%1» — ни «.», ни «,»</translation>
    </message>
    <message>
        <source>the separator &quot;%1&quot; cannot be told from the numbers</source>
        <translation>разделитель «%1» нельзя отличить от чисел</translation>
    </message>
    <message>
        <source>raw level %1 is not a whole number from 0 to 65535</source>
        <translation>сырой уровень %1 — не целое число от 0 до 65535</translation>
    </message>
    <message>
        <source>the litres at raw level %1 are not a number</source>
        <translation>объём при сыром уровне %1 — не число</translation>
    </message>
    <message>
        <source>not JSON at character %1: %2</source>
        <translation>не JSON в символе %1: %2</translation>
    </message>
    <message>
        <source>item %1: %2</source>
        <translation>элемент %1: %2</translation>
    </message>
    <message>
        <source>neither {&quot;x&quot;, &quot;a&quot;, &quot;b&quot;} nor {&quot;in&quot;, &quot;out&quot;}</source>
        <translation>ни {&quot;x&quot;, &quot;a&quot;, &quot;b&quot;}, ни {&quot;in&quot;, &quot;out&quot;}</translation>
    </message>
    <message>
        <source>the list holds no rows</source>
        <translation>в списке нет строк</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a raw level and litres</source>
        <translation>«%1» — не сырой уровень и литры</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>строка %1: %2</translation>
    </message>
    <message>
        <source>no pairs of raw level and litres</source>
        <translation>нет пар сырого уровня и литров</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a tank table</source>
        <translation>%1 слишком велик для тарировочной таблицы</translation>
    </message>
</context>
<context>
    <name>TankCalibration</name>
    <message>
        <source>%1 litres cannot be poured: give a volume above zero</source>
        <translation>Нельзя залить %1 л: укажите объём больше нуля</translation>
    </message>
    <message>
        <source>no pour waits for a reading</source>
        <translation>нет заливки, ожидающей показания</translation>
    </message>
    <message>
        <source>no reading has come since the pour</source>
        <translation>после заливки ещё не было показаний</translation>
    </message>
    <message>
        <source>a pour already waits for its reading</source>
        <translation>налив уже ждёт своего показания</translation>
    </message>
</context>
<context>
    <name>TankCalibrationDialog</name>
    <message>
        <source>Tank calibration</source>
        <translation>Тарировка бака</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Показание</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation>Сырой уровень</translation>
    </message>
    <message>
        <source>Stability</source>
        <translation>Успокоение</translation>
    </message>
    <message>
        <source>Spread</source>
        <translation>Разброс</translation>
    </message>
    <message>
        <source>Tolerance</source>
        <translation>Допуск</translation>
    </message>
    <message>
        <source>How far either side of one value the readings may lie and still count as settled</source>
        <translation>Насколько показания могут отклоняться в обе стороны от одного значения и всё ещё считаться установившимися</translation>
    </message>
    <message>
        <source>±</source>
        <translation>±</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Settling time</source>
        <translation>Время успокоения</translation>
    </message>
    <message>
        <source>How long the readings must stay within the tolerance</source>
        <translation>Сколько времени показания должны оставаться в пределах допуска</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Шаг</translation>
    </message>
    <message>
        <source>Poured</source>
        <translation>Налито</translation>
    </message>
    <message>
        <source>The litres poured in this step; for the first row, what the tank holds (0 when empty)</source>
        <translation>Литры, налитые на этом шаге; для первой строки — сколько в баке (0, если он пуст)</translation>
    </message>
    <message>
        <source> L</source>
        <translation> л</translation>
    </message>
    <message>
        <source>Tank then holds</source>
        <translation>В баке будет</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Records the step once the level has settled</source>
        <translation>Записывает шаг, когда уровень успокоился</translation>
    </message>
    <message>
        <source>Record unsettled</source>
        <translation>Записать сразу</translation>
    </message>
    <message>
        <source>Records the step now; the table marks the row as forced</source>
        <translation>Записывает шаг сейчас же; таблица помечает строку как принудительную</translation>
    </message>
    <message>
        <source>Undo last step</source>
        <translation>Отменить последний шаг</translation>
    </message>
    <message>
        <source>Takes back the last row; its fuel stays in the tank, so the next step pours it again</source>
        <translation>Убирает последнюю строку; топливо остаётся в баке, и следующий шаг наливает его заново</translation>
    </message>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Level, %</source>
        <translation>Уровень, %</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Tank calibration: %1 at %2</source>
        <translation>Тарировка бака: %1, адрес %2</translation>
    </message>
    <message>
        <source>Level %</source>
        <translation>Уровень, %</translation>
    </message>
    <message>
        <source>No reading</source>
        <translation>Нет показаний</translation>
    </message>
    <message>
        <source>Settled</source>
        <translation>Успокоился</translation>
    </message>
    <message>
        <source>The level has settled, but not above the last row: pour more before recording.</source>
        <translation>Уровень успокоился, но не выше последней строки: долейте перед записью.</translation>
    </message>
    <message>
        <source>In the tank</source>
        <translation>В баке</translation>
    </message>
    <message>
        <source>%1 L</source>
        <translation>%1 л</translation>
    </message>
    <message>
        <source>forced</source>
        <translation>принудительно</translation>
    </message>
    <message>
        <source>settled</source>
        <translation>успокоился</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Не записано: %1</translation>
    </message>
    <message>
        <source>Row %1 recorded: %2 L at raw level %3</source>
        <translation>Строка %1 записана: %2 л при сыром уровне %3</translation>
    </message>
    <message>
        <source>Row %1 taken back</source>
        <translation>Строка %1 убрана</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Сохранено в %1</translation>
    </message>
    <message>
        <source>Save tank table</source>
        <translation>Сохранить тарировочную таблицу</translation>
    </message>
    <message>
        <source>Tank tables (*.csv)</source>
        <translation>Тарировочные таблицы (*.csv)</translation>
    </message>
    <message>
        <source>Tank table not saved</source>
        <translation>Тарировочная таблица не сохранена</translation>
    </message>
    <message>
        <source>Load tank table</source>
        <translation>Загрузить тарировочную таблицу</translation>
    </message>
    <message>
        <source>Tank tables (*.csv);;All files (*)</source>
        <translation>Тарировочные таблицы (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Tank table not loaded</source>
        <translation>Тарировочная таблица не загружена</translation>
    </message>
    <message>
        <source>%1 was not loaded: %2</source>
        <translation>Файл %1 не загружен: %2</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n row(s) from %1</source>
        <translation>
            <numerusform>Загружена %n строка из %1</numerusform>
            <numerusform>Загружены %n строки из %1</numerusform>
            <numerusform>Загружено %n строк из %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The tank table of %1 at %2 is not saved: %n row(s).</source>
        <translation>
            <numerusform>Тарировочная таблица %1, адрес %2, не сохранена: %n строка.</numerusform>
            <numerusform>Тарировочная таблица %1, адрес %2, не сохранена: %n строки.</numerusform>
            <numerusform>Тарировочная таблица %1, адрес %2, не сохранена: %n строк.</numerusform>
        </translation>
    </message>
    <message>
        <source>%L1 %</source>
        <translation>%L1 %</translation>
    </message>
    <message>
        <source>Settling: %L1 s to go</source>
        <translation>Успокаивается: ещё %L1 с</translation>
    </message>
    <message>
        <source>%L1 % of %L2 % allowed</source>
        <translation>%L1 % из допустимых %L2 %</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) not saved are kept in %1, marked incomplete.</source>
        <translation>
            <numerusform>%n несохранённая строка записана в %1 с пометкой «не завершено».</numerusform>
            <numerusform>%n несохранённые строки записаны в %1 с пометкой «не завершено».</numerusform>
            <numerusform>%n несохранённых строк записаны в %1 с пометкой «не завершено».</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) not saved could not be kept: %1. Save the table elsewhere.</source>
        <translation>
            <numerusform>Не удалось записать %n несохранённую строку: %1. Сохраните таблицу в другом месте.</numerusform>
            <numerusform>Не удалось записать %n несохранённые строки: %1. Сохраните таблицу в другом месте.</numerusform>
            <numerusform>Не удалось записать %n несохранённых строк: %1. Сохраните таблицу в другом месте.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2 refused: %3; it stays %4</source>
        <translation>%1 %2 не принято: %3; остаётся %4</translation>
    </message>
    <message>
        <source>From shape...</source>
        <translation>По форме...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Computed from the shape: not yet confirmed by a pour</source>
        <translation>Рассчитана по форме: ещё не подтверждена заливом</translation>
    </message>
    <message>
        <source>From the shape, %1</source>
        <translation>По форме, %1</translation>
    </message>
    <message>
        <source>Nothing to export: the table has no rows</source>
        <translation>Нечего экспортировать: в таблице нет строк</translation>
    </message>
    <message>
        <source>Tank model:</source>
        <translation>Модель бака:</translation>
    </message>
    <message>
        <source>e.g. MAN TGX 400 L, to share the table with the fleet</source>
        <translation>напр. MAN TGX 400 L, чтобы поделиться таблицей с автопарком</translation>
    </message>
    <message>
        <source>From the fleet library...</source>
        <translation>Из библиотеки автопарка...</translation>
    </message>
    <message>
        <source>Fleet tank library</source>
        <translation>Библиотека баков автопарка</translation>
    </message>
    <message>
        <source>No fleet server is set: choose one in Settings → Fleet server.</source>
        <translation>Сервер автопарка не задан: укажите его в меню Настройки → Сервер автопарка.</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n row(s) of %1 from the fleet library</source>
        <translation>
            <numerusform>Загружена %n строка таблицы %1 из библиотеки автопарка</numerusform>
            <numerusform>Загружены %n строки таблицы %1 из библиотеки автопарка</numerusform>
            <numerusform>Загружено %n строк таблицы %1 из библиотеки автопарка</numerusform>
        </translation>
    </message>
    <message>
        <source>Saved, and sent to the fleet library as %1</source>
        <translation>Сохранено и отправлено в библиотеку автопарка как %1</translation>
    </message>
</context>
<context>
    <name>TankCalibrations</name>
    <message>
        <source>Tank calibration...</source>
        <translation>Тарировка бака...</translation>
    </message>
</context>
<context>
    <name>TankExportDialog</name>
    <message>
        <source>Export tank table</source>
        <translation>Экспорт тарировочной таблицы</translation>
    </message>
    <message>
        <source>Nivelon tank table (CSV)</source>
        <translation>Тарировочная таблица Nivelon (CSV)</translation>
    </message>
    <message>
        <source>Pairs: raw level, litres</source>
        <translation>Пары: сырой уровень, литры</translation>
    </message>
    <message>
        <source>JSON segments {x, a, b}</source>
        <translation>Отрезки JSON {x, a, b}</translation>
    </message>
    <message>
        <source>JSON pairs {in, out}</source>
        <translation>Пары JSON {in, out}</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Точка с запятой</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Табуляция</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Пробел</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Запятая</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Разделитель</translation>
    </message>
    <message>
        <source>Decimal sign</source>
        <translation>Десятичный знак</translation>
    </message>
    <message>
        <source>At most rows</source>
        <translation>Не больше строк</translation>
    </message>
    <message>
        <source>Largest error</source>
        <translation>Наибольшая ошибка</translation>
    </message>
    <message>
        <source>%L1 L at %2 of %3 rows</source>
        <translation>%L1 л при %2 из %3 строк</translation>
    </message>
    <message>
        <source>Tank table not exported</source>
        <translation>Тарировочная таблица не экспортирована</translation>
    </message>
</context>
<context>
    <name>TankFit</name>
    <message>
        <source>a fit needs at least 2 measured rows, the table has %1</source>
        <translation>для подгонки нужно не меньше 2 измеренных строк, в таблице %1</translation>
    </message>
    <message>
        <source>fitted to %1 measured rows, largest residual %2 L</source>
        <translation>подогнана по измеренным строкам (%1), наибольшее отклонение %2 л</translation>
    </message>
</context>
<context>
    <name>TankLitresField</name>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>%1 L (out of range)</source>
        <translation>%1 л (вне таблицы)</translation>
    </message>
    <message>
        <source>%1 L</source>
        <translation>%1 л</translation>
    </message>
    <message>
        <source>The level lies outside the tank table: the litres are those of its nearest row</source>
        <translation>Уровень вне тарировочной таблицы: показаны литры её ближайшей строки</translation>
    </message>
</context>
<context>
    <name>TankShape</name>
    <message>
        <source>%1 %2 mm %3</source>
        <translation>%1 %2 мм %3</translation>
    </message>
    <message>
        <source>is not above 0</source>
        <translation>не больше 0</translation>
    </message>
    <message>
        <source>does not fit: it must be from 0 to half the width and the height</source>
        <translation>не помещается: он должен быть от 0 до половины ширины и высоты</translation>
    </message>
    <message>
        <source>is below half the width, so the round top does not fit</source>
        <translation>меньше половины ширины, и круглый верх не помещается</translation>
    </message>
    <message>
        <source>a profile needs at least 3 points, this one has %1</source>
        <translation>профилю нужно не меньше 3 точек, в этом %1</translation>
    </message>
    <message>
        <source>the profile crosses itself: side %1 meets side %2</source>
        <translation>профиль пересекает себя: сторона %1 встречает сторону %2</translation>
    </message>
    <message>
        <source>the profile encloses no area</source>
        <translation>профиль не ограничивает площади</translation>
    </message>
</context>
<context>
    <name>TankShapeDialog</name>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Horizontal cylinder</source>
        <translation>Горизонтальный цилиндр</translation>
    </message>
    <message>
        <source>Vertical cylinder</source>
        <translation>Вертикальный цилиндр</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Овал</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>D-shape</source>
        <translation>D-образный</translation>
    </message>
    <message>
        <source>Drawn profile</source>
        <translation>Нарисованный профиль</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Длина</translation>
    </message>
    <message>
        <source>Diameter</source>
        <translation>Диаметр</translation>
    </message>
    <message>
        <source>Corner radius</source>
        <translation>Радиус углов</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> мм</translation>
    </message>
    <message>
        <source>Tank table from the tank&apos;s shape</source>
        <translation>Тарировочная таблица по форме бака</translation>
    </message>
    <message>
        <source>Use the nominal shape</source>
        <translation>Взять номинальную форму</translation>
    </message>
    <message>
        <source>Use the fit</source>
        <translation>Взять подгонку</translation>
    </message>
    <message>
        <source>Tank and probe</source>
        <translation>Бак и датчик</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Probe starts above the bottom</source>
        <translation>Начало датчика над дном</translation>
    </message>
    <message>
        <source>Probe&apos;s measuring length</source>
        <translation>Измерительная длина датчика</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Строк</translation>
    </message>
    <message>
        <source>Raw level</source>
        <translation>Сырой уровень</translation>
    </message>
    <message>
        <source>Litres</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Nominal shape</source>
        <translation>Номинальная форма</translation>
    </message>
    <message>
        <source>Fitted shape</source>
        <translation>Подогнанная форма</translation>
    </message>
    <message>
        <source>Measured rows</source>
        <translation>Измеренные строки</translation>
    </message>
    <message>
        <source>Dimension</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Nominal</source>
        <translation>Номинал</translation>
    </message>
    <message>
        <source>Fitted</source>
        <translation>Подгонка</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменение</translation>
    </message>
    <message>
        <source>Measured, L</source>
        <translation>Измерено, л</translation>
    </message>
    <message>
        <source>Nominal off, L</source>
        <translation>Отклонение номинала, л</translation>
    </message>
    <message>
        <source>Fit off, L</source>
        <translation>Отклонение подгонки, л</translation>
    </message>
    <message>
        <source>The corners around the cross-section, ACROSS/UP in mm</source>
        <translation>Углы по контуру сечения, ПОПЕРЁК/ВВЕРХ в мм</translation>
    </message>
    <message>
        <source>Corners</source>
        <translation>Углы</translation>
    </message>
    <message>
        <source>Full: %L1 L. Computed from the shape until pours confirm it.</source>
        <translation>Полный: %L1 л. Рассчитана по форме, пока заливы её не подтвердят.</translation>
    </message>
    <message>
        <source>The fit is suspect: it changes the tank by more than %L1 %. Check the dimensions, the probe and the pours; it is not applied.</source>
        <translation>Подгонка сомнительна: она меняет бак больше чем на %L1 %. Проверьте размеры, датчик и заливы; она не применяется.</translation>
    </message>
    <message>
        <source>Fitted to %1 measured rows: the largest residual is %L2 L (%L3 L nominal).</source>
        <translation>Подогнана по измеренным строкам (%1): наибольшее отклонение %L2 л (номинал: %L3 л).</translation>
    </message>
    <message>
        <source>%L1 %</source>
        <translation>%L1 %</translation>
    </message>
    <message>
        <source>Probe start</source>
        <translation>Начало датчика</translation>
    </message>
    <message>
        <source>%L1 mm</source>
        <translation>%L1 мм</translation>
    </message>
</context>
<context>
    <name>TankShapeTable</name>
    <message>
        <source>%1 points cannot be spread over raw levels 0 to %2: give 2 to %3</source>
        <translation>%1 точек нельзя разместить на сырых уровнях от 0 до %2: задайте от 2 до %3</translation>
    </message>
    <message>
        <source>the shape holds no fuel between two rows at raw level %1: %2</source>
        <translation>форма не вмещает топлива между двумя строками у сырого уровня %1: %2</translation>
    </message>
</context>
<context>
    <name>TankShapeText</name>
    <message>
        <source>%1 &quot;%2&quot; is not a number</source>
        <translation>%1 «%2» не является числом</translation>
    </message>
    <message>
        <source>profile point &quot;%1&quot; is not ACROSS/UP</source>
        <translation>точка профиля «%1» — не ПОПЕРЁК/ВВЕРХ</translation>
    </message>
    <message>
        <source>profile point</source>
        <translation>точка профиля</translation>
    </message>
    <message>
        <source>%1 has no dimension &quot;%2&quot;</source>
        <translation>у %1 нет размера «%2»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tank shape: give one of %2</source>
        <translation>«%1» — не форма бака: задайте одну из %2</translation>
    </message>
    <message>
        <source>%1 needs its %2</source>
        <translation>для %1 нужен размер %2</translation>
    </message>
    <message>
        <source>the probe &quot;%1&quot; is not START:LENGTH in millimetres</source>
        <translation>датчик «%1» — не НАЧАЛО:ДЛИНА в миллиметрах</translation>
    </message>
    <message>
        <source>probe start</source>
        <translation>начало датчика</translation>
    </message>
    <message>
        <source>probe length</source>
        <translation>длина датчика</translation>
    </message>
    <message>
        <source>probe start %1 mm is below the tank&apos;s bottom</source>
        <translation>начало датчика %1 мм ниже дна бака</translation>
    </message>
    <message>
        <source>probe length %1 mm is not above 0</source>
        <translation>длина датчика %1 мм не больше 0</translation>
    </message>
    <message>
        <source>probe start %1 mm and length %2 mm reach above the tank&apos;s height %3 mm</source>
        <translation>начало датчика %1 мм и длина %2 мм выходят выше высоты бака %3 мм</translation>
    </message>
    <message>
        <source>full scale %1 is not above 0</source>
        <translation>полная шкала %1 не больше 0</translation>
    </message>
</context>
<context>
    <name>TankTable</name>
    <message>
        <source>litres %1 are below zero</source>
        <translation>объём %1 л меньше нуля</translation>
    </message>
    <message>
        <source>raw level %1 is below zero</source>
        <translation>сырой уровень %1 меньше нуля</translation>
    </message>
    <message>
        <source>litres %1 do not rise above %2 of the row before</source>
        <translation>объём %1 л не больше %2 л предыдущей строки</translation>
    </message>
    <message>
        <source>raw level %1 does not rise above %2 of the row before</source>
        <translation>сырой уровень %1 не больше %2 предыдущей строки</translation>
    </message>
</context>
<context>
    <name>TankTableFile</name>
    <message>
        <source>the header %1 is expected here</source>
        <translation>здесь ожидается заголовок %1</translation>
    </message>
    <message>
        <source>the forced rows &quot;%1&quot; are not row numbers</source>
        <translation>принудительные строки «%1» не являются номерами строк</translation>
    </message>
    <message>
        <source>%1 wants 3 fields, this row has %2</source>
        <translation>%1 требует 3 поля, в этой строке их %2</translation>
    </message>
    <message>
        <source>RawLevel %1 is not a whole number from 0 to 65535</source>
        <translation>RawLevel %1 не является целым числом от 0 до 65535</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a number</source>
        <translation>%1 «%2» не является числом</translation>
    </message>
    <message>
        <source>the header %1 is missing</source>
        <translation>нет заголовка %1</translation>
    </message>
    <message>
        <source>no rows follow the header</source>
        <translation>после заголовка нет ни одной строки</translation>
    </message>
    <message>
        <source>the forced rows name a row that is not in the table</source>
        <translation>среди принудительных строк указана строка, которой нет в таблице</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>строка %1: %2</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>it is a folder</source>
        <translation>это папка</translation>
    </message>
    <message>
        <source>not a regular file (a device or a pipe)</source>
        <translation>не обычный файл (устройство или канал)</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 such a file can have</source>
        <translation>%1 байт, больше %2, допустимых для такого файла</translation>
    </message>
</context>
</TS>
