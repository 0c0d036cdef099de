#include "app/mainwindow.h"

#include "app/addsensordialog.h"
#include "app/bustypedialog.h"
#include "app/customprogressbar.h"
#include "app/detectionreminderdialog.h"
#include "app/languagemenu.h"
#include "app/resources.h"
#include "engine/serialsensor.h"
#include "fleet/fleetlink.h"
#include "fleet/fleetwindow.h"
#include "log/addresstext.h"
#include "log/fillingcolumns.h"
#include "log/headerviewhidermenu.h"
#include "log/linedatamodel.h"
#include "log/logdisplaycontroller.h"
#include "log/logger.h"
#include "log/sensorevents.h"
#include "monitor/linemonitormode.h"
#include "monitor/linemonitorpage.h"
#include "parameters/numberdialog.h"
#include "port/portoptionswidget.h"
#include "port/serialport.h"
#include "record/commissioningrecord.h"
#include "record/recordexport.h"
#include "session/enginefactory.h"
#include "settings/settingskeys.h"
#include "tank/tankcalibrations.h"
#include "ui_mainwindow.h"
#include "views/disabledreason.h"
#include "views/plotsettingsdialog.h"
#include "views/sensorviewregistry.h"
#include "views/sensorviews.h"
#include "views/sensorwidget.h"
#include "views/servicecontrols.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <memory>

namespace {

const int kStateVersion = 0;
const double kFirstScreenShare = 0.85;
const QSize kFirstLeastSize(1024, 700);
// The most of the window's width the line-data table takes when it first shows.
const double kLogDockShare = 0.35;
// The rows the dock fits after its first showing, while the sensors are found.
const int kFirstRowsFitted = 50;
const int kLeastLogDockWidth = 200;

QString boldText(const QString& text)
{
    return QStringLiteral("<b>%1</b>").arg(text);
}

} // namespace

MainWindow::MainWindow(PortEnumerator* enumerator, QWidget* parent, SerialPortManager::Hooks hooks)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    initResources();
    registerSensorViews();
    ui->setupUi(this);
    setUpScrollingTabs();
    ui->logDockWidget->setTitleBarWidget(ui->logTitleWidget);
    ui->sensorTabWidget->setTabClosable(0, false);
    ui->actionBusType->setSeparator(true);

    setUpStatusLog();
    if (!hooks.askBusType)
        hooks.askBusType = [this] {
            return askSensorModel();
        };
    auto makePort = hooks.makePort ? hooks.makePort : SerialPortManager::defaultHooks().makePort;
    m_manager = new SerialPortManager(enumerator, this, std::move(hooks));
    m_tankCalibrations = new TankCalibrations(this, m_manager);
    connect(m_manager, &SerialPortManager::detectionStateChanged, this,
            &MainWindow::slotDetectionStateChanged);
    connect(m_manager, &SerialPortManager::lineNoisy, statusBar(), [this](const QString& text) {
        m_lineNoisy = text;
        statusBar()->showMessage(text);
    });
    connect(m_manager, &SerialPortManager::lineClean, statusBar(), [this] {
        if (statusBar()->currentMessage() == m_lineNoisy)
            statusBar()->clearMessage();
    });
    ui->actionStart->setChecked(m_manager->isStarted());
    setUpStatusBar();
    setUpReminder();
    setUpLineDataLog();
    setUpLineMonitor(std::move(makePort));
    setUpTabCorner();
    connectPortPanel();
    connect(m_manager, &SerialPortManager::sensorDetected, this, &MainWindow::slotSensorDetected);
    connect(m_manager, &SerialPortManager::stateChanged, this,
            &MainWindow::slotManagerStateChanged);
    setUpModelActions();
    ui->actionAutoDetectSensors->setChecked(m_manager->isAutoDetectSensorsEnabled());
    connect(ui->actionAutoDetectSensors, &QAction::toggled, this,
            &MainWindow::setAutoDetectSensorsEnabled);
    connect(m_manager, &SerialPortManager::pollStateChanged, ui->actionStart, &QAction::setChecked);
    setUpServiceControlsAction();
    FleetWindow::install(this, ui->menuSettings);
    ui->menuSettings->addSeparator();
    ui->menuSettings->addMenu(new LanguageMenu(this));
    restoreGeometryAndLog();
    // After the stored header state, which brings back hidden columns and old modes.
    m_lineDataColumns = new FillingColumns(ui->lineDataView);
    setUpLogDockToggle();
    slotManagerStateChanged();
    // The engine reported its first detection state before anyone listened.
    updateDetectionProgressBarVisibility();
}

