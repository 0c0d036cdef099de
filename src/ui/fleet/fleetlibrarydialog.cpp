#include "fleet/fleetlibrarydialog.h"

#include "fleet/fleetlibraryfetch.h"
#include "fleet/fleetpayloads.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

FleetLibraryDialog::FleetLibraryDialog(const FleetServer& server, QWidget* parent)
    : QDialog(parent)
    , m_fetch(new FleetLibraryFetch(server, this))
    , m_list(new QTreeWidget(this))
    , m_status(new QLabel(tr("Fetching the library from %1...").arg(server.url), this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Fleet tank library"));
    setObjectName(QStringLiteral("FleetLibraryDialog"));
    m_list->setObjectName(QStringLiteral("libraryList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {tr("Tank model"), tr("Rows"), tr("Litres"), tr("Published by"), tr("Published")});
    m_list->header()->setStretchLastSection(true);
    m_status->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_list);
    layout->addWidget(m_buttons);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &FleetLibraryDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &FleetLibraryDialog::accept);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr);
    });
    connect(m_fetch, &FleetLibraryFetch::fetched, this, &FleetLibraryDialog::fetched);
    connect(m_fetch, &FleetLibraryFetch::failed, this, [this](const QString& text) {
        m_status->setText(tr("The library could not be fetched: %1").arg(text));
    });
    resize(640, 360);
    m_fetch->start();
}

void FleetLibraryDialog::fetched()
{
    const QMap<QString, QByteArray>& library = m_fetch->library();
    for (auto entry = library.cbegin(); entry != library.cend(); ++entry) {
        TankTable table;
        QString error;
        if (!FleetPayloads::tableOf(entry.value(), &table, &error) || table.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(entry.value()).object();
        // The name as the installer typed it; the topic had to change some characters.
        const QString name = object.value("model").toString();
        auto* item = new QTreeWidgetItem(
            m_list, {name.isEmpty() ? entry.key() : name, QString::number(table.rowCount()),
                     QLocale().toString(table.lastRow().litres, 'f', 1),
                     object.value("client").toString(), object.value("time").toString()});
        item->setData(0, Qt::UserRole, entry.key());
    }
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    m_status->setText(
        m_list->topLevelItemCount() == 0
            ? tr("The fleet library holds no tank table yet.")
            : tr("%n tank model(s) in the fleet library:", "", m_list->topLevelItemCount()));
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void FleetLibraryDialog::accept()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    m_model = item->text(0);
    QString error;
    const QString key = item->data(0, Qt::UserRole).toString();
    if (!FleetPayloads::tableOf(m_fetch->library().value(key), &m_table, &error)) {
        QMessageBox::warning(this, windowTitle(), error);
        return;
    }
    QDialog::accept();
}
