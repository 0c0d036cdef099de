#include "port/portoptionswidget.h"

#include "port/portenumerator.h"
#include "port/portsettings.h"
#include "ui_portoptionswidget.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QWidgetAction>
#include <algorithm>

namespace {

// Sets a flag for one scope: changes the widget makes itself are not the user's.
class FlagGuard
{
public:
    explicit FlagGuard(bool& flag)
        : m_flag(flag)
        , m_old(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};

// "ttyS5" is what people type for /dev/ttyS5.
QString devicePath(const QString& typed)
{
    const QString path = typed.trimmed();
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    const QString inDev = QStringLiteral("/dev/") + path;
    return QFileInfo::exists(inDev) ? inDev : path;
}

} // namespace

PortOptionsWidget::PortOptionsWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::PortOptionsPanel)
    , m_portButton(new QPushButton(this))
{
    m_portButton->setObjectName(QStringLiteral("portButton"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(m_portButton);
    auto* menu = new QMenu(m_portButton);
    auto* panelAction = new QWidgetAction(menu);
    panelAction->setDefaultWidget(createPanel());
    menu->addAction(panelAction);
    m_portButton->setMenu(menu);

    if (globalPortEnumerator) {
        connect(globalPortEnumerator, &PortEnumerator::deviceDiscovered, this,
                &PortOptionsWidget::slotPortListChanged);
        connect(globalPortEnumerator, &PortEnumerator::deviceRemoved, this,
                &PortOptionsWidget::slotPortListChanged);
    }
    slotPortListChanged();
}

void PortOptionsWidget::addMenuAction(QAction* action)
{
    m_portButton->menu()->addSeparator();
    m_portButton->menu()->addAction(action);
}

PortOptionsWidget::~PortOptionsWidget()
{
    delete m_ui;
}

QWidget* PortOptionsWidget::createPanel()
{
    // Owned by the widget action of the button's menu.
    auto* panel = new QWidget(nullptr, Qt::Popup);
    m_ui->setupUi(panel);
    fillBaudRates();
    connect(m_ui->autoSearchCheckBox, &QCheckBox::toggled, this,
            &PortOptionsWidget::portDetectionChanged);
    // The port cannot be chosen by hand while the search is choosing it.
    connect(m_ui->autoSearchCheckBox, &QCheckBox::toggled, m_ui->portComboBox,
            &QComboBox::setDisabled);
    connect(m_ui->baudRateComboBox, qOverload<int>(&QComboBox::activated), this,
            &PortOptionsWidget::baudRateChangeRequested);
    connect(m_ui->portComboBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &PortOptionsWidget::slotCurrentPortChanged);
    connect(m_ui->addPortButton, &QPushButton::clicked, this,
            &PortOptionsWidget::slotAddPortClicked);
    return panel;
}

void PortOptionsWidget::fillBaudRates()
{
    m_ui->baudRateComboBox->addItem(QString());
    for (int index = 0; index < BaudRateCount; ++index)
        m_ui->baudRateComboBox->addItem(baudRateToString(index));
}

void PortOptionsWidget::slotPortListChanged()
{
    const int current = m_ui->portComboBox->currentIndex();
    const QString selected = current >= 0 ? m_ports.at(current).portName : QString();
    m_ports = globalPortEnumerator ? globalPortEnumerator->getPorts() : QList<SerialPortInfo>();
    std::stable_sort(
        m_ports.begin(), m_ports.end(),
        [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.portName < b.portName; });
    // Refilling the combo is no choice of the user's: the selected port stays
    // selected while it is listed, and nothing reaches the manager, which would
    // otherwise close its working line for whatever came first.
    const FlagGuard guard(m_suppress);
    m_ui->portComboBox->clear();
    for (const SerialPortInfo& info : std::as_const(m_ports))
        m_ui->portComboBox->addItem(info.friendName);
    m_ui->portComboBox->setCurrentIndex(selected.isEmpty() ? -1 : indexOfPort(selected));
}

int PortOptionsWidget::indexOfPort(const QString& name) const
{
    for (int i = 0; i < m_ports.size(); ++i) {
        if (m_ports.at(i).portName == name || m_ports.at(i).physName == name)
            return i;
    }
    return -1;
}

void PortOptionsWidget::slotCurrentPortChanged(int index)
{
    const bool listed = index >= 0 && index < m_ports.size();
    m_portButton->setText(listed ? m_ports.at(index).portName : QString());
    if (!m_suppress)
        emit portChanged(listed ? m_ports.at(index) : SerialPortInfo());
}

void PortOptionsWidget::baudRateChangeRequested(int item)
{
    if (item >= 1)
        emit baudRateChanged(item - 1);
}

void PortOptionsWidget::setPortDetection(bool on)
{
    m_ui->autoSearchCheckBox->setChecked(on);
}

void PortOptionsWidget::slotSerialPortParametersChanged(const SerialPortSettings& settings)
{
    const FlagGuard guard(m_suppress);
    m_ui->baudRateComboBox->setCurrentIndex(int(settings.settings.BaudRate) + 1);
    const int index = indexOfPort(settings.portName);
    if (index >= 0)
        m_ui->portComboBox->setCurrentIndex(index);
}

QString PortOptionsWidget::addPort(const QString& typed)
{
    const QString path = devicePath(typed);
    if (!QFileInfo::exists(path))
        return tr("There is no device %1. Check the path; a pseudo-terminal or link must "
                  "exist before it can be added.")
            .arg(path);
    if (!globalPortEnumerator || !globalPortEnumerator->addPort(path))
        return tr("The port %1 cannot be added to the list of ports.").arg(path);
    // The enumerator announces a new port, which refreshes the list; a port the
    // list already had is announced by nobody.
    slotPortListChanged();
    m_ui->portComboBox->setCurrentIndex(indexOfPort(path));
    return QString();
}

void PortOptionsWidget::slotAddPortClicked()
{
    bool ok = false;
    const QString path = QInputDialog::getText(this, tr("Add port"), tr("Device path:"),
                                               QLineEdit::Normal, QStringLiteral("/dev/"), &ok);
    if (!ok || path.trimmed().isEmpty())
        return;
    const QString error = addPort(path);
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("Add port"), error);
}
