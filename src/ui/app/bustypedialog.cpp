#include "app/bustypedialog.h"

#include "session/enginefactory.h"
#include "ui_bustypedialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalMapper>

BusTypeDialog::BusTypeDialog(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::BusTypeDialog>())
{
    ui->setupUi(this);
    auto* mapper = new QSignalMapper(this);
    const QStringList codes = EngineFactory::sensorTypes();
    for (int row = 0; row < codes.size(); ++row) {
        auto* button = new QPushButton(codes.at(row), this);
        ui->sensorTypesLayout->addWidget(button, row, 0);
        ui->sensorTypesLayout->addWidget(new QLabel(EngineFactory::tooltip(unsigned(row)), this),
                                         row, 1);
        mapper->setMapping(button, row);
        connect(button, &QPushButton::clicked, mapper, qOverload<>(&QSignalMapper::map));
    }
    connect(mapper, &QSignalMapper::mappedInt, this, &BusTypeDialog::slotOnButtonClicked);
}

BusTypeDialog::~BusTypeDialog() = default;

void BusTypeDialog::slotOnButtonClicked(int index)
{
    m_chosenIndex = index;
    accept();
}