MainWindow::~MainWindow()
{
    QSettings settings;
    settings.beginGroup(SettingsKeys::GeometryGroup);
    settings.setValue(SettingsKeys::LineDataViewHeader,
                      ui->lineDataView->horizontalHeader()->saveState());
    settings.setValue(SettingsKeys::MainWindowState, saveState(kStateVersion));
    settings.setValue(SettingsKeys::MainWindowGeometry, saveGeometry());
    settings.endGroup();
    dismantleEngine();
}

// The first start knows no sensor model; refusing to choose one ends the program.
int MainWindow::askSensorModel()
{
    BusTypeDialog dialog(this);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenIndex() : -1;
}

// Children go in the order they were made, so the sensor views in the tabs would
// go before the manager and its engine. Queued commands must complete (Canceled)
// while the views whose members are their callbacks still exist, and the sensors,
// which have no parent, are deleted here: the event loop that would run their
// deleteLater has already returned.
void MainWindow::dismantleEngine()
{
    SerialEngine* engine = m_manager->engine();
    if (!engine)
        return;
    const QList<SerialSensor*> sensors = engine->sensors();
    engine->deinit();
    qDeleteAll(sensors);
}

void MainWindow::setUpStatusLog()
{
    auto* controller = new LogDisplayController(this);
    controller->setObjectName(QStringLiteral("StatusLogController"));
    auto* layout = new QVBoxLayout(ui->statusTab);
    layout->addWidget(controller->widget());
}

void MainWindow::setUpStatusBar()
{
    m_portOptions = new PortOptionsWidget(this);
    statusBar()->addPermanentWidget(m_portOptions);
    m_detectionProgressBar = new CustomProgressBar(this);
    m_detectionProgressBar->hide();
    m_detectionProgressBar->setToolTip(tr("Detecting sensors"));
    connect(this, &MainWindow::detectionProgressTextChanged, m_detectionProgressBar,
            &CustomProgressBar::setText);
    statusBar()->addPermanentWidget(m_detectionProgressBar);
    m_statusIconLabel = new QLabel(this);
    m_statusIconLabel->hide();
    statusBar()->addPermanentWidget(m_statusIconLabel);
}

void MainWindow::setUpReminder()
{
    m_detectionReminder = new DetectionReminderDialog(this);
    connect(this, &MainWindow::detectionProgressTextChanged, m_detectionReminder,
            &DetectionReminderDialog::setProgressText);
    connect(this, &MainWindow::showDetectionReminder, m_detectionReminder,
            &DetectionReminderDialog::show);
    connect(this, &MainWindow::hideDetectionReminder, m_detectionReminder,
            &DetectionReminderDialog::hide);
    connect(this, &MainWindow::sensorsNotDetected, m_detectionReminder,
            &DetectionReminderDialog::slotOnSensorsNotDetected);
}

void MainWindow::setUpLineDataLog()
{
    m_lineDataModel = new LineDataModel(this);
    connect(Logger::instance(), qOverload<const LogMessage&>(&Logger::newMessage), m_lineDataModel,
            &LineDataModel::slotNewMessage);
    ui->lineDataView->setModel(m_lineDataModel);
    connect(ui->enableLogButton, &QToolButton::toggled, m_lineDataModel,
            &LineDataModel::setEnabled);
    connect(ui->clearLogButton, &QToolButton::clicked, m_lineDataModel, &LineDataModel::clear);
    auto* hider = new HeaderViewHiderMenu(this);
    hider->install(ui->lineDataView->horizontalHeader());
    connect(ui->autoScrollLogButton, &QToolButton::toggled, this,
            &MainWindow::setAutoScrollLogEnabled);
    // Only diagnostic mode logs the exchanges; otherwise the dock says so, and
    // offers nothing to work on an empty table.
    showLineDataView(Logger::isRegistered(Logger::LineData));
}

