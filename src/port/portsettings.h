#pragma once

#include <QString>

// The line settings record, in the vocabulary the engines and the port manager
// use. BaudRateType is an index into the fixed table of rates, not a rate.
enum BaudRateType {
    BAUD50,
    BAUD75,
    BAUD110,
    BAUD134,
    BAUD150,
    BAUD200,
    BAUD300,
    BAUD600,
    BAUD1200,
    BAUD1800,
    BAUD2400,
    BAUD4800,
    BAUD9600,
    BAUD14400,
    BAUD19200,
    BAUD38400,
    BAUD56000,
    BAUD57600,
    BAUD76800,
    BAUD115200,
    BAUD128000,
    BAUD256000
};

enum DataBitsType { DATA_5 = 5, DATA_6 = 6, DATA_7 = 7, DATA_8 = 8 };
enum ParityType { PAR_NONE, PAR_ODD, PAR_EVEN, PAR_MARK, PAR_SPACE };
enum StopBitsType { STOP_1, STOP_1_5, STOP_2 };
enum FlowType { FLOW_OFF, FLOW_HARDWARE, FLOW_XONXOFF };

struct PortSettings
{
    BaudRateType BaudRate = BAUD115200;
    DataBitsType DataBits = DATA_8;
    ParityType Parity = PAR_NONE;
    StopBitsType StopBits = STOP_1;
    FlowType FlowControl = FLOW_HARDWARE;
    int Timeout_Millisec = 500;
};

constexpr int BaudRateCount = BAUD256000 + 1;

// Bits per second of a table index; 0 for an index outside the table.
int baudRateValue(int index);
// Translated text of a table index; a null string for an index outside the table.
QString baudRateToString(int index);
// How long so many bytes take on a line with these settings: start, data, parity
// and stop bits of each at the line's rate. 0 for a rate outside the table.
double wireMilliseconds(const PortSettings& settings, int bytes);
