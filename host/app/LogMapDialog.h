// The dialog that says, for one score log, which of its tags the chart
// shows as each of the five statistics, or none.
#pragma once

#include "StatisticMap.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QComboBox;

class LogMapDialog : public QDialog
{
    Q_OBJECT
public:
    LogMapDialog(const QString& gameName, const std::vector<std::string>& tags,
                 const StatisticMap& map, QWidget* parent = nullptr);

    StatisticMap map() const;
    QComboBox* chooser(Statistic statistic) const { return m_choosers[size_t(statistic)]; }

private:
    std::array<QComboBox*, kStatisticCount> m_choosers{};
};
