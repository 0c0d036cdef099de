// Loses an object in the first paint of a window and quits. Under the leak-checked
// build the report must name PaintLeakProbe::paintEvent: the platform plugin delivers
// that paint, so a suppression that names the plugin would hide our leaks there.
#include <QApplication>
#include <QTimer>
#include <QWidget>

class PaintLeakProbe : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        new QObject;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PaintLeakProbe probe;
    probe.show();
    return app.exec();
}