void MainWindow::showLineDataView(bool shown)
{
    const QList<QWidget*> diagnosticOnly{ui->lineDataView, ui->autoScrollLogButton,
                                         ui->enableLogButton, ui->clearLogButton};
    for (QWidget* widget : diagnosticOnly)
        widget->setVisible(shown);
    ui->lineDataHint->setVisible(!shown);
}

void MainWindow::setUpLineMonitor(std::function<SerialPort*(QObject*)> makePort)
{
    m_monitorMode = new LineMonitorMode(m_manager, ui->sensorTabWidget, m_lineDataModel,
                                        std::move(makePort), this);
    auto* watch = new QAction(tr("Watch the line (listen only)…"), this);
    watch->setObjectName(QStringLiteral("actionWatchLine"));
    watch->setCheckable(true);
    watch->setStatusTip(tr("Decode what the vehicle's tracker and the sensors say on the port, "
                           "without sending a byte"));
    ui->menuFile->insertAction(ui->actionSave_plot, watch);
    m_portOptions->addMenuAction(watch);
    connect(watch, &QAction::triggered, this, [this, watch](bool on) {
        if (!on)
            m_monitorMode->leave();
        else if (!m_monitorMode->enter()) {
            watch->setChecked(false);
            statusBar()->showMessage(m_monitorMode->errorText());
        }
    });
    // Nothing that could open the port or start an engine while the line is watched.
    connect(m_monitorMode, &LineMonitorMode::activeChanged, this, [this, watch](bool active) {
        watch->setChecked(active);
        ui->actionStart->setEnabled(!active);
        ui->menuSensors->setEnabled(!active);
        ui->actionAddSensor->setEnabled(!active);
        m_portOptions->setEnabled(!active);
        updateDetectionProgressBarVisibility();
        showLineDataView(active || Logger::isRegistered(Logger::LineData));
    });
}

void MainWindow::setUpTabCorner()
{
    auto* corner = new QWidget(this);
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 0, 0);
    m_busTypeLabel = new QLabel(corner);
    layout->addWidget(m_busTypeLabel);
    auto* addButton = new QToolButton(corner);
    addButton->setDefaultAction(ui->actionAddSensor);
    layout->addWidget(addButton);
    ui->sensorTabWidget->setCornerWidget(corner, Qt::TopRightCorner);
}

void MainWindow::connectPortPanel()
{
    connect(m_manager, &SerialPortManager::serialPortParametersChanged, m_portOptions,
            &PortOptionsWidget::slotSerialPortParametersChanged);
    connect(m_portOptions, &PortOptionsWidget::portChanged, m_manager,
            &SerialPortManager::setSerialPort);
    connect(m_portOptions, &PortOptionsWidget::portDetectionChanged, m_manager,
            &SerialPortManager::setPortDetection);
    connect(m_portOptions, &PortOptionsWidget::baudRateChanged, m_manager,
            &SerialPortManager::setPortBaudRate);
    // A port chosen by hand that fails to open changes no manager state.
    connect(m_portOptions, &PortOptionsWidget::portChanged, this, &MainWindow::showPortTrouble);
    connect(m_manager, &SerialPortManager::lineLost, this, &MainWindow::slotLineLost);
    connect(m_manager, &SerialPortManager::lineRestored, this, &MainWindow::slotLineRestored);
    m_portOptions->slotSerialPortParametersChanged(m_manager->serialPortSettings());
    m_portOptions->setPortDetection(m_manager->isPortDetectionEnabled());
}

