// One language at a time: every text of the window with a sensor view of each
// protocol, offscreen, under each catalogue; and the choice from the Settings menu.
#include "app/interfacelanguage.h"
#include "app/languagemenu.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/serialengine.h"
#include "port/scriptedserialport.h"
#include "session/enginefactory.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"

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

// Where each text is shown -> the text.
using Texts = QMap<QString, QString>;

// Values rather than texts, or the widget's own bookkeeping.
const QStringList kNotTexts = {"objectName",  "styleSheet", "plainText",   "html",
                               "displayText", "cleanText",  "currentText", "windowFilePath"};

// The texts that are no properties: tab titles, list items, axis titles.
QStringList itemTexts(const QObject* object)
{
    QStringList texts;
    if (const auto* tabs = qobject_cast<const QTabWidget*>(object)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(object)) {
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    }
    if (const auto* plot = qobject_cast<const QwtPlot*>(object)) {
        for (int axis = 0; axis < QwtPlot::axisCnt; ++axis)
            texts << plot->axisTitle(axis).text();
    }
    return texts;
}

// Every text of everything below root: menus, actions, hidden widgets and dialogs
// too. The window is built alike in every language: a text is known by its place.
void addTexts(const QObject* root, const QString& prefix, Texts& texts)
{
    const QList<QObject*> objects = root->findChildren<QObject*>();
    for (int place = 0; place < objects.size(); ++place) {
        const QObject* object = objects.at(place);
        QStringList found = itemTexts(object);
        const QMetaObject* meta = object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            if (property.type() == QVariant::String && !kNotTexts.contains(property.name()))
                found << property.read(object).toString();
        }
        for (int i = 0; i < found.size(); ++i)
            texts.insert(QStringLiteral("%1/%2 %3 %4.%5")
                             .arg(prefix)
                             .arg(place)
                             .arg(QLatin1String(meta->className()), object->objectName())
                             .arg(i),
                         found.at(i));
    }
}

// The window of each protocol, with its sensor at address 1 in a tab.
Texts everyText(const QString& language)
{
    const InterfaceLanguage catalogues(language);
    // Made after the catalogues, as at start-up: it translates its section titles.
    const LogCapture log(false);
    FakePortEnumerator enumerator;
    enumerator.plug(QStringLiteral("/dev/ttyUSB7"));
    SerialPortManager::Hooks hooks;
    hooks.makePort = [](QObject* parent) {
        return new ScriptedSerialPort(parent);
    };
    Texts texts;
    for (const QString& model : QStringList{"ZT-33", "ZT-32", "ZT-35"}) {
        QSettings().setValue(QStringLiteral("BusType"),
                             EngineFactory::sensorTypes().indexOf(model));
        MainWindow window(&enumerator, nullptr, hooks);
        window.manager()->engine()->slotAddSensorFromDialog(1);
        addTexts(&window, model, texts);
    }
    return texts;
}

// Names each text that offends (QtTest cuts a long failure message).
bool noneOffends(const Texts& texts,
                 const std::function<bool(const QString&, const QString&)>& offends)
{
    bool none = true;
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (offends(it.key(), it.value())) {
            qWarning("%s = %s", qPrintable(it.key()), qPrintable(it.value()));
            none = false;
        }
    }
    return none;
}

// The argument list the Omnicomm view looks at: "-t" brings its service controls.
std::vector<char*> g_argv;
char g_serviceFlag[] = "-t";

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyTextInOneLanguage();
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
    const Texts english = everyText(QStringLiteral("en"));
    QVERIFY(english.size() > 500);
    const QRegularExpression foreign(QStringLiteral("[\\x{0400}-\\x{04FF}]|inteface"));
    QVERIFY(noneOffends(english, [&](const QString&, const QString& text) {
        return foreign.match(text).hasMatch();
    }));

    // A Russian text that reads as in English was left untranslated, unless it is
    // a name: of a sensor model, or of a frequency as the sensor's papers have it.
    const Texts russian = everyText(QStringLiteral("ru"));
    QCOMPARE(russian.keys(), english.keys());
    const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    const QRegularExpression name(
        QStringLiteral("^((<b>)?ZT-\\d\\d(</b>)?( — (Omnicomm|ModBus RTU|TBus))?|Fmin|Fmax)$"));
    QVERIFY(noneOffends(russian, [&](const QString& place, const QString& text) {
        return text == english.value(place) && word.match(text).hasMatch() &&
               !name.match(text).hasMatch();
    }));
}

void TestLanguage::choiceOverridesTheSystem()
{
    const QLocale russian(QStringLiteral("ru_RU"));
    QCOMPARE(InterfaceLanguage::resolve(QString(), russian), QStringLiteral("ru"));
    QCOMPARE(InterfaceLanguage::resolve(QString(), QLocale::c()), QStringLiteral("en"));
    // Stored at once and shown checked the next time; the system's removes it.
    LanguageMenu(nullptr).actions().at(1)->trigger();
    QCOMPARE(InterfaceLanguage::resolve(InterfaceLanguage::choice(), russian),
             QStringLiteral("en"));
    LanguageMenu menu;
    QVERIFY(menu.actions().at(1)->isChecked());
    menu.actions().at(0)->trigger();
    QVERIFY(!QSettings().contains(QStringLiteral("Language")));
}

int main(int argc, char* argv[])
{
    g_argv.assign(argv, argv + argc);
    g_argv.push_back(g_serviceFlag);
    g_argv.push_back(nullptr);
    int count = argc + 1;
    QApplication app(count, g_argv.data());
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
