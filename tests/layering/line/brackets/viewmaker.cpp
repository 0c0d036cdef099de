// A line file that reaches the screen through angle brackets, which compile on
// the line's include path.
#include <QObject>
#include <QtCore/QString>
#include <QtWidgets/QWidget>
#include <views/sensorview.h>
