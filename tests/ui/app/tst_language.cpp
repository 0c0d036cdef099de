// One language at a time: every text of the window with a sensor view of each
// protocol, offscreen, under each catalogue; and the choice from the Settings menu.
#include "app/interfacelanguage.h"
#include "app/languagemenu.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/serialengine.h"
#include "port/scriptedserialport.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QtTest>
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

// Where each text is shown -> the text.
using Texts = QMap<QString, QString>;

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
// widgets and dialogs included), with the item texts that are no properties. The
// window is built alike in every language, so an object is known by its place.
Texts textsOf(const QObject* root)
{
    Texts texts;
    const QList<QObject*> objects = root->findChildren<QObject*>();
    for (int place = 0; place < objects.size(); ++place) {
        const QObject* object = objects.at(place);
        const QString path =
            QStringLiteral("%1 %2 %3")
                .arg(place)
                .arg(QLatin1String(object->metaObject()->className()), object->objectName());
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

// The window of each protocol, its sensor at address 1 in a tab, walked in language.
Texts everyText(const QString& language, FakePortEnumerator& enumerator)
{
    const InterfaceLanguage catalogues(language);
    // Made after the catalogues, as at start-up: it translates its section titles.
    const LogCapture log(false);
    SerialPortManager::Hooks hooks;
    hooks.makePort = [](QObject* parent) {
        return new ScriptedSerialPort(parent);
    };
    Texts texts;
    for (int model : {kOmnicommModel, kModBusModel, kTBusModel}) {
        QSettings().setValue(QStringLiteral("BusType"), model);
        MainWindow window(&enumerator, nullptr, hooks);
        window.manager()->engine()->slotAddSensorFromDialog(1);
        const Texts windowTexts = textsOf(&window);
        for (auto it = windowTexts.begin(); it != windowTexts.end(); ++it)
            texts.insert(QStringLiteral("%1/%2").arg(model).arg(it.key()), it.value());
    }
    return texts;
}

// Each text that pattern finds, or (with equal) each equal to its English text
// though it has words, all named here: QtTest cuts a long failure message.
bool noneFound(const Texts& texts, const QRegularExpression& pattern, const Texts& equal = {})
{
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList found;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        const bool same = equal.value(it.key()) == it.value() && word.match(it.value()).hasMatch();
        if (equal.isEmpty() ? pattern.match(it.value()).hasMatch()
                            : same && !pattern.match(it.value()).hasMatch()) {
            found << it.key() + QStringLiteral(" = ") + it.value();
            qWarning("%s", qPrintable(found.last()));
        }
    }
    return found.isEmpty();
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
    QSettings().clear();
}

void TestLanguage::everyTextInOneLanguage()
{
    FakePortEnumerator enumerator;
    enumerator.plug(QStringLiteral("/dev/ttyUSB7"));
    const Texts english = everyText(QStringLiteral("en"), enumerator);
    QVERIFY(english.size() > 500);
    QVERIFY(
        noneFound(english, QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]|inteface"))));

    // A Russian text that reads as in English was left untranslated, unless it is
    // a name: of a sensor model, or of a frequency as the sensor's papers have it.
    const Texts russian = everyText(QStringLiteral("ru"), enumerator);
    QCOMPARE(russian.keys(), english.keys());
    QVERIFY(noneFound(russian,
                      QRegularExpression(QStringLiteral("^((<b>)?ZT-\\d\\d(</b>)?|Fmin|Fmax)$")),
                      english));
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
    QVERIFY(menu.actions().at(checked)->isChecked());
    // A choice is stored at once; the system's removes the stored one.
    menu.actions().at(2)->trigger();
    QCOMPARE(InterfaceLanguage::choice(), QStringLiteral("ru"));
    menu.actions().at(0)->trigger();
    QVERIFY(!QSettings().contains(QStringLiteral("Language")));
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
