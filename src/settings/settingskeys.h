#pragma once

#include <Qt>

// Every key of the settings store, with its default where it has one. Each group is
// read in one function of its owner, which checks what it reads: a stored value can
// be anything.
namespace SettingsKeys {

// SerialPortManager: the sensor model (a row of the model table; none until the
// user chose one) and the port choices.
constexpr char BusType[] = "BusType";
constexpr char UsedPort[] = "SerialPort/UsedPort";
constexpr char AutoDetectPort[] = "SerialPort/AutoDetectPort";
constexpr bool AutoDetectPortDefault = true;
constexpr char AutoDetectAddress[] = "SerialPort/AutoDetectAddress";
constexpr bool AutoDetectAddressDefault = true;
// Model index -> the port where that model's sensors last answered.
constexpr char AnsweredPorts[] = "SerialPort/AnsweredPorts";
// How long every reply is waited for, in milliseconds, for sensors slower than
// their protocol allows; 0 for the protocol's own windows.
constexpr char ReplyTimeoutMs[] = "SerialPort/ReplyTimeoutMs";
constexpr int ReplyTimeoutMsDefault = 0;
constexpr int ReplyTimeoutMsMaximum = 60000;
// SystemPortEnumerator: the paths the user added to the port list.
constexpr char ExtraPorts[] = "SerialPort/ExtraPorts";

// SerialSensor: the least time between two polls of one sensor, in milliseconds.
constexpr char QueryInterval[] = "QueryInterval";
constexpr int QueryIntervalDefault = 1;
constexpr int QueryIntervalMinimum = 1;
constexpr int QueryIntervalMaximum = 99999;

// LogDisplayController: the text log's line limit (0: none) and, below the group,
// one group of section switches per log view.
constexpr char LogGroup[] = "Log";
constexpr char MaxLogLines[] = "MaxLogLines";
constexpr int MaxLogLinesDefault = 1000;

// MainWindow: what the window restores at start.
constexpr char GeometryGroup[] = "Geometry";
constexpr char LineDataViewHeader[] = "LineDataViewHeader";
constexpr char MainWindowState[] = "MainWindowState";
constexpr char MainWindowGeometry[] = "MainWindowGeometry";
constexpr char LineDataAutoScroll[] = "LineDataLog/AutoScroll";
constexpr bool LineDataAutoScrollDefault = true;

// ServiceControls: the Omnicomm service controls switched on in the Settings menu.
constexpr char ServiceControls[] = "ServiceControls";
constexpr bool ServiceControlsDefault = false;

// ProfileActions: the folder a profile was last saved to or opened from.
constexpr char ProfileFolder[] = "Profiles/Folder";

// InterfaceLanguage: the language the user chose in the Settings menu, "en" or
// "ru"; none (or anything else) follows the system's locale.
constexpr char Language[] = "Language";

// The folder the plot data was last saved in; the next save starts there.
constexpr char PlotDataFolder[] = "PlotDataFolder";

// RecordExport: who and what the last commissioning record was about, and the
// folder it went to, offered again for the next one.
constexpr char RecordVehicle[] = "Record/Vehicle";
constexpr char RecordInstaller[] = "Record/Installer";
constexpr char RecordFolder[] = "Record/Folder";

// TankCalibrationDialog: the folder a tank table was last saved to or loaded
// from; a table kept after a lost line goes there too.
constexpr char TankTableFolder[] = "Tank/Folder";

// LogDisplayController: the folder the log was last written to.
constexpr char LogFolder[] = "Log/Folder";

// FleetServer: the fleet's broker and who this program is on it. The password is
// never here: only in a file of its own that only the user can read, when asked.
constexpr char FleetUrl[] = "Fleet/Url";
constexpr char FleetPrefix[] = "Fleet/Prefix";
constexpr char FleetClientName[] = "Fleet/ClientName";
constexpr char FleetUser[] = "Fleet/User";
constexpr char FleetCaFile[] = "Fleet/CaFile";
constexpr char FleetMqttVersion[] = "Fleet/MqttVersion";
constexpr char FleetLiveReadings[] = "Fleet/LiveReadings";

// PlotSettings: what every sensor view's plot applies and the plot settings dialog
// edits.
namespace Plot {
constexpr char Group[] = "Plot";
constexpr char MaximumSize[] = "MaximumSize";
constexpr int MaximumSizeDefault = 0; // no limit
constexpr char TimeFormat[] = "TimeFormat";
constexpr char TimeFormatDefault[] = "mm:ss";
// Non-zero: the level is plotted in raw counts rather than in percent.
constexpr char LevelFormat[] = "LevelFormat";
constexpr char CompactPlot[] = "CompactPlot";
// The background defaults to the window colour of the palette in use.
constexpr char BackgroundColor[] = "BackgroundColor";

// A curve's keys are its prefix followed by one of these. Styles are the
// plotting library's curve style numbers, -1 (none) to 3 (dots).
constexpr char CurveStyle[] = "Style";
constexpr char CurveWidth[] = "Width";
constexpr char CurveColor[] = "Color";
struct Curve
{
    const char* prefix;
    int defaultStyle;
    Qt::GlobalColor defaultColor;
};
constexpr int StyleMinimum = -1;
constexpr int StyleMaximum = 3;
constexpr int WidthDefault = 2;
constexpr int WidthMaximum = 10;
constexpr Curve LevelCurve{"Level", 2, Qt::green};
// Failed readings have a colour of their own: red is the temperature's.
constexpr Curve ErrorCurve{"Error", 1, Qt::magenta};
constexpr Curve FrequencyCurve{"Frequency", 2, Qt::blue};
constexpr Curve TemperatureCurve{"Temperature", 2, Qt::red};
} // namespace Plot

} // namespace SettingsKeys