// A disabled action's tooltip says why; the menus show it.
void MainWindow::setUpServiceControlsAction()
{
    ui->menuSettings->setToolTipsVisible(true);
    ui->menuActions->setToolTipsVisible(true);
    QAction* action = ui->menuSettings->addAction(tr("Service controls"));
    action->setObjectName(QStringLiteral("actionServiceControls"));
    action->setCheckable(true);
    ServiceControls* controls = ServiceControls::instance();
    action->setChecked(controls->isOn());
    action->setToolTip(tr("Omnicomm empty and full calibration and normal temperature"));
    DisabledReason::setEnabled(action, !ServiceControls::isForced(),
                               tr("On for this run: Nivelon was started with -t"));
    connect(action, &QAction::toggled, controls, &ServiceControls::setOn);
    connect(controls, &ServiceControls::switched, action, &QAction::setChecked);
}

void MainWindow::setUpModelActions()
{
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    const QStringList models = EngineFactory::sensorTypes();
    for (int i = 0; i < models.size(); ++i) {
        QAction* action =
            group->addAction(QStringLiteral("%1 \u2014 %2")
                                 .arg(models.at(i), EngineFactory::protocolTitle(unsigned(i))));
        action->setCheckable(true);
        action->setStatusTip(EngineFactory::tooltip(unsigned(i)));
        action->setData(unsigned(i));
        if (i == m_manager->busType()) {
            action->setChecked(true);
            m_busTypeLabel->setText(boldText(models.at(i)));
        }
    }
    ui->menuSensors->insertActions(ui->actionBusType, group->actions());
    connect(group, &QActionGroup::triggered, this, &MainWindow::slotBusTypeAction);
}

void MainWindow::restoreGeometryAndLog()
{
    QSettings settings;
    settings.beginGroup(SettingsKeys::GeometryGroup);
    ui->lineDataView->horizontalHeader()->restoreState(
        settings.value(SettingsKeys::LineDataViewHeader).toByteArray());
    m_logDockPlaced =
        restoreState(settings.value(SettingsKeys::MainWindowState).toByteArray(), kStateVersion);
    if (!restoreGeometry(settings.value(SettingsKeys::MainWindowGeometry).toByteArray()))
        fitToScreen();
    settings.endGroup();

    const bool autoScroll =
        settings.value(SettingsKeys::LineDataAutoScroll, SettingsKeys::LineDataAutoScrollDefault)
            .toBool();
    ui->autoScrollLogButton->setChecked(autoScroll);
    // The button's toggle has made the same connection: the table may be told twice.
    if (autoScroll)
        connect(m_lineDataModel, &LineDataModel::newRow, ui->lineDataView,
                &QTableView::scrollToBottom);
}

// A first start has no size of its own: the plot and the statistics need room.
QSize MainWindow::firstSize(const QSize& available)
{
    const QSize wanted = (QSizeF(available) * kFirstScreenShare).toSize();
    return wanted.expandedTo(kFirstLeastSize).boundedTo(available);
}

void MainWindow::fitToScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(), firstSize(available.size()));
    frame.moveCenter(available.center());
    setGeometry(frame);
}

// Diagnostic mode is asked for to see the exchanges: their table shows from the start.
void MainWindow::setUpLogDockToggle()
{
    if (QCoreApplication::arguments().contains(QStringLiteral("-g")))
        ui->logDockWidget->show();
    else
        ui->logDockWidget->close();
    QAction* toggle = ui->logDockWidget->toggleViewAction();
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    toggle->setShortcutContext(Qt::ApplicationShortcut);
    addAction(toggle);
    // Its first width is its title's, too narrow for a frame: on its first showing
    // the dock makes room for what the table holds, and again with the first rows,
    // whose requests and replies are wider than the titles; from then on the
    // user's width stands, also across starts.
    if (!m_logDockPlaced)
        m_firstDockShow = connect(ui->logDockWidget, &QDockWidget::visibilityChanged, this,
                                  &MainWindow::placeLogDock);
}

void MainWindow::placeLogDock(bool visible)
{
    if (!visible)
        return;
    disconnect(m_firstDockShow);
    fitLogDock();
    m_firstRows = connect(m_lineDataModel, &LineDataModel::newRow, this, [this] {
        if (++m_firstRowCount >= kFirstRowsFitted)
            disconnect(m_firstRows);
        fitLogDock();
    });
}

