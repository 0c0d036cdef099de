// One language at a time: every text of the window and of the three sensor views,
// offscreen, under each catalogue and under the choice from the Settings menu.
#include "app/interfacelanguage.h"
#include "app/languagemenu.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/basesensor.h"
#include "engine/enginefactory.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "port/scriptedserialport.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"
#include "views/sensorviews.h"
#include "views/sensorwidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <qwt_plot.h>
#include <qwt_text.h>
#include <vector>

namespace {

const int kOmnicommModel = 2; // ZT-33
const int kModBusModel = 1;   // ZT-32
const int kTBusModel = 4;     // ZT-35

// Values rather than texts, or the widget's own bookkeeping.
const QStringList kNotTexts = {"objectName",  "styleSheet", "plainText",   "html",
                               "displayText", "cleanText",  "currentText", "windowFilePath"};

// Path of each text -> the text.
using Texts = QMap<QString, QString>;

// Unnamed siblings are told apart by their place among their parent's children.
QString pathOf(const QObject* object)
{
    QStringList names;
    for (; object; object = object->parent()) {
        const int place = object->parent()
                              ? object->parent()->children().indexOf(const_cast<QObject*>(object))
                              : 0;
        names.prepend(
            QStringLiteral("%1:%2[%3]")
                .arg(QLatin1String(object->metaObject()->className()), object->objectName())
                .arg(place));
    }
    return names.join(QLatin1Char('/'));
}

void addItemTexts(const QObject* object, const QString& path, Texts& texts)
{
    if (const auto* tabs = qobject_cast<const QTabWidget*>(object)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts.insert(path + QStringLiteral("#tab%1").arg(i), tabs->tabText(i));
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(object)) {
        for (int i = 0; i < combo->count(); ++i)
            texts.insert(path + QStringLiteral("#item%1").arg(i), combo->itemText(i));
    }
    const auto* view = qobject_cast<const QAbstractItemView*>(object);
    if (view && view->model()) {
        for (int i = 0; i < view->model()->columnCount(); ++i)
            texts.insert(path + QStringLiteral("#column%1").arg(i),
                         view->model()->headerData(i, Qt::Horizontal).toString());
    }
    if (const auto* plot = qobject_cast<const QwtPlot*>(object)) {
        for (int axis = 0; axis < QwtPlot::axisCnt; ++axis)
            texts.insert(path + QStringLiteral("#axis%1").arg(axis), plot->axisTitle(axis).text());
    }
}

// Every text property of root and of everything below it (menus, actions, hidden
// widgets and dialogs included), with the item texts that are no properties.
Texts textsOf(const QObject* root)
{
    Texts texts;
    QList<const QObject*> objects{root};
    for (const QObject* child : root->findChildren<QObject*>())
        objects.append(child);
    for (const QObject* object : objects) {
        const QString path = pathOf(object);
        const QMetaObject* meta = object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            if (property.type() != QVariant::String || kNotTexts.contains(property.name()))
                continue;
            const QString text = property.read(object).toString();
            if (!text.isEmpty())
                texts.insert(path + QLatin1Char('.') + property.name(), text);
        }
        addItemTexts(object, path, texts);
    }
    return texts;
}

// A sensor of one model at address 1 on an idle scripted line, with its view.
struct ScriptedSensorView
{
    ScriptedSerialPort port;
    std::unique_ptr<SerialEngine> engine;
    std::unique_ptr<SensorWidget> view;

    explicit ScriptedSensorView(unsigned model)
        : engine(EngineFactory::createSerialEngine(model))
    {
        port.open();
        engine->setPort(&port);
        engine->setAutoDetectSensorsEnabled(false);
        engine->slotAddSensorFromDialog(1);
        view.reset(engine->sensors().first()->createWidget());
    }

    ~ScriptedSensorView()
    {
        const QList<SerialSensor*> sensors = engine->sensors();
        engine->deinit();
        view.reset();
        qDeleteAll(sensors);
    }
};

// The window on a scripted port and the three views, each walked, in language.
Texts everyText(const QString& language, FakePortEnumerator& enumerator)
{
    const InterfaceLanguage catalogues(language);
    // Made after the catalogues, as at start-up: it translates its section titles.
    const LogCapture log(false);
    SerialPortManager::Hooks hooks;
    hooks.makePort = [](QObject* parent) {
        return new ScriptedSerialPort(parent);
    };
    MainWindow window(&enumerator, nullptr, hooks);
    Texts texts = textsOf(&window);
    for (unsigned model : {kOmnicommModel, kModBusModel, kTBusModel}) {
        ScriptedSensorView sensor(model);
        const Texts viewTexts = textsOf(sensor.view.get());
        for (auto it = viewTexts.begin(); it != viewTexts.end(); ++it)
            texts.insert(QStringLiteral("model%1/").arg(model) + it.key(), it.value());
    }
    return texts;
}

