#include "LogMapDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
// The chart's own names of the statistics, in the enumeration's order.
const std::array<const char*, kStatisticCount> kLabels{
    QT_TRANSLATE_NOOP("LogMapDialog", "&Industry:"),
    QT_TRANSLATE_NOOP("LogMapDialog", "&Population:"),
    QT_TRANSLATE_NOOP("LogMapDialog", "&Weapon:"),
    QT_TRANSLATE_NOOP("LogMapDialog", "&Drive:"),
    QT_TRANSLATE_NOOP("LogMapDialog", "&Shield:"),
};
} // namespace

LogMapDialog::LogMapDialog(const QString& gameName, const std::vector<std::string>& tags,
                           const StatisticMap& map, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Statistics of %1").arg(gameName));
    auto* intro = new QLabel(
        tr("Which of the game log's statistics the chart shows as each of its own. A chart "
           "that already holds this game keeps its figures until \"Reset Kurvo\"."),
        this);
    intro->setWordWrap(true);
    auto* form = new QFormLayout;
    for (size_t i = 0; i < m_choosers.size(); ++i) {
        auto* chooser = new QComboBox(this);
        chooser->addItem(tr("(none)"), QString());
        for (const std::string& tag : tags)
            chooser->addItem(QString::fromStdString(tag), QString::fromStdString(tag));
        // A tag the log does not declare (yet) stays chosen, not lost.
        const QString current = QString::fromStdString(map.tag(Statistic(i)));
        if (!current.isEmpty() && chooser->findData(current) < 0)
            chooser->addItem(tr("%1 (not in this log)").arg(current), current);
        chooser->setCurrentIndex(std::max(0, chooser->findData(current)));
        form->addRow(tr(kLabels[i]), chooser);
        m_choosers[i] = chooser;
    }
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] {
                const StatisticMap defaults = StatisticMap::defaults();
                for (size_t i = 0; i < m_choosers.size(); ++i) {
                    const int index =
                        m_choosers[i]->findData(QString::fromStdString(defaults.tag(Statistic(i))));
                    m_choosers[i]->setCurrentIndex(std::max(0, index));
                }
            });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

StatisticMap LogMapDialog::map() const
{
    StatisticMap map;
    for (size_t i = 0; i < m_choosers.size(); ++i)
        map.setTag(Statistic(i), m_choosers[i]->currentData().toString().toStdString());
    return map;
}