// As wide as the columns need, leaving the tabs their least width where the
// window has it; on a small screen the tabs scroll beside a table still readable.
void MainWindow::fitLogDock()
{
    const int wanted = m_lineDataColumns->contentWidth() + ui->lineDataView->frameWidth() * 2 +
                       ui->lineDataView->verticalScrollBar()->sizeHint().width();
    const int room = this->width() - ui->sensorTabWidget->minimumSizeHint().width();
    const int width = std::max(std::min({wanted, int(this->width() * kLogDockShare), room}),
                               std::min(wanted, kLeastLogDockWidth));
    if (ui->logDockWidget->isVisible())
        resizeDocks({ui->logDockWidget}, {width}, Qt::Horizontal);
}

// Below the least width or height of a sensor's tab (a small screen, the
// line-data table beside it) the tabs scroll rather than squeeze their values
// into their labels and their buttons off the screen.
void MainWindow::setUpScrollingTabs()
{
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("tabsScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(takeCentralWidget());
    setCentralWidget(scroll);
}

void MainWindow::slotSensorDetected(BaseSensor* sensor)
{
    const int countBefore = ui->sensorTabWidget->count();
    SensorWidget* view = SensorViewRegistry::create(sensor);
    if (!view)
        return;
    connect(view, &SensorWidget::addressChanged, this, &MainWindow::slotAddressChanged);
    connect(view, &SensorWidget::plotSettingsRequested, this, &MainWindow::on_actionPlot_triggered);
    view->setModelName(EngineFactory::sensorTypes().value(m_manager->busType()));
    connect(view, &SensorWidget::recordRequested, this, [this, view] {
        RecordContext context;
        context.port = m_manager->currentPort()->portName();
        context.modelIndex = m_manager->busType();
        RecordExport::run(view, context);
    });
    m_tankCalibrations->addActionTo(view);
    if (FleetLink* fleet = FleetLink::current())
        fleet->watch(sensor, m_manager->currentPort()->portName());
    connect(m_manager, &SerialPortManager::lineLost, view, &SensorWidget::slotLineLost);
    connect(m_manager, &SerialPortManager::lineRestored, view, &SensorWidget::slotLineRestored);
    // A silent sensor is told in the status bar until it answers again.
    auto silence = std::make_shared<QString>();
    connect(view, &SensorWidget::silenceChanged, this, [this, silence](const QString& text) {
        if (text.isEmpty() && statusBar()->currentMessage() == *silence)
            statusBar()->clearMessage();
        else if (!text.isEmpty())
            statusBar()->showMessage(text);
        *silence = text;
    });
    if (!m_lineLost.isEmpty())
        view->slotLineLost(m_lineLost);
    ui->sensorTabWidget->insertTab(tabIndexFor(sensor->address(), view), view,
                                   AddressText::both(sensor->address()));
    SensorEvents::record(sensor->address(),
                         tr("found on %1").arg(m_manager->currentPort()->portName()));
    if (countBefore == 1)
        ui->sensorTabWidget->setCurrentWidget(view);
    updateDetectionProgressBarVisibility();
    emit sensorViewOpened(view);
}

void MainWindow::slotAddressChanged(uint8_t newAddress)
{
    auto* view = qobject_cast<QWidget*>(sender());
    const int index = ui->sensorTabWidget->indexOf(view);
    if (index <= 0)
        return;
    ui->sensorTabWidget->setTabText(index, AddressText::both(newAddress));
    const int target = tabIndexFor(newAddress, view);
    ui->sensorTabWidget->tabBar()->moveTab(index, target > index ? target - 1 : target);
}

// Where a view of the sensor at address goes among the others, in the tab
// widget's present numbering: the tabs read in address order, whatever order
// the sensors were found or renumbered in.
int MainWindow::tabIndexFor(int address, const QWidget* view) const
{
    int index = 1;
    for (; index < ui->sensorTabWidget->count(); ++index) {
        const SensorWidget* other = sensorWidgetAt(index);
        if (other && other != view && other->baseSensor() &&
            other->baseSensor()->address() > address)
            break;
    }
    return index;
}

void MainWindow::slotManagerStateChanged()
{
    QString icon;
    switch (m_manager->state()) {
    case SerialPortManager::StateDetecting:
        icon = QStringLiteral(":/icons/seeking_port.png");
        break;
    case SerialPortManager::StateNormal:
        icon = QStringLiteral(":/icons/port_working.png");
        break;
    case SerialPortManager::StateNoPort:
        icon = QStringLiteral(":/icons/no_port.png");
        break;
    default:
        icon = QStringLiteral(":/icons/default.png");
        break;
    }
    m_statusIconLabel->setPixmap(QPixmap(icon));
    showPortTrouble();
}

// Says in the status bar which port could not be opened and why; the message goes
// once the port is open.
void MainWindow::showPortTrouble()
{
    const SerialPort* port = m_manager->currentPort();
    const int error = port->lastError();
    const bool failedToOpen =
        !port->isOpen() && !port->portName().isEmpty() &&
        (error == SerialPort::OpenError || error == SerialPort::PermissionError ||
         error == SerialPort::InUseError || error == SerialPort::NotFoundError ||
         error == SerialPort::UnknownError);
    if (!failedToOpen) {
        if (!m_portTrouble.isEmpty() && statusBar()->currentMessage() == m_portTrouble)
            statusBar()->clearMessage();
        m_portTrouble.clear();
        return;
    }
    // The port's text says what to do about it where it knows.
    m_portTrouble = tr("Cannot open port %1: %2").arg(port->portName(), port->errorString());
    statusBar()->showMessage(m_portTrouble);
}

void MainWindow::slotLineLost(const QString& message)
{
    m_lineLost = message;
    statusBar()->showMessage(message);
    updateDetectionProgressBarVisibility();
}

void MainWindow::slotLineRestored()
{
    if (statusBar()->currentMessage() == m_lineLost)
        statusBar()->clearMessage();
    m_lineLost.clear();
    updateDetectionProgressBarVisibility();
}

void MainWindow::slotBusTypeAction(QAction* act)
{
    // Another model means another engine: the sensors and their tank tables go.
    if (act->data().toInt() != m_manager->busType() && !m_tankCalibrations->settleUnsaved()) {
        for (QAction* current : act->actionGroup()->actions())
            current->setChecked(current->data().toInt() == m_manager->busType());
        return;
    }
    m_manager->setBusType(act->data().toUInt());
    m_busTypeLabel->setText(boldText(EngineFactory::sensorTypes().value(act->data().toInt())));
}

void MainWindow::setAutoScrollLogEnabled(bool v)
{
    if (v)
        connect(m_lineDataModel, &LineDataModel::newRow, ui->lineDataView,
                &QTableView::scrollToBottom);
    else
        disconnect(m_lineDataModel, &LineDataModel::newRow, ui->lineDataView,
                   &QTableView::scrollToBottom);
}

void MainWindow::on_sensorTabWidget_tabCloseRequested(int index)
{
    SensorWidget* view = index > 0 ? sensorWidgetAt(index) : nullptr;
    if (!view || !m_tankCalibrations->settleUnsaved(view))
        return;
    if (index == ui->sensorTabWidget->currentIndex()) {
        ui->menuActions->clear();
        ui->menuActions->setEnabled(false);
    }
    BaseSensor* sensor = view->baseSensor();
    if (!sensor)
        return;
    // The view follows its sensor.
    sensor->deinit();
    sensor->deleteLater();
}

void MainWindow::on_actionPlot_triggered()
{
    PlotSettingsDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    for (int i = 1; i < ui->sensorTabWidget->count(); ++i) {
        if (SensorWidget* view = sensorWidgetAt(i))
            view->updatePlotSettings();
    }
}

void MainWindow::on_actionAddSensor_triggered()
{
    if (SerialEngine* engine = m_manager->engine())
        (new AddSensorDialog(engine))->open();
}

void MainWindow::on_actionStart_triggered(bool v)
{
    if (v)
        m_manager->start();
    else
        m_manager->stop();
}

void MainWindow::on_actionQueryInterval_triggered()
{
    NumberDialog dialog(this, SettingsKeys::QueryIntervalMinimum,
                        SettingsKeys::QueryIntervalMaximum, SerialSensor::storedQueryInterval());
    dialog.setWindowTitle(tr("Query Interval"));
    dialog.setQuestion([](int) { return tr("Least time between two polls of a sensor, ms"); });
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int interval = dialog.intValue();
    QSettings().setValue(SettingsKeys::QueryInterval, interval);
    for (int i = 1; i < ui->sensorTabWidget->count(); ++i) {
        SensorWidget* view = sensorWidgetAt(i);
        if (auto* sensor = qobject_cast<SerialSensor*>(view ? view->baseSensor() : nullptr))
            sensor->setQueryInterval(interval);
    }
}

void MainWindow::on_actionSave_plot_triggered()
{
    const int index = ui->sensorTabWidget->currentIndex();
    if (index <= 0 || ui->sensorTabWidget->count() < 2)
        return;
    if (SensorWidget* view = sensorWidgetAt(index))
        view->slotSavePlotData();
}

void MainWindow::on_sensorTabWidget_currentChanged(int index)
{
    ui->actionSave_plot->setEnabled(index > 0);
}

void MainWindow::on_sensorTabWidget_currentChanged(QWidget* widget)
{
    ui->menuActions->clear();
    if (!widget) {
        ui->menuActions->setEnabled(false);
        return;
    }
    if (auto* view = qobject_cast<SensorWidget*>(widget))
        ui->menuActions->addActions(view->sensorActions());
    ui->menuActions->setEnabled(!ui->menuActions->isEmpty());
}

void MainWindow::slotDetectionStateChanged(int newState)
{
    updateDetectionProgressBarVisibility();
    emit detectionProgressTextChanged(
        tr("Detecting sensors: %1").arg(m_manager->detectionStateString()));
    const QString notDetected = tr("Sensors not detected, check connection");
    if (newState == SerialEngine::DetectionExhausted && newState != m_lastDetectionState) {
        emit sensorsNotDetected();
        if (sensorTabCount() == 0 && m_manager->isAutoDetectSensorsEnabled())
            statusBar()->showMessage(notDetected);
    } else if (newState == 0 && statusBar()->currentMessage() == notDetected) {
        // Only our own reminder: what the port or the line had to say stays.
        statusBar()->clearMessage();
    }
    m_lastDetectionState = newState;
}

void MainWindow::setAutoDetectSensorsEnabled(bool v)
{
    m_manager->setAutoDetectSensorsEnabled(v);
    updateDetectionProgressBarVisibility();
}

void MainWindow::updateDetectionProgressBarVisibility()
{
    // Nothing is detected while the line is away, and the busy bar's animation
    // would keep the window repainting all the while.
    const bool watching = m_monitorMode && m_monitorMode->isActive();
    if (!m_manager->isAutoDetectSensorsEnabled() || !m_lineLost.isEmpty() || watching) {
        m_detectionProgressBar->hide();
        emit hideDetectionReminder();
        return;
    }
    if (sensorTabCount() == 0) {
        m_detectionProgressBar->show();
        emit showDetectionReminder();
        return;
    }
    const SerialEngine* engine = m_manager->engine();
    m_detectionProgressBar->setVisible(!engine || engine->detectionState() !=
                                                      SerialEngine::DetectionExhausted);
    emit hideDetectionReminder();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QMainWindow::changeEvent(event);
}

// A tank table not yet saved is the work of hours: it is not left behind unasked.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_tankCalibrations->settleUnsaved())
        event->accept();
    else
        event->ignore();
}

SensorWidget* MainWindow::sensorWidgetAt(int index) const
{
    return qobject_cast<SensorWidget*>(ui->sensorTabWidget->widget(index));
}

int MainWindow::sensorTabCount() const
{
    return ui->sensorTabWidget->count() - 1;
}