// QtTest cuts a long failure message; every offender is named here.
bool noneOf(const QStringList& offenders)
{
    for (const QString& offender : offenders)
        qWarning("%s", qPrintable(offender));
    return offenders.isEmpty();
}

QStringList matching(const Texts& texts, const QRegularExpression& pattern)
{
    QStringList found;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (pattern.match(it.value()).hasMatch())
            found << it.key() + QStringLiteral(" = ") + it.value();
    }
    return found;
}

// The argument list the Omnicomm view looks at: "-t" brings its service controls.
int g_argc = 0;
std::vector<char*> g_argv;
char g_serviceFlag[] = "-t";

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyTextInOneLanguage();
    void choiceOverridesTheSystem_data();
    void choiceOverridesTheSystem();
};

void TestLanguage::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    initResources();
    registerSensorViews();
    QSettings().clear();
    QSettings().setValue(QStringLiteral("BusType"), kOmnicommModel);
}

void TestLanguage::everyTextInOneLanguage()
{
    FakePortEnumerator enumerator;
    enumerator.plug(QStringLiteral("/dev/ttyUSB7"));
    const Texts english = everyText(QStringLiteral("en"), enumerator);
    QVERIFY(english.size() > 300);
    const QStringList foreign =
        matching(english, QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]|inteface")));
    QVERIFY(noneOf(foreign));

    // A Russian text that reads as in English was left untranslated, unless it is
    // a name: of a sensor model, or of a frequency as the sensor's papers have it.
    const Texts russian = everyText(QStringLiteral("ru"), enumerator);
    QCOMPARE(russian.keys(), english.keys());
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    const QRegularExpression name(QStringLiteral("^((<b>)?ZT-\\d\\d(</b>)?|Fmin|Fmax)$"));
    QStringList untranslated;
    for (auto it = english.begin(); it != english.end(); ++it) {
        if (russian.value(it.key()) == it.value() && word.match(it.value()).hasMatch() &&
            !name.match(it.value()).hasMatch())
            untranslated << it.key() + QStringLiteral(" = ") + it.value();
    }
    QVERIFY(noneOf(untranslated));
}

void TestLanguage::choiceOverridesTheSystem_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("checked");
    QTest::newRow("nothing stored, Russian system") << ""
                                                    << "ru_RU"
                                                    << "ru" << 0;
    QTest::newRow("nothing stored, German system") << ""
                                                   << "de_DE"
                                                   << "en" << 0;
    QTest::newRow("English on a Russian system") << "en"
                                                 << "ru_RU"
                                                 << "en" << 1;
    QTest::newRow("Russian on an English system") << "ru"
                                                  << "en_US"
                                                  << "ru" << 2;
    QTest::newRow("unknown choice") << "fr"
                                    << "en_GB"
                                    << "en" << 0;
}

void TestLanguage::choiceOverridesTheSystem()
{
    QFETCH(QString, stored);
    QFETCH(QString, system);
    QFETCH(QString, language);
    QFETCH(int, checked);
    QSettings().setValue(QStringLiteral("Language"), stored);
    QCOMPARE(InterfaceLanguage::resolve(InterfaceLanguage::choice(), QLocale(system)), language);

    LanguageMenu menu;
    const QList<QAction*> choices = menu.actions();
    QCOMPARE(choices.size(), 3);
    for (int i = 0; i < choices.size(); ++i) {
        QCOMPARE(choices.at(i)->isChecked(), i == checked);
        QVERIFY(choices.at(i)->statusTip().contains(QStringLiteral("next start")));
    }
    // A choice is stored at once; the system's removes the stored one.
    choices.at(2)->trigger();
    QCOMPARE(InterfaceLanguage::choice(), QStringLiteral("ru"));
    choices.at(0)->trigger();
    QVERIFY(!QSettings().contains(QStringLiteral("Language")));
    QCOMPARE(InterfaceLanguage::resolve(InterfaceLanguage::choice(), QLocale(system)),
             system.startsWith(QStringLiteral("ru")) ? QStringLiteral("ru") : QStringLiteral("en"));
}

int main(int argc, char* argv[])
{
    g_argv.assign(argv, argv + argc);
    g_argv.push_back(g_serviceFlag);
    g_argv.push_back(nullptr);
    g_argc = argc + 1;
    QApplication app(g_argc, g_argv.data());
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
