#include "tank/tankexportdialog.h"

#include "tank/tableformat.h"
#include "tank/tanktablefile.h"
#include "tank/tankthinning.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const int kPreviewLines = 12;

} // namespace

TankExportDialog::TankExportDialog(const TankTable& table, QWidget* parent)
    : QDialog(parent)
    , m_table(table)
{
    setObjectName(QStringLiteral("tankExportDialog"));
    setWindowTitle(tr("Export tank table"));
    m_form = new QComboBox;
    m_form->addItems({tr("Nivelon tank table (CSV)"), tr("Pairs: raw level, litres"),
                      tr("JSON segments {x, a, b}"), tr("JSON pairs {in, out}")});
    m_separator = new QComboBox;
    m_separator->addItem(tr("Semicolon"), QStringLiteral(";"));
    m_separator->addItem(tr("Tab"), QStringLiteral("\t"));
    m_separator->addItem(tr("Space"), QStringLiteral(" "));
    m_separator->addItem(tr("Comma"), QStringLiteral(","));
    m_decimal = new QComboBox;
    m_decimal->addItems({QStringLiteral("."), QStringLiteral(",")});
    m_maxPoints = new QSpinBox;
    m_maxPoints->setRange(2, std::max(2, table.rowCount()));
    m_maxPoints->setValue(table.rowCount());
    m_cost = new QLabel;
    m_preview = new QPlainTextEdit;
    m_preview->setReadOnly(true);
    auto* form = new QFormLayout;
    form->addRow(tr("Format"), m_form);
    form->addRow(tr("Separator"), m_separator);
    form->addRow(tr("Decimal sign"), m_decimal);
    form->addRow(tr("At most rows"), m_maxPoints);
    form->addRow(tr("Largest error"), m_cost);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::accepted, this, &TankExportDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);
    for (QComboBox* box : {m_form, m_separator, m_decimal})
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &TankExportDialog::refresh);
    connect(m_maxPoints, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TankExportDialog::refresh);
    refresh();
}

void TankExportDialog::refresh()
{
    const auto form = TableFormat::Form(m_form->currentIndex());
    m_separator->setEnabled(form == TableFormat::Pairs);
    m_decimal->setEnabled(form == TableFormat::Pairs);
    const TableStyle style{m_separator->currentData().toString(), m_decimal->currentText()[0]};
    QString problem;
    const bool styled = form != TableFormat::Pairs || TableFormat::checkStyle(style, &problem);
    const TankTable thinned = TankThinning::thin(m_table, m_maxPoints->value(), &m_error);
    m_text = styled ? TableFormat::write(thinned, form, style) : QByteArray();
    m_cost->setText(styled ? tr("%L1 L at %2 of %3 rows")
                                 .arg(m_error, 0, 'f', 3)
                                 .arg(thinned.rowCount())
                                 .arg(m_table.rowCount())
                           : problem);
    m_preview->setPlainText(QString::fromUtf8(m_text).section('\n', 0, kPreviewLines - 1));
}

bool TankExportDialog::saveTo(const QString& path, QString* error)
{
    if (m_text.isEmpty()) {
        *error = m_cost->text();
        return false;
    }
    return TankTableFile::saveBytes(m_text, path, error);
}

void TankExportDialog::save()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export tank table"));
    QString error;
    if (path.isEmpty())
        return;
    if (saveTo(path, &error))
        accept();
    else
        QMessageBox::warning(this, tr("Tank table not exported"), error);
}
